#include "drawing/chord_diagram.h"

#include <algorithm>
#include <array>
#include <string>

namespace corvane {

namespace {

    // Offsets from the cell's top-left corner.
    constexpr int kGridLeft = 24;
    constexpr int kGridTop = 3;
    constexpr int kFretNumberLeft = 10;
    constexpr int kFretNumberTop = 3;
    constexpr int kDiscLeft = 21;
    constexpr int kBarreLeft = 18;
    constexpr int kFirstRowTop = 11;
    constexpr int kMarkLeft = 21;
    constexpr int kMarkTop = 91;
    constexpr int kColumnStep = 11;
    constexpr int kRowStep = 16;

    constexpr int kRows = 5;
    constexpr int kHighestUnshiftedFret = 5;
    // Set on a string once a barre has covered it at its own fret, so that it gets neither a disc
    // nor a second barre segment.
    constexpr int kCovered = 100;

    constexpr std::array<Picture, 4> kFingerDiscs { Picture::Dedo1, Picture::Dedo2, Picture::Dedo3, Picture::Dedo4 };

    // |value| in a wider type: the fingering comes from outside and the most negative int has no
    // int magnitude.
    long long Magnitude(int value) { return value < 0 ? -static_cast<long long>(value) : value; }

} // namespace

void DrawChordDiagram(Canvas& canvas, const Voicing& voicing, int top, int left, int mode, bool leftHanded)
{
    // Everything below walks the strings from 0 (lowest-pitched) to 5; only the column a string is
    // drawn in depends on the hand.
    const auto column = [leftHanded](int string) { return leftHanded ? kStrings - 1 - string : string; };

    long long minFret = 100;
    long long maxFret = 0;
    bool bassMarked = false;
    for (int s = 0; s < kStrings; ++s) {
        const int markX = left + kMarkLeft + kColumnStep * column(s);
        const long long fret = Magnitude(voicing[s]);
        if (fret == kMuted) {
            canvas.drawPicture(Picture::X, markX, top + kMarkTop);
            continue;
        }
        canvas.drawPicture(bassMarked ? Picture::Omin2 : Picture::Omin1, markX, top + kMarkTop);
        bassMarked = true;
        if (fret != 0)
            minFret = std::min(minFret, fret);
        maxFret = std::max(maxFret, fret);
    }
    // The same rule as the search's sort key, so the number shown matches the record.
    const long long baseFret = maxFret <= kHighestUnshiftedFret ? 1 : minFret;

    canvas.drawPicture(mode == kDiagramNormal ? Picture::Braco : Picture::Braco2, left + kGridLeft, top + kGridTop);
    canvas.drawText(left + kFretNumberLeft, top + kFretNumberTop, std::to_string(baseFret));

    Voicing work = voicing;
    int finger = 0;
    for (int row = 0; row < kRows; ++row) {
        const long long fret = baseFret + row;
        const int rowY = top + kFirstRowTop + kRowStep * row;
        for (int s = 0; s < kStrings; ++s) {
            if (work[s] == fret) {
                ++finger;
                if (finger <= static_cast<int>(kFingerDiscs.size()))
                    canvas.drawPicture(kFingerDiscs[finger - 1], left + kDiscLeft + kColumnStep * column(s), rowY);
            }
            if (work[s] != -fret)
                continue;
            // A barre takes a finger of its own but shows no number. It runs toward the higher strings
            // across muted strings and strings stopped higher, and ends before an open string, a lower
            // fret or a string already covered.
            ++finger;
            for (int t = s; t < kStrings; ++t) {
                if (work[t] == kCovered || Magnitude(work[t]) < fret)
                    break;
                canvas.drawPicture(Picture::Dedo6, left + kBarreLeft + kColumnStep * column(t), rowY);
                if (Magnitude(work[t]) == fret)
                    work[t] = kCovered;
            }
        }
    }
}

} // namespace corvane
