#include "drawing/neck_view.h"

#include "drawing/finger_walk.h"

#include <algorithm>

namespace corvane {

namespace {

    constexpr int kMarkBehindFret = 10;

    constexpr std::array<Picture, 4> kFingerMarks { Picture::D1, Picture::D2, Picture::D3, Picture::D4 };

} // namespace

int NeckMarkLeft(int fret)
{
    const int entry = std::clamp(fret, 1, static_cast<int>(kNeckFretX.size()) - 1);
    return kNeckFretX[static_cast<std::size_t>(entry)] - kMarkBehindFret;
}

Picture NeckPictureImage(NeckPicture neck)
{
    switch (neck) {
    case NeckPicture::Classic:
        return Picture::NeckClassic;
    case NeckPicture::Electric:
        return Picture::NeckElectric;
    case NeckPicture::Brown:
        return Picture::NeckBrown;
    }
    return Picture::NeckClassic;
}

void DrawNeckPicture(Canvas& canvas, NeckPicture neck) { canvas.drawPicture(NeckPictureImage(neck), 0, 0); }

void DrawNeck(Canvas& canvas, const Voicing& voicing, NeckPicture background)
{
    DrawNeckPicture(canvas, background);

    long long lowest = 100;
    long long highest = 0;
    for (int value : voicing) {
        if (value == kMuted)
            continue;
        const long long fret = Magnitude(value);
        if (fret != 0)
            lowest = std::min(lowest, fret);
        highest = std::max(highest, fret);
    }

    for (int s = 0; s < kStrings; ++s) {
        if (voicing[s] == 0)
            canvas.drawPicture(Picture::D0, 0, NeckMarkTop(s));
    }

    // A barre counts as one finger; muted strings and strings stopped higher under it get its mark
    // too (the latter are drawn again at their own fret). No real fret reaches the muted value; the
    // bound keeps a malformed fingering from looping over billions of empty frets.
    const auto drawFinger = [&canvas](long long fret, int string, int finger) {
        if (finger <= static_cast<int>(kFingerMarks.size()))
            canvas.drawPicture(kFingerMarks[static_cast<size_t>(finger - 1)], NeckMarkLeft(static_cast<int>(fret)),
                NeckMarkTop(string));
    };
    WalkFingers(voicing, lowest, std::min<long long>(highest, kMuted - 1), drawFinger, drawFinger);
}

} // namespace corvane
