// corvane-cli song: the ten songs in every format, the exit statuses, and the round trip through
// the written ChordPro.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli_runner.h"

namespace {

const std::string kSongs = CORVANE_SONGS_DIR;

std::string Song(const std::string& name) { return "'" + kSongs + "/" + name + "'"; }

std::string Scratch(const std::string& name, const std::string& text)
{
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(SongCli, EverySongInEveryFormat)
{
    for (const auto& entry : std::filesystem::directory_iterator(kSongs)) {
        const std::string file = "'" + entry.path().string() + "'";
        SCOPED_TRACE(file);
        for (const char* format : { "text", "chordpro", "json", "svg" }) {
            const CliRun run = Cli("song " + file + " --format " + format);
            EXPECT_EQ(run.status, 0) << format;
            EXPECT_FALSE(run.out.empty()) << format;
        }
    }
}

TEST(SongCli, JsonKeys)
{
    const CliRun run = Cli("song " + Song("swing_low.cho") + " --format json --transpose 2");
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["title"], "Swing Low, Sweet Chariot");
    EXPECT_EQ(json["subtitle"], "Traditional spiritual");
    EXPECT_EQ(json["key"], "E");
    EXPECT_EQ(json["capo"], 0);
    EXPECT_EQ(json["transpose"], 2);
    ASSERT_EQ(json["chords"].size(), 3u);
    EXPECT_EQ(json["chords"][0]["name"], "E");
    EXPECT_EQ(json["chords"][1]["name"], "A");
    EXPECT_EQ(json["chords"][2]["name"], "B7");
    EXPECT_EQ(json["chords"][0]["frets"].size(), 6u);
    const auto& first = json["lines"][1];
    EXPECT_EQ(first["section"], "chorus");
    EXPECT_EQ(first["text"], "Swing low, sweet chariot,");
    EXPECT_EQ(first["chords"][0], (nlohmann::json { { "at", 6 }, { "name", "E" } }));
    EXPECT_EQ(first["chords"][1], (nlohmann::json { { "at", 17 }, { "name", "A" } }));
    EXPECT_TRUE(json["problems"].empty());
}

TEST(SongCli, TransposeAndCapo)
{
    const std::string file = Scratch("dga.cho", "{transpose: 2}\n[D]Swing [G]low [A7]home\n");
    const std::vector<std::string> text = Lines(Cli("song '" + file + "'").out);
    ASSERT_EQ(text.size(), 5u);
    EXPECT_EQ(text[0], "Key: E (guessed)");
    EXPECT_EQ(text[3], "E     A   B7");
    EXPECT_EQ(text[4], "Swing low home");
    EXPECT_EQ(Cli("song '" + file + "' --format chordpro").out.find("{key:"), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(Cli("song '" + file + "' --format json").out)["keyGuessed"], true);
    const std::string plain = Scratch("dga_plain.cho", "{key: D}\n[D]Swing [G]low [A7]home\n");
    const CliRun moved = Cli("song '" + plain + "' --transpose 2 --format chordpro");
    EXPECT_NE(moved.out.find("{key: E}"), std::string::npos);
    EXPECT_NE(moved.out.find("[E]Swing [A]low [B7]home"), std::string::npos) << moved.out;
    const CliRun capo = Cli("song '" + plain + "' --capo 2 --format chordpro");
    EXPECT_NE(capo.out.find("{capo: 2}"), std::string::npos);
    EXPECT_NE(capo.out.find("[C]Swing [F]low [G7]home"), std::string::npos) << capo.out;
    // A song in B flat is played with open shapes under a capo, and still sounds in B flat.
    const std::string flat = Scratch("bb.cho", "{key: Bb}\n[Bb]a [Eb]b [F7]c [Bb]d\n");
    const std::string suggested = Cli("song '" + flat + "' --capo auto --format json").out;
    const auto json = nlohmann::json::parse(suggested);
    EXPECT_GT(json["capo"], 0);
    EXPECT_EQ(json["key"], "Bb");
    EXPECT_EQ(Cli("song '" + flat + "' --format json --capo " + json["capo"].dump()).out, suggested);
    // A song of open shapes keeps none, and the text says why.
    const std::string open = Scratch("dga7d7.cho", "{key: D}\n[D]Swing [G]low, [A7]sweet [D7]chariot\n");
    EXPECT_EQ(nlohmann::json::parse(Cli("song '" + open + "' --capo auto --format json").out)["capo"], 0);
    EXPECT_EQ(Lines(Cli("song '" + open + "' --capo auto").out).front(), "No capo: every chord is an open shape");
    EXPECT_EQ(
        Lines(Cli("song '" + flat + "' --capo auto").out).front(), "Capo 1: A D E7 shapes instead of 3 barre chords");
    EXPECT_EQ(Cli("song '" + plain + "' --transpose 12 --format chordpro").out,
        Cli("song '" + plain + "' --format chordpro").out);
}

TEST(SongCli, WrittenChordProReadsBackTheSame)
{
    for (const char* name : { "circle.cho", "oh_susanna.cho", "wayfaring_stranger.cho", "greensleeves.cho" }) {
        SCOPED_TRACE(name);
        const CliRun first = Cli("song " + Song(name) + " --format chordpro");
        ASSERT_EQ(first.status, 0);
        const std::string again = Scratch(std::string("again_") + name, first.out);
        EXPECT_EQ(Cli("song '" + again + "' --format chordpro").out, first.out);
        // The same but for the fingerings now being the file's own definitions.
        auto back = nlohmann::json::parse(Cli("song '" + again + "' --format json").out);
        for (auto& chord : back["chords"])
            chord.erase("defined");
        auto original = nlohmann::json::parse(Cli("song " + Song(name) + " --format json").out);
        for (auto& chord : original["chords"])
            chord.erase("defined");
        // The notes name the lines of the environments not drawn, which the file written moves.
        EXPECT_EQ(back.contains("notes"), original.contains("notes"));
        back.erase("notes");
        original.erase("notes");
        EXPECT_EQ(back, original);
    }
}

TEST(SongCli, ExitStatuses)
{
    EXPECT_EQ(Cli("song /nonexistent.cho").status, 2);
    const CliRun missing = Cli("song /nonexistent.cho", {}, true);
    EXPECT_EQ(missing.out, "corvane-cli: /nonexistent.cho: cannot open /nonexistent.cho\n");
    const std::string binary = Scratch("binary.cho", std::string("ab\ncd\0ef", 8));
    EXPECT_EQ(Cli("song '" + binary + "'", {}, true).out,
        "corvane-cli: " + binary + ": a binary file, not a song: it holds a NUL byte in line 2\n");
    EXPECT_EQ(Cli("song '" + binary + "'").status, 2);

    // Read with problems: said on stderr, and the song is still written.
    const std::string broken = Scratch("broken.cho", "{title: Broken\n[C]one [Xq]two [G\n");
    const CliRun run = Cli("song '" + broken + "'", {}, true);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("line 1: \"{\" is not closed"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("line 2: chord \"Xq\" is kept as written"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("line 2: \"[\" at column 9 is not closed"), std::string::npos) << run.out;

    EXPECT_EQ(Cli("song " + Song("swing_low.cho") + " --capo 12").status, 2);
    EXPECT_EQ(Cli("song " + Song("swing_low.cho") + " --transpose 30").status, 2);
    EXPECT_EQ(Cli("song " + Song("swing_low.cho") + " --format doc").status, 2);

    // An output that cannot take the bytes is a failure, also when the disk fills only as the file
    // is closed; the songbook writes the same way.
    for (const std::string out : { "/dev/full", "/no/such/folder/out.txt" }) {
        EXPECT_EQ(Cli("song " + Song("swing_low.cho") + " --out " + out).status, 2) << out;
        EXPECT_EQ(Cli("songbook " + Song("swing_low.cho") + " --format json --out " + out).status, 2) << out;
    }
}

TEST(SongCli, ReadsChordsOverWords)
{
    const std::string sheet = "'" + kSongs + "/../sheets/swing_low.txt'";
    const CliRun run = Cli("song " + sheet + " --format chordpro");
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("{title: Swing Low, Sweet Chariot}\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n{start_of_chorus}\nSwing [D]low, sweet [G]chari[D]ot,\n"), std::string::npos) << run.out;
    const auto json = nlohmann::json::parse(Cli("song " + sheet + " --format json --transpose 2").out);
    EXPECT_EQ(json["key"], "E");
    EXPECT_EQ(json.at("lines").at(2).at("chords").at(0).at("name"), "E");
}

#ifdef CORVANE_CLI_PDF
TEST(SongCli, PdfPagesAndFirstPageImage)
{
    std::string longSong = "{title: Long}\n";
    for (int i = 0; i < 200; ++i)
        longSong += "[C]Line [G]number " + std::to_string(i) + "\n";
    const std::string file = Scratch("long.cho", longSong);
    const std::string pdf = testing::TempDir() + "long.pdf";
    ASSERT_EQ(Cli("song '" + file + "' --format pdf --out '" + pdf + "'").status, 0);
    std::ifstream in(pdf, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(bytes.starts_with("%PDF"));
    size_t pages = 0;
    for (size_t at = bytes.find("/Type /Page\n"); at != std::string::npos; at = bytes.find("/Type /Page\n", at + 1))
        ++pages;
    EXPECT_GE(pages, 4u); // 200 blocks of two lines do not fit on three pages

    const CliRun png = Cli("song " + Song("swing_low.cho") + " --format png");
    EXPECT_EQ(png.status, 0);
    EXPECT_TRUE(png.out.starts_with("\x89PNG"));
    for (const char* format : { "png", "pdf" }) {
        const CliRun ukulele = Cli("song " + Song("swing_low.cho") + " --instrument ukulele --format " + format);
        EXPECT_EQ(ukulele.status, 0);
        EXPECT_TRUE(ukulele.out.starts_with(format == std::string("png") ? "\x89PNG" : "%PDF"));
    }
}
#endif

// A song on another instrument, in each format: the strip's frets one per string, the JSON naming the
// instrument, N-fret definitions, the N-string sheet; the capo found for its shapes.
TEST(SongCli, OnAnotherInstrument)
{
    const std::string song = Song("swing_low.cho");
    const CliRun text = Cli("song " + song + " --instrument ukulele");
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("D 2220   G 0232   A7 0100"), std::string::npos) << text.out;
    const auto json = nlohmann::json::parse(Cli("song " + song + " --instrument mandolin --format json").out);
    EXPECT_EQ(json["instrument"], "mandolin");
    EXPECT_EQ(json["strings"], "G3 D4 A4 E5");
    EXPECT_EQ(json["chords"][0]["frets"], nlohmann::json::parse("[2, 0, 0, 2]"));
    EXPECT_NE(Cli("song " + song + " --instrument baritone-ukulele --format chordpro")
                  .out.find("{define: G base-fret 1 frets 0 0 0 3 fingers 0 0 0 1}"),
        std::string::npos);
    const CliRun svg = Cli("song " + song + " --instrument ukulele --format svg");
    EXPECT_EQ(svg.status, 0);
    EXPECT_NE(svg.out.find("<rect x=\"35\""), std::string::npos) << "the four-string grid";
    // The first diagram, D 2 2 2 0, sounds its D4 lowest: the bass mark is under the second string.
    const std::string bassMark = "href=\"#omin1\" x=\"";
    EXPECT_EQ(svg.out.substr(svg.out.find(bassMark) + bassMark.size(), 3), "43\"");
    EXPECT_NE(svg.out.find("Time 4/4 \u00B7 Ukulele (G4 C4 E4 A4)"), std::string::npos)
        << "the sheet says its instrument";
    // D, G and A7 are open shapes on the ukulele too: no capo.
    EXPECT_EQ(Lines(Cli("song " + song + " --instrument ukulele --capo auto").out).front(),
        "No capo: every chord is an open shape");
    EXPECT_NE(
        Cli("song " + song + " --instrument ukulele --tuning \"D tuning\"").out.find("D 0003"), std::string::npos);

    const CliRun bad = Cli("song " + song + " --instrument banjo", {}, true);
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.out.find("\"banjo\""), std::string::npos);
    EXPECT_EQ(Cli("song " + song + " --tuning Nowhere", {}, true).status, 2);
}

