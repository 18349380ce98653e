#pragma once
// What a chord diagram shows of a fingering, as data: the first fret shown, the finger number on
// each string and the barres. Follows DrawChordDiagram's own rules, for the outputs that describe a
// diagram instead of drawing it (chord definitions, JSON).

#include "guitar/frets.h"
#include "guitar/voicing.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct Barre {
    int fret = 0;
    int finger = 0; // the number the barre takes in the diagram's count; it shows none
    int firstString = 0; // strings in string order, 0 the lowest-pitched
    int lastString = 0;
};

struct DiagramFacts {
    int baseFret = 1; // the fret of the diagram's first row
    // The diagram's finger number per string: the number on a string's disc, or the barre's number
    // for a string the barre stops at its own fret; 0 for open and muted strings and for strings the
    // diagram gives no number (a fifth finger or more).
    std::array<int, kStrings> fingers {};
    std::vector<Barre> barres; // in the order the diagram draws them
};

DiagramFacts ReadDiagram(const Voicing& voicing);

// The same for any number of strings: one finger number per string.
struct StringsDiagramFacts {
    int baseFret = 1;
    std::vector<int> fingers;
    std::vector<Barre> barres;
};

StringsDiagramFacts ReadStringsDiagram(const Frets& frets);

// "{define: C base-fret 1 frets x 3 2 0 1 0 fingers 0 3 2 0 1 0}": frets counted from the base fret
// (x muted, 0 open), fingers as the diagram numbers them (0 where it shows none).
std::string ChordProDefine(std::string_view name, const Voicing& voicing);
// The same for any number of strings.
std::string ChordProDefine(std::string_view name, const Frets& frets);

} // namespace corvane
