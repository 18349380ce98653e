// Leaving tones out of chords too large for the strings: the rule, the search against a brute force,
// and what an empty search says.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "guitar/instrument_search.h"
#include "guitar/tone_dropping.h"
#include "tests/core/fret_walk.h"
#include "theory/interval_list.h"

using namespace corvane;

namespace {

const Instrument& Named(std::string_view name) { return *FindInstrument(name); }

StringSet Own(const Instrument& instrument) { return StringSetOf(instrument, instrument.tunings.front().strings); }

std::vector<int> Tones(const char* intervals, int root) { return TransposeIntervals(intervals, root); }

// The choices of the fewest tones beyond the empty one, as words: "5", "1", "5+1".
std::vector<std::string> FewestWords(const std::vector<LeftOut>& choices, int count)
{
    std::vector<std::string> words;
    for (const LeftOut& choice : choices) {
        if (choice.Count() != count)
            continue;
        std::string joined;
        for (const std::string& word : LeftOutWords(choice.tones))
            joined += (joined.empty() ? "" : "+") + word;
        words.push_back(joined);
    }
    return words;
}

} // namespace

TEST(ToneDropping, WhichTonesMayGo)
{
    struct Row {
        const char* name;
        const char* intervals;
        int fixedBass; // as an interval above the root, or -1
        int count;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        { "maj9", "00 04 07 11 02", -1, 1, { "5", "1" } },
        { "9", "00 04 07 10 02", -1, 1, { "5", "1" } },
        { "m9", "00 03 07 10 02", -1, 1, { "5", "1" } },
        { "7b9", "00 04 07 10 01", -1, 1, { "5", "1" } },
        { "7#9", "00 04 07 10 03", -1, 1, { "5", "1" } },
        { "6/9 keeps its root", "00 04 07 09 02", -1, 1, { "5" } },
        { "6 keeps its root and 6", "00 04 07 09", -1, 1, { "5" } },
        { "7b5b9 keeps its altered fifth", "00 04 06 10 01", -1, 1, { "1" } },
        { "m11 keeps its 11 and 9", "00 03 07 10 02 05", -1, 2, { "5+1" } },
        { "11 without a third keeps its 4th", "00 07 10 02 05", -1, 1, { "5", "1" } },
        { "9#11 keeps the sharp 11", "00 04 07 10 02 06", -1, 2, { "5+1" } },
        { "13 with 9 and 11: the 11 first", "00 04 07 10 02 05 09", -1, 1, { "5", "1", "11" } },
        { "13 with 9 and 11: the 9 only with the 11", "00 04 07 10 02 05 09", -1, 2,
            { "5+1", "5+11", "1+11", "11+9" } },
        { "13 without an 11 drops its 9", "00 04 07 10 02 09", -1, 1, { "5", "1", "9" } },
        { "13sus4 keeps its 4th", "00 05 07 10 02 09", -1, 1, { "5", "1", "9" } },
        { "13b9 keeps the flat 9", "00 04 07 10 01 09", -1, 2, { "5+1" } },
        { "a root in the bass stays", "00 04 07 11 02", 0, 1, { "5" } },
        { "a fifth in the bass stays", "00 04 07 10 02", 7, 1, { "1" } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int root = 2;
        const auto choices
            = LeaveOutChoices(Tones(row.intervals, root), root, row.fixedBass < 0 ? -1 : (root + row.fixedBass) % 12);
        ASSERT_FALSE(choices.empty());
        EXPECT_EQ(choices.front().tones, 0u);
        EXPECT_TRUE(std::is_sorted(
            choices.begin(), choices.end(), [](const LeftOut& a, const LeftOut& b) { return a.Count() < b.Count(); }));
        EXPECT_EQ(FewestWords(choices, row.count), row.expected);
        // The third and the seventh never go.
        for (const LeftOut& choice : choices)
            for (int interval : { 3, 4, 10, 11 })
                EXPECT_EQ(choice.pitches >> ((root + interval) % 12) & 1u, 0u) << interval;
    }
}

TEST(ToneDropping, Words)
{
    EXPECT_EQ(LeftOutHeading("Cmaj9", 5, "ukulele", 4, { kLeftOutFifth, kLeftOutRoot }),
        "Cmaj9 has 5 tones and the ukulele 4 strings: voicings without the 5th or without the root");
    EXPECT_EQ(LeftOutPhrase(kLeftOutFifth | kLeftOutRoot), "the 5th and the root");
    EXPECT_EQ(LeftOutPhrase(kLeftOutFifth | kLeftOutRoot | kLeftOutEleventh), "the 5th, the root and the 11th");
    EXPECT_EQ(LeftOutWords(kLeftOutNinth | kLeftOutEleventh), (std::vector<std::string> { "11", "9" }));
    EXPECT_EQ(InstrumentWords(Own(Named("baritone ukulele"))), "baritone ukulele");
}

namespace {

// The rules of the search and of leaving tones out, said again as plainly as possible: every fret
// combination within the Distance, each tone it leaves out read from what it sounds.
std::map<std::string, unsigned> BruteForce(const RefreshInput& input, const StringSet& set)
{
    const SearchOptions& options = input.options;
    const int n = set.strings.count;
    const unsigned tones = PitchMaskOf(input.chordTones);
    const bool freeBass = set.freeInversions && input.bassIndex == input.rootIndex;
    const unsigned allowed = tones | (freeBass ? 0u : 1u << input.bassIndex);
    std::map<unsigned, unsigned> choiceOfPitches; // left-out pitches to their tones
    for (const LeftOut& choice : LeaveOutChoices(input.chordTones, input.rootIndex, freeBass ? -1 : input.bassIndex))
        choiceOfPitches[choice.pitches] = choice.tones;
    std::map<int, std::map<std::string, unsigned>> byCount;
    const int topFret = options.fretLimit + 4;
    corvane::testing::ForEachFrets(n, topFret, options.span, [&](const Frets& f) {
        int sounding = 0, lowest = 1000, bassString = -1, highestFret = 0;
        unsigned heard = 0;
        for (int t = 0; t < n; ++t) {
            if (f[t] == kMuted)
                continue;
            if (f[t] > set.lastFret)
                return;
            const int pitch = set.strings[t] + f[t];
            if ((allowed >> pitch % 12 & 1u) == 0)
                return;
            ++sounding;
            heard |= 1u << pitch % 12;
            if (pitch < lowest) {
                lowest = pitch;
                bassString = t;
            }
            highestFret = std::max(highestFret, f[t]);
        }
        if (sounding < std::max(3, n - 2))
            return;
        const auto choice = choiceOfPitches.find(tones & ~heard);
        if (choice == choiceOfPitches.end())
            return;
        if (!freeBass && lowest % 12 != input.bassIndex)
            return;
        for (int t = 0; t < n; ++t)
            if (f[t] != kMuted && (tones >> (set.strings[t] + f[t]) % 12 & 1u) == 0 && set.strings[t] + f[t] != lowest)
                return;
        if (f[bassString] >= options.fretLimit || (f[bassString] == 0 && highestFret >= options.fretLimit))
            return;
        Frets marked = f;
        if (CountStringFingers(marked, options.noBarre) > 4)
            return;
        byCount[std::popcount(choice->second)][FretsText(marked)] = choice->second;
    });
    return byCount.empty() ? std::map<std::string, unsigned> {} : byCount.begin()->second;
}

} // namespace

TEST(ToneDropping, SameAsBruteForce)
{
    std::mt19937 rng(28);
    const char* chords[] = { "00 04 07 11 02", "00 04 07 10 02", "00 03 07 10 02", "00 04 07 10 01", "00 04 07 10 03",
        "00 04 07 09 02", "00 04 07 10 09", "00 04 07 10 02 06", "00 03 07 10 02 05", "00 04 07 10 01 09",
        "00 07 10 02 05", "00 04 07 10 02 09", "00 04 06 10 01", "00 03 06 10 02" };
    size_t total = 0;
    size_t leftOut = 0;
    for (const Instrument& instrument : Instruments()) {
        const StringSet set = Own(instrument);
        if (set.sixStringRules)
            continue;
        for (int c = 0; c < (set.strings.count == 4 ? 12 : 2); ++c) {
            SearchOptions options;
            options.fretLimit = 6;
            options.span = std::uniform_int_distribution<int>(3, 5)(rng);
            options.noBarre = rng() % 4 == 0;
            const int root = static_cast<int>(rng() % 12);
            const char* intervals = chords[rng() % std::size(chords)];
            // Six tones and a bass apart would be more notes than a chord holds.
            const bool six = std::string_view(intervals).size() > 15;
            const int bass = !six && rng() % 4 == 0 ? static_cast<int>(rng() % 12) : root;
            const RefreshInput input = ChordInput(intervals, root, bass, options);
            const InstrumentRefreshResult result = ComputeInstrumentRefresh(input, set);
            ASSERT_TRUE(result.error.empty()) << result.error;
            std::map<std::string, unsigned> searched;
            for (const InstrumentRecord& record : result.records) {
                ASSERT_TRUE(searched.emplace(record.VoicingPart(), record.leftOut).second) << record.Text();
                leftOut += record.leftOut != 0;
            }
            SCOPED_TRACE(std::string(instrument.name) + " case " + std::to_string(c) + " " + NoteListText(input));
            ASSERT_EQ(searched, BruteForce(input, set));
            EXPECT_EQ(result.records.empty(), !result.emptyReason.empty());
            total += searched.size();
        }
    }
    EXPECT_GT(total, 200u);
    EXPECT_GT(leftOut, 100u);
}

TEST(ToneDropping, WhenItApplies)
{
    const RefreshInput maj9 = ChordInput("00 04 07 11 02", 0, 0);
    // The six-string guitar keeps its own search; five tones fit its six strings anyway.
    const InstrumentRefreshResult guitar = ComputeInstrumentRefresh(maj9, Own(SixStringGuitar()));
    EXPECT_FALSE(Own(SixStringGuitar()).dropTones);
    EXPECT_TRUE(guitar.leftOut.empty());
    EXPECT_FALSE(guitar.records.empty());
    // A chord that fits the four strings leaves nothing out, and its records are as they were.
    const InstrumentRefreshResult seventh
        = ComputeInstrumentRefresh(ChordInput("00 04 07 10", 0, 0), Own(Named("ukulele")));
    EXPECT_TRUE(seventh.leftOut.empty());
    EXPECT_TRUE(std::none_of(
        seventh.records.begin(), seventh.records.end(), [](const InstrumentRecord& r) { return r.leftOut != 0; }));
    // Without the rule, five tones on four strings find nothing, and say why.
    StringSet plain = Own(Named("ukulele"));
    plain.dropTones = false;
    const InstrumentRefreshResult without = ComputeInstrumentRefresh(maj9, plain);
    EXPECT_TRUE(without.records.empty());
    EXPECT_EQ(without.emptyReason, "too many tones: 5 on 4 strings");
    // With it, the open rootless shape stands first, and the names are the whole chord's.
    const InstrumentRefreshResult with = ComputeInstrumentRefresh(maj9, Own(Named("ukulele")));
    ASSERT_FALSE(with.records.empty());
    EXPECT_EQ(with.records.front().Text(), "000000 0 2 0 2 ");
    EXPECT_EQ(with.records.front().leftOut, kLeftOutRoot);
    EXPECT_EQ(with.leftOut, (std::vector<unsigned> { kLeftOutFifth, kLeftOutRoot }));
    EXPECT_EQ(with.chordTones, maj9.chordTones);
    EXPECT_EQ(LeftOutHeadingOf(with, "Cmaj9", Own(Named("ukulele"))),
        "Cmaj9 has 5 tones and the ukulele 4 strings: voicings without the 5th or without the root");
}

TEST(ToneDropping, EmptySearchesSayWhy)
{
    struct Row {
        const char* name;
        StringSet strings;
        const char* intervals;
        int bass; // the root is C
        int distance;
        const char* reason;
    };
    const StringSet ukulele = Own(Named("ukulele"));
    StringSet shortNeck = ukulele; // three frets: nothing sounds a B below the C string's C
    shortNeck.lastFret = 3;
    const Row rows[] = {
        { "too many even leaving out", ukulele, "00 04 10 01 03 06", 0, 5,
            "too many tones: 6 on 4 strings, 5 even without the root" },
        { "nothing within the fret and distance", ukulele, "00 04 07", 1, 2,
            "no fingering within \"Up to fret\" 12 and \"Distance\" 2" },
        { "a bass the strings cannot sound", shortNeck, "00 04 07", 11, 5,
            "the strings cannot sound the bass B below this chord" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SearchOptions options;
        options.span = row.distance;
        options.easy = true;
        const InstrumentRefreshResult result
            = ComputeInstrumentRefresh(ChordInput(row.intervals, 0, row.bass, options), row.strings);
        EXPECT_TRUE(result.records.empty());
        EXPECT_EQ(result.emptyReason, row.reason);
    }
}
