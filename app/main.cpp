// The program's entry: the application, the main window and the hidden windows, then the event loop.

#include "app/kept_settings.h"
#include "app/main_window.h"
#include "app/sound_after_paint.h"
#include "drawing/qt/picture_store.h"
#include "toolkit/application.h"
#include "windows/app_windows.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

#include <exception>
#include <memory>

namespace {

// --help and --version, which print and end the program; Qt's own options (-platform, -style ...)
// pass through to the application. What is left are song files to open.
QStringList ReadCommandLine(const QStringList& arguments, bool strict)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A guitar chord dictionary: every fingering of a chord, drawn, "
                                                    "named and strummed."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
        QStringLiteral("Song files to open (ChordPro or chords over words), each in turn in the song window."),
        QStringLiteral("[FILE...]"));
    if (strict)
        parser.process(arguments);
    else if (parser.parse(arguments)
        && (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"))))
        parser.process(arguments);
    return strict ? parser.positionalArguments() : QStringList();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Corvane Chords"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
    {
        // Help and version first, without a window system, so that they work on a bare terminal.
        const QCoreApplication console(argc, argv);
        ReadCommandLine(QCoreApplication::arguments(), false);
    }
    corvane::Application application(argc, argv);
    // The window system has taken its own options out of the arguments: whatever is left is ours.
    const QStringList songs = ReadCommandLine(QCoreApplication::arguments(), true);
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane Chords"));
    QApplication::setWindowIcon(corvane::PictureStore::applicationIcon());
    // Lets the desktop tie the running window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("corvane-chords"));

    // Start-up runs outside the event loop, so the application's own report does not cover it.
    try {
        // The settings in the platform's usual place (~/.config/Corvane/Corvane Chords.conf on Linux).
        auto settings = std::make_unique<QSettings>();
        corvane::SoundAfterPaint sound;
        sound.chooseSoundFont(corvane::KeptSoundFont(*settings));
        auto mainWindow = std::make_unique<corvane::TForm1>(sound.factory());
        corvane::CreateSecondaryWindows(mainWindow.get());
        mainWindow->UseSettings(std::move(settings));
        mainWindow->ShowAsKept();
        sound.startAfterFirstPaint(mainWindow.get());
        // Once the main window is up: a file that cannot be read is said as File > "Open song…" says it.
        QTimer::singleShot(0, mainWindow.get(), [window = mainWindow.get(), songs] {
            for (const QString& song : songs)
                window->OpenSongFile(QFileInfo(song).absoluteFilePath());
        });
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), QString::fromUtf8(error.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), QString());
    }
    return 0;
}
