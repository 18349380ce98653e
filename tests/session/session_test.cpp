// corvane-session end to end: sessions in, answers out, through the real window.

#include "../cli/cli_runner.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

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

// The name action replaces the box's text, so an empty name gives what Ctrl+A, Delete and Enter give.
TEST(SessionDriver, AnEmptyNameEmptiesTheBox)
{
    const json typed = Answer(R"([["name","Am"],["name",""]])");
    const json keys = Answer(R"([["name","Am"],["key","Ctrl+L"],["key","Ctrl+A"],["key","Delete"],["key","Return"]])");
    EXPECT_EQ(typed["editText"], " ");
    EXPECT_EQ(typed["rootIndex"], 12);
    EXPECT_EQ(typed["bassIndex"], 12);
    EXPECT_EQ(typed["count"], 0);
    for (const char* field : { "editText", "rootIndex", "bassIndex", "count", "noteList", "chordIntervals" })
        EXPECT_EQ(typed[field], keys[field]) << field;
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

// The driver's dialogs answer cancel, so that no menu item waits for a person.
TEST(SessionDriver, MenuItemsRunAndTheirDialogsAnswerCancel)
{
    const json answer = Answer(R"([["menu","Copy diagram"],["menu","Export diagram…"],["menu","Export sheet…"],)"
                               R"(["menu","Print…"],["menu","Print preview"],["menu","Chord notation…"],)"
                               R"(["menu","About"],["menu","Paste"]])");
    ASSERT_EQ(answer["answers"].size(), 8u);
    for (size_t i = 0; i < 7; ++i)
        EXPECT_EQ(answer["answers"][i], nullptr) << i;
    EXPECT_EQ(answer["answers"][7]["error"], "menu: no menu item Paste");
    EXPECT_EQ(answer["refreshCount"], 0);
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

// The Note On keys of every strum in the answer, in order.
std::vector<int> StrummedKeys(const json& answer)
{
    std::vector<int> keys;
    for (const json& entry : answer["midi"])
        if (entry[0] == "send" && (entry[1].get<int>() & 0xF0) == 0x90)
            keys.push_back(entry[1].get<int>() >> 8 & 0x7F);
    return keys;
}

// The open C played on the neck from nothing: the A string at fret 3, the D string at 2, the G string
// opened at the nut, the B string at 1, the high E opened. Rows and fret spaces as the picture draws them.
constexpr const char* kOpenCOnTheNeck
    = R"(["neckClick",134,62],["neckClick",93,48],["neckClick",4,34],["neckClick",50,20],["neckClick",4,7])";

TEST(SessionDriver, ANeckClickNamesShowsAndStrumsWhatTheNeckHoldsWithoutARefresh)
{
    const json answer = Answer(std::string("[") + kOpenCOnTheNeck + "]");
    EXPECT_EQ(answer["neckFingering"], json({ -1, 3, 2, 0, 1, 0 }));
    EXPECT_EQ(answer["formation"], "X 3 2 0 1 0 ");
    ASSERT_FALSE(answer["names"].empty());
    EXPECT_EQ(answer["names"][0], "C");
    EXPECT_EQ(answer["refreshCount"], 0);
    EXPECT_EQ(answer["count"], 165) << "the sheet stays as it was";
    // Every click strums what the neck then holds; the last one the whole chord.
    const std::vector<int> keys = StrummedKeys(answer);
    ASSERT_GE(keys.size(), 5u);
    EXPECT_EQ(std::vector<int>(keys.end() - 5, keys.end()), (std::vector<int> { 48, 52, 55, 60, 64 }));
    ASSERT_FALSE(answer["neckCalls"].empty());
    EXPECT_EQ(answer["neckCalls"][0], "picture neck-classic 0 0");

    // The same place again takes the finger off; a refresh fills the names list from the chooser again.
    const json again = Answer(std::string("[") + kOpenCOnTheNeck + R"(,["neckClick",50,20],["rootPick",2]])");
    EXPECT_EQ(again["neckFingering"], json({ -1, 3, 2, 0, 0, 0 }));
    EXPECT_EQ(again["names"], Answer(R"([["rootPick",2]])")["names"]);
}

// Frets typed into the Formation box do what the same fingering clicked on the neck does.
TEST(SessionDriver, FretsTypedIntoTheFormationBoxPlayAsTheNeckDoes)
{
    const json clicked = Answer(std::string("[") + kOpenCOnTheNeck + "]");
    for (const char* typed : { "x 3 2 0 1 0", "x32010" }) {
        SCOPED_TRACE(typed);
        const json answer = Answer(std::string(R"([["formation",")") + typed + R"("]])");
        EXPECT_EQ(answer["neckFingering"], json({ -1, 3, 2, 0, 1, 0 }));
        EXPECT_EQ(answer["formation"], "X 3 2 0 1 0 ");
        EXPECT_EQ(answer["names"], clicked["names"]);
        EXPECT_EQ(answer["neckCalls"], clicked["neckCalls"]);
        EXPECT_EQ(StrummedKeys(answer), (std::vector<int> { 48, 52, 55, 60, 64 }));
        EXPECT_EQ(answer["refreshCount"], 0);
    }
    // What cannot be read, or is no fret of the neck, changes nothing.
    const struct {
        const char* before;
        const char* typed;
    } refused[] = { { "[]", "x 3 2" }, { R"([["capo",2]])", "x 3 2 0 1 25" } };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.typed);
        const json before = Answer(row.before);
        std::string actions(row.before);
        actions.insert(
            actions.size() - 1, std::string(actions.size() > 2 ? "," : "") + R"(["formation",")" + row.typed + R"("])");
        const json answer = Answer(actions);
        EXPECT_EQ(answer["neckFingering"], before["neckFingering"]);
        EXPECT_EQ(answer["names"], before["names"]);
        EXPECT_TRUE(StrummedKeys(answer).empty());
    }
}

TEST(SessionDriver, FindSearchesTheNameAGuitaristSaysForWhatTheNeckHolds)
{
    // The open G: low E and high E at fret 3, the A string at 2, the D, G and B strings opened. Its
    // first name in sort order is a reading over G of the same three notes, which no player says.
    const std::string openG = R"(["neckClick",134,76],["neckClick",93,62],["neckClick",4,48],["neckClick",4,34],)"
                              R"(["neckClick",4,20],["neckClick",134,7])";
    const json played = Answer("[" + openG + "]");
    EXPECT_EQ(played["neckFingering"], json({ 3, 2, 0, 0, 0, 3 }));
    ASSERT_FALSE(played["names"].empty());
    EXPECT_EQ(played["names"][0], "Bm/5+/G");

    const json found = Answer("[" + openG + R"(,["find"]])");
    const json typed = Answer(R"([["name","G"]])");
    EXPECT_EQ(found["editText"], "G");
    EXPECT_EQ(found["editText"], typed["editText"]);
    EXPECT_EQ(found["voicingRecords"], typed["voicingRecords"]);
    EXPECT_EQ(found["names"], typed["names"]);
    EXPECT_EQ(found["refreshCount"], 1);
    const std::vector<json> records = found["voicingRecords"];
    EXPECT_NE(std::find_if(records.begin(), records.end(),
                  [](const json& record) { return record.get<std::string>().ends_with(" 3 2 0 0 0 3 "); }),
        records.end())
        << "the fingering played is among those found";

    // One string sounding has no name: the button is greyed and the action refused.
    const json lone = Answer(R"([["neckClick",134,62],["find"]])");
    EXPECT_TRUE(lone["names"].empty());
    EXPECT_TRUE(lone["answers"][1].contains("error"));
    EXPECT_EQ(lone["refreshCount"], 0);
}

TEST(SessionDriver, TheCapoSearchesTheSoundingChordAndStrumsFromTheCapo)
{
    const json plain = Answer(R"([["rootPick",10]])");
    const json capo = Answer(R"([["capo",2],["click",40,60]])");
    EXPECT_EQ(capo["capo"], 2);
    // C with the capo on 2 is played with the shapes of B flat.
    EXPECT_EQ(capo["voicingRecords"], plain["voicingRecords"]);
    EXPECT_EQ(capo["count"], plain["count"]);
    EXPECT_EQ(capo["names"], Answer("[]")["names"]);
    EXPECT_EQ(capo["refreshCount"], 2);

    // The strum sounds every fret two semitones up from the open strings.
    const json open = capo["openStringNotes"];
    std::vector<int> wanted;
    int string = 0;
    for (const json& fret : capo["neckFingering"]) {
        if (fret.get<int>() >= 0)
            wanted.push_back(open[static_cast<size_t>(string)].get<int>() + fret.get<int>() + 2);
        ++string;
    }
    EXPECT_EQ(StrummedKeys(capo), wanted);
    EXPECT_GE(std::set<int>(wanted.begin(), wanted.end()).size(), 3u);
    for (const int key : wanted)
        EXPECT_TRUE(key % 12 == 0 || key % 12 == 4 || key % 12 == 7) << key << " is not a tone of C";
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

namespace {

// A scratch settings file, removed with the test.
struct ScratchSettings {
    std::string path = testing::TempDir() + "corvane-settings-"
        + testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
    ScratchSettings() { std::remove(path.c_str()); }
    ~ScratchSettings() { std::remove(path.c_str()); }
};

// What the window shows, less what a new window rightly starts afresh: the MIDI sent, the refreshes
// counted, the diagram last clicked and the action answers.
json Shown(json answer)
{
    for (const char* fresh : { "midi", "refreshCount", "answers", "selectedX", "selectedY", "formation" })
        answer.erase(fresh);
    return answer;
}

std::vector<json> AnswersWith(const std::string& settings, const std::string& lines)
{
    const CliRun run = Cli("--settings '" + settings + "'", lines);
    EXPECT_EQ(run.status, 0);
    std::vector<json> answers;
    for (const std::string& line : Lines(run.out))
        answers.push_back(json::parse(line));
    return answers;
}

} // namespace

TEST(SessionDriver, ARestartFindsEveryKeptValueBack)
{
    // Every kept value away from its start: a retuned string after a preset, the options, the sound,
    // the neck, both spellings and a chord built from the type list, a name typed over it.
    const std::string changes = R"(["preset",3],["trackBar",5,2],["fretLimit",18],["omit5",true],)"
                                R"(["leftHanded",true],["noBarre",true],["easy",true],["span",4],["omit3",true],)"
                                R"(["patch",4],["tempo",5],["neck","electric"],["rootFlat",true],["bassFlat",true],)"
                                R"(["rootPick",10],["view","mod2"],["typePick",6],["bassPick",3],["name","Ebm7/Bb"])";
    const ScratchSettings settings;
    const std::vector<json> answers = AnswersWith(settings.path,
        R"({"sheetWidth":600,"actions":[)" + changes + "]}\n" + R"({"sheetWidth":600,"actions":[)" + changes
            + R"(,["restart"]]})" + "\n" + R"({"sheetWidth":600,"actions":[]})" + "\n");
    ASSERT_EQ(answers.size(), 3u);
    const json& before = answers[0];
    const json& restarted = answers[1];
    const json& nextSession = answers[2];
    ASSERT_EQ(restarted["answers"].back(), nullptr);
    EXPECT_GT(before["count"], 0);
    EXPECT_EQ(before["toolButtonCaption"], restarted["toolButtonCaption"]);
    EXPECT_EQ(Shown(before), Shown(restarted))
        << "first difference: " << json::diff(Shown(before), Shown(restarted)).dump();
    // A new session on the same file opens on what the restart left there.
    EXPECT_EQ(Shown(restarted), Shown(nextSession));
    // Restoring selects the kept patch and nothing else: no note, no strum.
    EXPECT_EQ(restarted["midi"], json::array());
    EXPECT_EQ(restarted["refreshCount"], 0);
}

TEST(SessionDriver, ADamagedOrForeignSettingsFileOpensTheStartUpWindow)
{
    const std::string plain = R"({"sheetWidth":600,"actions":[]})"
                              "\n";
    const json startUp = Answer("[]");
    const ScratchSettings settings;
    const struct {
        const char* name;
        std::string text;
    } files[] = {
        { "binary junk", std::string("\x00\xff\x01[[[=\n\xc3(", 10) },
        { "another program's keys", "[General]\ncolour=blue\n[window]\nsize=@Size(3 4)\n" },
        { "every value wrong",
            "[tuning]\npreset=99\nstrings=1 2 3\nlabel1=Q\n[options]\nupToFret=-1\ndistance=x\nomit3=maybe\n"
            "capo=40\n[sound]\npatch=9\ntempo=6\n[neck]\npicture=wooden\n[chord]\nroot=13\nintervals=a b\n"
            "view=mod3\n[spelling]\nroot=natural\n[window]\ngeometry=@ByteArray(xyz)\nmaximised=3\n"
            "chooserSplitter=1 2 3\n" },
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        {
            std::ofstream out(settings.path, std::ios::binary | std::ios::trunc);
            out << file.text;
        }
        const std::vector<json> answers = AnswersWith(settings.path, plain);
        ASSERT_EQ(answers.size(), 1u);
        EXPECT_EQ(answers[0], startUp) << json::diff(startUp, answers[0]).dump();
    }
}

TEST(SessionDriver, ASongOpensTransposesAndTakesACapoInItsWindow)
{
    const std::string song = std::string(CORVANE_SONGS_DIR) + "/swing_low.cho";
    const json answer = Answer(R"([["transpose",2],["openSong",")" + song
        + R"("],["transpose",2],["songCapo",2],)"
          R"(["openSong","/no/such/song.cho"],["capo",3]])");
    ASSERT_EQ(answer["answers"].size(), 6u);
    EXPECT_EQ(answer["answers"][0]["error"], "no song is open");
    for (size_t i : { 1, 2, 3, 5 })
        EXPECT_EQ(answer["answers"][i], nullptr) << i;
    EXPECT_NE(answer["answers"][4]["error"].get<std::string>().find("song.cho cannot be read"), std::string::npos);
    // The refused file left the song as it was; the main window's capo is its own.
    EXPECT_EQ(answer["song"]["title"], "Swing Low, Sweet Chariot");
    EXPECT_EQ(answer["song"]["transpose"], 2);
    EXPECT_EQ(answer["song"]["capo"], 2);
    EXPECT_EQ(answer["song"]["chords"], json::array({ "D", "G", "A7" }));
    EXPECT_EQ(answer["capo"], 3);
    EXPECT_FALSE(Answer(R"([["capo",3]])").contains("song")) << "no song, no song field";

    // "Suggest capo" takes none for a song of open shapes; without settings no song is recent.
    const json suggested
        = Answer(R"([["openSong",")" + song + R"("],["songCapo",5],["suggestSongCapo"],["recentSong",0]])");
    EXPECT_EQ(suggested["answers"][2], nullptr);
    EXPECT_EQ(suggested["song"]["capo"], 0);
    EXPECT_EQ(suggested["answers"][3]["error"], "there is no recent song 0");
}

