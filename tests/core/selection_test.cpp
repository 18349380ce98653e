#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "guitar/refresh.h"
#include "theory/interval_build.h"
#include "theory/selection.h"

using namespace corvane;

namespace {

int Item(std::string_view caption) { return *FindExtension(caption); }

std::string NoteListOf(const SelectionState& s) { return NoteListText(FromSelection(s, {})); }

std::vector<std::string> CheckedCaptions(const SelectionState& s)
{
    std::vector<std::string> out;
    for (int i = 0; i < kExtensionCount; ++i)
        if (s.checked[static_cast<size_t>(i)])
            out.emplace_back(kExtensions[static_cast<size_t>(i)].caption);
    return out;
}

SelectionState Toggled(std::initializer_list<std::string_view> captions, SelectionState s = StartupSelection())
{
    for (auto caption : captions)
        EXPECT_TRUE(ToggleExtension(s, Item(caption))) << caption;
    return s;
}

} // namespace

TEST(Selection, StartupIsCMajor)
{
    const SelectionState s = StartupSelection();
    EXPECT_EQ(s.editText, "C");
    EXPECT_EQ(NoteListOf(s), "0 4 7");
    EXPECT_EQ(CheckedCaptions(s), std::vector<std::string> { "" });
}

// The worked table: each row starts from start-up unless it names its own steps.
TEST(Selection, ExtensionChangeWorkedTable)
{
    struct Row {
        const char* name;
        std::initializer_list<std::string_view> toggles;
        std::vector<std::string> checked;
        const char* intervals;
        const char* shown;
        int third;
        int fifth;
    };
    const Row rows[] = {
        { "check m", { "m" }, { "m" }, "00 03 07", "Cm", 3, 7 },
        { "then 7", { "m", "7" }, { "m", "7" }, "00 03 07 10", "Cm/7", 3, 7 },
        { "uncheck m", { "m", "7", "m" }, { "", "7" }, "00 04 07 10", "C7", 4, 7 },
        { "then sus4", { "m", "7", "m", "sus4" }, { "", "7", "sus4" }, "00 07 05 10", "C7/sus4", 4, 7 },
        { "aug", { "aug" }, { "", "aug" }, "00 04 08", "Caug", 4, 8 },
        { "dim", { "dim" }, { "", "dim" }, "00 03 06 09", "Cdim", 3, 6 },
        { "m then dim", { "m", "dim" }, { "", "dim" }, "00 03 06 09", "Cdim", 3, 6 },
        { "b5 keeps its slash", { "b5" }, { "", "b5" }, "00 04 06", "C/b5", 4, 7 },
        { "power chord", { "5" }, { "", "5" }, "00 07", "C5", 4, 7 },
        { "same code twice adds once", { "7", "6+" }, { "", "6+", "7" }, "00 04 07 10", "C6+/7", 4, 7 },
        { "fifth code without a fifth", { "dim", "5+" }, { "", "dim", "5+" }, "00 03 06 09 08", "Cdim/5+", 3, 8 },
        { "6- keeps the fifth", { "6-" }, { "", "6-" }, "00 04 07 08", "C6-", 4, 7 },
        { "5+ replaces it", { "5+" }, { "", "5+" }, "00 04 08", "C5+", 4, 8 },
        { "unchecking major checks minor", { "" }, { "m" }, "00 03 07", "Cm", 3, 7 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const SelectionState s = Toggled(row.toggles);
        EXPECT_EQ(CheckedCaptions(s), row.checked);
        EXPECT_EQ(s.chordIntervals, row.intervals);
        EXPECT_EQ(s.editText, row.shown);
        EXPECT_EQ(s.thirdInterval, row.third);
        EXPECT_EQ(s.fifthInterval, row.fifth);
    }
}

TEST(Selection, NoteLimitGreysAddItemsAndTheBassGrid)
{
    SelectionState s = Toggled({ "7", "9", "11" }); // 00 04 07 10 02 05: six entries
    EXPECT_EQ(s.chordIntervals, "00 04 07 10 02 05");
    EXPECT_FALSE(s.bassGridEnabled);
    EXPECT_FALSE(s.enabled[static_cast<size_t>(Item("13"))]);
    EXPECT_TRUE(s.enabled[static_cast<size_t>(Item("7"))]) << "checked items stay enabled";
    EXPECT_TRUE(s.enabled[static_cast<size_t>(Item("sus4"))]) << "third codes are never greyed";
    EXPECT_TRUE(s.enabled[static_cast<size_t>(Item("m"))]);
    EXPECT_FALSE(ToggleExtension(s, Item("13")));

    ASSERT_TRUE(ToggleExtension(s, Item("9")));
    EXPECT_TRUE(s.bassGridEnabled);
    EXPECT_TRUE(s.enabled[static_cast<size_t>(Item("13"))]);
}

TEST(Selection, SeparateBassLowersTheLimit)
{
    SelectionState s = StartupSelection();
    ASSERT_TRUE(PickBass(s, 4));
    EXPECT_EQ(s.editText, "C/E");
    s = Toggled({ "7", "9" }, s);
    EXPECT_EQ(s.chordIntervals, "00 04 07 10 02");
    EXPECT_FALSE(s.bassGridEnabled);
    EXPECT_FALSE(s.enabled[static_cast<size_t>(Item("13"))]);
    EXPECT_EQ(NoteListOf(s), "4 0 4 7 10 2");
}

TEST(Selection, BassPickAppliesItsOwnRoomCheck)
{
    SelectionState s = Toggled({ "7", "9" }); // five entries, bass = root: room left
    EXPECT_TRUE(s.enabled[static_cast<size_t>(Item("13"))]);
    ASSERT_TRUE(PickBass(s, 7));
    EXPECT_FALSE(s.enabled[static_cast<size_t>(Item("13"))]);
    EXPECT_TRUE(s.bassGridEnabled) << "the bass pick leaves the grid's own state";
    ASSERT_TRUE(PickBass(s, 0));
    EXPECT_EQ(s.bassSuffix, "");
    EXPECT_TRUE(s.enabled[static_cast<size_t>(Item("13"))]);
}

TEST(Selection, RootPickDropsTheBassAndReadsTheBassGridSpelling)
{
    SelectionState s = Toggled({ "m", "7" });
    ASSERT_TRUE(PickBass(s, 4));
    EXPECT_EQ(s.editText, "Cm/7/E");
    PickRoot(s, 2);
    EXPECT_EQ(s.editText, "Dm/7");
    EXPECT_EQ(s.bassRow, 2);
    EXPECT_EQ(NoteListOf(s), "2 5 9 0");

    SetRootSpelling(s, Spelling::Flat);
    PickRoot(s, 3);
    EXPECT_EQ(s.rootName, "D#") << "the bass grid is still sharp";
    SetBassSpelling(s, Spelling::Flat);
    PickRoot(s, 10);
    EXPECT_EQ(s.rootName, "Bb");
}

TEST(Selection, ChordTypePickKeepsChecksAndIntervalsForOmit)
{
    SelectionState s = Toggled({ "m" });
    PickChordType(s, *FindChordType("5"));
    EXPECT_EQ(s.chordIntervals, "00 07");
    EXPECT_EQ(s.editText, "C5");
    EXPECT_EQ(s.thirdInterval, 3);
    EXPECT_TRUE(s.checked[1]);
    PickChordType(s, 0);
    EXPECT_EQ(s.editText, "C");
}

TEST(Selection, RefusesABassThatWouldMakeSevenNotes)
{
    SelectionState s = StartupSelection();
    s.chordIntervals = "00 04 07 10 02 05"; // six entries, as a typed name can leave
    const SelectionState before = s;
    EXPECT_FALSE(PickBass(s, 4));
    EXPECT_EQ(s.bassIndex, before.bassIndex);
    EXPECT_EQ(s.editText, before.editText);
    EXPECT_TRUE(PickBass(s, 0));
}

TEST(Selection, RefusedItemStaysOutOfTheName)
{
    // dim (4 entries) + 7+ + 9 fill the chord; 5+ then comes first in item order and pushes 9 out.
    SelectionState s = Toggled({ "dim", "7+", "9" });
    EXPECT_EQ(s.chordIntervals, "00 03 06 09 11 02");
    ASSERT_TRUE(ToggleExtension(s, Item("5+")));
    EXPECT_EQ(s.chordIntervals, "00 03 06 09 08 11");
    EXPECT_FALSE(s.checked[static_cast<size_t>(Item("9"))]);
    EXPECT_EQ(s.editText, "Cdim/5+/7+");
}

TEST(IntervalBuild, RefusesOnlyWhatWouldPassTheLimit)
{
    ExtensionFlags ticked {};
    for (const char* caption : { "", "7", "9", "11", "13", "6+" })
        ticked[static_cast<size_t>(Item(caption))] = true;
    const IntervalBuild build = BuildIntervals(ticked, "", 17);
    EXPECT_EQ(build.intervals, "00 04 07 10 02 05");
    // "13" finds the chord full; "6+" names the seventh the chord already holds, so it is no refusal.
    std::vector<int> refused;
    for (int i = 0; i < kExtensionCount; ++i)
        if (build.refused[static_cast<size_t>(i)])
            refused.push_back(i);
    EXPECT_EQ(refused, std::vector<int> { Item("13") });

    // A new fifth replaces the perfect fifth in place of adding; without one it is added.
    ExtensionFlags augmented {};
    augmented[kMajorItem] = augmented[kSharpFifthItem] = true;
    EXPECT_EQ(BuildIntervals(augmented, "", 17).intervals, "00 04 08");
    augmented[kDimItem] = true;
    EXPECT_EQ(BuildIntervals(augmented, "", 17).intervals, "00 03 06 09 08");
}
