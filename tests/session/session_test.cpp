// corvane-session end to end: sessions in, answers out, through the real window.

#include "../cli/cli_runner.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace {

using nlohmann::json;

std::vector<json> Answers(const std::string& input)
{
    const CliRun run = Cli("", input);
    EXPECT_EQ(run.status, 0);
    std::vector<json> answers;
    for (const std::string& line : Lines(run.out))
        answers.push_back(json::parse(line));
    return answers;
}

json Answer(const std::string& actions)
{
    const std::vector<json> answers = Answers(R"({"sheetWidth":600,"actions":)" + actions + "}\n");
    return answers.size() == 1 ? answers[0] : json();
}

TEST(SessionDriver, ACheckListClickRunsOnceAndKeepsItsItemCurrent)
{
    const json answer = Answer(R"([["omit3",true],["toggle","m"],["toggle","º"]])");
    EXPECT_EQ(answer["count"], 64);
    EXPECT_EQ(answer["voicingRecords"].size(), 64u);
    EXPECT_EQ(answer["thirdInterval"], 3);
    EXPECT_EQ(answer["currentExtension"], 4);
    EXPECT_EQ(answer["refreshCount"], 3);
    EXPECT_EQ(answer["checked"], json({ 0, 4 }));
    EXPECT_EQ(answer["editText"], "Cº");
    EXPECT_EQ(answer["noteList"], "0 3 6 9");
    EXPECT_EQ(answer["answers"], json({ nullptr, nullptr, nullptr }));
}

TEST(SessionDriver, ClickingTheHighlightedRowOfAGridPicksIt)
{
    struct Row {
        const char* name;
        const char* actions;
    };
    const Row rows[] = {
        { "the bass of a typed name dropped from the bass grid", R"([["name","C/E"],["bassPick",0]])" },
        { "a separate bass dropped from the root grid", R"([["bassPick",4],["rootPick",0]])" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const json answer = Answer(row.actions);
        EXPECT_EQ(answer["bassIndex"], 0);
        EXPECT_EQ(answer["bassSuffix"], "");
        EXPECT_EQ(answer["noteList"], "0 4 7");
        EXPECT_EQ(answer["count"], 165);
        EXPECT_EQ(answer["bassGridRow"], 0);
        EXPECT_EQ(answer["refreshCount"], 2);
    }
}

TEST(SessionDriver, ARefusedBassLeavesTheHighlightOnTheBass)
{
    const json answer = Answer(R"([["name","C7/9/11"],["bassPick",4]])");
    EXPECT_EQ(answer["chordIntervals"], "00 04 07 10 02 05");
    EXPECT_EQ(answer["bassIndex"], 0);
    EXPECT_EQ(answer["bassGridRow"], 0);
    EXPECT_EQ(answer["refreshCount"], 1);
}

TEST(SessionDriver, ThePatchBoxTypedOverKeepsItsItemsAndTheSound)
{
    const json answer = Answer(R"([["patch",1],["key","X"],["key","Return"]])");
    EXPECT_EQ(answer["patch"], 1);
    const json jazz
        = json::array({ json { "send", 0xC0 }, json { "send", 26 }, json { "volume", 0xFFFF }, json { "send", 0x90 } });
    EXPECT_EQ(answer["midi"], jazz);
}

TEST(SessionDriver, AClickOnADiagramShowsItsFormationNeckAndStrum)
{
    const json answer = Answer(R"([["click",40,60]])");
    EXPECT_EQ(answer["formation"], "X 3 2 0 1 0 ");
    EXPECT_EQ(answer["selectedX"], 40);
    EXPECT_EQ(answer["selectedY"], 60);
    ASSERT_EQ(answer["midi"].size(), 10u);
    EXPECT_EQ(answer["midi"][0], json({ "send", 0x90 | 48 << 8 | 100 << 16 }));
    EXPECT_EQ(answer["midi"][1], json({ "pause", 75 }));
    ASSERT_FALSE(answer["neckCalls"].empty());
    EXPECT_EQ(answer["neckCalls"][0], "picture neck-classic 0 0");
}

TEST(SessionDriver, TheKeyboardPlaysADiagramExactlyAsAClickOnItsMiddle)
{
    // To the name box, Tab on to the sheet, two cells to the right, Enter.
    std::string keys = R"([["key","Ctrl+L"])";
    for (int tab = 0; tab < 9; ++tab)
        keys += R"(,["key","Tab"])";
    keys += R"(,["key","Right"],["key","Right"],["key","Return"]])";
    json byKeys = Answer(keys);
    json byClick = Answer(R"([["click",250,65]])");
    EXPECT_EQ(byKeys["formation"], "X 3 5 5 5 3 ");
    EXPECT_EQ(byKeys["answers"], json(std::vector<json>(13, nullptr)));
    for (const char* field : { "formation", "selectedX", "selectedY", "midi", "neckCalls", "refreshCount" })
        EXPECT_EQ(byKeys[field], byClick[field]) << field;
}

TEST(SessionDriver, AnActionOnAHiddenListIsRefusedAndBadLinesAnswerAnError)
{
    const std::vector<json> answers
        = Answers("not json\n"
                  R"({"actions":[["strum"]]})"
                  "\n"
                  R"({"sheetWidth":450,"actions":[["view","mod2"],["toggle","m"],["typePick",1],["rootPick",12]]})"
                  "\n");
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_TRUE(answers[0].contains("error"));
    EXPECT_EQ(answers[1]["error"], "unknown action strum");
    const json& answer = answers[2];
    EXPECT_EQ(answer["answers"][0], nullptr);
    EXPECT_TRUE(answer["answers"][1].contains("error"));
    EXPECT_EQ(answer["answers"][2], nullptr);
    EXPECT_TRUE(answer["answers"][3].contains("error"));
    EXPECT_EQ(answer["chordIntervals"], "00 03 06 09");
    EXPECT_EQ(answer["typeGridRow"], 1);
    EXPECT_EQ(answer["refreshCount"], 1);
}

} // namespace
