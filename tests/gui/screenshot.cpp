// Saves a picture of the main window, without sound: gui_screenshot FILE.PNG [CHORD NAME [INSTRUMENT]]
// With a chord name, the name is typed and searched and the first diagram is clicked first; with an
// instrument ("ukulele"), that instrument is chosen before.

#include "app/main_window.h"
#include "toolkit/application.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
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
    if (argc >= 4 && !window.ChooseInstrument(argv[3])) {
        std::fprintf(stderr, "no instrument %s\n", argv[3]);
        return 2;
    }
    if (argc >= 3) {
        window.findChild<QLineEdit*>(QStringLiteral("EditAcorde"))->setText(QString::fromLocal8Bit(argv[2]));
        window.findChild<QAbstractButton*>(QStringLiteral("SpeedButton2"))->click();
        QWidget* sheet = window.findChild<QWidget*>(QStringLiteral("Image1"));
        const QPointF at(50, 60);
        QMouseEvent press(QEvent::MouseButtonPress, at, sheet->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QMouseEvent release(QEvent::MouseButtonRelease, at, sheet->mapToGlobal(at), Qt::LeftButton, {}, {});
        QApplication::sendEvent(sheet, &press);
        QApplication::sendEvent(sheet, &release);
    }
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
