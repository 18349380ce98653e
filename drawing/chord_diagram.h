#pragma once
// One fingering drawn as a small chord chart inside a 100 x 130 cell of the result sheet.

#include "drawing/canvas.h"
#include "guitar/voicing.h"

namespace corvane {

constexpr int kDiagramNormal = 1; // drawn on the white grid
constexpr int kDiagramSelected = 2; // any mode other than kDiagramNormal draws the cream grid

// Draws the marks under the strings, the grid, the number of the first fret shown and the finger
// discs and barres of `voicing` in the cell whose top-left corner is (left, top). With `leftHanded`
// the columns are mirrored: the lowest-pitched string is on the right. Stopped frets outside the
// five rows shown are not drawn.
void DrawChordDiagram(Canvas& canvas, const Voicing& voicing, int top, int left, int mode, bool leftHanded);

} // namespace corvane
