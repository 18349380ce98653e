#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> JsonNames(const std::string& out)
{
    return nlohmann::json::parse(out)["names"].get<std::vector<std::string>>();
}

} // namespace

// The first line is the name a guitarist says; the others are the names list's, most likely first.
TEST(CliIdentify, TheNameToSayFirstThenTheOtherNamesOnePerLine)
{
    const CliRun run = Cli("identify \"3 2 0 0 0 3\"");
    ASSERT_EQ(run.status, 0);
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "G");
    // The same names as the names of the chord itself, in another order.
    EXPECT_EQ(Sorted(lines), Sorted(Lines(Cli("names --root G").out)));
    EXPECT_EQ(Lines(Cli("names --root G").out)[0], "Bm/5+/G") << "the list keeps its own order";

    EXPECT_EQ(Lines(Cli("identify \"x 3 2 0 1 0\"").out)[0], "C");
    // A slash chord as players write it, where the list writes "DF#" and "GB".
    EXPECT_EQ(Lines(Cli("identify \"2 x 0 2 3 2\"").out)[0], "D/F#");
    EXPECT_EQ(Lines(Cli("identify \"x 2 0 0 3 3\"").out)[0], "G/B");
    EXPECT_EQ(Lines(Cli("identify \"x x 0 2 3 3\"").out)[0], "Dsus4");
}

TEST(CliIdentify, JsonGivesTheBestNameAndTheNamesBestFirst)
{
    const auto json = nlohmann::json::parse(Cli("identify \"2 x 0 2 3 2\" --json").out);
    EXPECT_EQ(json["best"], "D/F#");
    const auto names = json["names"].get<std::vector<std::string>>();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names[0], "DF#") << "the names as the list spells them";
    const auto open = JsonNames(Cli("identify \"3 2 0 0 0 3\" --json").out);
    EXPECT_EQ(open[0], "G");
    EXPECT_EQ(Sorted(open), Sorted(JsonNames(Cli("names --root G --json").out)));
    // The order is the text output's, but for the first line, which the text writes as players do.
    auto lines = Lines(Cli("identify \"2 x 0 2 3 2\"").out);
    lines[0] = names[0];
    EXPECT_EQ(lines, names);
}

TEST(CliIdentify, JsonCapoAndFlats)
{
    const CliRun run = Cli("identify \"x 3 2 0 1 0\" --capo 1 --flats --json");
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["frets"], nlohmann::json({ -1, 3, 2, 0, 1, 0 }));
    EXPECT_EQ(json["notes"], nlohmann::json({ "Db", "F", "Ab", "Db", "F" }));
    EXPECT_EQ(json["bass"], "Db");
    EXPECT_EQ(json["chordTones"], nlohmann::json({ "Db", "F", "Ab" }));
    EXPECT_EQ(json["best"], "Db");
    EXPECT_EQ(Sorted(JsonNames(run.out)), Sorted(JsonNames(Cli("names --root Db --flats --json").out)));

    // Drop D: the open low string is a D.
    const CliRun dropD = Cli("identify \"0 0 0 2 3 2\" --tuning \"Drop D\" --json");
    EXPECT_EQ(nlohmann::json::parse(dropD.out)["bass"], "D");
    EXPECT_EQ(nlohmann::json::parse(dropD.out)["best"], "D");
    EXPECT_EQ(Sorted(JsonNames(dropD.out)), Sorted(JsonNames(Cli("names --root D --json").out)));
}

// The frets as --format frets writes them: one character a string.
TEST(CliIdentify, CompactFrets)
{
    EXPECT_EQ(Cli("identify x32010").out, Cli("identify \"x 3 2 0 1 0\"").out);
    const CliRun written = Cli("voicings --root F --format frets --limit 1");
    ASSERT_EQ(written.status, 0);
    EXPECT_EQ(Cli("identify " + Lines(written.out).front()).out, Cli("identify \"1 3 3 2 1 1\"").out);
    // Two-digit frets need the blanks; five characters are not six frets.
    EXPECT_EQ(Cli("identify x1012121110").status, 2);
    EXPECT_EQ(Cli("identify x3201").status, 2);
}

TEST(CliIdentify, NoNameIsSaidNotFailed)
{
    const CliRun run = Cli("identify \"x x x x x 0\" --json", {}, true);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("fewer than two different notes"), std::string::npos) << run.out;
    const CliRun muted = Cli("identify \"x x x x x x\"");
    EXPECT_EQ(muted.status, 0);
    EXPECT_EQ(muted.out, "");
}

TEST(CliIdentify, BadValuesAreNamedInOneLine)
{
    struct Row {
        const char* args;
        const char* named;
    };
    const Row rows[] = {
        { "identify \"x 3 2 0 1 25\"", "\"25\"" },
        { "identify \"x 3 2 0 1\"", "\"x 3 2 0 1\"" },
        { "identify \"x 3 2 q 1 0\"", "\"q\"" },
        { "identify \"x 3 2 0 1 0\" --capo 12", "\"12\"" },
        { "identify \"x 3 2 0 1 0\" --tuning \"1 2 3\"", "\"1 2 3\"" },
        { "voicings --capo x", "\"x\"" },
        { "names --capo -1", "-1" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args);
        const CliRun run = Cli(row.args, {}, true);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(Lines(run.out).size(), 1u) << run.out;
        EXPECT_NE(run.out.find(row.named), std::string::npos) << run.out;
    }
}

// The capo reaches the sheet the same way on every subcommand.
TEST(CliCapo, VoicingsNamesAndBatch)
{
    const CliRun withCapo = Cli("voicings --root D --capo 2");
    ASSERT_EQ(withCapo.status, 0);
    EXPECT_EQ(withCapo.out, Cli("voicings --root C").out);
    EXPECT_EQ(Cli("names --root D --capo 2").out, Cli("names --root D").out);

    const CliRun batch = Cli("batch", "{\"root\": \"D\", \"capo\": 2}\n{\"root\": \"D\", \"capo\": \"12\"}\n");
    ASSERT_EQ(batch.status, 0);
    const auto lines = Lines(batch.out);
    ASSERT_EQ(lines.size(), 2u);
    const auto first = nlohmann::json::parse(lines[0]);
    EXPECT_EQ(first["records"], nlohmann::json::parse(Cli("voicings --root C --json").out)["records"]);
    EXPECT_NE(nlohmann::json::parse(lines[1])["error"].get<std::string>().find("capo"), std::string::npos);
}
