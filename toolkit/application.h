#pragma once
// The application object. Its one addition to QApplication: an exception that escapes an event
// handler is reported with its text and the event loop goes on, instead of ending the program.

#include <QApplication>
#include <QString>

#include <functional>

namespace corvane {

class Application final : public QApplication {
    Q_OBJECT
public:
    // Shows the text of an escaped exception to the user; the empty text for a thrown value that
    // carries none.
    using ExceptionReporter = std::function<void(const QString& message)>;

    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The default reporter shows a message box over the active window. Tests install their own so
    // that nothing modal opens; an empty function restores the default.
    static void setExceptionReporter(ExceptionReporter reporter);
    static void reportException(const QString& message);
};

} // namespace corvane
