#pragma once
// The open notes of an instrument's strings, and which string sounds its bass.

#include <array>
#include <span>

#include "guitar/frets.h"

namespace corvane {

// The open MIDI note of each string, lowest string first as the instrument is held. The order is the
// order of the strings across the neck, not of their pitches: a re-entrant string (the ukulele's G)
// may sound above the next one. A mandolin's pair of strings is one string here.
struct OpenStrings {
    int count = 0;
    std::array<int, kMaxInstrumentStrings> notes {};

    std::span<const int> Notes() const { return { notes.data(), static_cast<size_t>(count) }; }
    int operator[](int s) const { return notes[static_cast<size_t>(s)]; }
    bool operator==(const OpenStrings&) const = default;
};

// The string that sounds the lowest pitch of `frets`, the bass a diagram marks: on the ukulele's
// G4 C4 E4 A4, 0 0 0 3 sounds C4 lowest, on string 1. Of strings sounding the same pitch, the first
// as held. -1 when no string sounds. Without the open notes of these strings (`strings.count` not
// `frets.count`, as for a caller that has none), the first sounding string, which is the lowest pitch
// on an instrument tuned low to high within the span of a hand. A capo raises every string alike, so
// it changes nothing here.
int LowestSoundingString(const Frets& frets, const OpenStrings& strings);

} // namespace corvane
