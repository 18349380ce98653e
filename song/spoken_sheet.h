#pragma once
// The words of a song as a screen reader walks them. The screen sets each chord over the syllable it
// falls on; a reader cannot see that, so a line of chords and the words under it are said as one line
// with each chord in brackets before its character:
//   "Swing [D]low, sweet [G]chari[D]ot"
// A chord past the end of the words follows them; a line with chords only reads "[D] [G] [A7]". Every
// other line is said as shown. Positions count characters (not bytes).

#include "song/song_sheet.h"

#include <string>
#include <vector>

namespace corvane {

struct SpokenSheet {
    std::string text; // the spoken lines, joined by '\n'
    // Per line as shown (a chord line and its words are two; a chorus keeps its indent), per character
    // and one past its last: the place in `text` a caret there stands at. On a chord, the place of
    // its bracket.
    std::vector<std::vector<int>> at;
};

SpokenSheet SpeakSheet(const std::vector<SheetBlock>& blocks);

// The shown line and character of a place in the spoken text: the latest shown place at or before
// it, the words' line before the chords' when both stand there.
struct ShownPlace {
    int line = 0;
    int column = 0;
};
ShownPlace ShownPlaceOf(const SpokenSheet& spoken, int offset);

} // namespace corvane