// A song written for an instrument reads back for it: its {define}s have one fret per string, win
// over the choice, and the file writes again the same.
TEST(SongCli, InstrumentChordProReadsBackForTheInstrument)
{
    for (const char* instrument : { "ukulele", "mandolin", "7-string-guitar" }) {
        SCOPED_TRACE(instrument);
        const std::string on = std::string(" --instrument ") + instrument;
        const CliRun first = Cli("song " + Song("swing_low.cho") + on + " --format chordpro");
        ASSERT_EQ(first.status, 0);
        const std::string again = Scratch(std::string("again_") + instrument + ".cho", first.out);
        const CliRun second = Cli("song '" + again + "'" + on + " --format chordpro", {}, true);
        EXPECT_EQ(second.status, 0);
        EXPECT_EQ(second.out, first.out) << "no problem is reported and nothing changes";
        const auto json = nlohmann::json::parse(Cli("song '" + again + "'" + on + " --format json").out);
        EXPECT_TRUE(json["problems"].empty());
        for (const auto& chord : json["chords"])
            EXPECT_EQ(chord["defined"], true) << chord["name"];
    }
    // Read for six strings, as without --instrument, the ukulele's definitions are passed over.
    const std::string ukulele = Scratch("ukulele.cho", "{define: C base-fret 1 frets 0 0 0 3}\n[C]a\n");
    const auto six = nlohmann::json::parse(Cli("song '" + ukulele + "' --format json").out);
    EXPECT_EQ(six["problems"][0],
        "line 1: the definition of \"C\" gives 4 frets, not one for each of the 6 strings; "
        "passed over");
}

