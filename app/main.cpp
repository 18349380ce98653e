// The program's entry: the application, the main window and the hidden windows, then the event loop.

#include "app/main_window.h"
#include "drawing/qt/picture_store.h"
#include "toolkit/application.h"
#include "windows/app_windows.h"

#include <QMessageBox>

#include <exception>
#include <memory>

int main(int argc, char** argv)
{
    corvane::Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvane Chords"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane Chords"));
    QApplication::setWindowIcon(corvane::PictureStore::applicationIcon());
    // Lets the desktop tie the running window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("corvane-chords"));

    // Start-up runs outside the event loop, so the application's own report does not cover it.
    try {
        auto mainWindow = std::make_unique<corvane::TForm1>();
        corvane::Form1 = mainWindow.get();
        corvane::CreateSecondaryWindows(mainWindow.get());
        mainWindow->showMaximized();
        const int status = QApplication::exec();
        corvane::Form1 = nullptr;
        return status;
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), QString::fromUtf8(error.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), QString());
    }
    return 0;
}
