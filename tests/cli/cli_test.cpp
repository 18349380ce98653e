#include <gtest/gtest.h>

#include <array>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "cli_runner.h"

TEST(CliVoicings, WorkedFigures)
{
    struct Row {
        const char* name;
        const char* args;
        size_t count;
        const char* first;
    };
    const Row rows[] = {
        { "C major", "", 165, "112013 99 3 2 0 1 0 " },
        { "F major", "--root F", 57, "000000 -1 3 3 2 1 1 " },
        { "G major", "--root G", 180, "000000 3 2 0 0 3 3 " },
        { "C over E", "--root C --bass E", 290, nullptr },
        { "C omit5", "--omit5", 28, nullptr },
        { "C up to fret 6", "--up-to 6", 28, nullptr },
        { "C minor seventh from ticks", "--root C --ext m,7", 0, nullptr },
        { "number root", "--root 5", 57, "000000 -1 3 3 2 1 1 " },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CliRun run = Cli(std::string("voicings ") + row.args);
        ASSERT_EQ(run.status, 0);
        const auto lines = Lines(run.out);
        if (row.count) {
            EXPECT_EQ(lines.size(), row.count);
        }
        if (row.first) {
            EXPECT_EQ(lines.at(0), row.first);
        }
    }
}

TEST(CliVoicings, CMajorFirstCells)
{
    const auto lines = Lines(Cli("voicings --root C").out);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "112013 99 3 2 0 1 0 ");
    EXPECT_EQ(lines[1], "112013 99 3 2 0 1 3 ");
    EXPECT_EQ(lines[2], "112015 99 -3 5 5 5 3 ");
    EXPECT_EQ(lines[3], "112015 99 3 2 0 5 0 ");
}

TEST(CliVoicings, BassNotInTheChordAboveIt)
{
    const auto lines = Lines(Cli("voicings --root C --bass E").out);
    const std::array<int, 6> tuning { 4, 9, 2, 7, 11, 4 };
    int withoutC = 0;
    for (const auto& line : lines) {
        std::istringstream in(line.substr(7));
        bool hasC = false;
        for (int s = 0, v; s < 6 && in >> v; ++s)
            hasC = hasC || (v != 99 && (tuning[static_cast<size_t>(s)] + std::abs(v)) % 12 == 0);
        withoutC += !hasC;
    }
    EXPECT_EQ(withoutC, 85);
}

TEST(CliNames, Examples)
{
    EXPECT_EQ(Lines(Cli("names").out),
        (std::vector<std::string> { "C", "Em5+/C", "G4/6/C (no3) (no5)", "G4/add13/C (no3) (no5)",
            "Gadd11/6/C (no3) (no5)", "Gadd11/add13/C (no3) (no5)", "Gsus4/6/C (no5)", "Gsus4/add13/C (no5)" }));
    const auto dominant = Lines(Cli("names --root A --type 7").out);
    ASSERT_GE(dominant.size(), 2u);
    EXPECT_EQ(dominant[0], "A/6+");
    EXPECT_EQ(dominant[1], "A7");
    const auto flats = Lines(Cli("names --root Bb --flats").out);
    ASSERT_FALSE(flats.empty());
    EXPECT_EQ(flats[0], "Bb");
    const auto sus = Lines(Cli("names --intervals \"00 05 07\"").out);
    ASSERT_GE(sus.size(), 3u);
    EXPECT_EQ(sus[2], "Csus4 ");
}

TEST(CliJson, ResultObject)
{
    const CliRun run = Cli("voicings --root C --ext m,7 --json");
    ASSERT_EQ(run.status, 0);
    const auto j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["noteList"], "0 3 7 10");
    EXPECT_EQ(j["chordIntervals"], "00 03 07 10");
    EXPECT_EQ(j["count"], j["records"].size());
    EXPECT_GT(j["count"].get<int>(), 0);
    EXPECT_TRUE(j["names"].is_array());
}

TEST(CliJson, OptionsReachTheSearch)
{
    auto count = [](const std::string& args) {
        return nlohmann::json::parse(Cli("voicings --json " + args).out)["count"].get<int>();
    };
    EXPECT_EQ(count("--tuning \"Drop D\""), count("--tuning \"2 9 2 7 11 4\""));
    EXPECT_NE(count("--tuning \"Drop D\""), 165);
    EXPECT_LT(count("--distance 2"), 165);
    EXPECT_LT(count("--easy"), 165);
    EXPECT_LT(count("--no-barre"), 165);
    EXPECT_EQ(count("--intervals \"00 04 07\""), 165);
    EXPECT_EQ(count("--type \"7\""), count("--ext 7"));
    // omit3 of a minor chord needs the third read from the ticks.
    EXPECT_EQ(count("--ext m --omit3"), count("--intervals \"00 03 07\" --third 3 --omit3"));
}

TEST(CliErrors, BadInputNamesTheValue)
{
    struct Row {
        const char* args;
        const char* mentions;
    };
    const Row rows[] = {
        { "voicings --root Hb", "\"Hb\"" },
        { "voicings --bass E#", "\"E#\"" },
        { "voicings --type mmaj", "\"mmaj\"" },
        { "voicings --ext m,seven", "\"seven\"" },
        { "voicings --intervals \"00 4 07\"", "\"00 4 07\"" },
        { "voicings --tuning \"Drop C\"", "\"Drop C\"" },
        { "voicings --up-to 13", "\"13\"" },
        { "voicings --distance 9", "\"9\"" },
        { "voicings --type m7 --ext m", "at most one" },
        { "voicings --bogus", "bogus" },
        { "voicings --root C --bass E --ext 7,9,11", "" },
        { "voicings --root C --bass E --intervals \"00 04 07 10 02 05\"", "notes" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args);
        const CliRun run = Cli(row.args, {}, true);
        if (std::string(row.mentions).empty()) {
            EXPECT_EQ(run.status, 0) << "a greyed extension is skipped with a warning";
            continue;
        }
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.out.find(row.mentions), std::string::npos) << run.out;
    }
}

TEST(CliBatch, OneResultPerLineErrorsInPlace)
{
    const std::string input = "{\"root\": \"F\"}\n"
                              "{\"root\": \"X\"}\n"
                              "not json\n"
                              "{\"root\": 7, \"bass\": \"G\", \"upTo\": 6, \"omit5\": true}\n"
                              "{\"colour\": \"blue\"}\n"
                              "{\"root\": \"C\", \"bass\": \"E\"}\n";
    const CliRun run = Cli("batch", input);
    ASSERT_EQ(run.status, 0);
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(nlohmann::json::parse(lines[0])["count"], 57);
    EXPECT_TRUE(nlohmann::json::parse(lines[1]).contains("error"));
    EXPECT_TRUE(nlohmann::json::parse(lines[2]).contains("error"));
    EXPECT_GT(nlohmann::json::parse(lines[3])["count"].get<int>(), 0);
    EXPECT_NE(nlohmann::json::parse(lines[4])["error"].get<std::string>().find("colour"), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(lines[5])["count"], 290);
}
