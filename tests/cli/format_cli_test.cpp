// corvane-cli's output formats, the diagram and list commands and the extra spellings of notes
// and tunings, each shown on the open C and the F barre as in the README.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>

#include "cli_runner.h"

namespace {

struct TempFile {
    std::string path;
    explicit TempFile(const std::string& name)
        : path(testing::TempDir() + name)
    {
        std::remove(path.c_str());
    }
    ~TempFile() { std::remove(path.c_str()); }
    std::string Read() const
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// Width and height from a PNG's header.
[[maybe_unused]] std::pair<int, int> PngSize(const std::string& png)
{
    auto word = [&](size_t at) {
        int value = 0;
        for (size_t i = 0; i < 4; ++i)
            value = value * 256 + static_cast<unsigned char>(png.at(at + i));
        return value;
    };
    return { word(16), word(20) };
}

TEST(CliFormats, TextFormatsOfTheOpenCAndTheFBarre)
{
    struct Row {
        const char* args;
        const char* out;
    };
    const Row rows[] = {
        { "voicings --root C --limit 1", "112013 99 3 2 0 1 0 \n" },
        { "voicings --root F --limit 1 --format records", "000000 -1 3 3 2 1 1 \n" },
        { "voicings --root C --limit 1 --format frets", "x32010\n" },
        { "voicings --root F --limit 1 --format frets", "133211\n" },
        { "voicings --root C --limit 1 --format chordpro",
            "{define: C base-fret 1 frets x 3 2 0 1 0 fingers 0 3 2 0 1 0}\n" },
        { "voicings --root F --limit 1 --format chordpro",
            "{define: F base-fret 1 frets 1 3 3 2 1 1 fingers 1 3 4 2 1 1}\n" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args);
        const CliRun run = Cli(row.args);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, row.out);
    }
    // Above fret 9 the frets are written apart, and chord definitions count from the base fret.
    const auto far = Lines(Cli("voicings --root D --format frets").out);
    EXPECT_NE(std::find(far.begin(), far.end(), "x57775"), far.end());
    EXPECT_NE(std::find(far.begin(), far.end(), "10 12 12 11 10 10"), far.end());
    // Definitions and sheets are named as the name box names the chord.
    for (const auto& [args, name] : { std::pair { "--root D --type m7", "{define: Dm7 " },
             std::pair { "--root C --bass E", "{define: C/E " }, std::pair { "--name Dbm7/Ab", "{define: Dbm/7/Ab " },
             std::pair { "--root F --intervals \"00 04 07\"", "{define: Am/5+/F " } }) {
        SCOPED_TRACE(args);
        EXPECT_EQ(Cli(std::string("voicings --format chordpro --limit 1 ") + args).out.rfind(name, 0), 0u);
    }
    const auto defines = Lines(Cli("voicings --root D --format chordpro").out);
    EXPECT_NE(
        std::find(defines.begin(), defines.end(), "{define: D base-fret 10 frets 1 3 3 2 1 1 fingers 1 3 4 2 1 1}"),
        defines.end());
}

TEST(CliFormats, JsonRecordsCarryWhatTheDiagramShows)
{
    const auto c = nlohmann::json::parse(Cli("voicings --root C --format json --limit 2").out);
    EXPECT_EQ(c["count"], 165) << "the count is every result; --limit shortens the list";
    ASSERT_EQ(c["records"].size(), 2u);
    EXPECT_EQ(c["records"][0], nlohmann::json::parse(R"({"record": "112013 99 3 2 0 1 0 ", "frets": [-1, 3, 2, 0, 1, 0],
        "baseFret": 1, "fingers": [0, 3, 2, 0, 1, 0], "barre": []})"));
    const auto f = nlohmann::json::parse(Cli("voicings --root F --json --limit 1").out);
    EXPECT_EQ(f["records"][0], nlohmann::json::parse(R"({"record": "000000 -1 3 3 2 1 1 ", "frets": [1, 3, 3, 2, 1, 1],
        "baseFret": 1, "fingers": [1, 3, 4, 2, 1, 1],
        "barre": [{"fret": 1, "finger": 1, "firstString": 0, "lastString": 5}]})"));
    EXPECT_EQ(Cli("voicings --json --format frets").status, 2);
}

TEST(CliFormats, SvgSheetOfTheLimitedResults)
{
    const CliRun run = Cli("voicings --root F --format svg --limit 12 --columns 4");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("<?xml", 0), 0u);
    EXPECT_EQ(Count(run.out, "<use xlink:href=\"#braco\""), 12u);
    EXPECT_EQ(Count(run.out, "<g id=\"braco\">"), 1u);
    EXPECT_NE(run.out.find("width=\"400\" height=\"436\""), std::string::npos);
    EXPECT_NE(run.out.find(">F</text>"), std::string::npos);
    // The heading says that the limit cut the sheet, and says nothing of a limit that cut nothing.
    EXPECT_NE(run.out.find(">Standard Tuning (E A D G B E), 12 of 57 diagrams</text>"), std::string::npos);

