// A song of 300 lyric lines with 24 different chords: opened (read, shown, its fingerings chosen and
// laid out for the sheet; on the six-string guitar and on the mandolin), opened in the song window and painted there,
// and written as a PDF song sheet.

#include "bench/headless_main.h"
#include "bench/long_song.h"
#include <benchmark/benchmark.h>

#include "song/chordpro_reader.h"
#include "song/song_fingerings.h"
#include "song/song_sheet.h"
#include "song/song_view.h"
#include "toolkit/song_export.h"
#include "windows/song_window.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <string>

using namespace corvane;

namespace {

const std::string& LongSong()
{
    static const std::string text
        = bench::LongSongText("{title: A Long Road Home}\n{subtitle: three hundred lines}\n{key: C}\n");
    return text;
}

SongSheetContent Open()
{
    const SongReading reading = ReadSongBytes(LongSong());
    const ShownSong shown = ShowSong(reading.song);
    return SongSheetOf(shown, ChooseInstrumentSongFingerings(shown, GuitarStrings()));
}

void SongOpen300Lines(benchmark::State& state)
{
    std::size_t blocks = 0;
    for (auto _ : state) {
        const SongSheetContent sheet = Open();
        blocks = sheet.blocks.size();
        benchmark::DoNotOptimize(sheet);
    }
    state.counters["blocks"] = static_cast<double>(blocks);
}
BENCHMARK(SongOpen300Lines)->Unit(benchmark::kMillisecond);

// The same song opened for the mandolin: 1,200 chords played, chosen on its four strings.
void SongOpen300LinesMandolin(benchmark::State& state)
{
    const Instrument& mandolin = *FindInstrument("mandolin");
    const StringSet strings = StringSetOf(mandolin, mandolin.tunings.front().strings);
    std::size_t diagrams = 0;
    for (auto _ : state) {
        const SongReading reading = ReadSongBytes(LongSong(), strings.strings.count);
        const ShownSong shown = ShowSong(reading.song);
        const SongSheetContent sheet = SongSheetOf(shown, ChooseInstrumentSongFingerings(shown, strings));
        diagrams = sheet.diagrams.size();
        benchmark::DoNotOptimize(sheet);
    }
    state.counters["diagrams"] = static_cast<double>(diagrams);
}
BENCHMARK(SongOpen300LinesMandolin)->Unit(benchmark::kMillisecond);

// From the file to the window painted: read, shown, fingerings chosen, the strip's diagrams and the
// words set, and one paint of the window.
void SongWindowOpen300Lines(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("long.cho"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(LongSong().data(), static_cast<qint64>(LongSong().size()))
            != static_cast<qint64>(LongSong().size())) {
        state.SkipWithError("the song file could not be written");
        return;
    }
    file.close();
    TFormSong window { SongHost {} };
    window.resize(1000, 800);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.OpenFile(path);
        window.repaint();
        QApplication::processEvents();
    }
    state.counters["chords"] = static_cast<double>(window.strip().size());
}
BENCHMARK(SongWindowOpen300Lines)->Unit(benchmark::kMillisecond);

void SongPdf300Lines(benchmark::State& state)
{
    const SongSheetContent sheet = Open();
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        WriteSongPdf(buffer, sheet);
        bytes = buffer.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(SongPdf300Lines)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return RunHeadlessBenchmarks<QApplication>(argc, argv); }
