#pragma once
// The open-string pitch classes, the twelve presets and the MIDI note of every string and fret.

#include <array>
#include <cstddef>
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

// The open strings of the standard tuning, E2 A2 D3 G3 B3 E4.
constexpr std::array<int, 6> kStandardOpenNotes { 40, 45, 50, 55, 59, 64 };

// A retuned open string sounds its pitch class where it lies nearest to the string's standard
// pitch: from 6 semitones below it to 5 above, as a guitarist tunes a string down or up.
constexpr int OpenStringNote(int string, int pitchClass)
{
    const int lowest = kStandardOpenNotes[static_cast<std::size_t>(string)] - 6;
    return lowest + ((pitchClass - lowest) % 12 + 12) % 12;
}

StringNotes RebuildStringNotes(const Tuning& tuning);

// A capo on fret k (0..11) raises every open string by k semitones; frets are then counted from the
// capo. Values outside 0..11 are taken as the nearest end.
constexpr int kMaxCapo = 11;
Tuning CapoTuning(const Tuning& tuning, int capo);

// The note table as the strum reads it with a capo: entry [s][f] is stringNotes[s][f + k]. Frets the
// table does not reach go on a semitone per fret, so a fret counted from a high capo still sounds.
StringNotes CapoStringNotes(const StringNotes& stringNotes, int capo);

} // namespace corvane
