// The words as a screen reader hears them: each chord in brackets before its syllable, and the caret's
// places on the screen's two lines found again in the spoken one.
#include "song/spoken_sheet.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

    SheetBlock Lyrics(std::string chords, std::string words, int indent = 0)
    {
        SheetBlock block;
        block.chords = std::move(chords);
        block.words = std::move(words);
        block.indent = indent;
        return block;
    }

    SheetBlock Gap()
    {
        SheetBlock block;
        block.gap = true;
        return block;
    }

    TEST(SpokenSheet, ChordsStandBeforeTheirSyllables)
    {
        struct Row {
            SheetBlock block;
            std::string spoken;
        };
        const Row rows[] = {
            { Lyrics("      D          G    D", "Swing low, sweet chariot"), "Swing [D]low, sweet [G]chari[D]ot" },
            { Lyrics("D", "Oh"), "[D]Oh" },
            // Past the words' end, and a line of chords alone.
            { Lyrics("  C        G7", "I come"), "I [C]come [G7]" },
            { Lyrics("D   G  A7", ""), "[D] [G] [A7]" },
            // A chorus keeps its indent; words alone and headings read as shown.
            { Lyrics("Am", "Oh", 2), "  [Am]Oh" },
            { Lyrics("", "Verse 1"), "Verse 1" },
            // Characters, not bytes: "é" is one.
            { Lyrics("  E", "Olé ya"), "Ol[E]é ya" },
        };
        for (const Row& row : rows)
            EXPECT_EQ(SpeakSheet({ row.block }).text, row.spoken) << row.block.words;
    }

    TEST(SpokenSheet, EachShownPlaceHasItsSpokenPlaceAndBack)
    {
        const SpokenSheet spoken
            = SpeakSheet({ Lyrics("", "Chorus"), Lyrics("      D", "Swing low"), Gap(), Lyrics("G", "", 0) });
        EXPECT_EQ(spoken.text, "Chorus\nSwing [D]low\n\n[G]");
        // Shown: "Chorus", the chord line, the words, the gap, the line of "G".
        ASSERT_EQ(spoken.at.size(), 5U);
        const int second = 7; // "Chorus\n"
        EXPECT_EQ(spoken.at[0][0], 0);
        EXPECT_EQ(spoken.at[0][6], 6) << "one past the end";
        EXPECT_EQ(spoken.at[2][0], second) << "S";
        EXPECT_EQ(spoken.at[2][6], second + 9) << "l of low, after [D]";
        EXPECT_EQ(spoken.at[1][6], second + 6) << "the chord's bracket";
        EXPECT_EQ(spoken.at[1][2], second + 2) << "a blank over the w";
        EXPECT_EQ(spoken.at[3][0], second + 13);
        EXPECT_EQ(spoken.at[4][0], second + 14);

        struct Back {
            int offset;
            int line;
            int column;
        };
        for (const Back& back : {
                 Back { 0, 0, 0 },
                 Back { second, 2, 0 }, // the words' line wins where both stand
                 Back { second + 6, 1, 6 }, // the bracket: the chord
                 Back { second + 7, 1, 6 }, // inside "[D]"
                 Back { second + 9, 2, 6 },
                 Back { second + 14, 4, 0 },
                 Back { 1000, 4, 1 },
             }) {
            const ShownPlace place = ShownPlaceOf(spoken, back.offset);
            EXPECT_EQ(place.line, back.line) << back.offset;
            EXPECT_EQ(place.column, back.column) << back.offset;
        }
    }

} // namespace
} // namespace corvane
