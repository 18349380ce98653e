#pragma once
// The key a run of chords is in, guessed from the chords alone, for songs and progressions that
// name none.

#include <optional>
#include <string>
#include <vector>

#include "theory/notation.h"

namespace corvane {

// One chord as it sounds in the song: its root, its notes (pitch classes) and how long it lasts
// (beats, bars or times played: only the proportions count).
struct SoundingChord {
    PitchClass root = kNoPitch;
    std::vector<PitchClass> notes;
    double length = 1;
};

// The likeliest of the 24 major and minor keys; nothing for no chord with a root.
std::optional<NotationKey> GuessKey(const std::vector<SoundingChord>& chords);

// The same for chords written as lead-sheet symbols, each played once, in order; what does not
// read as a chord is passed over.
std::optional<NotationKey> GuessKeyOfNames(const std::vector<std::string>& names);

} // namespace corvane
