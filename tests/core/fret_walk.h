#pragma once
// The brute force's walk of every fingering: each string muted, open or stopped up to a fret, the
// stopped frets spread less than a span apart. The visit sees each such set of frets once.

#include <algorithm>
#include <functional>

#include "guitar/frets.h"

namespace corvane::testing {

inline void ForEachFrets(int strings, int topFret, int span, const std::function<void(const Frets&)>& visit)
{
    Frets f;
    f.count = strings;
    std::function<void(int, int, int)> walk = [&](int s, int lo, int hi) {
        if (s == strings) {
            visit(f);
            return;
        }
        for (int v = -1; v <= topFret; ++v) {
            const int value = v < 0 ? kMuted : v;
            int nlo = lo, nhi = hi;
            if (value != kMuted && value > 0) {
                nlo = std::min(lo, value);
                nhi = std::max(hi, value);
                if (nhi - nlo >= span)
                    continue;
            }
            f[s] = value;
            walk(s + 1, nlo, nhi);
        }
    };
    walk(0, 100, 0);
}

} // namespace corvane::testing
