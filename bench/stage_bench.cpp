// The stage view's frames: a song of 300 lyric lines with 24 chords scrolling by itself full size
// (1920 x 1080), each frame painted as the timer would; prints the mean and the slowest frame. With
// a file name, also saves one frame as PNG.

#include "bench/long_song.h"
#include "song/chordpro_reader.h"
#include "windows/stage_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace corvane;

namespace {

std::string LongSong() { return bench::LongSongText("{title: A Long Road Home}\n{key: C}\n{duration: 4:00}\n"); }

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const ShownSong shown = ShowSong(ReadChordPro(LongSong()));
    TFormStage stage;
    stage.SetSongs({ StageSongOf(shown, SongSheetOf(shown, ChooseInstrumentSongFingerings(shown, GuitarStrings()))) });
    stage.ShowStage(QSize(1920, 1080));
    QImage frame(stage.size(), QImage::Format_ARGB32_Premultiplied);
    stage.Advance(0);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(&stage, &space);
    // The first frame draws the strip's pictures and fills the font caches; it is told apart.
    QElapsedTimer first;
    first.start();
    stage.render(&frame);
    const double firstMs = static_cast<double>(first.nsecsElapsed()) / 1e6;
    constexpr int kFrames = 600;
    std::vector<double> times;
    for (int i = 0; i < kFrames; ++i) {
        QElapsedTimer clock;
        clock.start();
        stage.Advance(1.0 / 60);
        stage.render(&frame);
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    double total = 0;
    for (double ms : times)
        total += ms;
    std::sort(times.begin(), times.end());
    std::printf("stage view, 300 lines at 1920 x 1080, %d px type: first frame %.1f ms; then %d frames, mean %.2f ms, "
                "99%% under %.2f ms, slowest %.2f ms; scrolled to %.0f of %d px\n",
        stage.lyricPixels(), firstMs, kFrames, total / kFrames, times[kFrames * 99 / 100], times.back(),
        stage.scroll().offset(), stage.scroll().MaxOffset());
    if (argc > 1) {
        stage.SetDark(argc > 2);
        stage.render(&frame);
        frame.save(QString::fromLocal8Bit(argv[1]));
    }
    return 0;
}
