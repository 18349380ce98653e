// A song moved to another key and put under a capo, its text and ChordPro forms, and the ten songs
// of tests/song/songs read, shown and written back.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "drawing/diagram_facts.h"
#include "song/chordpro_reader.h"
#include "song/chordpro_writer.h"
#include "song/song_sheet.h"
#include "song/song_text.h"
#include "song/spelling.h"

namespace corvane {
namespace {

    std::vector<std::string> Names(const ShownSong& shown)
    {
        std::vector<std::string> out;
        for (const ShownLine& line : shown.lines)
            for (const ShownChord& chord : line.chords)
                out.push_back(chord.name);
        return out;
    }

    struct SpellingCase {
        const char* chord;
        int semitones;
        const char* key; // the key after the move
        const char* expected;
    };

    const SpellingCase kSpellingCases[] = {
        { "D", 2, "E", "E" },
        { "A7", 2, "E", "B7" },
        { "G", 2, "E", "A" },
        { "D", 1, "Eb", "Eb" },
        { "A7", 1, "Eb", "Bb7" },
        { "D/F#", 1, "Eb", "Eb/G" },
        { "Am7/G", 3, "C", "Cm7/Bb" },
        { "F", 2, "A", "G" }, // the flat seventh of A is G, not F##
        { "Bb", 2, "D", "C" },
        { "Eb", 4, "G", "G" },
        { "C", 3, "Eb", "Eb" },
        { "C", 1, "E", "C#" },
        { "G#m", 1, "Am", "Am" },
        { "B7", 1, "Am", "C7" },
        { "E", 1, "Fm", "F" },
        { "E7", 2, "F#m", "F#7" },
        { "Fmaj7", 6, "B", "Bmaj7" },
        { "A", 6, "F#", "D#" },
        { "Bb", 6, "F#", "E" },
        { "D", 6, "Ab", "Ab" },
        { "C#", -1, "C", "C" },
        { "F", 1, "F#", "F#" }, // F# major's own tonic, not Gb
        { "F\u266F", 2, "E", "G#" },
        { "N.C.", 3, "C", "N.C." },
    };

    TEST(Spelling, ChordsMovedIntoAKey)
    {
        for (const SpellingCase& c : kSpellingCases) {
            SCOPED_TRACE(std::string(c.chord) + " +" + std::to_string(c.semitones) + " in " + c.key);
            const auto key = ReadKey(c.key);
            ASSERT_TRUE(key);
            EXPECT_EQ(TransposeChordName(c.chord, c.semitones, *key), c.expected);
        }
    }

    TEST(Spelling, KeysGetThePlayersNames)
    {
        const std::pair<const char*, const char*> moves[] = { { "D", "E" }, { "A", "B" }, { "F", "G" }, { "Bb", "C" },
            { "Eb", "F" }, { "E", "F#" }, { "Bm", "C#m" }, { "Cm", "Dm" }, { "G#m", "Bbm" } };
        for (const auto& [from, to] : moves)
            EXPECT_EQ(KeyName(TransposeKey(*ReadKey(from), 2)), to) << from;
        EXPECT_EQ(KeyName(*ReadKey("C# minor")), "C#m");
        EXPECT_FALSE(ReadKey("H"));
        EXPECT_FALSE(ReadKey("Gsus"));
    }

    TEST(SongView, TransposeDirectiveAndSettingAgree)
    {
        const Song directive = ReadChordPro("{transpose: 2}\n[D]Swing [G]low [A7]home");
        const Song plain = ReadChordPro("[D]Swing [G]low [A7]home");
        const std::vector<std::string> expected { "E", "A", "B7" };
        EXPECT_EQ(Names(ShowSong(directive)), expected);
        EXPECT_EQ(Names(ShowSong(plain, { 2, std::nullopt })), expected);
    }

