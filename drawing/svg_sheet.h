#pragma once
// Chord sheets as SVG documents, written in one pass: every diagram drawn on an SvgCanvas, laid out
// by SheetLayout.

#include "drawing/sheet_layout.h"
#include "guitar/frets.h"
#include "guitar/open_strings.h"

#include <ostream>
#include <span>
#include <string>

namespace corvane {

// Every diagram drawn by DrawStringsDiagram, its bass marked as the open `strings` sound; without
// them (the six-string guitar), under the first string sounding.
void WriteSvgSheet(std::ostream& out, std::span<const Frets> diagrams, const SheetHeading& heading, int columns,
    bool leftHanded, const OpenStrings& strings = {});

// A song sheet: the diagrams in order, each with its chord's name above it; `names` holds one name
// per diagram (missing ones are left blank).
void WriteSvgSongSheet(std::ostream& out, std::span<const Frets> diagrams, std::span<const std::string> names,
    const SheetHeading& heading, int columns, bool leftHanded, const OpenStrings& strings = {});

// One diagram in its 100 x 130 cell, with the heading above it when there is one.
void WriteSvgDiagram(std::ostream& out, const Frets& frets, const SheetHeading& heading, bool leftHanded,
    const OpenStrings& strings = {});

} // namespace corvane
