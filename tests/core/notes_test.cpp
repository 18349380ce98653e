#include <gtest/gtest.h>

#include "guitar/refresh.h"
#include "theory/interval_list.h"
#include "theory/notes.h"

using namespace corvane;

TEST(PitchClassOfName, AcceptsBothSpellingsAndNothingElse)
{
    EXPECT_EQ(PitchClassOfName("C"), 0);
    EXPECT_EQ(PitchClassOfName("Db"), 1);
    EXPECT_EQ(PitchClassOfName("Fb"), 4);
    EXPECT_EQ(PitchClassOfName("Cb"), 11);
    EXPECT_EQ(PitchClassOfName("A#"), 10);
    EXPECT_EQ(PitchClassOfName("E#"), kNoPitch);
    EXPECT_EQ(PitchClassOfName("B#"), kNoPitch);
    EXPECT_EQ(PitchClassOfName("c"), kNoPitch);
    EXPECT_EQ(PitchClassOfName(""), kNoPitch);
}

TEST(NoteName, GridSpellingsDifferOnlyOnBlackKeys)
{
    for (int pc = 0; pc < 12; ++pc) {
        const bool black = pc == 1 || pc == 3 || pc == 6 || pc == 8 || pc == 10;
        EXPECT_EQ(NoteName(pc, Spelling::Sharp) != NoteName(pc, Spelling::Flat), black) << pc;
    }
    EXPECT_EQ(NoteName(10, Spelling::Flat), "Bb");
    EXPECT_EQ(NoteName(kNoPitch, Spelling::Sharp), "");
    EXPECT_EQ(NoteName(-1, Spelling::Flat), "");
}

TEST(ParseNoteArgument, NamesAndNumbers)
{
    EXPECT_EQ(ParseNoteArgument("F#"), 6);
    EXPECT_EQ(ParseNoteArgument("11"), 11);
    EXPECT_EQ(ParseNoteArgument("0"), 0);
    EXPECT_FALSE(ParseNoteArgument("12"));
    EXPECT_FALSE(ParseNoteArgument("-1"));
    EXPECT_FALSE(ParseNoteArgument("3x"));
    EXPECT_FALSE(ParseNoteArgument("H"));
}

TEST(IntervalList, WellFormedness)
{
    struct Row {
        const char* text;
        bool ok;
    };
    const Row rows[] = {
        { "00", true },
        { "00 04 07", true },
        { "00 02 04 07 10 11", true },
        { "00 4 07", false },
        { "00 04 07 ", false },
        { " 00 04", false },
        { "00  04", false },
        { "04 07", false },
        { "00 12", false },
        { "", false },
        { "00,04", false },
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsIntervalList(row.text), row.ok) << '"' << row.text << '"';
}

TEST(NoteList, BassFirstRootOnce)
{
    struct Row {
        const char* name;
        const char* intervals;
        int root;
        int bass;
        const char* noteList;
        std::vector<int> chordTones;
    };
    const Row rows[] = {
        { "C major", "00 04 07", 0, 0, "0 4 7", { 0, 4, 7 } },
        { "A minor seventh", "00 03 07 10", 9, 9, "9 0 4 7", { 9, 0, 4, 7 } },
        { "A over C sharp repeats the bass", "00 04 07", 9, 1, "1 9 1 4", { 9, 1, 4 } },
        { "B wraps around", "00 04 07", 11, 11, "11 3 6", { 11, 3, 6 } },
        { "root alone", "00", 5, 5, "5", { 5 } },
        { "root alone over a bass", "00", 5, 0, "0 5", { 5 } },
        { "octal-looking entries", "00 08 09", 0, 0, "0 8 9", { 0, 8, 9 } },
        { "an unread root stays unread", "00 04 07", kNoPitch, kNoPitch, "12 4 7", { 12, 4, 7 } },
        { "an unread root over a bass is C", "00 04 07", kNoPitch, 4, "4 0 4 7", { 0, 4, 7 } },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SelectionState s = StartupSelection();
        s.chordIntervals = row.intervals;
        s.rootIndex = row.root;
        s.bassIndex = row.bass;
        const RefreshInput input = FromSelection(s, {});
        EXPECT_EQ(input.chordTones, row.chordTones);
        EXPECT_EQ(NoteListText(input), row.noteList);
    }
    EXPECT_EQ(TransposeIntervals("00 04 07", 2), (std::vector<int> { 2, 6, 9 }));
}
