// Markup and substitutions in a song's texts, and what the reader and the writer make of them and
// of the other forms songbooks write: optional and remembered chords, copies, several songs.

#include <gtest/gtest.h>

#include "drawing/diagram_facts.h"
#include "song/chordpro_reader.h"
#include "song/chordpro_writer.h"
#include "song/song_markup.h"
#include "song/song_substitution.h"
#include "song/song_text.h"
#include "song/text_decoding.h"

namespace corvane {
namespace {

    std::string Runs(const MarkupReading& reading)
    {
        std::string out;
        for (const StyledRun& run : reading.runs) {
            out += "[" + std::to_string(run.from) + "," + std::to_string(run.to) + ")";
            const TextStyle& s = run.style;
            out += s.bold ? "b" : "";
            out += s.italic ? "i" : "";
            out += s.underline ? "u" : "";
            out += s.struck ? "s" : "";
            out += s.monospace ? "t" : "";
            out += s.rise > 0 ? "^" : s.rise < 0 ? "_" : "";
            out += s.size != 100 ? std::to_string(s.size) + "%" : "";
            out += s.color.empty() ? "" : " " + s.color;
            out += s.family.empty() ? "" : " " + s.family;
            out += ";";
        }
        return out;
    }

    struct MarkupCase {
        const char* name;
        const char* text;
        const char* plain;
        const char* runs;
    };

    const MarkupCase kMarkupCases[] = {
        { "plain", "no tags here", "no tags here", "" },
        { "bold", "a <b>bold</b> word", "a bold word", "[2,6)b;" },
        { "nested", "<b>x<i>y</i>z</b>", "xyz", "[0,1)b;[1,2)bi;[2,3)b;" },
        { "each tag", "<u>u</u><s>s</s><tt>t</tt><sup>2</sup><sub>3</sub>", "ust23",
            "[0,1)u;[1,2)s;[2,3)t;[3,4)^;[4,5)_;" },
        { "sizes", "<big>B</big><small>s</small>", "Bs", "[0,1)120%;[1,2)83%;" },
        { "span",
            "<span weight=\"bold\" style='italic' foreground=\"red\" size=\"150%\" font_family=\"serif\">x</span>", "x",
            "[0,1)bi150% red serif;" },
        { "self-closing", "a<strut/>b<img src='p.png' scale='20%'/>c", "abc", "" },
        { "entities", "&lt;b&gt; &amp; &nbsp;", "<b> & &nbsp;", "" },
        { "not a tag", "I <3 you, a < b > c, <notatag>", "I <3 you, a < b > c, <notatag>", "" },
        { "closed too early", "<b>a<i>b</b>c</i>", "abc", "[0,1)b;[1,2)bi;" },
        { "never closed", "<b>to the end", "to the end", "[0,10)b;" },
        { "unterminated", "<b never", "<b never", "" },
        { "letters beyond ascii", "<i>ça</i> va", "ça va", "[0,2)i;" },
    };

    TEST(Markup, ReadsTagsAndEntities)
    {
        for (const MarkupCase& c : kMarkupCases) {
            SCOPED_TRACE(c.name);
            const MarkupReading reading = ReadMarkup(c.text);
            EXPECT_EQ(reading.plain, c.plain);
            EXPECT_EQ(Runs(reading), c.runs);
            EXPECT_EQ(HasMarkup(c.text), std::string(c.text) != c.plain);
        }
    }

    TEST(Markup, DeepNestingEndsWithoutHarm)
    {
        std::string text;
        for (int i = 0; i < 10000; ++i)
            text += "<b>";
        text += "x";
        for (int i = 0; i < 10000; ++i)
            text += "</b>";
        EXPECT_EQ(ReadMarkup(text).plain, "x");
    }

    struct SubstitutionCase {
        const char* name;
        const char* text;
        const char* expected;
    };

