#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "guitar/refresh.h"
#include "theory/interval_list.h"
#include "theory/name_reading.h"

using namespace corvane;

namespace {

SelectionState Searched(const std::string& typed, SelectionState s = StartupSelection())
{
    s.editText = typed;
    SearchChordName(s);
    return s;
}

std::vector<int> CheckedItems(const SelectionState& s)
{
    std::vector<int> items;
    for (int i = 0; i < kExtensionCount; ++i)
        if (s.checked[static_cast<size_t>(i)])
            items.push_back(i);
    return items;
}

constexpr Spelling kSharp = Spelling::Sharp;
constexpr Spelling kFlat = Spelling::Flat;

struct Reading {
    const char* name;
    const char* typed;
    const char* rewritten;
    PitchClass root;
    PitchClass bass;
    const char* intervals;
    const char* suffix;
    std::vector<int> checked;
    Spelling rootSpelling;
    Spelling bassSpelling;
};

void ExpectReadings(const std::vector<Reading>& rows)
{
    std::set<std::string> names;
    for (const Reading& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(names.insert(row.name).second) << "two rows share this name";
        const SelectionState s = Searched(row.typed);
        EXPECT_EQ(s.editText, row.rewritten);
        EXPECT_EQ(s.rootIndex, row.root);
        EXPECT_EQ(s.bassIndex, row.bass);
        EXPECT_EQ(s.chordIntervals, row.intervals);
        EXPECT_EQ(s.typeSuffix, row.suffix);
        EXPECT_EQ(CheckedItems(s), row.checked);
        EXPECT_EQ(s.rootSpelling, row.rootSpelling);
        EXPECT_EQ(s.bassSpelling, row.bassSpelling);
    }
}

} // namespace

// Items: 0 "", 1 m, 4 º, 15 7, 16 7+, 18 9, 21 11, 24 13, 42 b5, 44 b9, 48 sus4, 50 sus11.
TEST(NameReading, TypedExamples)
{
    ExpectReadings({
        { "minor mark splits m7", "Cm7", "Cm/7 ", 0, 0, "00 03 07 10", "m/7", { 0, 1, 15 }, kSharp, kSharp },
        { "flat root and flat bass", "Dbm7/Ab", "Dbm/7/Ab", 1, 8, "00 03 07 10", "m/7", { 0, 1, 15 }, kFlat, kFlat },
        { "seventh over E", "C7/E", "C7/E", 0, 4, "00 04 07 10", "7", { 0, 15 }, kSharp, kSharp },
        { "slash after an empty token is dropped", "C/E", "CE", 0, 4, "00 04 07", "", { 0 }, kSharp, kSharp },
        { "flat root Bb", "Bb7", "Bb7 ", 10, 10, "00 04 07 10", "7", { 0, 15 }, kFlat, kSharp },
        { "Cb is B", "Cb", "Cb", 11, 11, "00 04 07", "", { 0 }, kFlat, kSharp },
        { "E sharp is E and a stray token", "E#", "E", 4, 4, "00 04 07", "", { 0 }, kSharp, kSharp },
        { "flat ninth is no bass", "C7/b9", "C7//b9 ", 0, 0, "00 04 07 10 01", "7/b9", { 0, 15, 44 }, kSharp, kFlat },
        { "brackets and flat fifth", "C(b5)", "C/b5)", 0, 0, "00 04 06", "b5", { 0, 42 }, kSharp, kFlat },
        { "sus4", "Csus4", "Csus4 ", 0, 0, "00 07 05", "sus4", { 0, 48 }, kSharp, kSharp },
        { "sus4 after a blank", "C sus4", "Csus4 ", 0, 0, "00 07 05", "sus4", { 0, 48 }, kSharp, kSharp },
        { "sus11 is a third code", "Csus11", "Csus11 ", 0, 0, "00 07 05", "sus11", { 0, 50 }, kSharp, kSharp },
        { "13 passes the limit", "C7/9/11/13", "C7/9/11/13 ", 0, 0, "00 04 07 10 02 05", "7/9/11/13", { 0, 15, 18, 21 },
            kSharp, kSharp },
        { "a bass lowers the limit", "C7/9/11/E", "C7/9/11/E", 0, 4, "00 04 07 10 02", "7/9/11", { 0, 15, 18 }, kSharp,
            kSharp },
        { "upper case is checked but not applied", "CSUS4", "CSUS4 ", 0, 0, "00 04 07", "SUS4", { 0, 48 }, kSharp,
            kSharp },
        { "empty box", "", " ", 12, 12, "00 04 07", "", { 0 }, kSharp, kSharp },
        { "ninth in brackets", "C7(9)", "C7(9)", 0, 0, "00 04 07 10 02", "7/9", { 0, 15, 18 }, kSharp, kSharp },
    });
}

