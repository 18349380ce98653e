// A progression's choice on any instrument, and the fingering cost for any number of strings.
#include "guitar/instrument_progression.h"

#include <algorithm>
#include <cstdlib>

#include "guitar/easy_shapes.h"
#include "guitar/path_finder.h"
#include "guitar/progression_chords.h"
#include "guitar/tuning.h"

namespace corvane {

StringChart::Known StringChart::OutlineOf(const Frets& frets)
{
    // Five bits per string: 0 muted, 1 + the fret above the lowest sounding one (open counts as 0).
    Known known;
    known.lowest = kMuted;
    for (int value : frets)
        if (value != kMuted)
            known.lowest = std::min(known.lowest, std::abs(value));
    for (int s = 0; s < frets.count; ++s) {
        const std::uint64_t digit
            = frets[s] == kMuted ? 0 : static_cast<std::uint64_t>(std::min(std::abs(frets[s]) - known.lowest, 30) + 1);
        known.code |= digit << (5 * s);
    }
    known.code |= static_cast<std::uint64_t>(frets.count) << 60;
    return known;
}

namespace {
    // How many strings lie below the six-string guitar's in standard tuning, or -1 when the strings
    // do not end with those six.
    int StringsBelowStandardGuitar(const OpenStrings& strings)
    {
        const int below = strings.count - kStrings;
        if (below < 0)
            return -1;
        for (int s = 0; s < kStrings; ++s)
            if (strings[below + s] != kStandardOpenNotes[static_cast<size_t>(s)])
                return -1;
        return below;
    }
}

StringChart::StringChart(const StringSet& strings)
    : m_sixStringRules(strings.sixStringRules)
{
    const std::string_view easyShapes = strings.easyShapes;
    for (size_t at = 0; at < easyShapes.size();) {
        const size_t end = std::min(easyShapes.find(',', at), easyShapes.size());
        if (const auto shape = ReadFretsText(easyShapes.substr(at, end - at)))
            if (const Known known = OutlineOf(*shape); known.lowest != kMuted)
                m_known.push_back(known);
        at = end + 1;
    }
    if (const int below = StringsBelowStandardGuitar(strings.strings); below > 0) {
        for (const ChartShape& chart : kChartShapes) {
            Frets shape;
            shape.count = strings.strings.count;
            for (int s = 0; s < shape.count; ++s)
                shape[s] = s < below || chart.frets[static_cast<size_t>(s - below)] == 'x'
                    ? kMuted
                    : chart.frets[static_cast<size_t>(s - below)] - '0';
            Known known = OutlineOf(shape);
            known.movable = chart.movable;
            m_known.push_back(known);
        }
    }
    std::sort(m_known.begin(), m_known.end());
}

StringChart::Place StringChart::Find(const Frets& frets) const
{
    const Known outline = OutlineOf(frets);
    if (outline.lowest == kMuted)
        return Place::Off;
    const auto [from, to] = std::equal_range(m_known.begin(), m_known.end(), outline);
    Place place = Place::Off;
    for (auto k = from; k != to; ++k) {
        if (outline.lowest == k->lowest)
            return Place::Own;
        if (outline.lowest > k->lowest && k->movable)
            place = Place::Moved;
    }
    return place;
}

int StringFingeringCost(const Frets& v, const StringChart& chart, const CostWeights& w)
{
    Frets plain = v;
    int low = 0;
    int high = 0;
    for (int s = 0; s < v.count; ++s) {
        plain[s] = v[s] == kMuted ? kMuted : std::abs(v[s]);
        if (path_finder::Stopped(v[s])) {
            const int f = std::abs(v[s]);
            low = low == 0 ? f : std::min(low, f);
            high = std::max(high, f);
        }
    }
    const int fingers = CountStringFingers(plain, false);
    const bool barre = std::any_of(plain.begin(), plain.end(), [](int value) { return value < 0; })
        || std::any_of(v.begin(), v.end(), [](int value) { return value < 0; });
    int mutes = 0;
    for (int s = 0; s < v.count; ++s) {
        if (v[s] != kMuted)
            continue;
        const bool soundsBelow = std::any_of(v.begin(), v.begin() + s, [](int x) { return x != kMuted; });
        const bool soundsAbove = std::any_of(v.begin() + s + 1, v.end(), [](int x) { return x != kMuted; });
        mutes += soundsBelow && soundsAbove ? w.innerMute : soundsBelow ? w.trebleMute : w.bassMute;
    }
    const StringChart::Place place = chart.Find(v);
    int shape = place == StringChart::Place::Own ? 0 : place == StringChart::Place::Moved ? w.movedShape : w.offChart;
    if (low > 0)
        shape += w.height * (low - 1);
    if (low >= w.highPosition)
        shape += w.openUnderHand * static_cast<int>(std::count(v.begin(), v.end(), 0));
    return w.finger * fingers + w.spanFret * (high - low) * (high - low) + (barre ? w.barre : 0) + mutes + shape;
}

FingeringFeel StringFeelOf(const Frets& v, const StringChart& chart, const CostWeights& w)
{
    if (chart.SixStringRules())
        return FeelOf(VoicingOfFrets(v), w);
    FingeringFeel felt;
    int low = 0;
    Frets plain = v;
    for (int s = 0; s < v.count; ++s) {
        plain[s] = v[s] == kMuted ? kMuted : std::abs(v[s]);
        if (path_finder::Stopped(v[s]))
            low = low == 0 ? std::abs(v[s]) : std::min(low, std::abs(v[s]));
    }
    CountStringFingers(plain, false);
    const bool barred = std::any_of(plain.begin(), plain.end(), [](int value) { return value < 0; })
        || std::any_of(v.begin(), v.end(), [](int value) { return value < 0; });
    const StringChart::Place place = chart.Find(v);
    felt.offChart = place == StringChart::Place::Off;
    felt.barre = place == StringChart::Place::Moved || (felt.offChart && barred);
    felt.high = low >= w.highPosition;
    return felt;
}

int StringMoveCost(const Frets& a, const Frets& b, const CostWeights& w) { return path_finder::MoveBetween(a, b, w); }

namespace {
    // The six-string guitar's fingerings as its own cost reads them.
    std::vector<std::vector<Voicing>> VoicingLayers(const std::vector<std::vector<Frets>>& layers)
    {
        std::vector<std::vector<Voicing>> voicings(layers.size());
        for (size_t k = 0; k < layers.size(); ++k) {
            voicings[k].reserve(layers[k].size());
            for (const Frets& frets : layers[k])
                voicings[k].push_back(VoicingOfFrets(frets));
        }
        return voicings;
    }
}

Path ChooseStringsPath(
    const std::vector<std::vector<Frets>>& layers, const PathSettings& settings, const StringChart& chart)
{
    if (chart.SixStringRules())
        return ChoosePath(VoicingLayers(layers), settings);
    return path_finder::ChooseLayers<kMaxInstrumentStrings>(
        layers, settings, [&](const Frets& v) { return StringFingeringCost(v, chart, settings.weights); });
}

StringProgressionChoice ChooseInstrumentProgression(const std::vector<ProgressionEntry>& entries,
    const ProgressionOptions& options, const StringSet& strings, std::vector<int> pinned)
{
    const StringChart chart(strings);
    // A progression needs every chord: on every instrument, a chord too large for the strings is
    // played leaving tones out.
    StringSet leaving = strings;
    leaving.dropTones = true;
    const auto search = [&](const RefreshInput& input) {
        InstrumentRefreshResult found = ComputeInstrumentRefresh(input, leaving);
        return progression_chords::Found<InstrumentRecord> { std::move(found.records), std::move(found.error),
            std::move(found.emptyReason) };
    };
    return progression_chords::Choose<InstrumentRecord>(entries, options, std::move(pinned), search,
        [&](const std::vector<std::vector<Frets>>& layers, const PathSettings& settings) {
            return ChooseStringsPath(layers, settings, chart);
        });
}

StringCapoSuggestion SuggestInstrumentCapo(
    const std::vector<ProgressionEntry>& entries, const ProgressionOptions& options, const StringSet& strings)
{
    const int highest = strings.strings.count == 4 ? kSuggestedCapoHighestOnFour : kSuggestedCapoHighest;
    const StringChart chart(strings);
    return progression_chords::SuggestCapo<InstrumentRecord>(
        options, highest,
        [&](const ProgressionOptions& tried) { return ChooseInstrumentProgression(entries, tried, strings); },
        [&](const Frets& frets) { return StringFeelOf(frets, chart, options.weights); });
}

StringSongSheet SongSheetOf(const StringProgressionChoice& choice)
{
    StringSongSheet sheet;
    for (const StringChordChoice& chord : choice.chords) {
        if (const InstrumentRecord* chosen = chord.Chosen()) {
            sheet.diagrams.push_back(chosen->frets);
            sheet.names.push_back(chord.text);
        }
    }
    return sheet;
}

} // namespace corvane
