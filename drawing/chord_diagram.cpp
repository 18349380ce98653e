#include "drawing/chord_diagram.h"

#include "drawing/finger_walk.h"

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

    constexpr int kHighestUnshiftedFret = 5;

    constexpr std::array<Picture, 4> kFingerDiscs { Picture::Finger1, Picture::Finger2, Picture::Finger3,
        Picture::Finger4 };

} // namespace

long long DiagramBaseFret(const Voicing& voicing)
{
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
    return maxFret <= kHighestUnshiftedFret ? 1 : minFret;
}

void DrawChordDiagram(Canvas& canvas, const Voicing& voicing, int top, int left, int mode, bool leftHanded)
{
    // Everything below walks the strings from 0 (lowest-pitched) to 5; only the column a string is
    // drawn in depends on the hand.
    const auto column = [leftHanded](int string) { return leftHanded ? kStrings - 1 - string : string; };

    bool bassMarked = false;
    for (int s = 0; s < kStrings; ++s) {
        const int markX = left + kMarkLeft + kColumnStep * column(s);
        if (Magnitude(voicing[s]) == kMuted) {
            canvas.drawPicture(Picture::MutedStringMark, markX, top + kMarkTop);
            continue;
        }
        canvas.drawPicture(bassMarked ? Picture::SoundingStringMark : Picture::BassStringMark, markX, top + kMarkTop);
        bassMarked = true;
    }
    const long long baseFret = DiagramBaseFret(voicing);

    canvas.drawPicture(
        mode == kDiagramNormal ? Picture::DiagramGrid : Picture::SelectedGrid, left + kGridLeft, top + kGridTop);
    canvas.drawText(left + kFretNumberLeft, top + kFretNumberTop, std::to_string(baseFret));

    // Stopped strings get their finger's disc (fingers past the fourth get none); a barre shows no
    // number, only a segment on each string it covers.
    const auto rowY = [&](long long fret) { return top + kFirstRowTop + kRowStep * static_cast<int>(fret - baseFret); };
    WalkFingers(
        voicing, baseFret, baseFret + kDiagramRows - 1,
        [&](long long fret, int string, int finger) {
            if (finger <= static_cast<int>(kFingerDiscs.size()))
                canvas.drawPicture(kFingerDiscs[static_cast<size_t>(finger - 1)],
                    left + kDiscLeft + kColumnStep * column(string), rowY(fret));
        },
        [&](long long fret, int string, int) {
            canvas.drawPicture(Picture::BarreSegment, left + kBarreLeft + kColumnStep * column(string), rowY(fret));
        });
}

} // namespace corvane
