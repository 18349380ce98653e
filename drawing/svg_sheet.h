#pragma once
// Chord sheets as SVG documents, written in one pass: every diagram drawn by DrawChordDiagram on an
// SvgCanvas, laid out by SheetLayout.

#include "drawing/sheet_layout.h"
#include "guitar/frets.h"
#include "guitar/open_strings.h"
#include "guitar/voicing.h"

#include <ostream>
#include <span>
#include <string>

namespace corvane {

void WriteSvgSheet(
    std::ostream& out, std::span<const Voicing> diagrams, const SheetHeading& heading, int columns, bool leftHanded);

// A song sheet: the diagrams in order, each with its chord's name above it; `names` holds one name
// per diagram (missing ones are left blank).
void WriteSvgSongSheet(std::ostream& out, std::span<const Voicing> diagrams, std::span<const std::string> names,
    const SheetHeading& heading, int columns, bool leftHanded);

// The same with another instrument's diagrams (DrawStringsDiagram), the bass marked as its open
// `strings` sound.
void WriteSvgSongSheet(std::ostream& out, std::span<const Frets> diagrams, std::span<const std::string> names,
    const SheetHeading& heading, int columns, bool leftHanded, const OpenStrings& strings = {});

// A sheet of another instrument's diagrams (DrawStringsDiagram), the bass marked as its open `strings`
// sound.
void WriteSvgStringsSheet(std::ostream& out, std::span<const Frets> diagrams, const SheetHeading& heading, int columns,
    bool leftHanded, const OpenStrings& strings = {});

// One diagram in its 100 x 130 cell, with the heading above it when there is one.
void WriteSvgDiagram(std::ostream& out, const Voicing& voicing, const SheetHeading& heading, bool leftHanded);

} // namespace corvane
