#pragma once
// A song as plain monospace text: the chords on a line above the words, each over its character.

#include <string>
#include <vector>

#include "song/song_fingerings.h"
#include "song/song_view.h"

namespace corvane {

struct ChordsOverWords {
    std::string chords; // names (annotations too) at their columns; empty when the line has none
    std::string words; // the text, with blanks let in where two names would otherwise touch
    std::vector<StyledRun> styles; // the line's markup over `words`
};

// Where a name would run into the next one, the words are spread at that place so that each name
// still stands over its character with a blank after it.
ChordsOverWords LayOutChords(const ShownLine& line);

// "x32010", "0003" on the ukulele: the strip's fingerings as text, "-" for a chord without one.
std::string StripFrets(const StringStripChord& chord);

// The whole song: title, subtitles, artist, key line, the strip of chords with their frets, then the
// lines, sections headed by their labels and set apart by an empty line.
std::string SongText(const ShownSong& shown, const std::vector<StringStripChord>& strip);

} // namespace corvane