// A set of two songs on stage: Page Down goes through the first into the second, Space and a second
// of time scroll it, and the answer says where the view is; a songbook is made of the songs.
TEST(SessionDriver, ASetlistOnStageAndInABook)
{
    const std::string songs = std::string(CORVANE_SONGS_DIR);
    json answer = Answer(R"([["stage","PageDown"],["setlist",")" + songs + R"(/swing_low.cho",")" + songs
        + R"(/oh_susanna.cho"],["stage","PageDown"],["stage","PageDown"],["stage","PageDown"]])");
    ASSERT_EQ(answer["answers"].size(), 5u);
    EXPECT_EQ(answer["answers"][0]["error"], "no song to show on stage");
    EXPECT_EQ(answer["setlist"].size(), 2u);
    EXPECT_EQ(answer["stage"]["song"], 1) << answer["stage"];
    EXPECT_EQ(answer["stage"]["title"], "Oh! Susanna");

    answer = Answer(R"([["setlist",")" + songs + R"(/oh_susanna.cho"],["stage","Space"],["stage","tick"],)"
        + R"(["stage","D"],["songbook",")" + songs + R"(/swing_low.cho","/no/such.cho"]])");
    EXPECT_TRUE(answer["stage"]["playing"]) << "{tempo} gives the song a pace";
    EXPECT_GT(answer["stage"]["offset"].get<int>(), 0);
    EXPECT_TRUE(answer["stage"]["dark"]);
    EXPECT_EQ(answer["answers"][4], nullptr) << "a book is made of the songs that could be read";
    EXPECT_EQ(answer["songbook"], "Songbook of 3 pages");
    EXPECT_FALSE(Answer(R"([["capo",3]])").contains("stage"));
}

