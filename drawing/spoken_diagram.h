#pragma once
// A chord diagram read out the way a guitarist says it, for a screen reader:
//   "x 3 2 0 1 0, base fret 1, fingers 3 2 1, open C"
//   "x 3 5 5 5 3, base fret 1, fingers 1 2 3 4 1, barre at fret 3, C"
// The frets lowest string first (x muted), the diagram's first fret, its finger numbers on the
// stopped strings in string order, each barre, and the chord's name, called open when the fingering
// sits in the first position and lets a string ring open.

#include "drawing/neck_view.h"
#include "guitar/frets.h"
#include "guitar/voicing.h"

#include <string>
#include <string_view>

namespace corvane {

std::string SpokenDiagram(const Voicing& voicing, std::string_view chordName);
// The same for any number of strings: "0 0 0 3, base fret 1, fingers 3, open C".
std::string SpokenStringsDiagram(const Frets& frets, std::string_view chordName);

// A place on the neck the keyboard is on, with what the hand holds there, strings counted as
// guitarists count them (the highest is the 1st):
//   "5th string, fret 3, finger here"   "6th string, fret 2"   "6th string, nut, muted"
// At the nut the string's state is told: open, muted, or the fret its finger is on.
std::string SpokenNeckSpot(const NeckSpot& spot, const Fingering& fingering);

}
