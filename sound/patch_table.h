#pragma once
// The instrument sounds offered by the patch box, in item order, with their General MIDI programs.

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace corvane {

struct Patch {
    std::string_view itemText;
    int program; // General MIDI program, counted from 0
};

// clang-format off
inline constexpr std::array<Patch, 9> kPatches { {
    { "Nylon guitar",          24 },
    { "Jazz guitar",           26 },
    { "Clean guitar",          27 },
    { "Muted guitar",          28 },
    { "Acoustic grand piano",  0 },
    { "Bright acoustic piano", 1 },
    { "Electric grand piano",  2 },
    { "Honky-tonk-piano",      3 },
    { "Chorused piano",        4 },
} };
// clang-format on

// The patch box item each fretted instrument sounds best on, by the instrument's name. General MIDI has
// no ukulele, mandolin or tenor guitar; the list's nylon guitar (GM 24) is the nearest it holds for
// all four: plucked, acoustic, with a quick decay. For the mandolin, GM's own nearest is the steel
// acoustic guitar (25), which the list does not hold; its electric guitars ring on far longer than a
// mandolin's short, picked notes. The guitars are not listed: they keep the patch the user chose.
// clang-format off
inline constexpr std::array<std::pair<std::string_view, int>, 4> kInstrumentPatches { {
    { "ukulele",          0 },
    { "baritone-ukulele", 0 },
    { "tenor-guitar",     0 },
    { "mandolin",         0 },
} };
// clang-format on
std::optional<int> InstrumentPatchItem(std::string_view instrumentName);

// The program of a patch box item; none for -1 (text typed over, no item selected) or any other
// index outside the table.
std::optional<int> PatchProgram(int itemIndex);

} // namespace corvane
