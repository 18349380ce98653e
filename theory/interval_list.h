#pragma once
// Chords as text: the interval list ("00 04 07") and the note list handed to the refresh ("0 4 7").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "theory/notes.h"

namespace corvane {

// True when the text is a well-formed interval list: two-digit entries 00..11 separated by single
// blanks, first entry 00, no leading or trailing blank.
bool IsIntervalList(std::string_view text);

// Number of entries of a well-formed list (length 3n - 1).
inline int IntervalCount(std::string_view list) { return static_cast<int>((list.size() + 1) / 3); }

// The entries as integers; nullopt when an entry is not a two-digit decimal number.
std::optional<std::vector<int>> IntervalValues(std::string_view list);

// The chord's pitch classes, each followed by one blank; the root entry is skipped when the bass
// is the root, because the caller writes the bass in front.
std::string TransposeIntervals(std::string_view intervals, PitchClass root, PitchClass rootIndex, PitchClass bassIndex);

// The note list: bass first, then the transposed chord, trailing blanks removed.
std::string CurrentNoteList(std::string_view chordIntervals, PitchClass rootIndex, PitchClass bassIndex);

// Blanks removed at both ends.
std::string_view TrimBlanks(std::string_view text);

// The note list as numbers, with a reason when it cannot be read.
struct NoteListReading {
    std::vector<int> values;
    std::string error; // empty when read
};
NoteListReading ReadNoteList(std::string_view noteList);

} // namespace corvane
