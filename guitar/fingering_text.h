#pragma once
// Fingerings as guitarists write them: "x32010" for the open C, "x 10 12 12 11 10" once a fret has
// two digits, and the same texts read back.

#include "guitar/frets.h"
#include "guitar/voicing.h"

#include <string>
#include <string_view>

namespace corvane {

// Lowest string first; x for a muted string; barre marks are not shown.
std::string FingeringText(const Voicing& voicing);
// The same for any number of strings: "0003" on four strings, "x 10 12 12 11 10 x" on seven.
std::string FingeringText(const Frets& frets);

struct FingeringReading {
    Voicing voicing {};
    std::string error; // empty when the text was read; otherwise names the part that was wrong
};

// Reads six values, either as six characters ("x32010") or separated by blanks ("x 3 2 0 1 0");
// x (or 99) is a muted string. A fret written with a minus starts a barre, as in the result records;
// when the text marks no barre, the barres are found by the finger rules of the search.
FingeringReading ReadFingering(std::string_view text);

} // namespace corvane