// "maj7" is the common spelling of the major seventh: it is not minor, and it reads as "7+".
TEST(NameReading, MajorSeventhWord)
{
    ExpectReadings({
        { "maj7", "Cmaj7", "C7+ ", 0, 0, "00 04 07 11", "7+", { 0, 16 }, kSharp, kSharp },
        { "letter case ignored", "CMAJ7", "C7+ ", 0, 0, "00 04 07 11", "7+", { 0, 16 }, kSharp, kSharp },
        { "mixed case after m", "CmAj7", "C7+ ", 0, 0, "00 04 07 11", "7+", { 0, 16 }, kSharp, kSharp },
        { "minor major seventh", "Cm(maj7)", "Cm(7+)", 0, 0, "00 03 07 11", "m/7+", { 0, 1, 16 }, kSharp, kSharp },
        { "maj7 over a bass", "Ebmaj7/G", "Eb7+/G", 3, 7, "00 04 07 11", "7+", { 0, 16 }, kFlat, kSharp },
        { "maj alone is major", "Cmaj", "C", 0, 0, "00 04 07", "", { 0 }, kSharp, kSharp },
        { "m then other letters stays minor", "Cmadd9", "Cm/add9 ", 0, 0, "00 03 07 02", "m/add9", { 0, 1, 33 }, kSharp,
            kSharp },
    });
}

// Positions count characters: "º" is one, and so is each byte that is not well-formed UTF-8.
TEST(NameReading, CharactersNotBytes)
{
    ExpectReadings({
        { "diminished sign", "Cº", "Cº ", 0, 0, "00 03 06 09", "º", { 0, 4 }, kSharp, kSharp },
        { "sign as the root", "ºm7", "ºm/7 ", 12, 12, "00 03 07 10", "m/7", { 0, 1, 15 }, kSharp, kSharp },
        { "stray lead byte as the root", "\xC2m7", "\xC2m/7 ", 12, 12, "00 03 07 10", "m/7", { 0, 1, 15 }, kSharp,
            kSharp },
        { "truncated sequence is dropped", "C\xE2\x82/7", "C7 ", 0, 0, "00 04 07 10", "7", { 0, 15 }, kSharp, kSharp },
        { "unread root with a bass", "H/E", "HE", 12, 4, "00 04 07", "", { 0 }, kSharp, kSharp },
    });

    const std::vector<std::string_view> split
        = SplitCharacters("Cº\xE2\x82\xAC\xF0\x9F\x8E\xB8\xC0\xAF\x80\xED\xA0\x80");
    const std::vector<std::string_view> expected { "C", "º", "\xE2\x82\xAC", "\xF0\x9F\x8E\xB8", "\xC0", "\xAF", "\x80",
        "\xED", "\xA0", "\x80" };
    EXPECT_EQ(split, expected); // overlong forms and surrogates fall apart into single bytes
}

// A search starts from a clean list and leaves what it does not own.
TEST(NameReading, ResetsChecksAndKeepsTheRest)
{
    SelectionState s = StartupSelection();
    for (const char* caption : { "m", "7", "9", "11" })
        ASSERT_TRUE(ToggleExtension(s, *FindExtension(caption)));
    ASSERT_FALSE(s.bassGridEnabled); // six entries: greyed
    PickRoot(s, 2);
    const SelectionState before = s;

    s = Searched("C7/9/11/13", s);
    EXPECT_EQ(CheckedItems(s), (std::vector<int> { 0, 15, 18, 21 }));
    EXPECT_TRUE(s.bassGridEnabled) << "the search never greys anything";
    for (bool enabled : s.enabled)
        EXPECT_TRUE(enabled);
    EXPECT_EQ(s.rootName, before.rootName);
    EXPECT_EQ(s.bassSuffix, before.bassSuffix);
    EXPECT_EQ(s.thirdInterval, 3);
    EXPECT_EQ(s.fifthInterval, before.fifthInterval);
    EXPECT_EQ(s.rootRow, 2);
    EXPECT_EQ(s.bassRow, 2);

    // Without tokens the bass grid keeps its spelling.
    SetBassSpelling(s, Spelling::Flat);
    EXPECT_EQ(Searched("G", s).bassSpelling, Spelling::Flat);
}

