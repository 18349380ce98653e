#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "guitar/instrument_search.h"
#include "guitar/voicing_search.h"
#include "tests/core/fret_walk.h"
#include "tests/core/shapes_players_know.h"
#include "theory/interval_list.h"

using namespace corvane;
using corvane::testing::KnownShape;
using corvane::testing::kShapesPlayersKnow;

namespace {

const Instrument& Named(std::string_view name) { return *FindInstrument(name); }

InstrumentRefreshResult Search(const Instrument& instrument, const char* intervals, int root, int bass,
    SearchOptions options = {}, const OpenStrings* strings = nullptr)
{
    return ComputeInstrumentRefresh(ChordInput(intervals, root, bass, options),
        StringSetOf(instrument, strings ? *strings : instrument.tunings.front().strings));
}

bool Has(const InstrumentRefreshResult& result, std::string_view text)
{
    return std::any_of(result.records.begin(), result.records.end(),
        [&](const InstrumentRecord& record) { return record.VoicingPart() == text; });
}

// The documented rules, said again as plainly as possible, over every fingering within the Distance.
std::set<std::string> BruteForce(
    const ChordToSearch& chord, const SearchOptions& options, const StringSet& set, std::vector<int> tones)
{
    const int n = set.strings.count;
    unsigned toneMask = 0;
    for (int t : tones)
        toneMask |= 1u << t;
    const bool freeBass = set.freeInversions && chord.bassIndex == chord.rootIndex;
    const int topFret = options.fretLimit + 4;
    std::set<std::string> found;
    corvane::testing::ForEachFrets(n, topFret, options.span, [&](const Frets& f) {
        int sounding = 0;
        unsigned heard = 0;
        int lowest = 1000, bassString = -1, highestFret = 0;
        for (int t = 0; t < n; ++t) {
            if (f[t] == kMuted) {
                if (options.easy && t >= n - 4)
                    return;
                continue;
            }
            if (f[t] + options.capo > set.lastFret)
                return;
            const int pitch = set.strings[t] + options.capo + f[t];
            ++sounding;
            heard |= 1u << pitch % 12;
            if (pitch < lowest) {
                lowest = pitch;
                bassString = t;
            }
            highestFret = std::max(highestFret, f[t]);
        }
        if (sounding < std::max(3, n - 2) || (heard & toneMask) != toneMask)
            return;
        if (!freeBass && lowest % 12 != chord.bassIndex)
            return;
        for (int t = 0; t < n; ++t) {
            if (f[t] == kMuted)
                continue;
            const int pitch = set.strings[t] + options.capo + f[t];
            const bool isTone = (toneMask >> pitch % 12 & 1u) != 0;
            if (!isTone && !(pitch == lowest && !freeBass))
                return;
        }
        if (f[bassString] >= options.fretLimit || (f[bassString] == 0 && highestFret >= options.fretLimit))
            return;
        Frets marked = f;
        if (CountStringFingers(marked, options.noBarre) > 4)
            return;
        int minFret = 100, top = 0;
        for (int value : marked) {
            if (value == kMuted)
                continue;
            if (value != 0)
                minFret = std::min(minFret, std::abs(value));
            top = std::max(top, value);
        }
        InstrumentRecord record;
        record.key = ((top <= 5 ? 1 : minFret) + 10) * 10000 + StringShapeClass(marked) * 100 + top + 10;
        record.frets = marked;
        found.insert(record.Text());
    });
    return found;
}

} // namespace

// The generalised finger count and shape class are the six-string ones on six strings.
TEST(InstrumentSearch, SixStringRulesAgree)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> fret(-2, 8);
    for (int i = 0; i < 20000; ++i) {
        Voicing v {};
        for (int& value : v)
            value = fret(rng) < 0 ? kMuted : std::uniform_int_distribution<int>(0, 8)(rng);
        const bool noBarre = i % 3 == 0;
        Voicing six = v;
        Frets any = FretsOfVoicing(v);
        ASSERT_EQ(CountStringFingers(any, noBarre), CountFingers(six, noBarre)) << VoicingText(v);
        ASSERT_EQ(FretsText(any), VoicingText(six));
        ASSERT_EQ(StringShapeClass(any), ShapeClass(six));
    }
}

