#pragma once
// The one place where a song's chord names are read for what they sound: every chord of a song, in
// the reader, the view, the chord sheets and the fingering choice, goes through ReadSongChordName.

#include <string>
#include <string_view>

#include "theory/selection.h"

namespace corvane {

struct SongChordReading {
    bool chord = false; // a chord whose notes are known: it can be searched and played
    bool noChord = false; // "N.C." and its kin: silence on purpose, not a problem
    SelectionState selection; // the chord as the search takes it
    std::string problem; // why the name is not a chord; empty otherwise
};

// Reads a chord name as written in a song ("C9", "D/F#", "F#m7b5"), lead-sheet symbols first. Never
// fails: a name it cannot read comes back with `chord` false and the reason.
SongChordReading ReadSongChordName(std::string_view name);

} // namespace corvane