    TEST(SongView, TwelveStepsGiveTheSongBack)
    {
        const SongReading read = ReadSongFile(CORVANE_SONGS_DIR "/swing_low.cho");
        const ShownSong original = ShowSong(read.song);
        EXPECT_EQ(ShowSong(read.song, { 12, std::nullopt }).lines, original.lines);

        // One step at a time through written ChordPro, each step spelled for its key.
        std::string text = WriteChordPro(original, std::vector<StringStripChord> {});
        for (int step = 0; step < 12; ++step)
            text = WriteChordPro(ShowSong(ReadChordPro(text), { 1, std::nullopt }), std::vector<StringStripChord> {});
        const ShownSong back = ShowSong(ReadChordPro(text));
        EXPECT_EQ(Names(back), Names(original));
        EXPECT_EQ(back.key, "D");
    }

    // A section's label is written so that it reads back: as it is where it can be, and otherwise
    // the same at the second writing.
    TEST(SongView, LabelsWriteBackAndStay)
    {
        const std::pair<const char*, const char*> cases[] = {
            { "Verse 1", "Verse 1" },
            { " lead in", " lead in" },
            { "label=x", "label=x" },
            { "a label=\"x\"", "a label=\"x\"" },
            { "\u00E8label=\"Br'idge 2\"", "\u00E8label=\"Br'idge 2\"" },
            { "a label=\"x'y\"", "a label=\"xy\"" },
            { "it's \"big\" ", "its \"big\" " },
            { "{open", "open" },
        };
        for (const auto& [label, back] : cases) {
            SCOPED_TRACE(label);
            Song song;
            song.sections.push_back({ "verse", label, "", 1 });
            SongLine line;
            line.text = "a";
            line.section = 0;
            song.lines.push_back(line);
            const std::string written = WriteChordPro(ShowSong(song), std::vector<StringStripChord> {});
            const Song again = ReadChordPro(written);
            ASSERT_EQ(again.sections.size(), 1u) << written;
            EXPECT_EQ(again.sections[0].label, back) << written;
            EXPECT_EQ(WriteChordPro(ShowSong(again), std::vector<StringStripChord> {}), written);
        }
    }

    TEST(SongView, CapoNamesTheShapesAndSaysTheSoundingKey)
    {
        const Song song = ReadChordPro("{key: D}\n[D]a [G]b [A7]c [Bm]d");
        const ShownSong capo2 = ShowSong(song, { 0, 2 });
        EXPECT_EQ(Names(capo2), (std::vector<std::string> { "C", "F", "G7", "Am" }));
        EXPECT_EQ(capo2.key, "C");
        EXPECT_EQ(capo2.soundingKey, "D");
        EXPECT_EQ(KeyLine(capo2), "Key: D \u00B7 capo 2 (play C shapes)");

        // The file's capo: its chords are the shapes, and a player's capo moves from there.
        const Song shapes = ReadChordPro("{key: C}\n{capo: 2}\n[C]a [F]b");
        EXPECT_EQ(Names(ShowSong(shapes)), (std::vector<std::string> { "C", "F" }));
        EXPECT_EQ(ShowSong(shapes).soundingKey, "D");
        EXPECT_EQ(Names(ShowSong(shapes, { 0, 0 })), (std::vector<std::string> { "D", "G" }));
        EXPECT_EQ(Names(ShowSong(shapes, { 0, 4 })), (std::vector<std::string> { "Bb", "Eb" }));
    }

    TEST(SongView, ChorusRecalledAndChordsInPlayingOrder)
    {
        const ShownSong shown = ShowSong(ReadChordPro("{soc}\n[G]a [C]b\n{eoc}\n[D]c [G]d\n{chorus}\n[Q]e"));
        ASSERT_EQ(shown.lines.size(), 5u);
        EXPECT_EQ(shown.lines[2].kind, SongLineKind::ChorusRecall);
        EXPECT_TRUE(shown.lines[3].recalled);
        EXPECT_EQ(shown.lines[3].text, "a b");
        EXPECT_EQ(shown.chords, (std::vector<std::string> { "G", "C", "D" }));
        EXPECT_EQ(shown.played, (std::vector<std::string> { "G", "C", "D", "G", "G", "C" }));
        EXPECT_FALSE(shown.lines[4].chords[0].playable);
    }

