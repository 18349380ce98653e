// The photographed neck: its pictures, the capo, the marks of a fingering and its spots.
#include "drawing/neck_view.h"

#include "drawing/finger_walk.h"
#include "drawing/strings_neck.h"

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

    DrawNeckMarks(canvas, FretsOfVoicing(voicing), kStrings, markLeft);
}

void DrawNeckMarks(Canvas& canvas, const Frets& frets, int strings, const std::function<int(long long)>& markLeft)
{
    long long lowest = 100;
    long long highest = 0;
    for (int value : frets) {
        if (value == kMuted)
            continue;
        const long long fret = Magnitude(value);
        if (fret != 0)
            lowest = std::min(lowest, fret);
        highest = std::max(highest, fret);
    }
    const auto markTop = [strings](int string) { return (strings - 1 - string) * kNeckRowHeight; };
    for (int s = 0; s < frets.count; ++s) {
        if (frets[s] == 0)
            canvas.drawPicture(Picture::NeckOpenString, 0, markTop(s));
    }

    // A barre counts as one finger; muted strings and strings stopped higher under it get its mark
    // too (the latter are drawn again at their own fret). No real fret reaches the muted value; the
    // bound keeps a malformed fingering from looping over billions of empty frets.
    const auto drawFinger = [&](long long fret, int string, int finger) {
        if (finger <= static_cast<int>(kFingerMarks.size()))
            canvas.drawPicture(kFingerMarks[static_cast<size_t>(finger - 1)], markLeft(fret), markTop(string));
    };
    WalkFingers(frets, lowest, std::min<long long>(highest, kMuted - 1), drawFinger, drawFinger);
}

} // namespace corvane

// The photographed neck is the drawn neck's geometry on six strings and 24 frets.
namespace corvane {

namespace {
    constexpr StringsNeck kPhotographed { kStrings, kNeckLastFret };
}

std::optional<NeckSpot> NeckSpotAt(int x, int y, int capo) { return StringsNeckSpotAt(x, y, kPhotographed, capo); }

Fingering ToggleAt(const Fingering& fingering, const NeckSpot& spot)
{
    const StringFingering toggled = ToggleAtStrings(StringFingering(fingering.begin(), fingering.end()), spot);
    Fingering next {};
    std::copy(toggled.begin(), toggled.end(), next.begin());
    return next;
}

NeckRect NeckSpotRect(const NeckSpot& spot, int capo) { return StringsNeckSpotRect(spot, kPhotographed, capo); }

NeckSpot StepNeckSpot(const NeckSpot& spot, NeckStep step, int capo)
{
    return StepStringsNeckSpot(spot, step, kPhotographed, capo);
}

} // namespace corvane
