// Saves a picture of the main window as it opens, without sound: gui_screenshot FILE.PNG

#include "app/main_window.h"
#include "toolkit/application.h"

#include <QElapsedTimer>
#include <QScreen>

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    corvane::Application application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane Chords"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: gui_screenshot FILE.PNG\n");
        return 2;
    }
    corvane::TForm1 window([](int) { return std::make_unique<corvane::SilentPort>(); });
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.show();
    QElapsedTimer settling;
    settling.start();
    while (settling.elapsed() < 1500)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
