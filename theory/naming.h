#pragma once
// Every name under which a set of sounding notes can be read: each note is tried as the root, the
// other notes become a suffix of components, and rename rules derive further readings.

#include <array>
#include <string>
#include <vector>

#include "theory/notes.h"

namespace corvane {

// chordTones: root first, as the search leaves them; rootGridNames: the root grid's twelve names.
// Returns the list as shown, sorted, without duplicates.
std::vector<std::string> ListChordNames(
    const std::vector<int>& chordTones, PitchClass bassIndex, const std::array<std::string, 12>& rootGridNames);

} // namespace corvane
