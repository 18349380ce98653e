#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_runner.h"

TEST(CliProgression, FretsOnePerChord)
{
    const CliRun run = Cli("progression \"| C G | Am F |\"");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(Lines(run.out),
        (std::vector<std::string> { "C\tx 3 2 0 1 0", "G\t3 2 0 0 0 3", "Am\tx 0 2 2 1 0", "F\t1 3 3 2 1 1" }));
}

TEST(CliProgression, JsonPerChordAndTotal)
{
    const CliRun run = Cli("progression \"Cm7:2 G7 x2\" --format json --loop --tuning \"Drop D\"");
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    const auto& chords = json.at("chords");
    ASSERT_EQ(chords.size(), 4u);
    EXPECT_EQ(chords[0].at("text"), "Cm7");
    EXPECT_EQ(chords[0].at("beats"), 2);
    EXPECT_EQ(chords[0].at("reading").at("rewritten"), "Cm/7 ");
    EXPECT_EQ(chords[0].at("reading").at("chordIntervals"), "00 03 07 10");
    EXPECT_EQ(chords[2].at("chosen"), chords[0].at("chosen")) << "a loop of the same two chords keeps its fingerings";
    int sum = 0;
    for (const auto& chord : chords) {
        EXPECT_TRUE(chord.at("chosen").is_string());
        sum += chord.at("cost").get<int>();
    }
    EXPECT_EQ(json.at("total"), sum);
    EXPECT_TRUE(json.at("problems").empty());
}

// Songs are written in lead-sheet symbols: each chord as meant, nothing unread.
TEST(CliProgression, LeadSheetSymbols)
{
    const CliRun run = Cli("progression \"Cdim7 G7b9 F#m7b5 D/F#\" --format json");
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    struct Meant {
        int root;
        int bass;
        const char* noteList;
    };
    const Meant meant[] = { { 0, 0, "0 3 6 9" }, { 7, 7, "7 11 2 5 8" }, { 6, 6, "6 9 0 4" }, { 2, 6, "6 2 6 9" } };
    ASSERT_EQ(json.at("chords").size(), 4U);
    for (size_t k = 0; k < 4; ++k) {
        const auto& reading = json.at("chords")[k].at("reading");
        SCOPED_TRACE(json.at("chords")[k].at("text").get<std::string>());
        EXPECT_EQ(reading.at("rootIndex"), meant[k].root);
        EXPECT_EQ(reading.at("bassIndex"), meant[k].bass);
        EXPECT_EQ(reading.at("noteList"), meant[k].noteList);
        EXPECT_TRUE(reading.at("unread").empty());
        EXPECT_FALSE(json.at("chords")[k].at("chosen").is_null());
    }
    EXPECT_TRUE(json.at("problems").empty());
}

// "auto" tries the capos and says which one it took, first in every text format.
TEST(CliProgression, CapoAuto)
{
    const CliRun run = Cli("progression \"Bb Eb F Gm\" --capo auto");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(Lines(run.out),
        (std::vector<std::string> {
            "capo 3", "Bb\t3 2 0 0 0 3", "Eb\tx 3 2 0 1 0", "F\tx x 0 2 3 2", "Gm\t0 2 2 0 0 0" }));
    EXPECT_EQ(nlohmann::json::parse(Cli("progression \"Bb Eb F Gm\" --capo auto --format json").out).at("capo"), 3);
    EXPECT_EQ(Lines(Cli("progression \"Bb Eb F Gm\" --capo auto --format chordpro").out).front(), "{capo: 3}");
    // A capo given is said the same way; none, and nothing is said.
    EXPECT_EQ(Lines(Cli("progression C --capo 2").out).front(), "capo 2");
    EXPECT_EQ(Lines(Cli("progression \"C G\" --capo auto").out).front(), "C\tx 3 2 0 1 0");
    EXPECT_EQ(nlohmann::json::parse(Cli("progression C --format json").out).at("capo"), 0);
}

TEST(CliProgression, ChordsLeftOutAndBadInput)
{
    const CliRun partial = Cli("progression \"C Xm F Cdim7xyz\"", {}, true);
    EXPECT_EQ(partial.status, 1);
    EXPECT_NE(partial.out.find("corvane-cli: chord 2 \"Xm\": not a chord name"), std::string::npos);
    EXPECT_NE(partial.out.find("Xm\t-"), std::string::npos);
    // Read in part is not read: the chord is left out rather than searched as C.
    EXPECT_NE(partial.out.find("corvane-cli: chord 4 \"Cdim7xyz\": not understood: xyz"), std::string::npos);
    EXPECT_NE(partial.out.find("Cdim7xyz\t-"), std::string::npos);
    EXPECT_NE(partial.out.find("F\t1 3 3 2 1 1"), std::string::npos);

    struct Row {
        const char* name;
        const char* args;
        const char* message;
    };
    const Row rows[] = {
        { "unknown format", "progression C --format pdf", "--format" },
        { "window backwards", "progression C --keep-position 9-5", "keep-position must be two frets" },
        { "window not numbers", "progression C --keep-position low", "keep-position must be two frets" },
        { "bad tuning", "progression C --tuning Nowhere", "unknown tuning" },
        { "bad distance", "progression C --distance 7", "distance must be" },
        { "bad capo", "progression C --capo automatic", "capo must be a fret 0..11" },
        { "no chords", "progression \"| |\"", "no chords" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CliRun run = Cli(row.args, {}, true);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.out.find(row.message), std::string::npos) << run.out;
    }
}

// The sheet formats draw and define what the frets format chose, in order.
TEST(CliProgression, ChordProAndSvgSongSheets)
{
    const CliRun chordpro = Cli("progression \"C G C\" --format chordpro");
    ASSERT_EQ(chordpro.status, 0);
    const std::vector<std::string> defines = Lines(chordpro.out);
    ASSERT_EQ(defines.size(), 2u) << "C comes back with the same fingering and is defined once";
    EXPECT_EQ(defines[0].rfind("{define: C base-fret 1 frets x 3 2 0 1 0 fingers", 0), 0u) << defines[0];
    EXPECT_EQ(defines[1].rfind("{define: G base-fret 1 frets 3 2 0 0 0 3 fingers", 0), 0u) << defines[1];

    const auto count = [](const std::string& text, const std::string& part) {
        std::size_t n = 0;
        for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++n;
        return n;
    };
    const CliRun one = Cli("progression C --format svg");
    const CliRun three = Cli("progression \"C G Qz\" --format svg", {}, true);
    ASSERT_EQ(one.status, 0);
    EXPECT_EQ(three.status, 1);
    EXPECT_NE(three.out.find("<svg"), std::string::npos);
    EXPECT_EQ(count(three.out, ">C<"), 1u);
    EXPECT_EQ(count(three.out, ">G<"), 1u);
    EXPECT_EQ(count(three.out, ">Qz<"), 0u) << "a chord left out has no diagram";
    const std::string grid = "#braco\" x=";
    EXPECT_EQ(count(one.out, grid), 1u);
    EXPECT_EQ(count(three.out, grid), 2u);
}
