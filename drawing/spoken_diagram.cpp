// Chord diagrams and neck spots as words, for a screen reader.
#include "drawing/spoken_diagram.h"

#include "drawing/diagram_facts.h"
#include "drawing/strings_neck.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace corvane {

namespace {

    template <class Fingering, class Facts>
    std::string Spoken(const Fingering& voicing, const Facts& facts, std::string_view chordName)
    {
        std::string spoken;
        bool first = true;
        for (const int value : voicing) {
            if (!first)
                spoken += ' ';
            first = false;
            // A barre mark is the fret it starts at.
            spoken += value == kMuted ? std::string("x") : std::to_string(std::abs(value));
        }

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

} // namespace

std::string SpokenDiagram(const Voicing& voicing, std::string_view chordName)
{
    return Spoken(voicing, ReadDiagram(voicing), chordName);
}

std::string SpokenStringsDiagram(const Frets& frets, std::string_view chordName)
{
    return Spoken(frets, ReadStringsDiagram(frets), chordName);
}

std::string SpokenNeckSpot(const NeckSpot& spot, const Fingering& fingering)
{
    return SpokenStringsNeckSpot(spot, StringFingering(fingering.begin(), fingering.end()));
}

}