    struct LayoutCase {
        const char* name;
        const char* line;
        const char* chords;
        const char* words;
    };

    const LayoutCase kLayoutCases[] = {
        { "plain", "Swing [D]low, sweet [G]chari[D]ot", "      D          G    D", "Swing low, sweet chariot" },
        { "names_that_would_touch", "[Am7]A[D7]h [G]yes", "Am7 D7 G", "A   h  yes" },
        { "chords_alone", "[C] [G] [Am]", "C G Am", "" },
        { "past_the_end", "home[A7]", "    A7", "home" },
        { "wide_characters", "Ça [C]va", "   C", "Ça va" },
        { "annotation", "[*Riff]Hey", "Riff", "Hey" },
        { "no_chords", "just words", "", "just words" },
    };

    TEST(SongText, ChordsStandOverTheirCharacters)
    {
        for (const LayoutCase& c : kLayoutCases) {
            SCOPED_TRACE(c.name);
            const ShownSong shown = ShowSong(ReadChordPro(c.line));
            ASSERT_EQ(shown.lines.size(), 1u);
            const ChordsOverWords laid = LayOutChords(shown.lines[0]);
            EXPECT_EQ(laid.chords, c.chords);
            EXPECT_EQ(laid.words, c.words);
        }
    }

    TEST(SongText, WholeSong)
    {
        const ShownSong shown = ShowSong(ReadChordPro("{title: T}\n{key: G}\n{c: Slow}\n{soc}\n[G]Sing [C]on\n{eoc}\n\n"
                                                      "{sot}\ne|-0-|\n{eot}\n{chorus}"));
        const std::vector<StringStripChord> strip { { "G", FretsOfVoicing(Voicing { 3, 2, 0, 0, 0, 3 }), false, "" },
            { "C", std::nullopt, false, "no fingering with these options" } };
        EXPECT_EQ(SongText(shown, strip),
            "T\nKey: G\n\nG 320003   C -\n(Slow)\n\nChorus:\n  G    C\n  Sing on\n\ne|-0-|\n\nChorus\n  G    C\n  Sing "
            "on\n");
    }

    TEST(SongSheet, LinesAreNeverSplitAcrossPages)
    {
        // Blocks of one and two lines, 10 units a line; the first page starts lower.
        std::vector<SheetBlock> blocks;
        for (int i = 0; i < 12; ++i)
            blocks.push_back({ i % 2 ? "C" : "", "words", false, false, false, 0, false, {} });
        // Heights 10, 20, 10, 20...: blocks 0 to 3 fill the first page from 40 to exactly 100, blocks 4 to
        // 10 the second from 0 to 100, and the last goes to a third.
        EXPECT_EQ(PageStarts(blocks, 10, 40, 0, 100), (std::vector<std::size_t> { 0, 4, 11 }));
        EXPECT_EQ(PageStarts({}, 10, 40, 0, 100), (std::vector<std::size_t> { 0 }));
        // A block taller than a page still gets a page of its own, and nothing loops.
        const std::vector<SheetBlock> tall { { "C", "w", false, false, false, 0, false, {} } };
        EXPECT_EQ(PageStarts(tall, 60, 0, 0, 100), (std::vector<std::size_t> { 0 }));
        EXPECT_EQ(PageStarts(tall, 60, 50, 0, 100), (std::vector<std::size_t> { 0, 0 }));
    }

