#pragma once
// Readers for the command line's note and tuning values, beyond what the window's own controls take.

#include <optional>
#include <string>
#include <string_view>

#include "guitar/tuning.h"
#include "theory/notes.h"

namespace corvane::cli {

// A note as --root and --bass take it: a spelled name, a number 0..11, or "H" for B as written in
// German-speaking countries.
std::optional<PitchClass> ParseNoteOption(std::string_view text);

// A preset by its menu caption, by the same caption spelled "Tuning", or by its button caption
// (letter case ignored); or six notes, lowest string first, each a name or a number ("D A D G B E",
// "2 9 2 7 11 4").
std::optional<Tuning> ParseTuningOption(std::string_view text);

// The preset's menu caption with the usual spelling: "Standard Tuning".
std::string UsualCaption(const TuningPreset& preset);

// For sheet headings: "Drop D (D A D G B E)", or the six notes of a tuning that is no preset.
std::string TuningDescription(const Tuning& tuning);

} // namespace corvane::cli
