#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "cli_runner.h"

// The x of the first bass mark drawn on an SVG sheet: 32 under the first diagram's first string, 43
// under its second, "" when there is none.
std::string FirstBassMarkX(const std::string& svg)
{
    const std::string use = "href=\"#omin1\" x=\"";
    const size_t at = svg.find(use);
    return at == std::string::npos ? "" : svg.substr(at + use.size(), svg.find('"', at + use.size()) - at - use.size());
}

TEST(CliInstruments, UkuleleC)
{
    EXPECT_EQ(Cli("voicings --root C --instrument ukulele --format frets --limit 1").out, "0003\n");
    EXPECT_EQ(Cli("voicings --root C --instrument ukulele --limit 1").out, "000000 0 0 0 3 \n");
    EXPECT_EQ(Cli("voicings --root C --instrument ukulele --format chordpro --limit 1").out,
        "{define: C base-fret 1 frets 0 0 0 3 fingers 0 0 0 1}\n");
    // The names do not depend on the instrument.
    EXPECT_EQ(Cli("names --root C --instrument ukulele").out, Cli("names --root C").out);
}

TEST(CliInstruments, EveryInstrumentAndTypedStrings)
{
    const auto list = Lines(Cli("list instruments").out);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0], "guitar\tE2 A2 D3 G3 B3 E4");
    EXPECT_EQ(list[2], "ukulele\tG4 C4 E4 A4");
    struct Row {
        const char* args;
        const char* first;
    };
    const Row rows[] = {
        { "--root G --instrument mandolin", "000000 0 0 2 3 " },
        { "--root C --instrument baritone-ukulele", "000000 2 0 1 0 " },
        { "--root C --instrument \"Tenor guitar\"", "000000 0 0 2 3 " },
        { "--root F --instrument 7-string-guitar", "000000 99 -1 3 3 2 1 1 " },
        { "--root D --instrument ukulele --tuning \"D tuning\"", "000000 0 0 0 3 " },
        { "--root C --instrument custom --tuning \"B E A D G\"", "111013 99 99 3 2 0 " },
        { "--root F --instrument guitar", "000000 -1 3 3 2 1 1 " },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args);
        const CliRun run = Cli(std::string("voicings --limit 1 ") + row.args);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, std::string(row.first) + "\n");
    }
    // The guitar named keeps the six-string results.
    EXPECT_EQ(Cli("voicings --root A --type m7 --instrument guitar --tuning \"Drop D\"").out,
        Cli("voicings --root A --type m7 --tuning \"Drop D\"").out);
}

TEST(CliInstruments, IdentifyBatchAndSheets)
{
    EXPECT_EQ(Lines(Cli("identify 0003 --instrument ukulele").out).front(), "C");
    const auto json = nlohmann::json::parse(Cli("identify \"2 0 0 0\" --instrument ukulele --json").out);
    EXPECT_EQ(json["frets"], nlohmann::json({ 2, 0, 0, 0 }));
    // Re-entrant: the open C string sounds below the G string's A.
    EXPECT_EQ(json["bass"], "C");
    EXPECT_EQ(json["notes"], nlohmann::json({ "A", "C", "E", "A" }));
    // Named from its root position, best-first, as the six-string identify names.
    EXPECT_EQ(json["best"], "Am");
    EXPECT_EQ(json["names"].front(), "Am/C");
    EXPECT_EQ(Lines(Cli("identify 0232 --instrument ukulele").out).front(), "G");

    const auto batch = nlohmann::json::parse(Cli("batch", "{\"root\": \"C\", \"instrument\": \"mandolin\"}\n").out);
    EXPECT_EQ(batch["instrument"], "mandolin");
    EXPECT_EQ(batch["strings"], "G3 D4 A4 E5");
    EXPECT_EQ(batch["records"][0]["frets"].size(), 4u);
    EXPECT_EQ(batch["records"][0]["fingers"].size(), 4u);

    const std::string svg = Cli("voicings --root C --instrument ukulele --format svg --limit 2").out;
    EXPECT_NE(svg.find("Ukulele (G4 C4 E4 A4)"), std::string::npos);
    // A sheet cut short by --limit says how many of the results it shows, on every instrument.
    const size_t count = nlohmann::json::parse(Cli("voicings --root C --instrument ukulele --json").out)["count"];
    EXPECT_NE(svg.find("2 of " + std::to_string(count) + " diagrams"), std::string::npos) << svg.substr(0, 600);
    EXPECT_NE(svg.find("<rect x=\"35\""), std::string::npos) << svg.substr(0, 2000);
    EXPECT_EQ(FirstBassMarkX(svg), "43") << "0 0 0 3 sounds the open C string lowest";
    EXPECT_EQ(
        FirstBassMarkX(Cli("voicings --root C --instrument ukulele --tuning \"Low G\" --format svg --limit 1").out),
        "32");
}

