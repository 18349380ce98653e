#pragma once
// What a printed song sheet holds, as plain data for every way of drawing it: the heading, the strip
// of chords with their diagrams, and the lines of the song as blocks (a line of chords over a line
// of words is one block and is never split), with the pages they fall on.

#include <cstddef>
#include <string>
#include <vector>

#include "guitar/frets.h"
#include "guitar/open_strings.h"
#include "song/song_fingerings.h"
#include "song/song_view.h"

namespace corvane {

struct SheetBlock {
    std::string chords; // names at their columns over the words; empty when none
    std::string words;
    bool heading = false; // a section's name
    bool remark = false; // a comment
    bool fixed = false; // tab or grid text
    int indent = 0; // in characters: a chorus is set in
    bool gap = false; // an empty line between paragraphs and sections
    std::vector<StyledRun> styles; // the markup's styles over `words`
    // The blocks of one section, or of one paragraph outside any, share a part; a book keeps a part
    // on one page when it fits.
    int part = 0;

    int Lines() const { return gap ? 1 : (chords.empty() ? 0 : 1) + (words.empty() && !chords.empty() ? 0 : 1); }
};

struct SongSheetContent {
    std::string title;
    std::vector<std::string> subtitles;
    std::string details; // the artist and the key line
    std::vector<Frets> diagrams; // the strip, the chords that have a fingering, on any instrument
    OpenStrings strings {}; // what another instrument's strings sound, for the diagrams' bass marks
    std::vector<std::string> names;
    std::vector<SheetBlock> blocks;
};

// `strings` as BassMarkStrings gives them for the instrument (none for the six-string guitar).
SongSheetContent SongSheetOf(
    const ShownSong& shown, const std::vector<StringStripChord>& strip, const OpenStrings& strings = {});

// The first block of each page: blocks of `lineHeight` per line fill pages of `pageHeight` after
// `firstTop` on the first page and `top` on the others; a block never straddles two pages. At least
// one page.
std::vector<std::size_t> PageStarts(
    const std::vector<SheetBlock>& blocks, int lineHeight, int firstTop, int top, int pageHeight);

} // namespace corvane