    TEST(SongSheet, BlocksOfASong)
    {
        const ShownSong shown = ShowSong(ReadChordPro("{title: T}\n{c: Slow}\n{soc}\n[G]Sing\n{eoc}\n\n{chorus}"));
        const SongSheetContent sheet
            = SongSheetOf(shown, { { "G", FretsOfVoicing(Voicing { 3, 2, 0, 0, 0, 3 }), false, "" } });
        EXPECT_EQ(sheet.names, std::vector<std::string> { "G" });
        std::vector<std::string> described;
        for (const SheetBlock& b : sheet.blocks)
            described.push_back(b.gap ? "gap" : (b.heading ? "# " : b.remark ? "( " : "") + b.chords + "|" + b.words);
        EXPECT_EQ(described,
            (std::vector<std::string> { "( |Slow", "gap", "# |Chorus", "G|Sing", "gap", "# |Chorus", "G|Sing" }));
    }

    // What a reader of the written file must find again.
    struct Facts {
        std::string title;
        std::vector<std::string> subtitles;
        std::string key;
        int capo = 0;
        std::vector<std::string> lines;
        std::vector<ChordDefinition> definitions;
        bool operator==(const Facts&) const = default;
    };

    Facts FactsOf(const ShownSong& shown)
    {
        Facts f { shown.title, shown.subtitles, shown.key, shown.capo, {}, shown.definitions };
        for (ChordDefinition& d : f.definitions)
            d.line = 0;
        for (const ShownLine& line : shown.lines) {
            std::string text = std::to_string(static_cast<int>(line.kind)) + (line.recalled ? "r" : "") + "|";
            if (line.section >= 0)
                text += shown.sections[static_cast<size_t>(line.section)].kind + ":"
                    + shown.sections[static_cast<size_t>(line.section)].label;
            text += "|" + line.text + "|";
            for (const ShownChord& c : line.chords)
                text += (c.annotation ? "*" : "") + c.name + "@" + std::to_string(c.at) + " ";
            f.lines.push_back(text);
        }
        return f;
    }

    std::vector<std::filesystem::path> SongFiles()
    {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(CORVANE_SONGS_DIR))
            if (entry.path().extension() == ".cho")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        return files;
    }