// The progression on another instrument, in each of its formats: the frets one per string, the JSON
// naming the instrument, the ChordPro definitions and the song sheet with N frets, the capo found.
TEST(CliInstruments, Progressions)
{
    const CliRun frets = Cli("progression \"C Am F G\" --instrument ukulele");
    ASSERT_EQ(frets.status, 0);
    EXPECT_EQ(Lines(frets.out), (std::vector<std::string> { "C\t0 0 0 3", "Am\t2 0 0 0", "F\t2 0 1 0", "G\t0 2 3 2" }));
    EXPECT_EQ(Lines(Cli("progression \"Db Gb Ab7\" --instrument ukulele --capo auto").out),
        (std::vector<std::string> { "capo 1", "Db\t0 0 0 3", "Gb\t2 0 1 0", "Ab7\t0 2 1 2" }));
    EXPECT_EQ(Lines(Cli("progression \"C G\" --instrument 7-string-guitar").out).front(), "C\tx x 3 2 0 1 0");

    const auto json = nlohmann::json::parse(Cli("progression \"G C\" --instrument mandolin --format json").out);
    EXPECT_EQ(json["instrument"], "mandolin");
    EXPECT_EQ(json["strings"], "G3 D4 A4 E5");
    EXPECT_EQ(json["chords"][0]["chosen"].get<std::string>().substr(7), "0 0 2 3 ");
    EXPECT_EQ(Lines(Cli("progression \"G C G\" --instrument baritone-ukulele --format chordpro").out),
        (std::vector<std::string> { "{define: G base-fret 1 frets 0 0 0 3 fingers 0 0 0 1}",
            "{define: C base-fret 1 frets 2 0 1 0 fingers 2 0 1 0}" }));
    const CliRun svg = Cli("progression \"C Am\" --instrument ukulele --format svg");
    ASSERT_EQ(svg.status, 0);
    EXPECT_NE(svg.out.find(">Am<"), std::string::npos);
    EXPECT_NE(svg.out.find("<rect x=\"35\""), std::string::npos) << "the four-string grid";
    EXPECT_EQ(FirstBassMarkX(svg.out), "43") << "C, 0 0 0 3: the open C string sounds lowest";
    // The low G is read as the ukulele's tuning; a six-string preset is not one of its tunings.
    EXPECT_EQ(Cli("progression C --instrument ukulele --tuning \"Low G\"").status, 0);
}

TEST(CliInstruments, BadValuesAreNamed)
{
    struct Row {
        const char* args;
        const char* named;
    };
    const Row rows[] = {
        { "voicings --root C --instrument banjo", "\"banjo\"" },
        { "voicings --root C --instrument ukulele --tuning \"D G B E A\"", "4 strings" },
        { "voicings --root C --instrument ukulele --tuning \"Drop D\"", "\"Drop D\"" },
        { "identify \"x 3 2 0 1 0\" --instrument ukulele", "4 frets" },
        { "identify 0003 --instrument ukulele --capo 20", "\"20\"" },
        { "progression \"C G\" --instrument mandolin --tuning \"G D A\"", "mandolin" },
        { "voicings --root C --instrument custom --tuning \"C D E F G A B C D\"", "\"C D E F G A B C D\"" },
        { "voicings --root C --instrument custom", "--tuning" },
        { "voicings --root C --instrument guitar --tuning \"G3 C4 E4 A4\"", "\"G3 C4 E4 A4\"" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args);
        const CliRun run = Cli(row.args, {}, true);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.out.find(row.named), std::string::npos) << run.out;
        EXPECT_EQ(Lines(run.out).size(), 1u) << run.out;
    }
}