// The instrument action and the bars beyond six: the 7-string guitar's low B string is bar 0, its
// seventh bar string 6; the mandolin has four. The guitar's answers carry no "instrument".
TEST(SessionDriver, TheInstrumentChoosesItsStringsAndItsBars)
{
    struct Row {
        const char* name;
        const char* actions;
        const char* instrument; // null: the guitar
        const char* strings;
        json answers;
    };
    const Row rows[] = {
        { "the 7-string guitar's seventh bar", R"([["instrument","7-string guitar"],["trackBar",6,5]])",
            "7-string-guitar", "B1 E2 A2 D3 G3 B3 F4", json({ nullptr, nullptr }) },
        { "the mandolin has four bars", R"([["instrument","Mandolin"],["trackBar",3,0],["trackBar",4,0]])", "mandolin",
            "G3 D4 A4 C5", json({ nullptr, nullptr, { { "error", "trackBar: argument 1 must be 0..3, got 4" } } }) },
        { "an unknown instrument changes nothing", R"([["instrument","banjo"]])", nullptr, "",
            json({ { { "error",
                "instrument: no instrument banjo (guitar, 7-string-guitar, ukulele, baritone-ukulele, "
                "tenor-guitar, mandolin)" } } }) },
        { "back to the guitar", R"([["instrument","ukulele"],["instrument","guitar"]])", nullptr, "",
            json({ nullptr, nullptr }) },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const json answer = Answer(row.actions);
        EXPECT_EQ(answer["answers"], row.answers);
        if (!row.instrument) {
            EXPECT_FALSE(answer.contains("instrument"));
            EXPECT_EQ(answer["count"], 165);
            continue;
        }
        ASSERT_TRUE(answer.contains("instrument"));
        EXPECT_EQ(answer["instrument"]["name"], row.instrument);
        EXPECT_EQ(answer["instrument"]["strings"], row.strings);
        EXPECT_EQ(answer["instrument"]["records"].size(), answer["count"].get<size_t>());
        EXPECT_EQ(answer["voicingRecords"].size(), 0u);
    }
}

