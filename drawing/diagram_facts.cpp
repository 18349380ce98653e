// What a chord diagram shows of a fingering, as data, and its ChordPro definition.
#include "drawing/diagram_facts.h"

#include "drawing/chord_diagram.h"
#include "drawing/finger_walk.h"

namespace corvane {

namespace {
    constexpr int kFingers = 4;
}

namespace {
    long long BaseFretOf(const Voicing& voicing) { return DiagramBaseFret(voicing); }
    long long BaseFretOf(const Frets& frets) { return StringsDiagramBaseFret(frets); }

    template <class Facts, class Fingering> void Read(const Fingering& voicing, Facts& facts)
    {
        const long long baseFret = BaseFretOf(voicing);
        facts.baseFret = static_cast<int>(baseFret);

        // The drawing's own walk: rows from the first fret shown, strings from the lowest-pitched. A
        // barre's first callback is on its own string, with a finger count no earlier barre had.
        int lastBarreFinger = 0;
        WalkFingers(
            voicing, baseFret, baseFret + kDiagramRows - 1,
            [&](long long, int string, int finger) {
                if (finger <= kFingers)
                    facts.fingers[static_cast<size_t>(string)] = finger;
            },
            [&](long long fret, int string, int finger) {
                if (finger != lastBarreFinger) {
                    lastBarreFinger = finger;
                    facts.barres.push_back(
                        Barre { static_cast<int>(fret), finger <= kFingers ? finger : 0, string, string });
                }
                Barre& barre = facts.barres.back();
                // The bar is drawn across muted strings at its end too; it is played up to the last
                // string it stops.
                if (Magnitude(voicing[string]) == fret) {
                    barre.lastString = string;
                    facts.fingers[static_cast<size_t>(string)] = barre.finger;
                }
            });
    }
}

DiagramFacts ReadDiagram(const Voicing& voicing)
{
    DiagramFacts facts;
    Read(voicing, facts);
    return facts;
}

StringsDiagramFacts ReadStringsDiagram(const Frets& frets)
{
    StringsDiagramFacts facts;
    facts.fingers.assign(static_cast<size_t>(frets.count), 0);
    Read(frets, facts);
    return facts;
}

namespace {

    // One ChordPro definition: frets counted from the base fret (x muted, 0 open), then the fingers.
    template <typename FretValues, typename FingerValues>
    std::string DefineLine(std::string_view name, int baseFret, const FretValues& frets, const FingerValues& fingers)
    {
        std::string line = "{define: " + std::string(name) + " base-fret " + std::to_string(baseFret) + " frets";
        for (int value : frets) {
            const int fret = value < 0 ? -value : value;
            line += ' ';
            if (value == kMuted)
                line += 'x';
            else
                line += std::to_string(fret == 0 ? 0 : fret - baseFret + 1);
        }
        line += " fingers";
        for (int finger : fingers)
            line += ' ' + std::to_string(finger);
        line += '}';
        return line;
    }

} // namespace

std::string ChordProDefine(std::string_view name, const Voicing& voicing)
{
    const DiagramFacts facts = ReadDiagram(voicing);
    return DefineLine(name, facts.baseFret, voicing, facts.fingers);
}

std::string ChordProDefine(std::string_view name, const Frets& frets)
{
    const StringsDiagramFacts facts = ReadStringsDiagram(frets);
    return DefineLine(name, facts.baseFret, frets, facts.fingers);
}

} // namespace corvane
