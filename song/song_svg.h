#pragma once
// The song sheet as SVG: the heading, the strip of diagrams with their names, then the lines in a
// monospace face, the chords in bold over the words. One long page: SVG has no pages.

#include <ostream>
#include <vector>

#include "song/song_fingerings.h"
#include "song/song_sheet.h"
#include "song/song_view.h"

namespace corvane {

// Another instrument's diagrams mark the bass as its open `strings` sound.
void WriteSongSvg(const ShownSong& shown, const std::vector<StringStripChord>& strip, std::ostream& out,
    const OpenStrings& strings = {});
// The sheet as it is given, for a caller that adds to it (another instrument's name to its details).
void WriteSongSvg(const SongSheetContent& sheet, std::ostream& out);

} // namespace corvane