    const SubstitutionCase kSubstitutionCases[] = {
        { "value", "%{title}", "Song" },
        { "unknown item is nothing", "[%{nothing}]", "[]" },
        { "yes branch", "%{capo|Capo %{}|none}", "Capo 2" },
        { "no branch", "%{tempo|Tempo %{}|none}", "none" },
        { "yes left out", "%{tempo||none}", "none" },
        { "no left out", "[%{tempo|Tempo}]", "[]" },
        { "empty yes is the value", "%{capo|}", "2" },
        { "value tested, yes", "%{key=G|in G|not G}", "in G" },
        { "value tested, no", "%{key=D|in D|not D}", "not D" },
        { "value tested alone", "[%{key=D}]", "[]" },
        { "several values joined", "%{singer}", "Anna, Ben, Cleo" },
        { "first value", "%{singer.1}", "Anna" },
        { "last value", "%{singer.-1}", "Cleo" },
        { "value out of range", "[%{singer.4}][%{singer.0}]", "[][]" },
        { "dotted name", "%{key.print}", "Ab" },
        { "nested in yes", "%{title|%{key|%{title} in %{}}}", "Song in G" },
        { "the outer value in yes", "%{capo|%{key|%{}}}", "G" },
        { "escapes", "\\{ \\| \\} \\\\ %{title}", "{ | } \\ Song" },
        { "escaped bar in yes", "%{title|a\\|b}", "a|b" },
        { "never closed", "%{title", "%{title" },
        { "names are not case-sensitive", "%{TITLE}", "Song" },
        { "no substitution keeps backslashes", "a \\ b", "a \\ b" },
    };

    TEST(Substitution, ExpandsEachForm)
    {
        const SongItems items { { "title", { "Song" } }, { "capo", { "2" } }, { "key", { "G" } },
            { "key.print", { "Ab" } }, { "singer", { "Anna", "Ben", "Cleo" } } };
        for (const SubstitutionCase& c : kSubstitutionCases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(ExpandSubstitutions(c.text, items).text, c.expected);
        }
    }

    TEST(Substitution, ColumnsMoveWithTheValue)
    {
        const Expansion e = ExpandSubstitutions("a%{x}b", { { "x", { "long" } } });
        EXPECT_EQ(e.text, "alongb");
        EXPECT_EQ(e.columnOf, (std::vector<int> { 0, 1, 1, 1, 1, 5, 6 }));
    }

    TEST(Substitution, SelfNestingIsBounded)
    {
        std::string text;
        for (int i = 0; i < 5000; ++i)
            text += "%{a|";
        text += std::string(5000, '}');
        EXPECT_NO_FATAL_FAILURE(ExpandSubstitutions(text, { { "a", { "x" } } }));
    }

    // The example of the format: key C, capo 2, transpose 1.
    TEST(Substitution, KeyItemsFollowTheTranspositionAndTheCapo)
    {
        const ShownSong shown = ShowSong(ReadChordPro("{key: C}\n{capo: 2}\n{transpose: 1}\n"
                                                      "{c: %{key} %{key.print} %{key.sound}}\n[C]x"));
        EXPECT_EQ(shown.lines.front().text, "C Db Eb");
        // The player's own capo and transposition move them too.
        const ShownSong moved = ShowSong(ReadChordPro("{key: C}\n{c: %{key.print} %{key.sound} %{capo}}\n[C]x"),
            SongSettings { 2, 3 }, PlayedOn { "ukulele", "G4 C4 E4 A4", "2026-01-02" });
        EXPECT_EQ(moved.lines.front().text, "B D 3");
    }

    // Whatever stands before a chord, the chord stays over its syllable on screen, in the text
    // and in the ChordPro written back, which keeps the markup and the substitutions.
    TEST(SongMarkup, ChordsKeepTheirSyllablesAndTheFileItsForm)
    {
        const char* const kLines[] = {
            "<b>Bold [G]words</b> and <i>[C]more</i>",
            "%{title} [G]sings, %{artist|by %{}|alone} [D]here",
            "<span foreground=\"red\">%{title}</span> [Em]red &amp; [C]more",
            "{comment: <i>%{title}</i> comment}",
        };
        for (const char* line : kLines) {
            SCOPED_TRACE(line);
            const std::string file = std::string("{title: Song}\n") + line + "\n";
            const ShownSong shown = ShowSong(ReadChordPro(file));
            const std::string written = WriteChordPro(shown, std::vector<StringStripChord> {});
            EXPECT_EQ(written, file);
            for (const ShownLine& l : shown.lines)
                for (const ShownChord& chord : l.chords) {
                    const std::string after = l.text.substr(ByteOfCharacter(l.text, chord.at));
                    EXPECT_TRUE(after.starts_with("words") || after.starts_with("more") || after.starts_with("sings")
                        || after.starts_with("here") || after.starts_with("red"))
                        << chord.name << " over \"" << after << "\"";
                }
        }
        const ShownSong shown = ShowSong(ReadChordPro("{title: Song}\n%{title} [G]sings <b>lo[D]ud</b>"));
        EXPECT_EQ(shown.lines.front().text, "Song sings loud");
        ASSERT_EQ(shown.lines.front().styles.size(), 1u);
        EXPECT_EQ(shown.lines.front().styles.front().from, 11);
        const ChordsOverWords laid = LayOutChords(shown.lines.front());
        EXPECT_EQ(laid.chords, "     G       D");
        EXPECT_EQ(laid.words, "Song sings loud");
        ASSERT_EQ(laid.styles.size(), 1u);
        EXPECT_EQ(laid.styles.front().from, 11);
    }

