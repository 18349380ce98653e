#pragma once
// A chord diagram read out the way a guitarist says it, for a screen reader:
//   "x 3 2 0 1 0, base fret 1, fingers 3 2 1, open C"
//   "x 3 5 5 5 3, base fret 1, fingers 1 2 3 4 1, barre at fret 3, C"
// The frets lowest string first (x muted), the diagram's first fret, its finger numbers on the
// stopped strings in string order, each barre, and the chord's name, called open when the fingering
// sits in the first position and lets a string ring open.

#include "guitar/voicing.h"

#include <string>
#include <string_view>

namespace corvane {

std::string SpokenDiagram(const Voicing& voicing, std::string_view chordName);

}
