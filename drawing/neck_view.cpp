#include "drawing/neck_view.h"

#include "drawing/finger_walk.h"

#include <algorithm>

namespace corvane {

namespace {

    constexpr int kMarkBehindFret = 10;

    constexpr std::array<Picture, 4> kFingerMarks { Picture::NeckFinger1, Picture::NeckFinger2, Picture::NeckFinger3,
        Picture::NeckFinger4 };

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

int NeckCapoLeft(int capo)
{
    const int fret = std::clamp(capo, 1, kMaxCapo);
    return kNeckWireX[static_cast<std::size_t>(fret - 1)] - InfoOf(Picture::Capo).width;
}

void DrawNeck(Canvas& canvas, const Voicing& voicing, NeckPicture background, int capo)
{
    DrawNeckPicture(canvas, background);
    const int k = std::clamp(capo, 0, kMaxCapo);
    if (k > 0)
        canvas.drawPicture(Picture::Capo, NeckCapoLeft(k), 0);
    // Where the mark of a fret counted from the capo goes.
    const auto markLeft = [k](long long fret) {
        return k == 0 ? NeckMarkLeft(static_cast<int>(fret))
                      : NeckMarkLeft(static_cast<int>(std::min<long long>(fret + k, kNeckLastFret)));
    };

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
            canvas.drawPicture(Picture::NeckOpenString, 0, NeckMarkTop(s));
    }

    // A barre counts as one finger; muted strings and strings stopped higher under it get its mark
    // too (the latter are drawn again at their own fret). No real fret reaches the muted value; the
    // bound keeps a malformed fingering from looping over billions of empty frets.
    const auto drawFinger = [&canvas, &markLeft](long long fret, int string, int finger) {
        if (finger <= static_cast<int>(kFingerMarks.size()))
            canvas.drawPicture(kFingerMarks[static_cast<size_t>(finger - 1)], markLeft(fret), NeckMarkTop(string));
    };
    WalkFingers(voicing, lowest, std::min<long long>(highest, kMuted - 1), drawFinger, drawFinger);
}

} // namespace corvane

namespace corvane {

std::optional<NeckSpot> NeckSpotAt(int x, int y, int capo)
{
    if (x < 0 || y < 0 || y >= kNeckHeight || x >= kNeckWidth)
        return std::nullopt;
    NeckSpot spot;
    // The rows the marks are drawn in, 14 pixels each from the top; the last takes the bottom edge.
    spot.string = std::max(0, kStrings - 1 - y / 14);
    if (x < kNeckNutWidth)
        return spot;
    // Fret f is the space that ends at wire f; the last fret's marks reach over its wire to the edge.
    const auto wire = std::upper_bound(kNeckWireX.begin(), kNeckWireX.end(), x);
    const int fret = std::min(static_cast<int>(wire - kNeckWireX.begin()) + 1, kNeckLastFret);
    const int k = std::clamp(capo, 0, kMaxCapo);
    spot.fret = fret <= k ? kAtNut : fret - k;
    return spot;
}

Fingering ToggleAt(const Fingering& fingering, const NeckSpot& spot)
{
    Fingering next = fingering;
    if (spot.string < 0 || spot.string >= kStrings || spot.fret < kAtNut || spot.fret > kFingeringTopFret)
        return next;
    int& fret = next[static_cast<std::size_t>(spot.string)];
    if (spot.fret == kAtNut)
        fret = fret == kFingeringMuted ? 0 : kFingeringMuted;
    else
        fret = fret == spot.fret ? 0 : spot.fret;
    return next;
}

NeckRect NeckSpotRect(const NeckSpot& spot, int capo)
{
    const int k = std::clamp(capo, 0, kMaxCapo);
    const int string = std::clamp(spot.string, 0, kStrings - 1);
    NeckRect rect;
    rect.y = NeckMarkTop(string);
    // The lowest string's row takes the bottom edge as well.
    rect.height = string == 0 ? kNeckHeight - rect.y : NeckMarkTop(string - 1) - rect.y;
    const auto wire = [](int fret) { return kNeckWireX[static_cast<std::size_t>(fret - 1)]; };
    const int fret = std::clamp(spot.fret, kAtNut, kNeckLastFret - k);
    if (fret == kAtNut) {
        rect.width = k == 0 ? kNeckNutWidth : wire(k);
        return rect;
    }
    const int onNeck = fret + k;
    rect.x = onNeck == 1 ? kNeckNutWidth : wire(onNeck - 1);
    rect.width = (onNeck == kNeckLastFret ? kNeckWidth : wire(onNeck)) - rect.x;
    return rect;
}

NeckSpot StepNeckSpot(const NeckSpot& spot, NeckStep step, int capo)
{
    const int lastFret = kNeckLastFret - std::clamp(capo, 0, kMaxCapo);
    NeckSpot next { std::clamp(spot.string, 0, kStrings - 1), std::clamp(spot.fret, kAtNut, lastFret) };
    switch (step) {
    case NeckStep::TowardNut:
        next.fret = std::max(kAtNut, next.fret - 1);
        break;
    case NeckStep::TowardBody:
        next.fret = std::min(lastFret, next.fret + 1);
        break;
    case NeckStep::StringAbove:
        next.string = std::min(kStrings - 1, next.string + 1);
        break;
    case NeckStep::StringBelow:
        next.string = std::max(0, next.string - 1);
        break;
    case NeckStep::Nut:
        next.fret = kAtNut;
        break;
    case NeckStep::LastFret:
        next.fret = lastFret;
        break;
    case NeckStep::TopString:
        next.string = kStrings - 1;
        break;
    case NeckStep::BottomString:
        next.string = 0;
        break;
    }
    return next;
}

} // namespace corvane
