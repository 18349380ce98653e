// Chord sheets as they are copied from chord sites, each next to the ChordPro written by hand for it:
// every line of words and every chord must come out where the sheet puts it.

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

    std::vector<std::filesystem::path> Sheets()
    {
        std::vector<std::filesystem::path> sheets;
        for (const auto& entry : std::filesystem::directory_iterator(CORVANE_WEB_SHEETS_DIR))
            if (entry.path().extension() == ".txt")
                sheets.push_back(entry.path());
        std::sort(sheets.begin(), sheets.end());
        return sheets;
    }

    TEST(WebSheets, EverySheetBecomesTheChordProWrittenByHand)
    {
        const std::vector<std::filesystem::path> sheets = Sheets();
        EXPECT_GE(sheets.size(), 14u);
        for (const std::filesystem::path& path : sheets) {
            SCOPED_TRACE(path.filename().string());
            const std::string sheet = FileText(path);
            std::filesystem::path expected = path;
            expected.replace_extension(".cho");
            const std::string byHand = FileText(expected);
            EXPECT_TRUE(IsChordSheet(sheet));
            EXPECT_FALSE(IsChordSheet(byHand));
            EXPECT_EQ(ChordSheetToChordPro(sheet), byHand);

            const SongReading read = ReadSongBytes(sheet);
            EXPECT_TRUE(read.converted);
            // The same song, its lines numbered as the sheet's.
            Song written = ReadChordPro(byHand);
            ConvertChordSheet(sheet).ToSheetLines(written);
            EXPECT_EQ(read.song.lines, written.lines);
            EXPECT_EQ(read.song.definitions, written.definitions);
            EXPECT_EQ(read.song.problems, written.problems);
        }
    }

    // What the sheets say besides their lines, checked on the song read.
    TEST(WebSheets, WhatTheSheetsSay)
    {
        const auto read = [](const char* name) {
            return ReadSongBytes(FileText(std::filesystem::path(CORVANE_WEB_SHEETS_DIR) / name)).song;
        };
        // Chords the reader does not know stay chords, each listed once.
        const Song unknown = read("unknown_chord.txt");
        ASSERT_EQ(unknown.problems.size(), 1u); // D7alt is read, as the altered dominant
        EXPECT_NE(unknown.problems[0].message.find("\"Esus24\""), std::string::npos);
        EXPECT_EQ(unknown.lines.at(0).chords.at(1).name, "Bm7sus2");
        // Each named by the line of the sheet where it is written, and so are the words under them.
        EXPECT_EQ(unknown.problems[0].line, 5);
        EXPECT_EQ(unknown.lines.at(1).source, 3);
        const Song titled = read("sections.txt");
        ASSERT_FALSE(titled.sections.empty());
        EXPECT_EQ(titled.sections.front().line, 4) << "[Verse 1]";

        // The legend's fingerings, whichever way they are written.
        const Song legend = read("legend.txt");
        ASSERT_EQ(legend.definitions.size(), 4u);
        EXPECT_EQ(VoicingText(*legend.definitions[1].frets), "99 0 2 1 2 0 ");
        EXPECT_EQ(VoicingText(*legend.definitions[2].frets), "99 99 0 2 1 2 ");

        // The head of a ChordPro file is kept; the chords over its words are read.
        const Song head = read("chordpro_head.txt");
        EXPECT_EQ(head.title, "The Long Road");
        EXPECT_EQ(head.key, "E");
        EXPECT_EQ(head.lines.at(1).chords.size(), 2u);

        // A tab block is fixed-width text, chords and all.
        const Song environments = read("chordpro_environments.txt");
        EXPECT_TRUE(std::any_of(environments.lines.begin(), environments.lines.end(),
            [](const SongLine& line) { return line.kind == SongLineKind::Fixed && line.text == "G  C  D"; }));
    }

    TEST(WebSheets, ChordLinesAmongWords)
    {
        const std::pair<const char*, bool> cases[] = {
            { "D  Bm7sus2  Bm7", true }, { "D  D7alt  G", true }, // one chord not known among known ones
            { "Intro: G  D  x2", true }, { "G / / / | C / / /", true }, { "N.C.   G", true }, { "G\tC\tD", true },
            { "(G)  C", true }, { "A man and a woman", false }, { "Am I blue", false }, { "Hold on", false },
            { "Chorus:", false }, { "D7alt Esus24", false }, // nothing on it is a chord
        };
        for (const auto& [line, chords] : cases)
            EXPECT_EQ(IsChordLine(line), chords) << line;
        // A ChordPro file with its chords in the words is never a sheet, even with a chord line.
        EXPECT_FALSE(IsChordSheet("{title: X}\n[G]Words here\nG  C\nmore words\n"));
        // Nor is one of words alone, or with chord lines only inside its tab.
        EXPECT_FALSE(IsChordSheet("{title: X}\nJust words\n"));
        EXPECT_FALSE(IsChordSheet("{title: X}\n{start_of_tab}\nG  C\nwords\n{end_of_tab}\n"));
    }

    // A chord and its frets is a legend; the beats counted after a chord are not frets.
    TEST(WebSheets, LegendsAndWhatIsNoLegend)
    {
        EXPECT_EQ(ChordSheetToChordPro("C 0003\n"), "{define: C base-fret 1 frets 0 0 0 3}\n");
        EXPECT_EQ(ChordSheetToChordPro("F#m7: 2 x 2 2 2 x\n"), "{define: F#m7 base-fret 1 frets 2 x 2 2 2 x}\n");
        EXPECT_EQ(ChordSheetToChordPro("Bm x-2-4-4-3-2\n"), "{define: Bm base-fret 1 frets x 2 4 4 3 2}\n");
        EXPECT_EQ(ChordSheetToChordPro("Count in\nG  1 2 3 4\n"), "Count in\nG  1 2 3 4\n");
        EXPECT_EQ(ChordSheetToChordPro("Legend\nXm 022000\n"), "Legend\nXm 022000\n") << "no chord, no legend";
        EXPECT_EQ(ChordSheetToChordPro("E 02210\nwords\n").substr(0, 8), "{define:") << "five strings";
    }

    TEST(WebSheets, TabsStopEveryEightColumns)
    {
        EXPECT_EQ(ChordSheetToChordPro("G\tC\nab\tcdefgh\n"), "[G]ab      [C]cdefgh\n");
        EXPECT_EQ(ChordSheetToChordPro("\tC\nab\u00e9\tcd\n"), "ab\u00e9     [C]cd\n");
    }

} // namespace
} // namespace corvane
