#pragma once
// The progression's choice on any instrument (guitar/instrument_search.h): the same reading, the same
// path and the same moves as on the six-string guitar (guitar/progression.h), which keeps its own
// cost and results. Only a fingering's own cost is said again for N strings; each rule is one
// sentence here, the weights are CostWeights':
//
//  1. Fingers: every finger the fingering needs, counted as the instrument's search counts them
//     (CountStringFingers, a barre as one finger), costs `finger`.
//  2. Span: the stretch from the lowest to the highest stopped fret costs `spanFret` times its square.
//  3. Barre: a fingering the count gives a barre pays `barre` on top of its finger.
//  4. Muted strings: below the lowest sounding string across the neck `bassMute`, above the highest
//     `trebleMute`, between two sounding strings `innerMute`: the strum has to avoid them all the same
//     on four strings as on six.
//  5. The chart: the instrument's easy shapes (Instrument::easyShapes: the ukulele's 0003, 2000, 2010,
//     0232, ...) play the part of the six-string chart shapes, and every one of them is movable: the
//     same shape moved up the neck, its open strings stopped by a barre or one finger (2100 moved up
//     one fret is 3211, the B flat every ukulele player knows), is on the chart too. Any other
//     fingering costs `offChart`, and a shape moved up pays `movedShape` more than the shape
//     in its own place. Strings of one's own, with no easy shapes, pay `offChart` for every
//     fingering alike, so it does not change their choice. Strings that are the six-string guitar's
//     in standard tuning with more strings below (the 7-string guitar) also take the six-string chart
//     (guitar/easy_shapes.h) on those six strings, the strings below muted, each shape movable as
//     it is there.
//  6. Height: the hand's position (its lowest stopped fret) costs `height` per fret above the first,
//     and from `highPosition` on every open string ringing under it costs `openUnderHand`.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "guitar/frets.h"
#include "guitar/instrument_search.h"
#include "guitar/progression.h"

namespace corvane {

// Rule 5: an instrument's chart, read once, and whether a fingering is on it in its own place or moved
// up the neck (whatever its barre marks).
class StringChart {
public:
    explicit StringChart(const StringSet& strings);
    enum class Place { Off, Own, Moved };
    // Off the chart, a shape in its own place, or one moved up the neck.
    Place Find(const Frets& frets) const;
    // The strings take the six-string guitar's own cost (StringSet::sixStringRules).
    bool SixStringRules() const { return m_sixStringRules; }

private:
    struct Known {
        std::uint64_t code = 0;
        int lowest = 0;
        bool movable = true;
        bool operator<(const Known& other) const { return code < other.code; }
    };
    static Known OutlineOf(const Frets& frets);
    std::vector<Known> m_known; // sorted by code
    bool m_sixStringRules = false;
};

// Rules 1 to 6.
int StringFingeringCost(const Frets& frets, const StringChart& chart, const CostWeights& w = kCostWeights);

// FeelOf on N strings: a shape of the chart moved up the neck is a barre chord, as on six strings.
FingeringFeel StringFeelOf(const Frets& frets, const StringChart& chart, const CostWeights& w = kCostWeights);

// The move from a to b, as MoveCost on six strings.
int StringMoveCost(const Frets& a, const Frets& b, const CostWeights& w = kCostWeights);

// The path through layers of N-string fingerings (ChoosePath's DP), each costing StringFingeringCost,
// or on the six-string guitar's own rules, FingeringCost: ChoosePath itself.
Path ChooseStringsPath(
    const std::vector<std::vector<Frets>>& layers, const PathSettings& settings, const StringChart& chart);

using StringChordChoice = ChordChoiceOf<InstrumentRecord>;
using StringProgressionChoice = ProgressionChoiceOf<InstrumentRecord>;
using StringCapoSuggestion = CapoSuggestionOf<InstrumentRecord>;

// ChooseProgression on the strings of `strings` (options.search.tuning is not read): every chord's
// result list is ComputeInstrumentRefresh's, and the path is ChooseStringsPath's. Every caller's way to
// a progression's fingerings.
StringProgressionChoice ChooseInstrumentProgression(const std::vector<ProgressionEntry>& entries,
    const ProgressionOptions& options, const StringSet& strings, std::vector<int> pinned = {});

// The four-string instruments' necks are short, and a capo above the 5th fret leaves a thin, high
// sound with cramped frets: their suggestion stops there.
constexpr int kSuggestedCapoHighestOnFour = 5;

// SuggestCapo on those strings (from 0 to kSuggestedCapoHighest, on four strings to
// kSuggestedCapoHighestOnFour): a ukulele player capos too.
StringCapoSuggestion SuggestInstrumentCapo(
    const std::vector<ProgressionEntry>& entries, const ProgressionOptions& options, const StringSet& strings);

// The chords that have a fingering, in order, with their names as written.
struct StringSongSheet {
    std::vector<Frets> diagrams;
    std::vector<std::string> names;
};
StringSongSheet SongSheetOf(const StringProgressionChoice& choice);

} // namespace corvane
