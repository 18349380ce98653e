#pragma once
// A fingering drawn on the picture of the whole neck: 24 frets lying horizontally, the nut at the
// left and the highest string on top. The tables below are the geometry all neck pictures share.

#include "drawing/canvas.h"
#include "guitar/frets.h"
#include "guitar/identify.h"
#include "guitar/voicing.h"

#include <array>
#include <functional>
#include <optional>

namespace corvane {

enum class NeckPicture { Classic, Electric, Brown };

// Where the mark of a finger at fret f goes: its left edge is kNeckFretX[f] - 10, in the space just
// behind fret wire f. Entry 0 is not used (open strings are marked on the nut); entry 25 lies past
// the end of the picture.
inline constexpr std::array<int, 26> kNeckFretX { 10, 50, 93, 134, 171, 206, 239, 270, 298, 325, 350, 373, 396, 419,
    439, 460, 481, 501, 521, 541, 559, 576, 591, 604, 618, 628 };

// The pictures: 625 x 85, nut over x 0..9, fret wire f (1..24) at kNeckWireX[f - 1].
inline constexpr int kNeckWidth = 625;
inline constexpr int kNeckHeight = 85;
inline constexpr int kNeckNutWidth = 10;
inline constexpr int kNeckLastFret = 24;
inline constexpr std::array<int, kNeckLastFret> kNeckWireX { 59, 104, 144, 180, 213, 245, 275, 303, 329, 355, 380, 403,
    425, 446, 467, 487, 507, 527, 546, 563, 579, 594, 607, 619 };
// Row of each string, string 0 (lowest-pitched) first: the highest string runs on top.
inline constexpr std::array<int, 6> kNeckStringY { 76, 62, 48, 34, 20, 7 };
// Fret spaces with one position dot at kNeckDotY, and those with a pair at kNeckPairY.
inline constexpr std::array<int, 8> kNeckDotSpaces { 3, 5, 7, 9, 15, 17, 19, 21 };
inline constexpr std::array<int, 2> kNeckPairSpaces { 12, 24 };
inline constexpr int kNeckDotY = 41;
inline constexpr std::array<int, 2> kNeckPairY { 27, 55 };

// Every string has a row of marks this high, the highest string's row on top.
inline constexpr int kNeckRowHeight = 14;
// Marks of string s have their top edge here.
constexpr int NeckMarkTop(int string) { return (kStrings - 1 - string) * kNeckRowHeight; }

// Left edge of the mark for a string stopped at `fret` (1 or more). The picture ends at fret 24 and
// the table at fret 25; the search can still return frets 26 and 27 with the limit at 24, and those
// are drawn where fret 25 is, at the right edge past the last fret wire, so that the string still
// shows its finger.
int NeckMarkLeft(int fret);

Picture NeckPictureImage(NeckPicture neck);

// The bare neck at (0, 0), wiping any fingering shown.
void DrawNeckPicture(Canvas& canvas, NeckPicture neck);

// The neck picture, then a mark on the nut for every open string and a numbered mark (fingers 1 to 4)
// for every stopped string, a barre repeating its finger's mark across the strings it covers.
// The fingering is drawn as stored, never mirrored.
// With a capo on fret k (1..11) the capo bar is drawn across the strings just behind fret wire k, and
// the frets, which count from the capo, are drawn at f + k, but never past the last fret of the
// picture: a finger the neck cannot show is drawn on fret 24.
void DrawNeck(Canvas& canvas, const Voicing& voicing, NeckPicture background, int capo = 0);

// The marks of a fingering on a neck of `strings` rows, whichever way the neck itself is painted: a
// mark on the nut for every open string and a numbered mark (fingers 1 to 4) for every stopped string,
// a barre repeating its finger's mark across the strings it covers; a fret's marks have their left edge
// at markLeft(fret).
void DrawNeckMarks(Canvas& canvas, const Frets& frets, int strings, const std::function<int(long long)>& markLeft);

// Left edge of the capo bar on fret k (1..11); it spans the picture's height.
int NeckCapoLeft(int capo);

// A place on the neck picture a click can mean: a string, and a fret counted from the capo, or the
// nut. With a capo, the capo bar and everything left of it count as the nut.
inline constexpr int kAtNut = 0;
struct NeckSpot {
    int string = 0; // 0 (lowest, bottom row) .. 5
    int fret = kAtNut; // 1..24 - capo, or kAtNut

    bool operator==(const NeckSpot&) const = default;
};

// The neck picture's spots, hit test and steps are those of the drawn neck (drawing/strings_neck.h) on
// six strings and 24 frets.
// The spot under a point of the neck picture, by the rows the marks are drawn in and the fret spaces
// between the wires (the strip past the last wire is the last fret); nothing outside the picture.
std::optional<NeckSpot> NeckSpotAt(int x, int y, int capo = 0);

// What a click on a spot does to the fingering played on the neck: a fret puts the string's one finger
// there, or takes it off (the string is then open) when it was already there; the nut turns a muted
// string open and any other string muted.
Fingering ToggleAt(const Fingering& fingering, const NeckSpot& spot);

// The part of the picture that means a spot: the string's row of marks across the fret's space (the
// strip past the last wire included), or across the nut, the capo bar and the frets it covers.
// NeckSpotAt gives the spot back for every point of it.
struct NeckRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const NeckRect&) const = default;
};
NeckRect NeckSpotRect(const NeckSpot& spot, int capo = 0);

// Moving a place on the neck from the keyboard. Left and Right go along the string to the nut and
// to the body, Up and Down across the strings to the one drawn above or below (the higher-pitched
// string is on top); Home and End go to the nut and to the last fret the capo leaves, First and Last
// string to the top and bottom strings. A step past the edge stops there.
enum class NeckStep { TowardNut, TowardBody, StringAbove, StringBelow, Nut, LastFret, TopString, BottomString };
NeckSpot StepNeckSpot(const NeckSpot& spot, NeckStep step, int capo = 0);

} // namespace corvane