// The progression action types into the window's text; the windows follow the main window's instrument.
TEST(SessionDriver, AProgressionAndASongFollowTheInstrument)
{
    const std::string song = std::string(CORVANE_SONGS_DIR) + "/swing_low.cho";
    const json answer = Answer(
        R"([["progression","C Am F G"],["instrument","ukulele"],["openSong",")" + song + R"("],["songCapo",2]])");
    EXPECT_EQ(answer["answers"], json({ nullptr, nullptr, nullptr, nullptr }));
    EXPECT_EQ(answer["progression"], json::array({ "0003", "2000", "2010", "0232" }));
    EXPECT_EQ(answer["song"]["chords"], json::array({ "C", "F", "G7" }));
    EXPECT_EQ(Answer(R"([["progression","C Am F G"]])")["progression"],
        json::array({ "x32010", "x02210", "133211", "320003" }));
    EXPECT_FALSE(Answer(R"([["capo",3]])").contains("progression")) << "no chords typed, no progression field";
}

// The strip from the keyboard: the arrows walk it and Enter strums the chord; "Other fingerings"
// keeps the keyboard on its chord and the next diagram clicked becomes that chord's fingering.
TEST(SessionDriver, TheStripIsWalkedWithTheKeysAndOtherFingeringsTakesAClick)
{
    const std::string song = std::string(CORVANE_SONGS_DIR) + "/swing_low.cho";
    const json answer = Answer(R"([["stripKey","song","Right"],["openSong",")" + song
        + R"("],["stripKey","song","Right"],["stripKey","song","End"],["stripKey","song","Return"],)"
          R"(["otherFingerings","song",2],["click",150,60],["otherFingerings","song",3],)"
          R"(["stripKey","song","Ctrl+Q+Q"],["progression","C G"],["otherFingerings","progression",1],)"
          R"(["otherFingerings","progression",1]])");
    ASSERT_EQ(answer["answers"].size(), 12u);
    EXPECT_EQ(answer["answers"][0]["error"], "the song window shows no chords");
    for (size_t i : { 1, 2, 3, 4, 5, 6, 9, 10, 11 })
        EXPECT_EQ(answer["answers"][i], nullptr) << i << ": " << answer["answers"][i].dump();
    EXPECT_EQ(answer["answers"][7]["error"], "the song window's strip has 3 chords");
    EXPECT_NE(answer["answers"][8]["error"].get<std::string>().find("not a key"), std::string::npos);
    EXPECT_EQ(answer["song"]["chords"], json::array({ "D", "G", "A7" }));
}

