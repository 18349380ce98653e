// The string that sounds a fingering's bass.
#include "guitar/open_strings.h"

namespace corvane {

int LowestSoundingString(const Frets& frets, const OpenStrings& strings)
{
    const bool pitched = strings.count == frets.count;
    int lowest = -1;
    long long lowestPitch = 0;
    for (int s = 0; s < frets.count; ++s) {
        // A barre's first string carries its fret negated (a diagram reads -99 as muted too); wide
        // arithmetic keeps a malformed value from overflowing.
        const long long fret = frets[s] < 0 ? -static_cast<long long>(frets[s]) : frets[s];
        if (fret == kMuted)
            continue;
        if (!pitched)
            return s;
        const long long pitch = strings[s] + fret;
        if (lowest < 0 || pitch < lowestPitch) {
            lowest = s;
            lowestPitch = pitch;
        }
    }
    return lowest;
}

} // namespace corvane
