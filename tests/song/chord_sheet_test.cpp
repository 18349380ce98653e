// Chord sheets of chords over words, turned into the ChordPro written by hand next to them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "song/chord_sheet.h"
#include "song/chordpro_reader.h"

namespace corvane {
namespace {

    std::string FileText(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TEST(ChordSheet, WhichLinesAreChordLines)
    {
        const std::pair<const char*, bool> cases[] = {
            { "D          G       D", true },
            { "  Am  C/G  F#m7  Bb", true },
            { "| D | G | x2", true },
            { "N.C.", true },
            { "Swing low, sweet chariot", false },
            { "A day in the life", false },
            { "| | |", false },
            { "", false },
        };
        for (const auto& [line, chords] : cases)
            EXPECT_EQ(IsChordLine(line), chords) << line;
    }

    TEST(ChordSheet, FiveSheetsBecomeTheChordProWrittenByHand)
    {
        int sheets = 0;
        for (const auto& entry : std::filesystem::directory_iterator(CORVANE_SHEETS_DIR)) {
            if (entry.path().extension() != ".txt")
                continue;
            SCOPED_TRACE(entry.path().filename().string());
            ++sheets;
            const std::string sheet = FileText(entry.path());
            std::filesystem::path expected = entry.path();
            expected.replace_extension(".cho");
            const std::string byHand = FileText(expected);
            EXPECT_TRUE(IsChordSheet(sheet));
            EXPECT_FALSE(IsChordSheet(byHand));
            EXPECT_EQ(ChordSheetToChordPro(sheet), byHand);

            const SongReading read = ReadSongBytes(sheet);
            EXPECT_TRUE(read.converted);
            EXPECT_EQ(read.song.problems, std::vector<SongProblem>());
            // The same song, its lines numbered as the sheet's.
            Song written = ReadChordPro(byHand);
            ConvertChordSheet(sheet).ToSheetLines(written);
            EXPECT_EQ(read.song.lines, written.lines);
        }
        EXPECT_EQ(sheets, 5);
    }

    TEST(ChordSheet, LyricsWithoutChordLinesStayAsTheyAre)
    {
        EXPECT_FALSE(IsChordSheet("Just words\nand more words\n"));
        const SongReading read = ReadSongBytes("Just words\n");
        EXPECT_FALSE(read.converted);
        EXPECT_EQ(read.song.lines.at(0).text, "Just words");
    }

} // namespace
} // namespace corvane
