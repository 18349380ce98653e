#pragma once
// Why a capo is suggested, or none, in the words a teacher would use: "No capo: every chord is an
// open shape", "Capo 3: G C D Em shapes instead of 3 barre chords".

#include <string>
#include <vector>

#include "guitar/progression.h"

namespace corvane {

// "3 barre chords", "1 barre chord and 2 shapes off the charts", "1 chord high on the neck"; empty
// when the ease has no hard chord.
std::string HardChordsText(const CapoEase& ease);

// The reason for `capo`, given the song's ease with it and without one, and the names of the shapes
// played with it (each once, in the order first played).
std::string CapoReason(
    int capo, const CapoEase& ease, const CapoEase& withoutCapo, const std::vector<std::string>& shapes);

// Sounding chord names as the shapes played with the capo, each once, in the order first played,
// spelled for the key of the first chord moved down by the capo.
std::vector<std::string> ShapeNames(const std::vector<std::string>& sounding, int capo);

} // namespace corvane
