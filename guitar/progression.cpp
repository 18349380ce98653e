// The six-string guitar's fingering cost and progression choice.
#include "guitar/progression.h"

#include <algorithm>
#include <cstdlib>

#include "guitar/easy_shapes.h"
#include "guitar/path_finder.h"
#include "guitar/progression_chords.h"
#include "guitar/refresh.h"

namespace corvane {

namespace {
    using path_finder::Stopped;
} // namespace

int FingeringCost(const Voicing& v, const CostWeights& w)
{
    Voicing plain;
    int low = 0;
    int high = 0;
    for (size_t s = 0; s < kStrings; ++s) {
        plain[s] = v[s] == kMuted ? kMuted : std::abs(v[s]);
        if (Stopped(v[s])) {
            const int f = std::abs(v[s]);
            low = low == 0 ? f : std::min(low, f);
            high = std::max(high, f);
        }
    }
    const int fingers = CountFingers(plain, false);
    const bool barre = std::any_of(plain.begin(), plain.end(), [](int value) { return value < 0; })
        || std::any_of(v.begin(), v.end(), [](int value) { return value < 0; });
    int mutes = 0;
    for (int s = 0; s < kStrings; ++s) {
        if (v[static_cast<size_t>(s)] != kMuted)
            continue;
        const bool soundsBelow = std::any_of(v.begin(), v.begin() + s, [](int x) { return x != kMuted; });
        const bool soundsAbove = std::any_of(v.begin() + s + 1, v.end(), [](int x) { return x != kMuted; });
        mutes += soundsBelow && soundsAbove ? w.innerMute : soundsBelow ? w.trebleMute : w.bassMute;
    }
    int shape = IsChartShape(v) ? 0 : w.offChart;
    if (low > 0)
        shape += w.height * (low - 1);
    if (low >= w.highPosition)
        shape += w.openUnderHand * static_cast<int>(std::count(v.begin(), v.end(), 0));
    return w.finger * fingers + w.spanFret * (high - low) * (high - low) + (barre ? w.barre : 0) + mutes + shape;
}

FingeringFeel FeelOf(const Voicing& v, const CostWeights& w)
{
    FingeringFeel felt;
    const ChartPlace place = ChartPlaceOf(v);
    int low = 0;
    for (int value : v)
        if (Stopped(value))
            low = low == 0 ? std::abs(value) : std::min(low, std::abs(value));
    Voicing plain = v;
    for (int& value : plain)
        value = value == kMuted ? kMuted : std::abs(value);
    CountFingers(plain, false);
    const bool barred = std::any_of(plain.begin(), plain.end(), [](int value) { return value < 0; })
        || std::any_of(v.begin(), v.end(), [](int value) { return value < 0; });
    felt.offChart = place == ChartPlace::Off;
    felt.barre = place == ChartPlace::Moved || (felt.offChart && barred);
    felt.high = low >= w.highPosition;
    return felt;
}

int MoveCost(const Voicing& a, const Voicing& b, const CostWeights& w) { return path_finder::MoveBetween(a, b, w); }

Path ChoosePath(const std::vector<std::vector<Voicing>>& layers, const PathSettings& settings)
{
    return path_finder::ChooseLayers<kStrings>(
        layers, settings, [&](const Voicing& v) { return FingeringCost(v, settings.weights); });
}

ProgressionChoice ChooseProgression(
    const std::vector<ProgressionEntry>& entries, const ProgressionOptions& options, std::vector<int> pinned)
{
    const auto search = [](const RefreshInput& input) {
        RefreshResult found = ComputeRefresh(input);
        return progression_chords::Found<VoicingRecord> { std::move(found.records), std::move(found.error), {} };
    };
    return progression_chords::Choose<VoicingRecord>(entries, options, std::move(pinned), search,
        [](const std::vector<std::vector<Voicing>>& layers, const PathSettings& settings) {
            return ChoosePath(layers, settings);
        });
}

CapoSuggestion SuggestCapo(const std::vector<ProgressionEntry>& entries, const ProgressionOptions& options)
{
    return progression_chords::SuggestCapo<VoicingRecord>(
        options, kSuggestedCapoHighest,
        [&](const ProgressionOptions& tried) { return ChooseProgression(entries, tried); },
        [&](const Voicing& v) { return FeelOf(v, options.weights); });
}

SongSheet SongSheetOf(const ProgressionChoice& choice)
{
    SongSheet sheet;
    for (const ChordChoice& chord : choice.chords) {
        if (const VoicingRecord* chosen = chord.Chosen()) {
            sheet.diagrams.push_back(chosen->frets);
            sheet.names.push_back(chord.text);
        }
    }
    return sheet;
}

} // namespace corvane
