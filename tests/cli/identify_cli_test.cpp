#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "cli_runner.h"

TEST(CliIdentify, NamesOnePerLine)
{
    const CliRun run = Cli("identify \"x 3 2 0 1 0\"");
    ASSERT_EQ(run.status, 0);
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "C");
    EXPECT_EQ(lines[1], "Em5+/C");
    // The same list as the names of the chord itself.
    EXPECT_EQ(run.out, Cli("names --root C").out);
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
    EXPECT_EQ(json["names"], nlohmann::json::parse(Cli("names --root Db --flats --json").out)["names"]);

    // Drop D: the open low string is a D.
    const auto dropD = nlohmann::json::parse(Cli("identify \"0 0 0 2 3 2\" --tuning \"Drop D\" --json").out);
    EXPECT_EQ(dropD["bass"], "D");
    EXPECT_EQ(dropD["names"], nlohmann::json::parse(Cli("names --root D --json").out)["names"]);
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
