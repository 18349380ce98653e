#pragma once
// The instrument sounds offered by the patch box, in item order, with their General MIDI programs.

#include <array>
#include <optional>
#include <string_view>

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

// The program of a patch box item; none for -1 (text typed over, no item selected) or any other
// index outside the table.
std::optional<int> PatchProgram(int itemIndex);

} // namespace corvane
