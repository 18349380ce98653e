// Choosing the fingerings of a 32-chord progression of the heaviest chord known (over 4,000 results),
// of a 32-chord ukulele progression and of a 64-chord mandolin song with its capo.

#include <benchmark/benchmark.h>

#include "guitar/instrument_progression.h"
#include "guitar/progression.h"
#include "guitar/refresh.h"

using namespace corvane;

namespace {

constexpr int kChords = 32;

// F# with a G bass in G minor tuning, up to fret 24, without the fifth: 4252 results.
ProgressionOptions HeavyOptions()
{
    ProgressionOptions options;
    options.search.tuning = { 7, 10, 2, 7, 10, 2 };
    options.search.fretLimit = 24;
    options.search.omit5 = true;
    return options;
}

std::vector<ProgressionEntry> HeavyProgression()
{
    return std::vector<ProgressionEntry>(kChords, ProgressionEntry { "F#6-/9-/G", 4, 1 });
}

// Reading, one search (the chord repeats) and the choice.
void WholeProgression(benchmark::State& state)
{
    const auto entries = HeavyProgression();
    const ProgressionOptions options = HeavyOptions();
    size_t results = 0;
    for (auto _ : state) {
        ProgressionChoice choice = ChooseProgression(entries, options);
        results = choice.chords.front().results.size();
        benchmark::DoNotOptimize(choice);
    }
    state.counters["results per chord"] = static_cast<double>(results);
}

// The choice alone, with every layer moved up the neck 0 to 4 frets from the first (open strings
// become stopped ones), so that no two neighbours are alike. The heavy chord's own list holds all
// six open strings, which costs nothing and makes the unshifted path trivial.
std::vector<std::vector<Voicing>> ShiftedLayers()
{
    const ProgressionChoice one = ChooseProgression({ HeavyProgression().front() }, HeavyOptions());
    std::vector<std::vector<Voicing>> layers(kChords);
    for (int k = 0; k < kChords; ++k) {
        const int shift = k % 5;
        for (const VoicingRecord& record : one.chords.front().results) {
            Voicing v = record.frets;
            for (int& value : v)
                if (value != kMuted)
                    value += value < 0 ? -shift : shift;
            layers[static_cast<size_t>(k)].push_back(v);
        }
    }
    return layers;
}

void ChoiceOnly(benchmark::State& state, bool loop)
{
    const auto layers = ShiftedLayers();
    PathSettings settings;
    settings.loop = loop;
    long long total = 0;
    for (auto _ : state) {
        Path path = ChoosePath(layers, settings);
        total = path.total;
        benchmark::DoNotOptimize(path);
    }
    state.counters["results per chord"] = static_cast<double>(layers.front().size());
    state.counters["total cost"] = static_cast<double>(total);
}

// A 64-chord song in B flat with the capo suggested: eight capos, each searched and chosen.
void SuggestCapoSong(benchmark::State& state)
{
    const auto entries = ParseProgression("| Bb Gm | Eb F | Cm F7 | Bb Eb | x8").entries;
    int capo = 0;
    for (auto _ : state) {
        CapoSuggestion suggestion = SuggestCapo(entries, {});
        capo = suggestion.capo;
        benchmark::DoNotOptimize(suggestion);
    }
    state.counters["chords"] = static_cast<double>(entries.size());
    state.counters["capo"] = capo;
}

StringSet InstrumentStrings(std::string_view name)
{
    const Instrument& instrument = *FindInstrument(name);
    return StringSetOf(instrument, instrument.tunings.front().strings);
}

// A 32-chord ukulele progression of 16 different chords, sevenths and slash chords among them: read,
// searched and chosen.
void UkuleleProgression(benchmark::State& state)
{
    const auto entries
        = ParseProgression("| C Am7 Dm7 G7 | Em A7 Dm G/B | F Fm C/E Ebdim7 | Dm7 G7sus4 G7 C | x2").entries;
    const StringSet strings = InstrumentStrings("ukulele");
    long long total = 0;
    for (auto _ : state) {
        StringProgressionChoice choice = ChooseInstrumentProgression(entries, {}, strings);
        total = choice.total;
        benchmark::DoNotOptimize(choice);
    }
    state.counters["chords"] = static_cast<double>(entries.size());
    state.counters["total cost"] = static_cast<double>(total);
}

// The 64-chord song in B flat on the mandolin, with its capo suggested (six capos tried).
void MandolinSongCapo(benchmark::State& state)
{
    const auto entries = ParseProgression("| Bb Gm | Eb F | Cm F7 | Bb Eb | x8").entries;
    const StringSet strings = InstrumentStrings("mandolin");
    int capo = 0;
    for (auto _ : state) {
        StringCapoSuggestion suggestion = SuggestInstrumentCapo(entries, {}, strings);
        capo = suggestion.capo;
        benchmark::DoNotOptimize(suggestion);
    }
    state.counters["chords"] = static_cast<double>(entries.size());
    state.counters["capo"] = capo;
}

void ChoiceOnlyShifted(benchmark::State& state) { ChoiceOnly(state, false); }
void ChoiceOnlyShiftedLoop(benchmark::State& state) { ChoiceOnly(state, true); }

} // namespace

BENCHMARK(WholeProgression)->Unit(benchmark::kMillisecond);
BENCHMARK(ChoiceOnlyShifted)->Unit(benchmark::kMillisecond);
BENCHMARK(ChoiceOnlyShiftedLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(SuggestCapoSong)->Unit(benchmark::kMillisecond);
BENCHMARK(UkuleleProgression)->Unit(benchmark::kMillisecond);
BENCHMARK(MandolinSongCapo)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
