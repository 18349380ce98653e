// The engine's part of a refresh: search, promotion, sort and names, single-threaded.

#include <benchmark/benchmark.h>

#include "guitar/identify.h"
#include "guitar/refresh.h"
#include "theory/interval_list.h"

using namespace corvane;

namespace {

RefreshInput MakeInput(const char* intervals, int root, int bass, SearchOptions options)
{
    return ChordInput(intervals, root, bass, options);
}

void Run(benchmark::State& state, const RefreshInput& input)
{
    size_t count = 0;
    for (auto _ : state) {
        RefreshResult result = ComputeRefresh(input);
        count = result.records.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["records"] = static_cast<double>(count);
}

void CMajorDefaults(benchmark::State& state) { Run(state, MakeInput("00 04 07", 0, 0, {})); }

// The largest result known: F# with a G bass, in G minor tuning, up to fret 24, without the fifth.
void LargestCase(benchmark::State& state)
{
    SearchOptions options;
    options.tuning = { 7, 10, 2, 7, 10, 2 };
    options.fretLimit = 24;
    options.omit5 = true;
    Run(state, MakeInput("00 04 07 08 01", 6, 7, options));
}

// Naming six frets, as every click on the neck does.
void RunIdentify(benchmark::State& state, const Fingering& fingering)
{
    const auto names = GridNames(Spelling::Sharp);
    size_t count = 0;
    for (auto _ : state) {
        Identification id = Identify(fingering, kStandardTuning, 0, names);
        count = id.names.size();
        benchmark::DoNotOptimize(id);
    }
    state.counters["names"] = static_cast<double>(count);
}

void IdentifyOpenC(benchmark::State& state) { RunIdentify(state, { -1, 3, 2, 0, 1, 0 }); }

// Six different notes: the most candidate roots a hand can give the naming.
void IdentifySixNotes(benchmark::State& state) { RunIdentify(state, { 0, 1, 3, 1, 3, 3 }); }

} // namespace

BENCHMARK(IdentifyOpenC)->Unit(benchmark::kMicrosecond);
BENCHMARK(IdentifySixNotes)->Unit(benchmark::kMicrosecond);
BENCHMARK(CMajorDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK(LargestCase)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
