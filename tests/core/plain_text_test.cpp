// UTF-8 sequences, words and lines as every reader splits its text.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "theory/plain_text.h"

using namespace corvane;

namespace {

TEST(PlainText, Utf8SequenceLengthTakesOnlyWellFormedSequences)
{
    const struct {
        std::string_view bytes;
        size_t length;
    } rows[] = {
        { "a", 1 },
        { "\xC3\xA7", 2 }, // ç
        { "\xE2\x99\xAF", 3 }, // ♯
        { "\xF0\x9D\x84\x9E", 4 }, // 𝄞
        { "\xC3", 0 }, // cut short
        { "\xE2\x99", 0 },
        { "\xC0\xAF", 0 }, // overlong
        { "\xE0\x80\xAF", 0 },
        { "\xF0\x80\x80\xAF", 0 },
        { "\xED\xA0\x80", 0 }, // a surrogate
        { "\xF4\x90\x80\x80", 0 }, // above U+10FFFF
        { "\xF5\x80\x80\x80", 0 },
        { "\x80", 0 }, // a continuation byte alone
        { "\xC3\x28", 0 },
    };
    for (const auto& row : rows)
        EXPECT_EQ(Utf8SequenceLength(row.bytes, 0), row.length) << testing::PrintToString(std::string(row.bytes));
    // The sequence is read where it starts, not from the text's beginning.
    EXPECT_EQ(Utf8SequenceLength("x\xC3\xA7", 1), 2u);
    EXPECT_EQ(Utf8SequenceLength("x\xC3\xA7", 2), 0u);
}

TEST(PlainText, WordsAndLinesLeaveNoEmptyPieces)
{
    using Pieces = std::vector<std::string_view>;
    EXPECT_EQ(SplitWords("  E A  D ", " "), (Pieces { "E", "A", "D" }));
    EXPECT_EQ(SplitWords("E,A\t D,,", " ,\t"), (Pieces { "E", "A", "D" }));
    EXPECT_EQ(SplitWords("E,A", " "), (Pieces { "E,A" }));
    EXPECT_TRUE(SplitWords(" \t ", " \t").empty());
    EXPECT_TRUE(SplitWords("", " ").empty());

    EXPECT_EQ(SplitLines("a\r\nb\n\nc"), (Pieces { "a", "b", "", "c" }));
    EXPECT_EQ(SplitLines("a\r\r\n"), (Pieces { "a" }));
    EXPECT_EQ(SplitLines("a\n\n"), (Pieces { "a", "" }));
    EXPECT_EQ(SplitLines("\n"), (Pieces { "" }));
    EXPECT_TRUE(SplitLines("").empty());
}

} // namespace