    std::string FileText(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TEST(Songs, TenSongsUseEveryDirective)
    {
        const std::vector<std::filesystem::path> files = SongFiles();
        ASSERT_GE(files.size(), 10u);
        std::set<std::string> used;
        for (const auto& file : files) {
            std::istringstream lines(FileText(file));
            for (std::string line; std::getline(lines, line);) {
                if (line.starts_with("{"))
                    used.insert(line.substr(1, line.find_first_not_of("abcdefghijklmnopqrstuvwxyz_", 1) - 1));
                if (line.starts_with("#"))
                    used.insert("#");
                if (line.find("[*") != std::string::npos)
                    used.insert("[*annotation]");
                if (line.find("%{") != std::string::npos)
                    used.insert("%{metadata}");
            }
        }
        for (const char* name : { "title", "t", "subtitle", "st", "artist", "key", "capo", "tempo", "time", "comment",
                 "c", "comment_italic", "ci", "comment_box", "cb", "start_of_chorus", "soc", "end_of_chorus", "eoc",
                 "chorus", "start_of_verse", "sov", "end_of_verse", "eov", "start_of_bridge", "sob", "end_of_bridge",
                 "eob", "start_of_tab", "sot", "end_of_tab", "eot", "start_of_grid", "end_of_grid", "define", "chord",
                 "transpose", "new_page", "image", "textfont", "columns", "start_of_abc", "end_of_abc", "#",
                 "[*annotation]", "%{metadata}", "composer", "album", "year", "copyright", "meta", "duration" })
            EXPECT_TRUE(used.count(name)) << name << " is in none of the songs";
    }

    TEST(Songs, EachReadsShowsAndWritesBack)
    {
        for (const auto& file : SongFiles()) {
            SCOPED_TRACE(file.filename().string());
            const SongReading read = ReadSongFile(file.string());
            ASSERT_TRUE(read.Read()) << read.refused;
            EXPECT_EQ(read.song.problems, std::vector<SongProblem>());
            EXPECT_FALSE(read.song.title.empty());
            const ShownSong shown = ShowSong(read.song);
            EXPECT_FALSE(shown.chords.empty());
            const std::vector<StringStripChord> strip = ChooseInstrumentSongFingerings(shown, GuitarStrings());
            ASSERT_EQ(strip.size(), shown.chords.size());
            for (const StringStripChord& chord : strip)
                EXPECT_TRUE(chord.frets) << chord.name << ": " << chord.problem;
            EXPECT_NE(SongText(shown, strip).find(shown.title), std::string::npos);

            const std::string written = WriteChordPro(shown, strip);
            const Song again = ReadChordPro(written);
            EXPECT_EQ(again.problems, std::vector<SongProblem>()) << written;
            const ShownSong shownAgain = ShowSong(again);
            Facts before = FactsOf(shown);
            const Facts after = FactsOf(shownAgain);
            // The written file defines every chord of the strip, with the fingering chosen.
            for (const StringStripChord& chord : strip) {
                if (!chord.frets || chord.defined)
                    continue;
                ChordDefinition defined;
                defined.name = chord.name;
                defined.frets = VoicingOfFrets(*chord.frets);
                before.definitions.push_back(defined);
            }
            ASSERT_EQ(after.definitions.size(), before.definitions.size());
            for (size_t i = 0; i < before.definitions.size(); ++i) {
                EXPECT_EQ(after.definitions[i].name, before.definitions[i].name);
                EXPECT_EQ(after.definitions[i].frets, before.definitions[i].frets);
            }
            before.definitions = after.definitions;
            EXPECT_EQ(after, before) << written;
            const std::vector<StringStripChord> chosenAgain
                = ChooseInstrumentSongFingerings(shownAgain, GuitarStrings());
            ASSERT_EQ(chosenAgain.size(), strip.size());
            for (size_t i = 0; i < strip.size(); ++i) {
                EXPECT_EQ(chosenAgain[i].name, strip[i].name);
                EXPECT_EQ(chosenAgain[i].frets, strip[i].frets) << strip[i].name;
            }
        }
    }

    TEST(Songs, DefinitionWinsOverTheChoice)
    {
        const ShownSong shown = ShowSong(ReadChordPro("{define: C base-fret 3 frets x 1 3 3 3 1}\n[C]a [G]b"));
        const std::vector<StringStripChord> strip = ChooseInstrumentSongFingerings(shown, GuitarStrings());
        ASSERT_EQ(strip.size(), 2u);
        EXPECT_TRUE(strip[0].defined);
        EXPECT_EQ(strip[0].frets, FretsOfVoicing({ kMuted, -3, 5, 5, 5, 3 }));
        EXPECT_FALSE(strip[1].defined);
    }

    // Every song on every other instrument, read for its strings: each chord gets a fingering of the
    // instrument's strings, the same choice whoever asks (the sheet, the text, the ChordPro), and a
    // {define} of six frets is passed over. The ChordPro written reads back for the same strings, with
    // no problem, to the same lines and the same fingerings, each now the file's own.
    TEST(Songs, EveryInstrumentFingersEverySongAndReadsItBack)
    {
        for (const char* name : { "ukulele", "mandolin", "baritone-ukulele", "7-string-guitar" }) {
            SCOPED_TRACE(name);
            const Instrument& instrument = *FindInstrument(name);
            const StringSet strings = StringSetOf(instrument, instrument.tunings.front().strings);
            const int count = instrument.Strings();
            for (const auto& file : SongFiles()) {
                SCOPED_TRACE(file.filename().string());
                const Song song = ReadSongFile(file.string(), count).song;
                for (const SongProblem& problem : song.problems)
                    EXPECT_NE(problem.message.find("gives 6 frets, not one for each of the " + std::to_string(count)),
                        std::string::npos)
                        << problem.Text();
                const ShownSong shown = ShowSong(song);
                const std::vector<StringStripChord> strip = ChooseInstrumentSongFingerings(shown, strings);
                ASSERT_EQ(strip.size(), shown.chords.size());
                for (const StringStripChord& chord : strip) {
                    ASSERT_TRUE(chord.frets) << chord.name << ": " << chord.problem;
                    EXPECT_EQ(chord.frets->count, count);
                    EXPECT_FALSE(chord.defined);
                }
                const SongSheetContent sheet = SongSheetOf(shown, strip);
                ASSERT_EQ(sheet.diagrams.size(), strip.size());
                EXPECT_EQ(sheet.diagrams.front(), *strip.front().frets);
                EXPECT_NE(SongText(shown, strip).find(strip.front().name + " " + StripFrets(strip.front())),
                    std::string::npos);

                const std::string written = WriteChordPro(shown, strip);
                EXPECT_NE(written.find(ChordProDefine(strip.front().name, *strip.front().frets)), std::string::npos);
                const Song again = ReadChordPro(written, count);
                EXPECT_EQ(again.problems, std::vector<SongProblem>()) << written;
                const ShownSong shownAgain = ShowSong(again);
                EXPECT_EQ(FactsOf(shownAgain).lines, FactsOf(shown).lines);
                const std::vector<StringStripChord> chosenAgain = ChooseInstrumentSongFingerings(shownAgain, strings);
                ASSERT_EQ(chosenAgain.size(), strip.size());
                for (size_t i = 0; i < strip.size(); ++i) {
                    EXPECT_EQ(chosenAgain[i].name, strip[i].name);
                    EXPECT_EQ(chosenAgain[i].frets, strip[i].frets) << strip[i].name;
                    EXPECT_TRUE(chosenAgain[i].defined) << strip[i].name;
                }
                EXPECT_EQ(WriteChordPro(shownAgain, chosenAgain), written);
            }
        }
    }

    // A definition is played on the strings it was read for, and only there.
    TEST(Songs, DefinitionOfTheInstrumentsStringsWins)
    {
        const Instrument& ukulele = *FindInstrument("ukulele");
        const StringSet strings = StringSetOf(ukulele, ukulele.tunings.front().strings);
        const std::string text = "{define: C base-fret 3 frets 3 2 1 1}\n{define: G base-fret 3 frets x 3 2 0 0 3}\n"
                                 "[C]a [G]b [F]c";
        const auto strip = ChooseInstrumentSongFingerings(ShowSong(ReadChordPro(text, 4)), strings);
        ASSERT_EQ(strip.size(), 3u);
        EXPECT_TRUE(strip[0].defined);
        EXPECT_EQ(StripFrets(strip[0]), "5433");
        EXPECT_FALSE(strip[1].defined) << "six frets read for four strings are passed over";
        EXPECT_EQ(StripFrets(strip[1]), "0232");
        EXPECT_EQ(StripFrets(strip[2]), "2010");

        // Read for six strings, the definitions are the six-string guitar's: the ukulele chooses its own.
        const auto chosen = ChooseInstrumentSongFingerings(
            ShowSong(ReadChordPro("{define: C base-fret 3 frets x 1 3 3 3 1}\n[C]a [G]b")), strings);
        ASSERT_EQ(chosen.size(), 2u);
        EXPECT_FALSE(chosen[0].defined);
        EXPECT_EQ(StripFrets(chosen[0]), "0003");
        EXPECT_EQ(StripFrets(chosen[1]), "0232");

        // Six strings of one's own tuning take a six-string definition as the guitar does.
        const StringSet six = StringSetOf(SixStringGuitar(), GuitarOpenStrings(kStandardTuning));
        const auto guitar = ChooseInstrumentSongFingerings(
            ShowSong(ReadChordPro("{define: C base-fret 3 frets x 1 3 3 3 1}\n[C]a")), six);
        ASSERT_EQ(guitar.size(), 1u);
        EXPECT_TRUE(guitar[0].defined);
        EXPECT_EQ(guitar[0].frets, FretsOfVoicing(Voicing { kMuted, -3, 5, 5, 5, 3 }));
    }

} // namespace
} // namespace corvane
