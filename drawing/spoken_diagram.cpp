#include "drawing/spoken_diagram.h"

#include "drawing/diagram_facts.h"

#include <algorithm>
#include <cstdlib>

namespace corvane {

std::string SpokenDiagram(const Voicing& voicing, std::string_view chordName)
{
    std::string spoken;
    for (int s = 0; s < kStrings; ++s) {
        const int value = voicing[static_cast<size_t>(s)];
        if (s > 0)
            spoken += ' ';
        // A barre mark is the fret it starts at.
        spoken += value == kMuted ? std::string("x") : std::to_string(std::abs(value));
    }

    const DiagramFacts facts = ReadDiagram(voicing);
    spoken += ", base fret " + std::to_string(facts.baseFret);

    std::string fingers;
    for (const int finger : facts.fingers) {
        if (finger == 0)
            continue;
        fingers += fingers.empty() ? "" : " ";
        fingers += std::to_string(finger);
    }
    if (!fingers.empty())
        spoken += ", fingers " + fingers;

    for (const Barre& barre : facts.barres)
        spoken += ", barre at fret " + std::to_string(barre.fret);

    if (!chordName.empty()) {
        const bool open = facts.baseFret == 1 && std::find(voicing.begin(), voicing.end(), 0) != voicing.end();
        spoken += open ? ", open " : ", ";
        spoken += chordName;
    }
    return spoken;
}

}