TEST(CliInstruments, LeavingTonesOutBySymbol)
{
    const char* maj9 = "voicings --symbol Cmaj9 --instrument ukulele --format frets --limit 3";
    EXPECT_EQ(Cli(maj9).status, 0);
    EXPECT_EQ(Cli(maj9).out, "0202\n4203\n4005\n");
    EXPECT_NE(Cli(maj9, {}, true)
                  .out.find("corvane-cli: Cmaj9 has 5 tones and the ukulele 4 strings: voicings without the 5th or "
                            "without the root\n"),
        std::string::npos);
    // Each record says what it leaves out; a record that leaves nothing out keeps its object.
    const auto json = nlohmann::json::parse(Cli("voicings --symbol Cmaj9 --instrument ukulele --json --limit 2").out);
    EXPECT_EQ(json["records"][0]["omitted"], nlohmann::json::array({ "1" }));
    EXPECT_EQ(json["records"][1]["omitted"], nlohmann::json::array({ "5" }));
    EXPECT_EQ(
        json["leftOut"], "Cmaj9 has 5 tones and the ukulele 4 strings: voicings without the 5th or without the root");
    const auto c7 = nlohmann::json::parse(Cli("voicings --symbol C7 --instrument ukulele --json --limit 1").out);
    EXPECT_FALSE(c7["records"][0].contains("omitted"));
    EXPECT_FALSE(c7.contains("leftOut"));
    // The sheet's heading says it under the chord's name.
    EXPECT_NE(Cli("voicings --symbol Cmaj9 --instrument ukulele --format svg --limit 2")
                  .out.find(", voicings without the 5th or without the root</text>"),
        std::string::npos);
    // A symbol is read lead-sheet first: C9 is the dominant ninth, where the name box reads Cadd9.
    EXPECT_EQ(Cli("voicings --symbol C9 --instrument ukulele --format frets --limit 1").out, "0201\n");
    // The batch key reads the same.
    const auto batch = nlohmann::json::parse(Cli("batch", "{\"symbol\":\"G7b9\",\"instrument\":\"ukulele\"}\n").out);
    EXPECT_EQ(batch["records"][0]["omitted"], nlohmann::json::array({ "1" }));
}

TEST(CliInstruments, NoVoicingSaysWhy)
{
    struct Row {
        const char* args;
        int status;
        const char* said;
    };
    const Row rows[] = {
        { "voicings --intervals \"00 04 10 01 03 06\" --instrument ukulele", 1,
            "too many tones: 6 on 4 strings, 5 even without the root" },
        { "voicings --root C --bass C# --instrument ukulele --easy --distance 2", 1,
            "C/C#: no fingering within \"Up to fret\" 12 and \"Distance\" 2" },
        { "voicings --symbol Cm9 --instrument ukulele --up-to 6 --distance 2 --easy --no-barre", 1,
            "Cm9: no fingering within \"Up to fret\" 6 and \"Distance\" 2" },
        { "voicings --symbol Xmaj9", 2, "does not start with a note name" },
        { "voicings --symbol C7zz", 2, "not understood: zz" },
        { "voicings --symbol C7 --root D", 2, "--symbol gives the root and the bass" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args);
        const CliRun run = Cli(row.args, {}, true);
        EXPECT_EQ(run.status, row.status);
        EXPECT_NE(run.out.find(row.said), std::string::npos) << run.out;
        EXPECT_EQ(Lines(run.out).size(), 1u) << run.out;
    }
    const CliRun emptyJson = Cli("voicings --root C --bass C# --instrument ukulele --easy --distance 2 --json");
    EXPECT_EQ(emptyJson.status, 1);
    EXPECT_EQ(
        nlohmann::json::parse(emptyJson.out)["reason"], "no fingering within \"Up to fret\" 12 and \"Distance\" 2");
    const auto empty = nlohmann::json::parse(
        Cli("batch", "{\"root\":\"C\",\"bass\":\"C#\",\"instrument\":\"ukulele\",\"easy\":true,\"distance\":2}\n").out);
    EXPECT_EQ(empty["count"], 0);
    EXPECT_EQ(empty["reason"], "no fingering within \"Up to fret\" 12 and \"Distance\" 2");
    // The progression says why too, and the five-tone chords that had no fingering now have one.
    const CliRun progression
        = Cli("progression \"C9 Cmaj9 G7b9 Am7 D7 C6/9 E7#9\" --instrument ukulele --format frets", {}, true);
    EXPECT_EQ(progression.status, 0);
    EXPECT_EQ(progression.out.find(" -"), std::string::npos) << progression.out;
}
