#pragma once
// Chords as text: the interval list ("00 04 07"), and its pitch classes over a root.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "theory/notes.h"

namespace corvane {

// True when the text is a well-formed interval list: two-digit entries 00..11 separated by single
// blanks, first entry 00, no leading or trailing blank.
bool IsIntervalList(std::string_view text);

// Number of entries of a well-formed list (length 3n - 1).
inline int IntervalCount(std::string_view list) { return static_cast<int>((list.size() + 1) / 3); }

// The entries as integers; nullopt when an entry is not a two-digit decimal number.
std::optional<std::vector<int>> IntervalValues(std::string_view list);

// The pitch classes of the entries over the root, in list order. An entry is read as its two
// characters at offsets 3k and 3k + 1; a character that is not a digit counts as 0.
std::vector<int> TransposeIntervals(std::string_view intervals, PitchClass root);

// Blanks removed at both ends.
std::string_view TrimBlanks(std::string_view text);

} // namespace corvane
