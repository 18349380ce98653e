#include "drawing/diagram_facts.h"

#include <algorithm>

namespace corvane {

namespace {
    constexpr int kRows = 5;
    constexpr int kHighestUnshiftedFret = 5;
    constexpr int kFingers = 4;
    constexpr int kCovered = 100;

    long long Magnitude(int value) { return value < 0 ? -static_cast<long long>(value) : value; }
}

DiagramFacts ReadDiagram(const Voicing& voicing)
{
    DiagramFacts facts;
    long long minFret = 100;
    long long maxFret = 0;
    for (int value : voicing) {
        const long long fret = Magnitude(value);
        if (fret == kMuted)
            continue;
        if (fret != 0)
            minFret = std::min(minFret, fret);
        maxFret = std::max(maxFret, fret);
    }
    const long long baseFret = maxFret <= kHighestUnshiftedFret ? 1 : minFret;
    facts.baseFret = static_cast<int>(baseFret);

    // The same walk as the drawing: rows from the lowest fret, strings from the lowest-pitched.
    Voicing work = voicing;
    int finger = 0;
    for (int row = 0; row < kRows; ++row) {
        const long long fret = baseFret + row;
        for (int s = 0; s < kStrings; ++s) {
            if (work[s] == fret) {
                ++finger;
                if (finger <= kFingers)
                    facts.fingers[static_cast<size_t>(s)] = finger;
            }
            if (work[s] != -fret)
                continue;
            ++finger;
            Barre barre { static_cast<int>(fret), finger <= kFingers ? finger : 0, s, s };
            for (int t = s; t < kStrings; ++t) {
                if (work[t] == kCovered || Magnitude(work[t]) < fret)
                    break;
                if (Magnitude(work[t]) == fret) {
                    // The bar is drawn across muted strings at its end too; it is played up to
                    // the last string it stops.
                    barre.lastString = t;
                    work[t] = kCovered;
                    facts.fingers[static_cast<size_t>(t)] = barre.finger;
                }
            }
            facts.barres.push_back(barre);
        }
    }
    return facts;
}

} // namespace corvane
