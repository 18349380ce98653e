#include "toolkit/application.h"

#include <QMessageBox>

#include <exception>

namespace corvane {

namespace {
    Application::ExceptionReporter& Reporter()
    {
        static Application::ExceptionReporter reporter;
        return reporter;
    }

    void ShowMessageBox(const QString& message)
    {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), message);
    }
}

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    // Every handler runs inside some event's delivery, so this is the one place where an exception
    // from any of them can be caught before it unwinds the event loop.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportException(QString::fromUtf8(error.what()));
    } catch (...) {
        reportException(QString());
    }
    return false;
}

void Application::setExceptionReporter(ExceptionReporter reporter) { Reporter() = std::move(reporter); }

void Application::reportException(const QString& message)
{
    if (Reporter())
        Reporter()(message);
    else
        ShowMessageBox(message);
}

} // namespace corvane
