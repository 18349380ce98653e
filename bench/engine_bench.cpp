// The engine's part of a refresh: search, promotion, sort and names, single-threaded.

#include <benchmark/benchmark.h>

#include "guitar/refresh.h"
#include "theory/interval_list.h"

using namespace corvane;

namespace {

RefreshInput MakeInput(const char* intervals, int root, int bass, SearchOptions options)
{
    SelectionState s = StartupSelection();
    s.chordIntervals = intervals;
    s.rootIndex = root;
    s.bassIndex = bass;
    return FromSelection(s, options);
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

} // namespace

BENCHMARK(CMajorDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK(LargestCase)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
