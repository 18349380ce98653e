// The engine's part of a refresh: search, promotion, sort and names, single-threaded.

#include <benchmark/benchmark.h>

#include "guitar/identify.h"
#include "guitar/instrument_search.h"
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

// The refresh of `intervals` on the instrument's first tuning, up to fret 24, the most any option allows.
void RunOnInstrument(benchmark::State& state, const char* name, const char* intervals, int root, int bass,
    bool omit5 = false, bool dropTones = false)
{
    const Instrument& instrument = *FindInstrument(name);
    SearchOptions options;
    options.fretLimit = 24;
    options.omit5 = omit5;
    const RefreshInput input = MakeInput(intervals, root, bass, options);
    StringSet strings = StringSetOf(instrument, instrument.tunings.front().strings);
    strings.dropTones = dropTones;
    size_t count = 0;
    for (auto _ : state) {
        InstrumentRefreshResult result = ComputeInstrumentRefresh(input, strings);
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

// Each other instrument's largest case: the six-string guitar's largest chord (its bass, no fifth).
void InstrumentLargestCase(benchmark::State& state, const char* name)
{
    RunOnInstrument(state, name, "00 04 07 08 01", 6, 7, true);
}

// A plain triad: on four strings the free inversions make it the larger case.
void InstrumentTriadTo24(benchmark::State& state, const char* name) { RunOnInstrument(state, name, "00 04 07", 0, 0); }

// The largest case of leaving tones out, as a progression asks: the 13th chord with its 9th (six
// tones), whose four-string voicings leave out two of the fifth, the root and the 9th; on six strings
// and more it fits, and the strings' own search runs.
void InstrumentLeavingOut(benchmark::State& state, const char* name)
{
    RunOnInstrument(state, name, "00 04 07 10 02 09", 0, 0, false, true);
}

} // namespace

BENCHMARK_CAPTURE(InstrumentLeavingOut, guitar, "guitar")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentLeavingOut, seven_string, "7-string guitar")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentLeavingOut, ukulele, "ukulele")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentLeavingOut, baritone_ukulele, "baritone ukulele")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentLeavingOut, tenor_guitar, "tenor guitar")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentLeavingOut, mandolin, "mandolin")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentLargestCase, seven_string, "7-string guitar")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentLargestCase, ukulele, "ukulele")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentLargestCase, baritone_ukulele, "baritone ukulele")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentLargestCase, tenor_guitar, "tenor guitar")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentLargestCase, mandolin, "mandolin")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentTriadTo24, seven_string, "7-string guitar")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentTriadTo24, ukulele, "ukulele")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentTriadTo24, baritone_ukulele, "baritone ukulele")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentTriadTo24, tenor_guitar, "tenor guitar")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(InstrumentTriadTo24, mandolin, "mandolin")->Unit(benchmark::kMicrosecond);
BENCHMARK(IdentifyOpenC)->Unit(benchmark::kMicrosecond);
BENCHMARK(IdentifySixNotes)->Unit(benchmark::kMicrosecond);
BENCHMARK(CMajorDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK(LargestCase)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
