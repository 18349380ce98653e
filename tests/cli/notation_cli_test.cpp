// corvane-cli --notation: names written and read in each notation on every command, and the
// sentence that says when the two readers of a typed name differ.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

#include "cli_runner.h"

namespace {

std::string Scratch(const std::string& name, const std::string& text)
{
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(NotationCli, IdentifyNamesInEachNotation)
{
    EXPECT_EQ(Lines(Cli("identify x24432 --notation german").out).front(), "Hm");
    EXPECT_EQ(Lines(Cli("identify x32010 --notation latin").out).front(), "Do");
    EXPECT_EQ(Lines(Cli("identify x32010 --notation lead-sheet").out).front(), "C");
    const auto json = nlohmann::json::parse(Cli("identify x24432 --json --notation german").out);
    EXPECT_EQ(json["best"], "Hm");
    EXPECT_EQ(json["names"][0], "Hm");
    // The default is the program's own notation, unchanged.
    EXPECT_EQ(Cli("identify x24432").out, Cli("identify x24432 --notation parts").out);
}

TEST(NotationCli, ALeadSheetNameIsReadAsALeadSheetReadsIt)
{
    const auto names = Lines(Cli("names --name C9 --notation lead-sheet").out);
    EXPECT_NE(std::find(names.begin(), names.end(), "C9"), names.end());
    const auto json = nlohmann::json::parse(Cli("voicings --name C9 --notation lead-sheet --json").out);
    EXPECT_EQ(json["chordIntervals"], "00 04 07 10 02");
    const auto box = nlohmann::json::parse(Cli("voicings --name C9 --json").out);
    EXPECT_EQ(box["chordIntervals"], "00 04 07 02");
    // German reads H7 and B; the batch takes the same word.
    const auto german = nlohmann::json::parse(Cli("batch", "{\"name\":\"B\",\"notation\":\"german\"}\n").out);
    EXPECT_EQ(german["noteList"], "10 2 5");
}

TEST(NotationCli, DifferingReadingsAreSaidOnStderr)
{
    const CliRun run = Cli("names --name C9", {}, true);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("corvane-cli: C9 read as Cadd9 (C E G D); on a lead sheet C9 is C E G B\u266d D: use "
                           "Lead-sheet names?\n"),
        std::string::npos)
        << run.out;
    EXPECT_EQ(Cli("names --name Cm7", {}, true).out.find("read as"), std::string::npos);
    EXPECT_EQ(Cli("names --name C9 --notation lead-sheet", {}, true).out.find("read as"), std::string::npos);
}

TEST(NotationCli, BadWordsAreRefused)
{
    EXPECT_EQ(Cli("names --name C --notation klingon").status, 2);
    EXPECT_EQ(Cli("identify x32010 --notation nashville").status, 2);
    EXPECT_EQ(Cli("progression 'G C' --key Q").status, 2);
}

TEST(NotationCli, SongsInNumbersAndNumerals)
{
    const std::string file = Scratch("notation_d.cho", "{key: D}\n[D]Down the [G]road to [A7]town\n");
    const auto nashville = Lines(Cli("song '" + file + "' --notation nashville --format text").out);
    ASSERT_EQ(nashville.size(), 5u);
    EXPECT_EQ(nashville[3], "1        4       57");
    const auto roman = Lines(Cli("song '" + file + "' --notation roman --format text").out);
    EXPECT_EQ(roman[3], "I        IV      V7");
    const std::string noKey = Scratch("notation_g.cho", "[G]One [C]two [D7]three [G]four\n");
    EXPECT_EQ(Lines(Cli("song '" + noKey + "' --format text").out).front(), "Key: G (guessed)");
    EXPECT_EQ(Lines(Cli("song '" + noKey + "' --notation nashville --format text").out)[3], "1   4   57    1");
}

TEST(NotationCli, ProgressionsReadNumbersAndNumeralsInAKey)
{
    // The chords' names in letters; their texts stay as typed.
    const auto chords = [](const std::string& args) {
        std::vector<std::string> names;
        const auto json = nlohmann::json::parse(Cli("progression " + args + " --format json").out);
        for (const auto& chord : json["chords"])
            names.push_back(chord["name"]);
        return names;
    };
    const auto typed = nlohmann::json::parse(Cli("progression '1 5 6m 4' --key G --format json").out);
    EXPECT_EQ(typed["chords"][2]["text"], "6m");
    EXPECT_EQ(typed["chords"][2]["name"], "Em");
    EXPECT_EQ(chords("'G C9 Bb'"), (std::vector<std::string> { "G", "C9", "Bb" })) << "letters as written";
    EXPECT_EQ(chords("'H7 B' --notation german"), (std::vector<std::string> { "B7", "Bb" }));
    EXPECT_EQ(chords("'1 5 6m 4' --key G"), (std::vector<std::string> { "G", "D", "Em", "C" }));
    EXPECT_EQ(chords("'ii V I' --key C"), (std::vector<std::string> { "Dm", "G", "C" }));
    EXPECT_EQ(chords("'i iv V7' --key Am"), (std::vector<std::string> { "Am", "Dm", "E7" }));
    EXPECT_EQ(chords("'Sol Rem' --notation latin"), (std::vector<std::string> { "G", "Dm" }));

    // Without --key the chords' own key is guessed, said in the JSON, and counted from.
    const auto guessed = nlohmann::json::parse(Cli("progression 'G C D7 G' --format json").out);
    EXPECT_EQ(guessed["key"], "G");
    EXPECT_EQ(guessed["keyGuessed"], true);
    const auto given = nlohmann::json::parse(Cli("progression 'G C D7 G' --key G --format json").out);
    EXPECT_EQ(given["key"], "G");
    EXPECT_FALSE(given.contains("keyGuessed"));
    const auto numbers = Lines(Cli("progression 'G C D7 G' --notation nashville").out);
    ASSERT_EQ(numbers.size(), 4u);
    EXPECT_EQ(numbers[2].substr(0, numbers[2].find('\t')), "57");
    const auto numerals = Lines(Cli("progression 'Am Dm E7 Am' --notation roman").out);
    EXPECT_EQ(numerals[2].substr(0, numerals[2].find('\t')), "V7");
    EXPECT_EQ(numerals[1].substr(0, numerals[1].find('\t')), "iv");
}

} // namespace
