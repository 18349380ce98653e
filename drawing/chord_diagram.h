#pragma once
// One fingering drawn as a small chord chart inside a 100 x 130 cell of the result sheet.

#include "drawing/canvas.h"
#include "guitar/frets.h"
#include "guitar/open_strings.h"
#include "guitar/voicing.h"

namespace corvane {

constexpr int kDiagramNormal = 1; // drawn on the white grid
constexpr int kDiagramSelected = 2; // any mode other than kDiagramNormal draws the cream grid

constexpr int kDiagramRows = 5; // the frets a diagram shows, from its first fret

// The fret of a diagram's first row: 1 while no fret is past the fifth, else the lowest stopped
// fret. The same rule as the search's sort key, so the number shown matches the record.
long long DiagramBaseFret(const Voicing& voicing);
long long StringsDiagramBaseFret(const Frets& frets);

// Draws the marks under the strings, the grid, the number of the first fret shown and the finger
// discs and barres of `voicing` in the cell whose top-left corner is (left, top). With `leftHanded`
// the columns are mirrored: the lowest-pitched string is on the right. Stopped frets outside the
// five rows shown are not drawn.
void DrawChordDiagram(Canvas& canvas, const Voicing& voicing, int top, int left, int mode, bool leftHanded);

// The same chart for any number of strings, in the same cell and style. Six strings are drawn as
// DrawChordDiagram draws them, pictures and all; for other counts the grid, which has no stored picture, is drawn
// as the six-string grid's own rectangles and colours with one string line per string, 11 pixels
// apart (10 for eight strings), centred on the six-string grid when narrower, moved left when wider
// so as to stay inside the cell; the discs, barre segments and marks are the same pictures, at the same offsets from
// their string. The bass mark goes under the string that sounds lowest on `strings`
// (LowestSoundingString): on the ukulele's re-entrant G4 C4 E4 A4, 0 0 0 3 marks the C string.
// Without the open notes, under the first string sounding, as DrawChordDiagram marks it.
void DrawStringsDiagram(
    Canvas& canvas, const Frets& frets, int top, int left, int mode, bool leftHanded, const OpenStrings& strings = {});

} // namespace corvane
