#pragma once
// One fingering: six signed frets, string 0 (lowest-sounding) first.
//   0 open, 1..27 stopped at that fret, 99 muted,
//   -f stopped at fret f where a barre begins (the barre covers the higher strings).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

constexpr int kStrings = 6;
constexpr int kMuted = 99;

using Voicing = std::array<int, kStrings>;

// "99 3 2 0 1 0 ": every value followed by one blank.
std::string VoicingText(const Voicing& v);

// The same text for the values of a fingering of any number of strings.
template <class Values> std::string ValuesText(const Values& values)
{
    std::string text;
    for (int value : values) {
        text += std::to_string(value);
        text += ' ';
    }
    return text;
}

} // namespace corvane
