#pragma once
// Chord symbols as lead sheets, songbooks and chord sites write them ("F#m7b5", "C7(b9)", "D/F#"),
// read into the chord as numbers: root, intervals above it and bass. The name box has a notation
// of its own (name_reading.h); this reader is the one songs and progressions are written in.
//
// The symbols and their meaning (the README holds the same table for players):
//
//   triads      ""/maj/M major 0 4 7;  m/min/mi/- minor 0 3 7;  dim/° 0 3 6;  aug/+ 0 4 8;
//               sus2 0 2 7;  sus4/sus 0 5 7;  5 (power) 0 7
//   sixths      6 adds 9;  69 and 6/9 add 9 and 2
//   sevenths    7 adds 10 (a diminished triad takes 9: dim7 and °7 are 0 3 6 9);
//               maj7/M7/Δ/Δ7 add 11, also after a minor triad (mMaj7, m(maj7), mM7);
//               ø/ø7 and m7b5 are 0 3 6 10;  º, the name box's sign, is 0 3 6 9
//   extensions  9, 11, 13 (and maj9, m11, ...) hold the seventh of their quality, then:
//               9: the 9th (2);  11: the 9th and the 11th (2 5), and a major third is left out,
//               since it clashes with the 11th (C11 = C G Bb D F);  13: the 13th (9) alone: the
//               9th and 11th are implied and not played, as on six strings they seldom are
//   alterations b5 #5 b9 #9 #11 b13 (also +5 -5 +9 -9 +11 -13), in any order, bracketed or not:
//               b5 and #5 replace the perfect fifth; an altered 9th, 11th or 13th replaces the
//               natural one the extension implies, otherwise it is added
//   added tones add9/add2 2, addb9 1, add#9 3, add11/add4 5, add#11 6, add13/add6 9, addb13 8;
//               a number after the chord's own (7/9, 7(11), 6/9) adds that degree too
//   bass        /F#: a note name after the last slash, at the end
//   notes       A to G, and H for B, with # b ♯ ♭
//
// A chord of more than six notes leaves out its perfect fifth. Brackets, commas, blanks and slashes
// that introduce no bass only separate the symbols.

#include <string>
#include <string_view>
#include <vector>

#include "theory/notes.h"

namespace corvane {

struct LeadSheetChord {
    PitchClass root = kNoPitch; // kNoPitch when the text does not start with a note name
    PitchClass bass = kNoPitch; // the root when no bass is written
    std::vector<int> intervals; // semitones above the root, 0 first, each once, in chord order
    int third = 0; // the third's semitones (2 or 5 for sus), 0 when there is none
    int fifth = 7; // the fifth's semitones (6, 7 or 8), 0 when there is none
    Spelling spelling = Spelling::Sharp; // how the root was written
    Spelling bassSpelling = Spelling::Sharp; // how the bass was written
    std::string canonical; // the chord spelled as this reader writes it; reads back as the same chord
    std::vector<std::string> unread; // what could not be read, piece by piece, as written

    bool Complete() const { return root != kNoPitch && unread.empty(); }
    // The root, then the other notes in interval order.
    std::vector<PitchClass> PitchClasses() const;
};

// Reads one chord symbol. It never fails: what it cannot read is listed in `unread` and left out.
LeadSheetChord ReadLeadSheetChord(std::string_view text);

} // namespace corvane
