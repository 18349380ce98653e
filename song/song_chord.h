#pragma once
// The one place where a song's chord names are read for what they sound: every chord of a song, in
// the reader, the view and the fingering choice, goes through ReadSongChord.

#include <string>
#include <string_view>

#include "theory/notes.h"

namespace corvane {

struct SongChordReading {
    bool chord = false; // a chord whose notes are known: it can be searched and played
    bool noChord = false; // "N.C." and its kin: silence on purpose, not a problem
    PitchClass root = kNoPitch;
    PitchClass bass = kNoPitch; // the root when the name gives no other bass
    std::string intervals; // the chord's interval list from its root, "00 04 07"
    std::string problem; // why the name is not a chord; empty otherwise
};

// Reads a chord name as written in a song ("C9", "D/F#", "Am7"). Never fails: a name it cannot read
// comes back with `chord` false and the reason.
SongChordReading ReadSongChord(std::string_view name);

} // namespace corvane