TEST(SongCli, Latin1FileSaysSo)
{
    const std::string file = Scratch("latin1.cho", "{title: Caf\xE9 au lait}\n[C]Gar\xE7on\n");
    const CliRun run = Cli("song '" + file + "' --format json", {}, false);
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["title"], "Caf\u00E9 au lait");
    EXPECT_EQ(json["problems"][0], "line 1: not UTF-8; the file is read as Latin-1 (Windows-1252)");
}

} // namespace

// A songbook file: every song in text, ChordPro and PDF, a JSON array; a single song stays one object.
TEST(SongCli, EverySongOfASongbook)
{
    const std::string file = Scratch("book.cho",
        "{title: One}\n{key: G}\n{c: %{title} in %{key}}\n[G]first\n{new_song}\n{title: Two}\n[C]second <b>bold</b>\n");
    const CliRun text = Cli("song '" + file + "'");
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("One\nKey: G"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("(One in G)"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("\nTwo\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("second bold"), std::string::npos) << text.out;
    const auto json = nlohmann::json::parse(Cli("song '" + file + "' --format json").out);
    ASSERT_TRUE(json.is_array());
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json.at(1).at("title"), "Two");
    EXPECT_EQ(Cli("song '" + file + "' --format chordpro").out,
        "{title: One}\n{key: G}\n{define: G base-fret 1 frets 3 2 0 0 0 3 fingers 2 1 0 0 0 3}\n"
        "{comment: %{title} in %{key}}\n[G]first\n{new_song}\n{title: Two}\n"
        "{define: C base-fret 1 frets x 3 2 0 1 0 fingers 0 3 2 0 1 0}\n[C]second <b>bold</b>\n");
    EXPECT_TRUE(nlohmann::json::parse(Cli("song " + Song("circle.cho") + " --format json").out).is_object());
#ifdef CORVANE_CLI_PDF
    const std::string pdf = Cli("song '" + file + "' --format pdf").out;
    size_t pages = 0;
    for (size_t at = pdf.find("/Type /Page\n"); at != std::string::npos; at = pdf.find("/Type /Page\n", at + 1))
        ++pages;
    EXPECT_EQ(pages, 2u); // each song from a page of its own
#endif
}

// A sheet copied from the web, written as ChordPro, keeps every line of words with its chords, every
// comment and every line of tab, in order, as the ChordPro written by hand for it has them.
TEST(SongCli, WebSheetsLoseNothingAsChordPro)
{
    int sheets = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CORVANE_WEB_SHEETS_DIR)) {
        if (entry.path().extension() != ".txt")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++sheets;
        const CliRun run = Cli("song '" + entry.path().string() + "' --format chordpro", {}, true);
        EXPECT_EQ(run.status, 0);
        std::filesystem::path byHand = entry.path();
        byHand.replace_extension(".cho");
        std::ifstream in(byHand);
        const std::vector<std::string> written = Lines(run.out);
        auto from = written.begin();
        for (std::string line; std::getline(in, line);) {
            const bool directive = line.starts_with('{') && !line.starts_with("{comment");
            if (line.empty() || directive || line.starts_with('#'))
                continue;
            const auto found = std::find(from, written.end(), line);
            EXPECT_NE(found, written.end()) << line;
            if (found != written.end())
                from = found + 1;
        }
    }
    EXPECT_GE(sheets, 14);
}

