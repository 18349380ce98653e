// The ChordPro reader, line by line, and the files it refuses or reads with a warning.

#include <gtest/gtest.h>

#include "song/chordpro_reader.h"
#include "song/text_decoding.h"

namespace corvane {
namespace {

    // A line as text, for compact expectations: "lyrics|Swing low|D@6 G@17", "comment|Slowly".
    std::string Describe(const Song& song, const SongLine& line)
    {
        static const char* kinds[]
            = { "lyrics", "comment", "comment_italic", "comment_box", "fixed", "chorus", "kept" };
        std::string out = kinds[static_cast<int>(line.kind)];
        if (line.section >= 0) {
            const SongSection& s = song.sections[static_cast<size_t>(line.section)];
            out += "<" + s.kind + (s.label.empty() ? "" : ":" + s.label) + ">";
        }
        out += "|" + line.text + "|";
        for (const PlacedChord& c : line.chords)
            out += (c.annotation ? "*" : "") + c.name + "@" + std::to_string(c.at)
                + (c.shift ? "+" + std::to_string(c.shift) : "") + " ";
        if (line.kind == SongLineKind::ChorusRecall)
            out += "recalls " + std::to_string(line.recalls);
        while (out.ends_with(' '))
            out.pop_back();
        return out;
    }

    std::vector<std::string> Lines(const Song& song)
    {
        std::vector<std::string> out;
        for (const SongLine& line : song.lines)
            out.push_back(Describe(song, line));
        return out;
    }

    std::vector<std::string> Problems(const Song& song)
    {
        std::vector<std::string> out;
        for (const SongProblem& p : song.problems)
            out.push_back(p.Text());
        return out;
    }

    struct LineCase {
        const char* name;
        const char* text;
        std::vector<std::string> lines;
    };

    const LineCase kLineCases[] = {
        { "chords_at_their_columns", "Swing [D]low, sweet [G]chari[D]ot",
            { "lyrics|Swing low, sweet chariot|D@6 G@17 D@22" } },
        { "chord_at_the_end", "home[A7]", { "lyrics|home|A7@4" } },
        { "chords_alone", "[C] [G] [Am]", { "lyrics|  |C@0 G@1 Am@2" } },
        { "columns_count_characters", "Ça [C]va", { "lyrics|Ça va|C@3" } },
        { "annotation", "[*Riff]Hey [D]you", { "lyrics|Hey you|*Riff@0 D@4" } },
        { "empty_brackets_are_words", "a[]b", { "lyrics|a[]b|" } },
        { "empty_line_is_a_paragraph", "a\n\nb", { "lyrics|a|", "lyrics||", "lyrics|b|" } },
        { "crlf_and_bom", "\xEF\xBB\xBF{t: X}\r\n[C]a\r\n", { "lyrics|a|C@0" } },
        { "hash_lines_dropped", "# note\n  # not at the start\n", { "lyrics|  # not at the start|" } },
        { "comments", "{c: one}\n{ci: two}\n{cb: three}\n{comment_box:four}\n{highlight: five}",
            { "comment|one|", "comment_italic|two|", "comment_box|three|", "comment_box|four|", "comment|five|" } },
        { "sections_and_labels",
            "{sov label=\"Verse 1\"}\na\n{eov}\n{start_of_chorus}\nb\n{end_of_chorus}\n{sob: Middle}\nc\n{eob}",
            { "lyrics<verse:Verse 1>|a|", "lyrics<chorus>|b|", "lyrics<bridge:Middle>|c|" } },
        { "chorus_recall", "{soc}\nb\n{eoc}\n{chorus}\n{chorus: Twice}",
            { "lyrics<chorus>|b|", "chorus||recalls 0", "chorus|Twice|recalls 0" } },
        { "tab_and_grid_kept_fixed", "{sot}\ne|-[0]-|\n  {c: no}\n{eot}\n{start_of_grid}\n| C . | G . |\n{end_of_grid}",
            { "fixed<tab>|e|-[0]-||", "fixed<tab>|  {c: no}|", "fixed<grid>|| C . | G . ||" } },
        { "unknown_environment_kept", "{start_of_abc: Tune}\nX:1\n{end_of_abc}", { "kept<abc:Tune>|X:1|" } },
        { "unknown_directives_kept", "{new_page}\n{textsize-piano: 12}\n{image: src=\"a.png\"}\n{x_mine: 1}",
            { "kept|{new_page}|", "kept|{textsize-piano: 12}|", "kept|{image: src=\"a.png\"}|", "kept|{x_mine: 1}|" } },
        { "guitar_selector_applies", "{comment-guitar: Capo up}", { "comment|Capo up|" } },
        { "transpose_stacks", "[C]\n{transpose: 2}\n[C]\n{transpose: +3}\n[C]\n{transpose}\n[C]\n{transpose}\n[C]",
            { "lyrics||C@0", "lyrics||C@0+2", "lyrics||C@0+5", "lyrics||C@0+2", "lyrics||C@0" } },
        { "text_after_a_directive_is_words", "{c: a} b\n{c: a}{c: b}", { "lyrics|{c: a} b|", "lyrics|{c: a}{c: b}|" } },
        { "metadata_in_a_value", "{c: by %{artist}}", { "comment|by %{artist}|" } },
    };

