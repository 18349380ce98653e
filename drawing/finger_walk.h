#pragma once
// How the fingers of a fingering are counted and where a barre lies: shared by the chord diagram
// and the neck view, which only differ in the pictures they put there.

#include "guitar/frets.h"
#include "guitar/voicing.h"

namespace corvane {

// |value| in a wider type: the fingering comes from outside and the most negative int has no
// int magnitude.
inline long long Magnitude(int value) { return value < 0 ? -static_cast<long long>(value) : value; }

inline int StringCount(const Voicing&) { return kStrings; }
inline int StringCount(const Frets& frets) { return frets.count; }

// Walks frets `lowest` to `highest`, and at each fret the strings from 0 to the highest (5 of six), numbering fingers
// from 1 in the order met. A string stopped at the fret takes the next finger: stopped(fret,
// string, finger). A barre mark (-fret) takes the next finger too, and the barre runs from its
// string toward the higher strings across muted strings and strings stopped higher, ending before
// an open string, a lower fret or a string it already covered: covered(fret, string, finger) for
// each. A string covered at its own fret gets nothing more at that fret.
template <class Fingering, class Stopped, class Covered>
void WalkFingers(const Fingering& voicing, long long lowest, long long highest, Stopped stopped, Covered covered)
{
    // Set on a string once a barre has covered it at its own fret.
    constexpr int kCoveredMark = 100;
    const int strings = StringCount(voicing);
    Fingering work = voicing;
    int finger = 0;
    for (long long fret = lowest; fret <= highest; ++fret) {
        for (int s = 0; s < strings; ++s) {
            if (work[s] == fret)
                stopped(fret, s, ++finger);
            if (work[s] != -fret)
                continue;
            ++finger;
            for (int t = s; t < strings; ++t) {
                if (work[t] == kCoveredMark || Magnitude(work[t]) < fret)
                    break;
                covered(fret, t, finger);
                if (Magnitude(work[t]) == fret)
                    work[t] = kCoveredMark;
            }
        }
    }
}

} // namespace corvane
