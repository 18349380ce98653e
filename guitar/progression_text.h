#pragma once
// The text of a progression as a player writes it: "| C G:2 D:2 | Am F | x2".

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

constexpr int kDefaultBeats = 4;
constexpr int kMaxBeats = 64;
constexpr int kMaxRepeats = 64;
constexpr size_t kMaxProgressionLength = 4096; // chords after the repeats are expanded

struct ProgressionEntry {
    std::string chord; // the chord's name as written, for the name reader
    int beats = kDefaultBeats;
    int place = 0; // 1-based position of the word in the text, before repeats are expanded
};

struct ProgressionText {
    std::vector<ProgressionEntry> entries; // in playing order, repeats expanded
    std::vector<std::string> problems; // words that could not be used, each with its place
};

// Chords are separated by blanks or line breaks, one per word. Bars ("|", "||", "|:", ":|") are
// ignored. "x2" plays the chords since the last repeat, the start of the line or the start of the
// text twice in all ("Em x4" holds Em for four bars; "C G Am F x2" plays the line twice). "C:2" gives
// the chord two beats instead of four. A word that cannot be used is reported and left out; the
// rest is still read.
ProgressionText ParseProgression(std::string_view text);

} // namespace corvane
