#pragma once
// Chord sheets as people paste them: a line of chords above each line of words. Turned into the
// ChordPro a player would write by hand, each chord at its column in the words below it.

#include <string>
#include <string_view>
#include <vector>

#include "song/song.h"

namespace corvane {

// A line is a chord line when most of its words read as chords ("N.C." counts as one); bars, beat
// slashes, repeat marks ("x2", "(x4)") and a label ("Intro:") may stand among them uncounted.
bool IsChordLine(std::string_view line);

// The text is a sheet of chords over words: it has no bracketed chord in its words, and holds a
// chord line; when it has ChordPro directives too ({title: ...} at the top), a chord line over words.
bool IsChordSheet(std::string_view text);

// Chord lines over words become lyric lines with the chords in brackets ("Swing [D]low"); a chord
// line over nothing becomes a line of chords alone. "Chorus:", "[Verse 2]", "Intro:" and their kin
// open sections until the next empty line; "Key: G" and "Capo 2" become directives; lines of tab go
// into a tab section; the first line is the title when an empty line or a "by" line follows it.
std::string ChordSheetToChordPro(std::string_view text);

// The same, with the line of the sheet each line of the ChordPro comes from, so that what is said
// about the song read from it names the lines the user wrote.
struct ChordSheetConversion {
    std::string chordPro;
    std::vector<int> sheetLines; // per line of chordPro, the 1-based line of the sheet

    // The problems', lines', sections' and definitions' line numbers of the song read from chordPro
    // turned into the sheet's.
    void ToSheetLines(Song& song) const;
};
ChordSheetConversion ConvertChordSheet(std::string_view text);

} // namespace corvane
