#pragma once
// The rules a fingering's record is made by, said once for any number of strings: the fingers it
// needs (with the barre marks they write) and the shape class of its key, and the key as text.

#include <algorithm>
#include <string>

#include "guitar/voicing.h"

namespace corvane::finger_rules {

// 10, 20, 30 or 50: all `strings` sounding 30, one fewer with string 0 muted 20, two fewer with
// strings 0 and 1 muted 10, else 50, counted from the highest string.
template <class Fingering> int ShapeClass(const Fingering& v, int strings)
{
    int run = 0;
    for (int value : v)
        run = value == kMuted ? 0 : run + 1;
    if (run == strings - 2 && v[0] == kMuted && v[1] == kMuted)
        return 10;
    if (run == strings - 1 && v[0] == kMuted)
        return 20;
    if (run == strings)
        return 30;
    return 50;
}

// Fingers needed; writes barre marks into v. A barre at the lowest fret is cancelled by an open
// string above its first string; "no barre" refuses one there. Higher up a partial barre takes one
// finger, as do the two highest strings at one fret.
template <class Fingering> int CountFingers(Fingering& v, int strings, bool noBarre)
{
    int n = 0;
    int m = kMuted;
    for (int value : v) {
        if (value >= 1 && value <= 98) {
            ++n;
            m = std::min(m, value);
        }
    }
    if (n <= 4)
        return n;

    int first = 0;
    while (v[first] != m)
        ++first;
    v[first] = -m;
    int count = 0;
    for (int t = first + 1; t < strings; ++t) {
        if (v[t] < m) {
            count = 0;
            break;
        }
        if (v[t] == m)
            ++count;
    }
    if (count == 0)
        v[first] = m;
    if (count > 0 && noBarre)
        return 6;
    if (n - count <= 4)
        return n - count;

    n -= count;
    int saving = 0;
    for (int s = 0; s < strings; ++s) {
        const int f = v[s];
        if (f < 1 || f > 98 || f <= m)
            continue;
        v[s] = -f;
        int same = 0;
        for (int t = s + 1; t < strings; ++t) {
            if (v[t] < f)
                break;
            if (v[t] == f)
                ++same;
        }
        if (same >= 2 || (same == 1 && s == strings - 2))
            saving += same;
        else
            v[s] = f;
    }
    return n - saving;
}

// A record's text: the key as six decimal digits, a blank, then the frets' text.
inline std::string RecordText(int key, const std::string& fretsText)
{
    std::string text = std::to_string(key);
    text.insert(0, 6 - std::min<size_t>(6, text.size()), '0');
    return text + " " + fretsText;
}

} // namespace corvane::finger_rules
