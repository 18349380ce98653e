#pragma once
// The open-string pitch classes, the twelve presets and the MIDI note of every string and fret.

#include <array>
#include <optional>
#include <string_view>

namespace corvane {

constexpr int kNeckFrets = 30; // frets 0..29 in the note tables

using Tuning = std::array<int, 6>; // pitch class of each open string, [0] = lowest
using StringNotes = std::array<std::array<int, kNeckFrets>, 6>; // MIDI note per string and fret

constexpr Tuning kStandardTuning { 4, 9, 2, 7, 11, 4 };

struct TuningPreset {
    std::string_view itemName; // the menu item's component name
    std::string_view menuCaption;
    Tuning pitchClasses;
    std::string_view buttonCaption;
    std::array<std::string_view, 6> labels;
};

// The twelve presets, indexed by the menu item's tag.
extern const std::array<TuningPreset, 12> kTuningPresets;

// Octave band of each string: a retuned string never wraps into the next octave.
constexpr std::array<int, 6> kOctaveBase { 36, 36, 48, 48, 48, 60 };

StringNotes RebuildStringNotes(const Tuning& tuning);

// The preset whose menu caption matches (letter case ignored), if any.
std::optional<int> FindPresetByCaption(std::string_view caption);

} // namespace corvane