    TEST(SongReader, ReadsEachKindOfLine)
    {
        for (const LineCase& c : kLineCases) {
            SCOPED_TRACE(c.name);
            const Song song = ReadChordPro(c.text);
            EXPECT_EQ(Lines(song), c.lines);
            EXPECT_EQ(Problems(song), std::vector<std::string>());
        }
    }

    TEST(SongReader, ReadsMetadataAndDefinitions)
    {
        const Song song = ReadChordPro("{title: One}\n{t: Two}\n{st: A}\n{subtitle: B}\n{artist: C}\n{key: F#m}\n"
                                       "{capo: 3}\n{tempo: 96}\n{time: 6/8}\n{composer: D}\n{year: 1900}\n"
                                       "{meta: source E}\n"
                                       "{define: F base-fret 1 frets 1 3 3 2 1 1 fingers 1 3 4 2 1 1}\n"
                                       "{define: Bb7 base-fret 6 frets x 1 3 1 3 1}\n{define Csus}\n"
                                       "{define: Am 1 x 0 2 2 1 0}\n{chord: G base-fret 1 frets 3 2 0 0 0 3}\n"
                                       "{define: P keys 0 4 7}");
        EXPECT_EQ(song.title, "One");
        EXPECT_EQ(song.subtitles, (std::vector<std::string> { "A", "B" }));
        EXPECT_EQ(song.artist, "C");
        EXPECT_EQ(song.key, "F#m");
        EXPECT_EQ(song.capo, 3);
        EXPECT_EQ(song.tempo, "96");
        EXPECT_EQ(song.time, "6/8");
        const std::vector<std::pair<std::string, std::string>> metadata { { "title", "Two" }, { "composer", "D" },
            { "year", "1900" }, { "meta", "source E" } };
        EXPECT_EQ(song.metadata, metadata);
        ASSERT_EQ(song.definitions.size(), 5u);
        EXPECT_EQ(song.definitions[0].frets, (Voicing { -1, 3, 3, 2, 1, 1 }));
        EXPECT_EQ(song.definitions[0].fingers, (std::array<int, 6> { 1, 3, 4, 2, 1, 1 }));
        EXPECT_EQ(song.definitions[1].frets, (Voicing { kMuted, -6, 8, 6, 8, 6 }));
        EXPECT_EQ(song.definitions[1].baseFret, 6);
        EXPECT_FALSE(song.definitions[2].frets);
        EXPECT_EQ(song.definitions[3].frets, (Voicing { kMuted, 0, 2, 2, 1, 0 }));
        EXPECT_TRUE(song.definitions[4].shown);
        EXPECT_EQ(Problems(song), std::vector<std::string>());
    }

    // A {define} read for a count of strings: the frets it keeps (as FretsText writes them, barre marks
    // found by the finger rules for that count), its fingers, or the problem that passes it over.
    struct DefineCase {
        const char* name;
        int strings;
        const char* text;
        const char* frets; // "" when the definition is passed over or gives no frets
        std::vector<int> fingers;
        const char* problem = "";
    };

