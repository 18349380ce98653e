#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "theory/interval_list.h"
#include "theory/typed_chord.h"

using namespace corvane;

namespace {

std::set<int> IntervalSetOf(const std::string& list)
{
    const auto values = IntervalValues(list);
    EXPECT_TRUE(values.has_value()) << list;
    return values ? std::set<int>(values->begin(), values->end()) : std::set<int> {};
}

SelectionState Searched(const std::string& typed, NameBoxSearch* search = nullptr)
{
    SelectionState s = StartupSelection();
    s.editText = typed;
    const NameBoxSearch done = SearchTypedChord(s);
    if (search)
        *search = done;
    return s;
}

// The six names players type that the box's notation once misread without a word.
struct Meant {
    const char* typed;
    const char* box; // the box afterwards
    PitchClass root;
    std::set<int> intervals;
};

const std::vector<Meant> kMeant {
    { "Cdim7", "C\u00ba ", 0, { 0, 3, 6, 9 } },
    { "C+", "Caug ", 0, { 0, 4, 8 } },
    { "A7sus4", "A7/sus4 ", 9, { 0, 5, 7, 10 } },
    { "G7b9", "G7/9- ", 7, { 0, 4, 7, 10, 1 } },
    { "E7#9", "E7/9+ ", 4, { 0, 4, 7, 10, 3 } },
    { "F#m7b5", "F#m/7/5- ", 6, { 0, 3, 6, 10 } },
};

TEST(TypedChord, TheNameBoxTakesTheMeantChordInItsOwnNotation)
{
    for (const Meant& row : kMeant) {
        SCOPED_TRACE(row.typed);
        NameBoxSearch search;
        const SelectionState s = Searched(row.typed, &search);
        EXPECT_TRUE(search.Understood());
        EXPECT_TRUE(search.byLeadSheet);
        EXPECT_EQ(search.Problem(), "");
        EXPECT_EQ(s.editText, row.box);
        EXPECT_EQ(s.rootIndex, row.root);
        EXPECT_EQ(s.bassIndex, row.root);
        EXPECT_EQ(IntervalSetOf(s.chordIntervals), row.intervals);
        // The state is the one typing the box's name gives: the controls can show it.
        const SelectionState again = Searched(row.box);
        EXPECT_EQ(again.chordIntervals, s.chordIntervals);
        EXPECT_EQ(again.checked, s.checked);
        EXPECT_EQ(again.typeSuffix, s.typeSuffix);
    }
}

TEST(TypedChord, ANameTheBoxReadsCompletelyIsLeftAsItWas)
{
    for (const char* typed : { "Cm7", "C9", "Cdim", "C13", "Dbm7/Ab", "C7/b9", "Cmaj7", "C/E", "Csus11" }) {
        SCOPED_TRACE(typed);
        SelectionState before = StartupSelection();
        before.editText = typed;
        SearchChordName(before);
        NameBoxSearch search;
        const SelectionState after = Searched(typed, &search);
        EXPECT_TRUE(search.Understood());
        EXPECT_FALSE(search.byLeadSheet);
        EXPECT_EQ(after.editText, before.editText);
        EXPECT_EQ(after.chordIntervals, before.chordIntervals);
        EXPECT_EQ(after.checked, before.checked);
    }
}

TEST(TypedChord, WhatNeitherReaderReadsIsSaid)
{
    struct Row {
        const char* typed;
        const char* problem;
        const char* box;
    };
    const std::vector<Row> rows {
        { "Cdim7xyz", "Not understood: dim7xyz", "C" },
        { "nonsense", "Not understood: \"nonsense\" does not start with a note name", "n" },
        // Read, but six notes over a bass are more than the extension list holds: not shown as
        // something else.
        { "C9#11/Bb", "Not understood: 9#11 (the extension list cannot show C9#11/Bb)", "CBb" },
        { "", "", " " },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        NameBoxSearch search;
        const SelectionState s = Searched(row.typed, &search);
        EXPECT_EQ(search.Problem(), row.problem);
        EXPECT_EQ(TrimBlanks(s.editText), TrimBlanks(row.box));
    }
}

TEST(TypedChord, SongsReadLeadSheetSymbolsFirst)
{
    struct Row {
        const char* typed;
        PitchClass root;
        PitchClass bass;
        std::set<int> intervals;
        const char* nameBox;
    };
    const std::vector<Row> rows {
        { "C9", 0, 0, { 0, 4, 7, 10, 2 }, "C7/9" },
        { "Cdim", 0, 0, { 0, 3, 6 }, "Cm/5-" },
        { "Cdim7", 0, 0, { 0, 3, 6, 9 }, "C\u00ba" },
        { "C11", 0, 0, { 0, 7, 10, 2, 5 }, "C7/9/sus4" },
        { "D/F#", 2, 6, { 0, 4, 7 }, "D/F#" },
        { "F#m7b5", 6, 6, { 0, 3, 6, 10 }, "F#m/7/5-" },
        { "Am", 9, 9, { 0, 3, 7 }, "Am" },
        // The box's own notation, where the lead-sheet symbols read nothing else.
        { "C7+", 0, 0, { 0, 4, 7, 11 }, "C7+" },
        { "Cm/7", 0, 0, { 0, 3, 7, 10 }, "Cm/7" },
        { "C7/9-", 0, 0, { 0, 4, 7, 10, 1 }, "C7/9-" },
        // Read by the lead-sheet symbols but beyond the extension list: searched all the same.
        { "C9#11/Bb", 0, 10, { 0, 4, 7, 10, 2, 6 }, "C9#11/Bb" },
        // The same notes under other names: the #11 is the box's flat fifth.
        { "C7b9#9#11", 0, 0, { 0, 4, 10, 1, 3, 6 }, "C7/9-/9+/5-" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        const SongChord song = ReadSongChord(row.typed);
        EXPECT_TRUE(song.Understood());
        EXPECT_EQ(song.state.rootIndex, row.root);
        EXPECT_EQ(song.state.bassIndex, row.bass);
        EXPECT_EQ(IntervalSetOf(song.state.chordIntervals), row.intervals);
        EXPECT_EQ(song.nameBoxText, row.nameBox);
        EXPECT_TRUE(song.read.unread.empty());
    }
}

TEST(TypedChord, SongChordsNeitherReaderReadsAreReported)
{
    for (const auto& [typed, unread] : std::vector<std::pair<const char*, std::vector<std::string>>> {
             { "Cxyz", { "xyz" } }, { "C7blue", { "blue" } }, { "Cdim7xyz", { "xyz" } } }) {
        const SongChord song = ReadSongChord(typed);
        EXPECT_FALSE(song.Understood()) << typed;
        EXPECT_EQ(song.unread, unread) << typed;
        EXPECT_EQ(song.read.unread, unread) << typed;
    }
    EXPECT_FALSE(ReadSongChord("xyz").rootRead);
}

// Every chord the lead-sheet symbols give over every root, in both spellings and over a bass: where
// the box has a name for it, that name reads completely into exactly those notes.
TEST(TypedChord, BoxNamesReadBackAsTheChord)
{
    const std::vector<std::string> roots { "C", "Db", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B", "C#", "D#",
        "G#", "A#", "Gb" };
    const std::vector<std::string> suffixes { "", "m", "dim", "aug", "sus2", "sus4", "5", "6", "m6", "69", "7", "maj7",
        "m7", "mMaj7", "m7b5", "dim7", "7sus4", "9", "maj9", "m9", "11", "m11", "13", "maj13", "m13", "add9", "madd9",
        "7b9", "7#9", "7#11", "7b13", "7#5", "7b5", "9#11", "13b9", "7b9b13" };
    int named = 0;
    int total = 0;
    for (const std::string& root : roots) {
        for (const std::string& suffix : suffixes) {
            for (const std::string& bass : { std::string(), std::string("/E"), std::string("/Bb") }) {
                const std::string symbol = root + suffix + bass;
                SCOPED_TRACE(symbol);
                const LeadSheetChord chord = ReadLeadSheetChord(symbol);
                ASSERT_TRUE(chord.Complete());
                ++total;
                const auto text = NameBoxText(chord);
                if (!text)
                    continue;
                ++named;
                SelectionState s = StartupSelection();
                s.editText = *text;
                SearchChordName(s);
                EXPECT_EQ(s.rootIndex, chord.root);
                EXPECT_EQ(s.bassIndex, chord.bass);
                EXPECT_EQ(
                    IntervalSetOf(s.chordIntervals), std::set<int>(chord.intervals.begin(), chord.intervals.end()));
            }
        }
    }
    // Only chords of six notes over a separate bass are beyond the extension list here.
    EXPECT_GT(named, total * 9 / 10);
}

} // namespace
