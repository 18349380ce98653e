#pragma once
// Pieces of plain text the readers share: UTF-8 sequences, blank-separated words and lines.

#include <cstddef>
#include <string_view>
#include <vector>

namespace corvane {

// Length in bytes of the well-formed UTF-8 sequence at `at`, 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// The runs of `text` between any of the `separators`; empty runs are left out.
std::vector<std::string_view> SplitWords(std::string_view text, std::string_view separators);

// The lines of `text` without their line ends ("\n", and any "\r" before it); a last line end
// starts no further line.
std::vector<std::string_view> SplitLines(std::string_view text);

} // namespace corvane