    const DefineCase kDefineCases[] = {
        { "ukulele_open_c", 4, "{define: C base-fret 1 frets 0 0 0 3}", "0 0 0 3 ", {} },
        { "ukulele_with_fingers", 4, "{define: G frets 0 2 3 2 fingers 0 1 3 2}", "0 2 3 2 ", { 0, 1, 3, 2 } },
        { "ukulele_older_form", 4, "{define: Am 1 2 0 0 0}", "2 0 0 0 ", {} },
        { "muted_as_x_n_and_minus_one", 4, "{define: D frets x N -1 2 fingers x n - 1}", "99 99 99 2 ",
            { 0, 0, 0, 1 } },
        { "base_fret_on_four_strings", 4, "{define: D base-fret 7 frets 1 1 1 3}", "7 7 7 9 ", {} },
        { "four_fingers_need_no_barre", 4, "{define: A base-fret 5 frets 3 1 1 1}", "7 5 5 5 ", {} },
        { "five_strings", 5, "{define: G frets 0 0 0 0 0}", "0 0 0 0 0 ", {} },
        { "seven_string_am", 7, "{define: Am base-fret 1 frets x x 0 2 2 1 0 fingers 0 0 0 2 3 1 0}",
            "99 99 0 2 2 1 0 ", { 0, 0, 0, 2, 3, 1, 0 } },
        { "seven_string_barre", 7, "{define: F base-fret 1 frets x 1 3 3 2 1 1}", "99 -1 3 3 2 1 1 ", {} },
        { "eight_strings_up_the_neck", 8, "{define: Bm base-fret 7 frets x x 1 3 3 2 1 1}", "99 99 -7 9 9 8 7 7 ", {} },
        { "six_strings_read_for_four", 4, "{define: C base-fret 1 frets x 3 2 0 1 0}", "", {},
            "line 1: the definition of \"C\" gives 6 frets, not one for each of the 4 strings; passed over" },
        { "four_frets_read_for_seven", 7, "{define: C frets 0 0 0 3}", "", {},
            "line 1: the definition of \"C\" gives 4 frets, not one for each of the 7 strings; passed over" },
        { "older_form_too_long", 4, "{define: C 1 x 3 2 0 1 0}", "", {},
            "line 1: the definition of \"C\" gives 6 frets, not one for each of the 4 strings; passed over" },
        { "fingers_wrong_count", 4, "{define: C frets 0 0 0 3 fingers 0 0 3}", "", {},
            "line 1: the definition of \"C\" gives 3 fingers, not one for each of the 4 strings; passed over" },
        { "fret_past_the_neck", 4, "{define: E base-fret 24 frets 0 0 0 5}", "", {},
            "line 1: the definition of \"E\" has fret \"5\", not x or a fret 0..27; passed over" },
        { "ninety_nine_is_no_fret", 8, "{define: E frets 0 0 0 0 0 0 0 99}", "", {},
            "line 1: the definition of \"E\" has fret \"99\", not x or a fret 0..27; passed over" },
        { "only_the_name", 7, "{define: Csus}", "", {} },
    };

    TEST(SongReader, ReadsDefinitionsForEachCountOfStrings)
    {
        for (const DefineCase& c : kDefineCases) {
            SCOPED_TRACE(c.name);
            const Song song = ReadChordPro(c.text, c.strings);
            EXPECT_EQ(
                Problems(song), (*c.problem ? std::vector<std::string> { c.problem } : std::vector<std::string>()));
            if (*c.problem) {
                EXPECT_TRUE(song.definitions.empty());
                continue;
            }
            ASSERT_EQ(song.definitions.size(), 1u);
            const ChordDefinition& d = song.definitions[0];
            // Six strings keep their own fields; any other count keeps only the fields for N strings.
            EXPECT_FALSE(d.frets || d.fingers);
            EXPECT_EQ(d.stringFrets ? FretsText(*d.stringFrets) : "", c.frets);
            EXPECT_EQ(d.stringFingers.value_or(std::vector<int> {}), c.fingers);
        }
        // Six strings read by the same path into the six-string fields, whatever the default.
        const Song six = ReadChordPro("{define: F frets 1 3 3 2 1 1 fingers 1 3 4 2 1 1}", 6);
        ASSERT_EQ(six.definitions.size(), 1u);
        EXPECT_EQ(six.definitions[0].frets, (Voicing { -1, 3, 3, 2, 1, 1 }));
        EXPECT_FALSE(six.definitions[0].stringFrets || six.definitions[0].stringFingers);
        EXPECT_EQ(six.definitions[0], ReadChordPro("{define: F frets 1 3 3 2 1 1 fingers 1 3 4 2 1 1}").definitions[0]);
    }

    struct ProblemCase {
        const char* name;
        const char* text;
        std::vector<std::string> problems;
        std::vector<std::string> lines;
    };

    const ProblemCase kProblemCases[] = {
        { "unclosed_bracket", "ok\nSwing [D low",
            { "line 2: \"[\" at column 7 is not closed by \"]\"; the rest of the line is kept as words" },
            { "lyrics|ok|", "lyrics|Swing [D low|" } },
        { "unclosed_brace", "{title: Lost", { "line 1: \"{\" is not closed by \"}\"; the line is kept as words" },
            { "lyrics|{title: Lost|" } },
        { "unknown_chord_kept", "[Xyz]la [C]la",
            { "line 1: chord \"Xyz\" is kept as written: not a chord name: it does not start with a note" },
            { "lyrics|la la|Xyz@0 C@3" } },
        { "section_never_ended", "a\n{soc}\nb", { "line 2: {start_of_chorus} is never ended by {end_of_chorus}" },
            { "lyrics|a|", "lyrics<chorus>|b|" } },
        { "end_without_start", "{eoc}\na", { "line 1: {end_of_chorus} ends no {start_of_chorus}; it is passed over" },
            { "lyrics|a|" } },
        { "section_inside_section", "{sov}\na\n{soc}\nb\n{eoc}",
            { "line 3: {start_of_chorus} before {end_of_verse}; the verse ends here" },
            { "lyrics<verse>|a|", "lyrics<chorus>|b|" } },
        { "chorus_before_any", "{chorus}", { "line 1: {chorus} comes before any chorus; there is nothing to repeat" },
            { "chorus||recalls -1" } },
        { "bad_capo_transpose_and_key", "{capo: 30}\n{transpose: up}\n{key: H#}",
            { "line 1: {capo: 30} is not a fret 0..11; passed over",
                "line 2: {transpose: up} is not a number of semitones -24..24; passed over",
                "line 3: {key: H#} names no key; it is shown as written" },
            {} },
        { "bad_definitions",
            "{define: A frets 0 0 2 2}\n{define: B base-fret 0 frets 0 0 0 0 0 0}\n"
            "{define: C frets x 3 2 0 1 q}\n{define: D frets x x 0 2 3 2 fingers 0 0 0 1 3 9}\n{define}",
            { "line 1: the definition of \"A\" gives 4 frets, not one for each of the 6 strings; passed over",
                "line 2: the definition of \"B\" has base-fret 0, not 1..24; passed over",
                "line 3: the definition of \"C\" has fret \"q\", not x or a fret 0..27; passed over",
                "line 4: the definition of \"D\" has finger \"9\", not 0..5; passed over",
                "line 5: {define} without a chord name; passed over" },
            {} },
    };

