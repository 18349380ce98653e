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

// A capo on fret k (0..11) raises every open string by k semitones; frets are then counted from the
// capo. Values outside 0..11 are taken as the nearest end.
constexpr int kMaxCapo = 11;
Tuning CapoTuning(const Tuning& tuning, int capo);

// The note table as the strum reads it with a capo: entry [s][f] is stringNotes[s][f + k]. Frets the
// table does not reach go on a semitone per fret, so a fret counted from a high capo still sounds.
StringNotes CapoStringNotes(const StringNotes& stringNotes, int capo);

// The preset whose menu caption matches (letter case ignored), if any.
std::optional<int> FindPresetByCaption(std::string_view caption);

} // namespace corvane
