// Exporting the largest result sheet (4,252 diagrams: F# over G, intervals "00 04 07 08 01", G minor
// tuning, up to fret 24, without the fifth) to SVG and to PDF: time, file size and memory. The
// smaller sheets run first, so that the peak memory they leave shows whether the larger ones need
// more: a streamed export needs no more for more diagrams.

#include <benchmark/benchmark.h>

#include "bench/headless_main.h"

#include "drawing/svg_sheet.h"
#include "guitar/refresh.h"
#include "theory/interval_list.h"
#include "toolkit/chord_export.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <span>
#include <sys/resource.h>
#include <vector>

using namespace corvane;

namespace {

const std::vector<Frets>& LargestSheet()
{
    static const std::vector<Frets> diagrams = [] {
        SearchOptions options;
        options.tuning = { 7, 10, 2, 7, 10, 2 };
        options.fretLimit = 24;
        options.omit5 = true;
        const RefreshInput input = ChordInput("00 04 07 08 01", 6, 7, options);
        std::vector<Frets> all;
        for (const VoicingRecord& record : ComputeRefresh(input).records)
            all.push_back(FretsOfVoicing(record.frets));
        return all;
    }();
    return diagrams;
}

std::span<const Frets> FirstOf(benchmark::State& state)
{
    const auto& all = LargestSheet();
    return std::span<const Frets>(all).first(std::min(all.size(), static_cast<size_t>(state.range(0))));
}

double PeakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

const SheetHeading kHeading { "F#5+/9-/G", "G Minor Tuning (G Bb D G Bb D), 4252 diagrams" };

void Report(benchmark::State& state, std::size_t diagrams, double bytes, double peakBefore)
{
    state.counters["diagrams"] = static_cast<double>(diagrams);
    state.counters["file_kB"] = bytes / 1024.0;
    state.counters["peak_MB"] = PeakMegabytes();
    state.counters["peak_growth_MB"] = PeakMegabytes() - peakBefore;
}

void SheetToSvg(benchmark::State& state)
{
    const auto diagrams = FirstOf(state);
    const std::string path = QDir::tempPath().toStdString() + "/corvane_export_bench.svg";
    const double peakBefore = PeakMegabytes();
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        WriteSvgSheet(out, diagrams, kHeading, export_sheet::kDefaultColumns, false);
    }
    Report(state, diagrams.size(), static_cast<double>(QFile(QString::fromStdString(path)).size()), peakBefore);
    std::remove(path.c_str());
}

void SheetToPdf(benchmark::State& state)
{
    const auto diagrams = FirstOf(state);
    const QString path = QDir::tempPath() + QStringLiteral("/corvane_export_bench.pdf");
    const double peakBefore = PeakMegabytes();
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        WritePdfSheet(file, diagrams, kHeading, false);
    }
    Report(state, diagrams.size(), static_cast<double>(QFile(path).size()), peakBefore);
    QFile::remove(path);
}

} // namespace

BENCHMARK(SheetToSvg)->Arg(200)->Arg(1063)->Arg(4252)->Unit(benchmark::kMillisecond);
BENCHMARK(SheetToPdf)->Arg(200)->Arg(1063)->Arg(4252)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return RunHeadlessBenchmarks<QGuiApplication>(argc, argv); }