// A jazz standard's changes, ninths, thirteenths and altered dominants: every chord has a diagram
// on the ukulele (leaving out the fifth or the root) as on the guitar.
TEST(SongCli, JazzChangesFingerEveryChord)
{
    const std::string file = Scratch("jazz_changes.cho",
        "{title: Changes}\n{key: Bb}\n"
        "[Cm9]Words [F13]words [Bbmaj9]words [Ebmaj9]words\n"
        "[Am7b5]Words [D7b9]words [Gm9]words [G7#9]words\n"
        "[Fm9]Words [Bb13]words [Ebmaj9]words [Abmaj7]words\n"
        "[Am7b5]Words [D7#9]words [Gm6/9]words [C9]words [E7b9]words [A7#9]words [Dm9]words [G13]words\n");
    for (const char* instrument : { "ukulele", "guitar" }) {
        SCOPED_TRACE(instrument);
        const CliRun run = Cli("song '" + file + "' --format json --instrument " + instrument);
        ASSERT_EQ(run.status, 0);
        const auto json = nlohmann::json::parse(run.out);
        EXPECT_TRUE(json["problems"].empty()) << json["problems"].dump();
        ASSERT_EQ(json["chords"].size(), 18u);
        for (const auto& chord : json["chords"])
            EXPECT_FALSE(chord["frets"].is_null()) << chord.dump();
    }
}