// A six-entry chord read from a name leaves no room for a separate bass: the pick is refused, and
// a seven-number note list, should one reach the refresh, is an error with no results.
TEST(NameReading, SixEntryChordRefusesASeparateBass)
{
    SelectionState s = Searched("C7/9/11/13");
    ASSERT_EQ(IntervalCount(s.chordIntervals), 6);
    const SelectionState before = s;
    EXPECT_FALSE(PickBass(s, 4));
    EXPECT_EQ(s.bassIndex, before.bassIndex);
    EXPECT_EQ(s.editText, before.editText);
    EXPECT_EQ(NoteListText(FromSelection(s, {})), "0 4 7 10 2 5");
    EXPECT_TRUE(PickBass(s, 0)) << "the root's own row adds no note";

    s.bassIndex = 4;
    const RefreshInput input = FromSelection(s, {});
    ASSERT_EQ(NoteListText(input), "4 0 4 7 10 2 5");
    const RefreshResult r = ComputeRefresh(input);
    EXPECT_FALSE(r.error.empty());
    EXPECT_TRUE(r.records.empty());
    EXPECT_TRUE(r.names.empty());
}

// What the window hands to the refresh after a search.
TEST(NameReading, RefreshOfTheReadChord)
{
    const auto refresh = [](const SelectionState& s) { return ComputeRefresh(FromSelection(s, {})); };
    const RefreshResult empty = refresh(Searched(""));
    EXPECT_TRUE(empty.error.empty());
    EXPECT_TRUE(empty.records.empty()) << "no fret sounds pitch 12";

    const RefreshResult slash = refresh(Searched("Dbm7/Ab"));
    EXPECT_TRUE(slash.error.empty());
    EXPECT_FALSE(slash.records.empty());
}

TEST(NameReading, ListsTheTokensItDidNotRead)
{
    struct Row {
        const char* typed;
        std::vector<std::string> unread;
        PitchClass bass;
    };
    const std::vector<Row> rows = {
        { "Cmaj7", {}, 0 },
        { "Cm.aj7", { "aj7" }, 0 },
        { "E#", { "#" }, 4 },
        { "C7/E", {}, 4 }, // the bass is read
        { "C/E/G", { "E" }, 7 }, // only the last token can be the bass
        { "C7/x/E#", { "x", "E#" }, 0 }, // "E#" is no accepted name, so no bass
        { "CSUS4", {}, 0 }, // read as "sus4" although its code is not applied
        { "Hm7", {}, kNoPitch }, // an unread root is no token: it shows as kNoPitch
        { "", {}, kNoPitch },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        const NameReading reading = ReadChordName(row.typed);
        EXPECT_EQ(reading.unread, row.unread);
        EXPECT_EQ(reading.bass, row.bass);
    }
}

TEST(NameReading, ReadingThenApplyingIsTheSearch)
{
    for (const char* typed : { "Dbm7/Ab", "C7/9/11/13", "Csus4/7/Bb", "CSUS4", "E#" }) {
        SCOPED_TRACE(typed);
        SelectionState applied = StartupSelection();
        const NameReading reading = ReadChordName(typed);
        ApplyNameReading(applied, reading);
        const SelectionState searched = Searched(typed);
        EXPECT_EQ(applied.editText, searched.editText);
        EXPECT_EQ(applied.chordIntervals, searched.chordIntervals);
        EXPECT_EQ(applied.checked, searched.checked);
        // Reading changes nothing by itself: a second reading of the same text is the same.
        EXPECT_EQ(ReadChordName(typed).rewritten, reading.rewritten);
    }
}