    TEST(SongReader, ReportsProblemsWithTheirLinesAndReadsOn)
    {
        for (const ProblemCase& c : kProblemCases) {
            SCOPED_TRACE(c.name);
            const Song song = ReadChordPro(c.text);
            EXPECT_EQ(Problems(song), c.problems);
            EXPECT_EQ(Lines(song), c.lines);
        }
    }

    TEST(SongReader, ManyProblemsAreCounted)
    {
        std::string text;
        for (int i = 0; i < 150; ++i)
            text += "[Q]\n";
        const Song song = ReadChordPro(text);
        ASSERT_EQ(song.problems.size(), 101u);
        EXPECT_EQ(song.problems.back().Text(), "and 50 more problems");
    }

    TEST(SongBytes, ReadsLatin1AndSaysSo)
    {
        const SongReading r = ReadSongBytes("{title: Caf\xE9}\nna\xEFve [C]\x93quoted\x94\n");
        ASSERT_TRUE(r.Read());
        EXPECT_EQ(r.song.title, "Caf\u00E9");
        EXPECT_EQ(r.song.lines.at(0).text, "na\u00EFve \u201Cquoted\u201D");
        ASSERT_FALSE(r.song.problems.empty());
        EXPECT_EQ(r.song.problems[0].Text(), "line 1: not UTF-8; the file is read as Latin-1 (Windows-1252)");
    }

    TEST(SongBytes, RefusesBinaryFiles)
    {
        const std::string withNul = std::string("{title: X}\nabc\n\x89PNG", 18) + std::string(1, '\0') + "rest";
        const SongReading nul = ReadSongBytes(withNul);
        EXPECT_FALSE(nul.Read());
        EXPECT_EQ(nul.refused, "a binary file, not a song: it holds a NUL byte in line 3");

        std::string controls = "text\n";
        for (int i = 0; i < 200; ++i)
            controls += "\x01\x02\x03 x";
        const SongReading noisy = ReadSongBytes(controls);
        EXPECT_FALSE(noisy.Read());
        EXPECT_EQ(noisy.refused.substr(0, 27), "a binary file, not a song: ");
        EXPECT_NE(noisy.refused.find("the first in line 2"), std::string::npos);
    }

    TEST(SongBytes, RefusesTenMegabytes)
    {
        std::string big;
        const std::string line = "[C]la la la [G]la la la [Am]la la la [F]la\n";
        while (big.size() < 10u << 20)
            big += line;
        const SongReading r = ReadSongBytes(big);
        EXPECT_FALSE(r.Read());
        EXPECT_EQ(r.refused.substr(0, 29), "too large for a song: 10.0 MB");
        const size_t lineOfLimit = kMaxSongBytes / line.size() + 1;
        EXPECT_NE(r.refused.find("(reached in line " + std::to_string(lineOfLimit) + ")"), std::string::npos)
            << r.refused;
    }

    TEST(SongBytes, MissingFileIsRefused)
    {
        const SongReading r = ReadSongFile("/nonexistent/song.cho");
        EXPECT_FALSE(r.Read());
        EXPECT_EQ(r.refused, "cannot open /nonexistent/song.cho");
    }

    TEST(SongBytes, OneMegabyteOfOpenBracketsReadsAtOnce)
    {
        const SongReading r = ReadSongBytes(std::string(kMaxSongBytes, '['));
        ASSERT_TRUE(r.Read());
        ASSERT_EQ(r.song.lines.size(), 1u);
        EXPECT_EQ(r.song.lines[0].text.size(), kMaxSongBytes);
    }

} // namespace
} // namespace corvane
