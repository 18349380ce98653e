#pragma once
// Pitch classes and their names.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// 0 = C, counting semitones upward; 12 stands for "no note" (an unread root).
using PitchClass = int;
constexpr PitchClass kNoPitch = 12;

enum class Spelling { Sharp, Flat };

// The fixed sharp names, used for the open-string labels.
extern const std::array<std::string_view, 12> kNoteNames;

// Name of a pitch class in a note grid's spelling; the empty text for a value outside 0..11.
std::string_view NoteName(PitchClass pc, Spelling spelling);

// A grid's twelve names in its spelling.
std::array<std::string, 12> GridNames(Spelling spelling);

// The accepted names of the chord-name reader: a row of two names per pitch class.
struct SpelledName {
    std::string_view first;
    std::string_view second;
};
extern const std::array<SpelledName, 12> kSpelledNoteNames;

// First row whose either name equals the text exactly, else kNoPitch.
PitchClass PitchClassOfName(std::string_view text);

// For command-line input: a spelled name ("C", "F#", "Bb") or a number 0..11.
std::optional<PitchClass> ParseNoteArgument(std::string_view text);

} // namespace corvane
