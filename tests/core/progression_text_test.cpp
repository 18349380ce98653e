#include <gtest/gtest.h>

#include "guitar/progression_text.h"

using namespace corvane;

namespace {

// "C:2@3" per entry: chord, beats when not four, and the word it came from.
std::string Summary(const ProgressionText& parsed)
{
    std::string out;
    for (const ProgressionEntry& e : parsed.entries) {
        out += out.empty() ? "" : " ";
        out += e.chord;
        if (e.beats != kDefaultBeats)
            out += ":" + std::to_string(e.beats);
        out += "@" + std::to_string(e.place);
    }
    return out;
}

} // namespace

TEST(ProgressionText, Readings)
{
    struct Row {
        const char* name;
        const char* text;
        const char* entries;
    };
    const Row rows[] = {
        { "one per word", "C Am  F\tG", "C@1 Am@2 F@3 G@4" },
        { "bars are ignored", "| C G | Am F ||", "C@2 G@3 Am@5 F@6" },
        { "repeat bars", "|: C G :|", "C@2 G@3" },
        { "beats", "C:2 G:2 Am", "C:2@1 G:2@2 Am@3" },
        { "slash chords keep their slash", "C/E Dbm7/Ab:8", "C/E@1 Dbm7/Ab:8@2" },
        { "line repeated", "C G x2", "C@1 G@2 C@1 G@2" },
        { "repeat since the last repeat", "C x2 G x3", "C@1 C@1 G@3 G@3 G@3" },
        { "repeat since the line start", "C G\nAm F x2", "C@1 G@2 Am@3 F@4 Am@3 F@4" },
        { "capital X", "Em X2", "Em@1 Em@1" },
        { "x1 plays once", "C x1", "C@1" },
        { "empty", " \n | ", "" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ProgressionText parsed = ParseProgression(row.text);
        EXPECT_EQ(Summary(parsed), row.entries);
        EXPECT_TRUE(parsed.problems.empty()) << parsed.problems.front();
    }
}

TEST(ProgressionText, WordsLeftOut)
{
    struct Row {
        const char* name;
        const char* text;
        const char* entries;
        const char* problem;
    };
    const Row rows[] = {
        { "no beats", "C: G", "G@2", "word 1: \"C:\" is not a chord with 1 to 64 beats" },
        { "zero beats", "C:0 G", "G@2", "word 1: \"C:0\" is not a chord with 1 to 64 beats" },
        { "too many beats", "C:65", "", "word 1: \"C:65\" is not a chord with 1 to 64 beats" },
        { "beats without a chord", ":4 G", "G@2", "word 1: \":4\" is not a chord with 1 to 64 beats" },
        { "repeat of nothing", "x2 C", "C@2", "word 1: \"x2\" has no chords before it to repeat" },
        { "zero repeats", "C x0", "C@1", "word 2: \"x0\" is not a repeat of 1 to 64 times" },
        { "repeat with letters", "C x2b", "C@1", "word 2: \"x2b\" is not a repeat of 1 to 64 times" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ProgressionText parsed = ParseProgression(row.text);
        EXPECT_EQ(Summary(parsed), row.entries);
        ASSERT_EQ(parsed.problems.size(), 1u);
        EXPECT_EQ(parsed.problems.front(), row.problem);
    }
}

TEST(ProgressionText, RepeatsStopAtTheLengthLimit)
{
    std::string text;
    for (int line = 0; line < 17; ++line)
        text += "C G Am F x64\n";
    const ProgressionText parsed = ParseProgression(text);
    EXPECT_EQ(parsed.entries.size(), kMaxProgressionLength);
    ASSERT_EQ(parsed.problems.size(), 1u);
    EXPECT_NE(parsed.problems.front().find("longer than 4096"), std::string::npos);
}
