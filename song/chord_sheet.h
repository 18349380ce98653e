#pragma once
// Chord sheets as people paste them: a line of chords above each line of words. Turned into the
// ChordPro a player would write by hand, each chord at its column in the words below it.

#include <string>
#include <string_view>

namespace corvane {

// A line is a chord line when every word on it reads as a chord (bars, "x2" and "N.C." may stand
// among them).
bool IsChordLine(std::string_view line);

// The text holds at least one chord line and nothing of ChordPro (no directive, no bracketed chord).
bool IsChordSheet(std::string_view text);

// Chord lines over words become lyric lines with the chords in brackets ("Swing [D]low"); a chord
// line over nothing becomes a line of chords alone. "Chorus:", "[Verse 2]", "Intro:" and their kin
// open sections until the next empty line; "Key: G" and "Capo 2" become directives; lines of tab go
// into a tab section; the first line is the title when an empty line or a "by" line follows it.
std::string ChordSheetToChordPro(std::string_view text);

} // namespace corvane