TEST(InstrumentSearch, SameSetAsBruteForce)
{
    std::mt19937 rng(22);
    const char* chords[] = { "00 04 07", "00 03 07", "00 04 07 10", "00 05 07", "00 03 06 09", "00 04 08" };
    std::vector<std::pair<StringSet, int>> sets; // and the cases to run on it
    for (const Instrument& instrument : Instruments())
        for (const InstrumentTuning& tuning : instrument.tunings)
            sets.push_back({ StringSetOf(instrument, tuning.strings), instrument.Strings() >= 7 ? 4 : 10 });
    // Typed tunings of five and eight strings, one of them re-entrant.
    sets.push_back({ { MakeOpenStrings({ 62, 45, 50, 55, 59 }), 20, {}, false }, 6 });
    sets.push_back({ { MakeOpenStrings({ 30, 35, 40, 45, 50, 55, 59, 64 }), 24, {}, false }, 2 });
    size_t total = 0;
    for (const auto& [set, cases] : sets) {
        for (int c = 0; c < cases; ++c) {
            SearchOptions options;
            options.fretLimit = 6;
            options.span = set.strings.count >= 7 ? std::uniform_int_distribution<int>(2, 3)(rng)
                                                  : std::uniform_int_distribution<int>(2, 5)(rng);
            options.omit3 = rng() % 5 == 0;
            options.omit5 = rng() % 5 == 0;
            options.noBarre = rng() % 4 == 0;
            options.easy = rng() % 4 == 0;
            options.capo = rng() % 4 == 0 ? 2 : 0;
            const int root = static_cast<int>(rng() % 12);
            const int bass = rng() % 3 == 0 ? static_cast<int>(rng() % 12) : root;
            const RefreshInput input = ChordInput(chords[rng() % std::size(chords)], root, bass, options);
            ChordToSearch chord;
            chord.rootIndex = input.rootIndex;
            chord.bassIndex = input.bassIndex;
            chord.chordTones = input.chordTones;
            const InstrumentSearchResult result = SearchInstrumentVoicings(chord, options, set);
            std::set<std::string> searched;
            for (const InstrumentRecord& record : result.records)
                ASSERT_TRUE(searched.insert(record.Text()).second) << "twice: " << record.Text();
            const auto expected = BruteForce(chord, options, set, result.chordTones);
            SCOPED_TRACE(OpenStringsText(set.strings) + " case " + std::to_string(c));
            ASSERT_EQ(searched, expected);
            total += searched.size();
        }
    }
    EXPECT_GT(total, 500u);
}

// Shapes players know, from chord charts: each is among the results of its chord.
TEST(InstrumentSearch, ShapesPlayersKnow)
{
    std::map<std::string, int> perInstrument;
    for (const KnownShape& row : kShapesPlayersKnow) {
        SCOPED_TRACE(std::string(row.instrument) + " " + row.name + " " + row.shape);
        const InstrumentRefreshResult result = Search(Named(row.instrument), row.intervals, row.root, row.root);
        EXPECT_TRUE(Has(result, row.shape));
        ++perInstrument[row.instrument];
    }
    EXPECT_GE(perInstrument["ukulele"], 40);
    EXPECT_GE(perInstrument["mandolin"], 10);
    EXPECT_GE(perInstrument["baritone ukulele"], 10);
}

TEST(InstrumentSearch, EasyShapeFirstAndRecordForm)
{
    struct Row {
        const char* instrument;
        int root;
        const char* intervals;
        const char* first;
    };
    const Row rows[] = {
        { "ukulele", 0, "00 04 07", "000000 0 0 0 3 " },
        { "ukulele", 9, "00 03 07", "000000 2 0 0 0 " },
        { "ukulele", 5, "00 04 07", "000000 2 0 1 0 " },
        { "ukulele", 7, "00 04 07", "000000 0 2 3 2 " },
        { "mandolin", 7, "00 04 07", "000000 0 0 2 3 " },
        { "baritone ukulele", 0, "00 04 07", "000000 2 0 1 0 " },
        { "7-string guitar", 5, "00 04 07", "000000 99 -1 3 3 2 1 1 " },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.instrument) + " " + row.first);
        const InstrumentRefreshResult result = Search(Named(row.instrument), row.intervals, row.root, row.root);
        ASSERT_FALSE(result.records.empty());
        EXPECT_EQ(result.records.front().Text(), row.first);
        EXPECT_TRUE(std::is_sorted(result.records.begin(), result.records.end(),
            [](const InstrumentRecord& a, const InstrumentRecord& b) { return a.Text() < b.Text(); }));
    }
    // A chosen bass is the lowest sounding pitch: C over E on the ukulele never sounds the C string open.
    const InstrumentRefreshResult overE = Search(Named("ukulele"), "00 04 07", 0, 4);
    ASSERT_FALSE(overE.records.empty());
    EXPECT_FALSE(Has(overE, "0 0 0 3 "));
    // The low-G ukulele's open G is the lowest note, the C string above it.
    const OpenStrings lowG = Named("ukulele").tunings[1].strings;
    EXPECT_TRUE(Has(Search(Named("ukulele"), "00 04 07", 7, 7, {}, &lowG), "0 2 3 2 "));
    // Five strings and more keep the root lowest, as the six-string guitar does.
    EXPECT_FALSE(Has(Search(Named("7-string guitar"), "00 04 07", 0, 0), "99 99 0 3 2 0 1 "));
}

TEST(InstrumentSearch, Refusals)
{
    SearchOptions options;
    const RefreshInput tooMany = ChordInput("00 02 04 05 07 09 11", 0, 0, options);
    EXPECT_FALSE(ComputeInstrumentRefresh(tooMany, StringSetOf(Named("ukulele"), Named("ukulele").tunings[0].strings))
                     .error.empty());
    // Five notes on four strings cannot all sound: without leaving tones out, nothing is found,
    // without error, and the search says why.
    StringSet mandolin = StringSetOf(Named("mandolin"), Named("mandolin").tunings[0].strings);
    mandolin.dropTones = false;
    const auto five = ComputeInstrumentRefresh(ChordInput("00 04 07 10 02", 0, 0, options), mandolin);
    EXPECT_TRUE(five.error.empty());
    EXPECT_TRUE(five.records.empty());
    EXPECT_EQ(five.emptyReason, "too many tones: 5 on 4 strings");
    EXPECT_FALSE(five.names.empty());
}
