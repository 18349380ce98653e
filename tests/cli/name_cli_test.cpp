#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "cli_runner.h"

namespace {

nlohmann::json Json(const std::string& args)
{
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 0) << args;
    return nlohmann::json::parse(run.out, nullptr, false);
}

} // namespace

TEST(CliParse, PrintsTheStateTheSearchLeaves)
{
    const auto j = Json("parse 'Dbm7/Ab'");
    EXPECT_EQ(j["rewritten"], "Dbm/7/Ab");
    EXPECT_EQ(j["rootIndex"], 1);
    EXPECT_EQ(j["bassIndex"], 8);
    EXPECT_EQ(j["chordIntervals"], "00 03 07 10");
    EXPECT_EQ(j["typeSuffix"], "m/7");
    EXPECT_EQ(j["checked"], nlohmann::json::array({ 0, 1, 15 }));
    EXPECT_EQ(j["rootSpelling"], "flat");
    EXPECT_EQ(j["bassSpelling"], "flat");
    EXPECT_EQ(j["noteList"], "8 1 4 8 11");
    EXPECT_EQ(j["unread"], nlohmann::json::array());

    // Unread tokens are listed as typed; the bass is read.
    EXPECT_EQ(Json("parse 'Cm.aj7/x/E'")["unread"], nlohmann::json::array({ "aj7", "x" }));

    const auto major7 = Json("parse Cmaj7");
    EXPECT_EQ(major7["chordIntervals"], "00 04 07 11");
    EXPECT_EQ(major7["rewritten"], "C7+ ");

    const auto empty = Json("parse ''");
    EXPECT_EQ(empty["rewritten"], " ");
    EXPECT_EQ(empty["rootIndex"], 12);
    EXPECT_EQ(empty["noteList"], "12 4 7");

    const auto diminished = Json("parse 'Cº'");
    EXPECT_EQ(diminished["rewritten"], "Cº ");
    EXPECT_EQ(diminished["chordIntervals"], "00 03 06 09");
}

TEST(CliName, SameChordAsTheControls)
{
    const auto byName = Json("voicings --json --name 'Dbm7/Ab'");
    const auto byControls = Json("voicings --json --root Db --bass Ab --ext m,7");
    EXPECT_EQ(byName["noteList"], "8 1 4 8 11");
    EXPECT_EQ(byName["noteList"], byControls["noteList"]);
    EXPECT_EQ(byName["count"], byControls["count"]);
    EXPECT_GT(byName["count"].get<int>(), 0);

    // The third and fifth stay at their start values, so omit3 takes out the major third: none here.
    EXPECT_EQ(
        Json("voicings --json --name Cm --omit3")["count"], Json("voicings --json --ext m --third 4 --omit3")["count"]);

    const std::string batch = "{\"name\": \"C7/E\"}\n{\"name\": \"C7/E\", \"root\": \"D\"}\n";
    const CliRun run = Cli("batch", batch);
    ASSERT_EQ(run.status, 0);
    const auto newline = run.out.find('\n');
    ASSERT_NE(newline, std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(run.out.substr(0, newline))["count"],
        Json("voicings --json --root C --bass E --type 7")["count"]);
    EXPECT_TRUE(nlohmann::json::parse(run.out.substr(newline + 1)).contains("error"));
}

TEST(CliName, ConflictsAndUnreadRoot)
{
    struct Row {
        const char* args;
        const char* mentions;
    };
    const Row rows[] = {
        { "voicings --name C7 --type 7", "at most one" },
        { "voicings --name C7 --intervals '00 04 07'", "at most one" },
        { "voicings --name C7 --root D", "--root" },
        { "names --name C7 --bass E", "--bass" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args);
        const CliRun run = Cli(row.args, {}, true);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.out.find(row.mentions), std::string::npos) << run.out;
    }

    // A name without a root is refused, as any bad value: the window would find nothing.
    const CliRun unread = Cli("voicings --name X7", {}, true);
    EXPECT_EQ(unread.status, 2);
    EXPECT_NE(unread.out.find("\"X7\""), std::string::npos) << unread.out;
    // H is B, as lead sheets write it.
    EXPECT_EQ(Json("voicings --json --name H7")["noteList"], Json("voicings --json --name B7")["noteList"]);
}

// A name the box's notation leaves unread is read as a lead-sheet symbol, or named on stderr.
TEST(CliName, NothingIsMisreadInSilence)
{
    const auto diminished = Json("voicings --json --name Cdim7 --limit 1");
    EXPECT_EQ(diminished["chordIntervals"], "00 03 06 09");
    EXPECT_EQ(diminished["unread"], nlohmann::json::array());
    EXPECT_EQ(Json("voicings --json --name Cdim7 --limit 1")["noteList"],
        Json("voicings --json --root C --ext º --limit 1")["noteList"]);

    const CliRun partly = Cli("names --json --name Cdim7xyz", {}, false);
    EXPECT_EQ(partly.status, 0);
    EXPECT_EQ(nlohmann::json::parse(partly.out)["unread"], nlohmann::json::array({ "dim7xyz" }));
    const CliRun warned = Cli("names --name Cdim7xyz", {}, true);
    EXPECT_NE(warned.out.find("not understood: dim7xyz"), std::string::npos) << warned.out;

    const CliRun rootless = Cli("names --name nonsense", {}, true);
    EXPECT_EQ(rootless.status, 2);
    EXPECT_EQ(Lines(rootless.out).size(), 1U) << rootless.out;

    // Chords given otherwise keep the object they had.
    EXPECT_FALSE(Json("names --json --root C").contains("unread"));

    const auto parsed = Json("parse F#m7b5");
    EXPECT_EQ(parsed["rewritten"], "F#m/7/5- ");
    EXPECT_EQ(parsed["chordIntervals"], "00 03 06 10");
    EXPECT_EQ(parsed["leadSheet"], "F#m7b5");
    EXPECT_TRUE(Json("parse Cm7")["leadSheet"].is_null());
}

TEST(CliChord, TheLeadSheetReading)
{
    const auto j = Json("chord --json 'D/F#'");
    EXPECT_EQ(j["root"], 2);
    EXPECT_EQ(j["bass"], 6);
    EXPECT_EQ(j["pitchClasses"], nlohmann::json::array({ 2, 6, 9 }));
    EXPECT_EQ(j["intervals"], nlohmann::json::array({ 0, 4, 7 }));
    EXPECT_EQ(j["unread"], nlohmann::json::array());

    const CliRun text = Cli("chord G7b9");
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out, "chord: G7b9\nroot: 7\nbass: 7\npitchClasses: 7 11 2 5 8\nintervals: 0 4 7 10 1\n");

    const CliRun partly = Cli("chord --json C7blue");
    EXPECT_EQ(partly.status, 1);
    EXPECT_EQ(nlohmann::json::parse(partly.out)["unread"], nlohmann::json::array({ "blue" }));
    const CliRun rootless = Cli("chord --json xyz");
    EXPECT_EQ(rootless.status, 2);
    EXPECT_TRUE(nlohmann::json::parse(rootless.out)["root"].is_null());
}