// songPick chooses a song of a songbook file from the song window's list; a file of one song refuses.
TEST(SessionDriver, SongPickChoosesASongOfTheFile)
{
    const std::string book = std::string(CORVANE_SONGS_DIR) + "/../corpus/new_song.cho";
    const json answer = Answer(R"([["openSong",")" + book + R"("],["songPick",2],["songPick",3]])");
    EXPECT_EQ(answer["answers"], json({ nullptr, nullptr, { { "error", "the file holds 3 songs" } } }));
    EXPECT_EQ(answer["song"]["title"], "Third Song");
    EXPECT_EQ(answer["song"]["chords"], json::array({ "E" }));
}

TEST(SessionDriver, TheNotationActionWritesTheNamesInIt)
{
    const json german = Answer(R"([["name","Bm"],["notation","german"]])");
    EXPECT_EQ(german["answers"], json({ nullptr, nullptr }));
    EXPECT_EQ(german["names"][0], "Hm");
    const json back = Answer(R"([["notation","german"],["name","H7"],["notation","parts"]])");
    EXPECT_EQ(back["rootIndex"], 11);
    EXPECT_EQ(back["names"], Answer(R"([["name","B7"]])")["names"]) << "the list's own words again";
    const json refused = Answer(R"([["notation","klingon"]])");
    EXPECT_NE(refused["answers"][0]["error"].get<std::string>().find("klingon"), std::string::npos);
}