    TEST(SongChords, OptionalNoAndRememberedChordsAreFingeredAsMeant)
    {
        const ShownSong shown = ShowSong(ReadChordPro("{key: G}\n{sov}\n[G]a [(D)]b [N.C.]c\n{eov}\n"
                                                      "{sov}\n[^]a [^]b [NC]c\n{eov}"),
            SongSettings { 2, std::nullopt });
        EXPECT_TRUE(shown.problems.empty());
        EXPECT_EQ(shown.chords, (std::vector<std::string> { "A", "E" }));
        EXPECT_EQ(shown.played, (std::vector<std::string> { "A", "E", "A", "E" }));
        EXPECT_EQ(shown.lines[0].chords[1].name, "(E)");
        EXPECT_FALSE(shown.lines[0].chords[2].playable);
    }

    TEST(SongChords, CopiesAndDisplayNamesAreFingeredByTheirChord)
    {
        const std::string file = "{define: G base-fret 1 frets 3 2 0 0 0 3 fingers 2 1 0 0 0 3}\n"
                                 "{define: G6add copy G}\n{define: H7 copy B7}\n"
                                 "{define: Gsus display \"G(sus4)\" base-fret 1 frets 3 3 0 0 1 3}\n"
                                 "[G6add]a [H7]b [Gsus]c\n";
        const ShownSong shown = ShowSong(ReadChordPro(file));
        EXPECT_TRUE(shown.problems.empty()) << shown.problems.front().Text();
        EXPECT_EQ(shown.chords, (std::vector<std::string> { "G6add", "B7", "Gsus" }));
        EXPECT_EQ(shown.lines.back().chords[2].name, "G(sus4)");
        const std::vector<StringStripChord> strip = ChooseInstrumentSongFingerings(shown, GuitarStrings());
        ASSERT_EQ(strip.size(), 3u);
        EXPECT_TRUE(strip[0].defined);
        EXPECT_TRUE(strip[1].frets.has_value()); // found as B7
        // Written back as the file had it.
        const std::string written = WriteChordPro(shown, std::vector<StringStripChord> {});
        EXPECT_NE(written.find("{define: G6add copy G}"), std::string::npos) << written;
        EXPECT_NE(written.find("{define: Gsus display \"G(sus4)\" base-fret 1 frets 3 3 0 0 1 3"), std::string::npos);
        EXPECT_NE(written.find("[G6add]a [H7]b [Gsus]c"), std::string::npos);
    }

    // A fingering picked in the window is written with its base fret and fingers, as the CLI's
    // own {define}s are.
    TEST(SongDefinitions, PickedFingeringIsWrittenAsEveryOther)
    {
        const Voicing high = VoicingOfFrets(Frets { 6, { kMuted, kMuted, 0, 7, 7, 5 } });
        EXPECT_EQ(DefinitionText(FingeringDefinition("D", high)),
            "{define: D base-fret 5 frets x x 0 3 3 1 fingers 0 0 0 2 3 1}");
        EXPECT_EQ(DefinitionText(FingeringDefinition("D", high)), ChordProDefine("D", high));
    }

    TEST(SongReader, SeveralSongsInAFile)
    {
        const std::vector<Song> songs = ReadChordProSongs("{new_song}\n{t: A}\n[C]a\n{ns}\n{t: B}\n{key: F}\n[F]b\n");
        ASSERT_EQ(songs.size(), 2u);
        EXPECT_EQ(songs[0].title, "A");
        EXPECT_EQ(songs[1].title, "B");
        EXPECT_EQ(songs[1].key, "F");
        EXPECT_EQ(songs[1].lines.front().source, 7);
        EXPECT_EQ(ReadChordPro("{t: A}\n{ns}\n{t: B}").title, "A");
    }

} // namespace
} // namespace corvane
