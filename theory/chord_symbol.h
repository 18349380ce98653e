#pragma once
// Writing a chord as a lead-sheet symbol: the notes over a root become the suffix players read
// ("m7b5", "7#9", "maj9", "sus4", "6/9"), one the lead-sheet reader reads back as the same notes.

#include <optional>
#include <string>
#include <vector>

#include "theory/notes.h"

namespace corvane {

// The suffix of the chord whose notes lie `intervals` semitones above the root (0 among them; order
// and repeats do not matter): "" for the major triad, "m7", "dim7", "7sus4", "maj7#11", "6/9",
// "(no3)" where nothing else says the third is missing. Nothing when no suffix of the lead-sheet
// symbols reads back as exactly these notes (more than six notes, or a seventh both minor and major).
std::optional<std::string> LeadSheetSuffix(const std::vector<int>& intervals);

// A whole symbol: root, suffix and "/bass" when the bass is another note, in the given spellings.
std::optional<std::string> LeadSheetSymbol(PitchClass root, const std::vector<int>& intervals, PitchClass bass,
    Spelling rootSpelling = Spelling::Sharp, Spelling bassSpelling = Spelling::Sharp);

} // namespace corvane
