// A fingering's chord diagram, on six strings from the stored pictures and on any other count drawn alike.
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

namespace {
    template <class Fingering> long long BaseFret(const Fingering& voicing)
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
}

long long DiagramBaseFret(const Voicing& voicing) { return BaseFret(voicing); }
long long StringsDiagramBaseFret(const Frets& frets) { return BaseFret(frets); }

namespace {
    // The first string not muted: the bass a six-string diagram marks.
    int FirstSoundingString(const Voicing& voicing)
    {
        for (int s = 0; s < kStrings; ++s)
            if (Magnitude(voicing[s]) != kMuted)
                return s;
        return -1;
    }

    void DrawSixStrings(
        Canvas& canvas, const Voicing& voicing, int top, int left, int mode, bool leftHanded, int bassString)
    {
        // Everything below walks the strings from 0 (lowest-pitched) to 5; only the column a string is
        // drawn in depends on the hand.
        const auto column = [leftHanded](int string) { return leftHanded ? kStrings - 1 - string : string; };

        for (int s = 0; s < kStrings; ++s) {
            const int markX = left + kMarkLeft + kColumnStep * column(s);
            if (Magnitude(voicing[s]) == kMuted) {
                canvas.drawPicture(Picture::MutedStringMark, markX, top + kMarkTop);
                continue;
            }
            canvas.drawPicture(
                s == bassString ? Picture::BassStringMark : Picture::SoundingStringMark, markX, top + kMarkTop);
        }
        const long long baseFret = DiagramBaseFret(voicing);

        canvas.drawPicture(
            mode == kDiagramNormal ? Picture::DiagramGrid : Picture::SelectedGrid, left + kGridLeft, top + kGridTop);
        canvas.drawText(left + kFretNumberLeft, top + kFretNumberTop, std::to_string(baseFret));

        // Stopped strings get their finger's disc (fingers past the fourth get none); a barre shows no
        // number, only a segment on each string it covers.
        const auto rowY
            = [&](long long fret) { return top + kFirstRowTop + kRowStep * static_cast<int>(fret - baseFret); };
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
} // namespace

void DrawChordDiagram(Canvas& canvas, const Voicing& voicing, int top, int left, int mode, bool leftHanded)
{
    DrawSixStrings(canvas, voicing, top, left, mode, leftHanded, FirstSoundingString(voicing));
}

namespace {
    // The six-string grid picture's colours and rows.
    constexpr unsigned kGridWhite = 0xffffff;
    constexpr unsigned kGridCream = 0xfff1c2;
    constexpr unsigned kFretLineColour = 0x4a4a4a;
    constexpr unsigned kStringLineColour = 0x222222;
    constexpr unsigned kNutColour = 0x141414;
    constexpr int kGridHeight = 83;
    constexpr int kNutHeight = 3;
    constexpr int kFirstFretLine = 18;
    constexpr int kSixStringGridWidth = 56;
    constexpr int kWidestGridEnd = kGridLeft + 6 * kColumnStep; // the seven-string grid's last line
    // Offsets of the pictures from the line of their string.
    constexpr int kDiscFromString = kDiscLeft - kGridLeft;
    constexpr int kBarreFromString = kBarreLeft - kGridLeft;
    constexpr int kMarkFromString = kMarkLeft - kGridLeft;
    constexpr int kFretNumberFromGrid = kFretNumberLeft - kGridLeft;
}

void DrawStringsDiagram(
    Canvas& canvas, const Frets& frets, int top, int left, int mode, bool leftHanded, const OpenStrings& strings)
{
    const int bassString = LowestSoundingString(frets, strings);
    if (frets.count == kStrings) {
        DrawSixStrings(canvas, VoicingOfFrets(frets), top, left, mode, leftHanded, bassString);
        return;
    }
    const int count = frets.count;
    const int step = count > 7 ? kColumnStep - 1 : kColumnStep;
    const int gridWidth = step * (count - 1) + 1;
    // Narrow grids are centred on the six-string grid; wide ones end where a seven-string grid does, so
    // that the last barre segment stays inside the cell.
    const int gridLeft = left
        + (gridWidth <= kSixStringGridWidth ? kGridLeft + (kSixStringGridWidth - gridWidth) / 2
                                            : std::min(kGridLeft, kWidestGridEnd - (gridWidth - 1)));
    const auto column = [&](int string) { return leftHanded ? count - 1 - string : string; };
    const auto stringX = [&](int string) { return gridLeft + step * column(string); };

    for (int s = 0; s < count; ++s) {
        const int markX = stringX(s) + kMarkFromString;
        if (Magnitude(frets[s]) == kMuted) {
            canvas.drawPicture(Picture::MutedStringMark, markX, top + kMarkTop);
            continue;
        }
        canvas.drawPicture(
            s == bassString ? Picture::BassStringMark : Picture::SoundingStringMark, markX, top + kMarkTop);
    }
    const long long baseFret = StringsDiagramBaseFret(frets);

    const int gridTop = top + kGridTop;
    canvas.fillRect(gridLeft, gridTop, gridWidth, kGridHeight, mode == kDiagramNormal ? kGridWhite : kGridCream);
    for (int row = 0; row < kDiagramRows; ++row)
        canvas.fillRect(gridLeft, gridTop + kFirstFretLine + kRowStep * row, gridWidth, 1, kFretLineColour);
    for (int s = 0; s < count; ++s)
        canvas.fillRect(gridLeft + step * s, gridTop, 1, kGridHeight, kStringLineColour);
    canvas.fillRect(gridLeft, gridTop, gridWidth, kNutHeight, kNutColour);
    canvas.drawText(gridLeft + kFretNumberFromGrid, top + kFretNumberTop, std::to_string(baseFret));

    const auto rowY = [&](long long fret) { return top + kFirstRowTop + kRowStep * static_cast<int>(fret - baseFret); };
    WalkFingers(
        frets, baseFret, baseFret + kDiagramRows - 1,
        [&](long long fret, int string, int finger) {
            if (finger <= static_cast<int>(kFingerDiscs.size()))
                canvas.drawPicture(
                    kFingerDiscs[static_cast<size_t>(finger - 1)], stringX(string) + kDiscFromString, rowY(fret));
        },
        [&](long long fret, int string, int) {
            canvas.drawPicture(Picture::BarreSegment, stringX(string) + kBarreFromString, rowY(fret));
        });
}

} // namespace corvane
