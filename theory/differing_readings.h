#pragma once
// A typed name that the name box's notation and the lead-sheet symbols both read whole, but as
// different chords ("C9": C add 9 in the box, the dominant ninth on a lead sheet), said in words.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "theory/notes.h"

namespace corvane {

// The notes of a chord spelled from its root as players spell them, with ♯ and ♭: "C E G B♭ D".
std::string SpelledNotes(PitchClass root, Spelling rootSpelling, const std::vector<int>& intervals);

// "C9 read as Cadd9 (C E G D); on a lead sheet C9 is C E G B♭ D: use Lead-sheet names?", or nothing
// when the two readers agree, or one of them does not read the whole name.
std::optional<std::string> DifferingReadings(std::string_view typed);

} // namespace corvane