    TempFile file("sheet.svg");
    EXPECT_EQ(Cli("voicings --root F --format svg --limit 57 --out " + file.path).out, "");
    EXPECT_EQ(Count(file.Read(), "<use xlink:href=\"#braco\""), 57u);
    EXPECT_NE(file.Read().find(">Standard Tuning (E A D G B E), 57 diagrams</text>"), std::string::npos);
    EXPECT_EQ(Cli("voicings --format svg --columns 0").status, 2);
}

TEST(CliFormats, DiagramOfTypedFrets)
{
    const CliRun c = Cli("diagram --frets x32010");
    ASSERT_EQ(c.status, 0);
    EXPECT_EQ(c.out, Cli("diagram --frets \"x 3 2 0 1 0\" --format svg").out);
    EXPECT_EQ(Count(c.out, "<use "), 10u) << "six string marks, the grid and three discs";
    // The barre is found by the search's rules: six segments, no disc on the strings it stops.
    const CliRun f = Cli("diagram --frets \"1 3 3 2 1 1\"");
    EXPECT_EQ(Count(f.out, "xlink:href=\"#dedo6\""), 6u);
    EXPECT_EQ(Count(f.out, "xlink:href=\"#dedo1\""), 0u);
    EXPECT_EQ(f.out, Cli("diagram --frets \"-1 3 3 2 1 1\"").out);
    // Left-handed: the bass mark stands in the rightmost column.
    EXPECT_NE(Cli("diagram --frets x32010 --left-handed").out.find("href=\"#omin1\" x=\"65\""), std::string::npos);

    struct Row {
        const char* args;
        const char* mentions;
    };
    const Row errors[] = {
        { "diagram --frets x3201", "six strings" },
        { "diagram --frets \"x 3 2 0 1 q\"", "\"q\"" },
        { "diagram --frets \"1 3 3 2 1 9\"", "fret 9" },
        { "diagram --frets x32010 --format frets", "svg or png" },
        { "diagram", "--frets" },
    };
    for (const Row& row : errors) {
        SCOPED_TRACE(row.args);
        const CliRun run = Cli(row.args, {}, true);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.out.find(row.mentions), std::string::npos) << run.out;
    }
}

TEST(CliFormats, PngToFilesAndPipes)
{
    TempFile sheet("sheet.png");
    const CliRun run = Cli("voicings --root C --format png --columns 8 --out " + sheet.path, {}, true);
#ifdef CORVANE_CLI_PNG
    ASSERT_EQ(run.status, 0) << run.out;
    const std::string png = sheet.Read();
    ASSERT_EQ(png.rfind("\x89PNG", 0), 0u);
    EXPECT_EQ(PngSize(png), std::make_pair(800, 46 + 21 * 130));
    const std::string piped = Cli("diagram --frets \"1 3 3 2 1 1\" --format png").out;
    ASSERT_EQ(piped.rfind("\x89PNG", 0), 0u);
    EXPECT_EQ(PngSize(piped), std::make_pair(100, 130));
#else
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("Qt"), std::string::npos);
    EXPECT_TRUE(sheet.Read().empty()) << "no file is left behind";
#endif
}

TEST(CliOptions, ListsVersionAndSpellings)
{
    const auto tunings = Lines(Cli("list tunings").out);
    ASSERT_EQ(tunings.size(), 12u);
    EXPECT_EQ(tunings[0], "Standard Tuning");
    EXPECT_EQ(tunings[10], "G Minor Tuning");
    // Every listed word is taken back by its option.
    for (const auto& [list, option] : { std::pair { "tunings", "--tuning" }, std::pair { "types", "--type" } }) {
        for (const std::string& word : Lines(Cli(std::string("list ") + list).out)) {
            SCOPED_TRACE(word);
            EXPECT_EQ(Cli(std::string("voicings --limit 1 ") + option + " \"" + word + "\"").status, 0);
        }
    }
    const auto extensions = Lines(Cli("list extensions").out);
    EXPECT_EQ(extensions.size(), 50u);
    EXPECT_EQ(Lines(Cli("list patches").out).at(0), "Nylon guitar");
    EXPECT_EQ(Cli("list chords").status, 2);

    const CliRun version = Cli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("corvane-cli ", 0), 0u);

    const std::string standard = Cli("voicings").out;
    EXPECT_EQ(Cli("voicings --tuning \"Standard Tunning\"").out, standard);
    EXPECT_EQ(Cli("voicings --tuning \"standard tuning\"").out, standard);
    EXPECT_EQ(Cli("voicings --tuning \"E A D G H E\"").out, standard);
    EXPECT_EQ(Cli("voicings --tuning \"D A D G B E\"").out, Cli("voicings --tuning \"Drop D\"").out);
    EXPECT_EQ(Cli("voicings --tuning \"G minor tuning\"").out, Cli("voicings --tuning \"G Bb D G Bb D\"").out);
    EXPECT_EQ(Cli("voicings --root H").out, Cli("voicings --root B").out);
    EXPECT_EQ(Cli("voicings --root C --bass H").out, Cli("voicings --root C --bass B").out);
    EXPECT_EQ(Cli("voicings --tuning \"D A D G B\"").status, 2);
}

} // namespace
