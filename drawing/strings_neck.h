#pragma once
// The neck of any fretted instrument of 4 to 8 strings, drawn rather than photographed: the same
// 625-pixel length, nut, fret wires and position dots as the six-string pictures (neck_view.h), 14
// pixels a string, the highest string as held on top. A neck of fewer frets ends 6 pixels past its
// last wire, as the pictures end past wire 24, and the instrument's body fills the rest of the width.

#include "drawing/canvas.h"
#include "drawing/neck_view.h"
#include "guitar/frets.h"
#include "guitar/instrument_identify.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane {

struct StringsNeck {
    int strings = kMinInstrumentStrings; // taken as 4..8
    int lastFret = kNeckLastFret; // the instrument's frets, taken as 1..24

    bool operator==(const StringsNeck&) const = default;
};

// The picture: always kNeckWidth wide, 14 pixels a string and one more high (85 for six strings).
int StringsNeckWidth(const StringsNeck& neck);
int StringsNeckHeight(const StringsNeck& neck);
// The strings and frets the neck is drawn with, after the limits above.
int StringsNeckStrings(const StringsNeck& neck);
int StringsNeckLastFret(const StringsNeck& neck);
// Where the fingerboard ends: the body lies from here to the right edge (nowhere on 24 frets).
int StringsNeckBoardEnd(const StringsNeck& neck);
// The last fret a capo leaves playable, counted from the capo.
int StringsNeckFretsAboveCapo(const StringsNeck& neck, int capo);

// Top edge of string s's row of marks (string 0, the lowest as held, is the bottom row), and the
// string's line in it.
int StringsNeckMarkTop(const StringsNeck& neck, int string);
int StringsNeckStringY(const StringsNeck& neck, int string);

// The bare neck at (0, 0): wood, nut, wires, dots, strings and body. The position dots lie between
// strings, a single dot half a string above the middle string where a string runs through the middle.
void DrawBareStringsNeck(Canvas& canvas, const StringsNeck& neck);

// The note names of the open strings, lowest string first ("G", "C#", "Bb"), written small on the nut
// over each string's line, so that the player sees which string is which. A name of more than
// two characters, or of a character the nut's letters lack, is cut there; strings past the neck's own
// are not named.
void DrawStringNames(Canvas& canvas, const StringsNeck& neck, const std::vector<std::string>& names);

// The bare neck, the capo bar behind fret wire `capo` (1..11, while a fret is left past it), a mark
// on the nut for each open string and a numbered mark for each stopped string, numbered as DrawNeck
// numbers them (a barre repeats its finger across the strings it covers). Frets count from the capo;
// one past the neck's end is drawn on its last fret. Strings past the neck's own are not drawn.
// With `names`, the strings' names are on the nut under the marks (DrawStringNames).
void DrawStringsNeck(Canvas& canvas, const StringsNeck& neck, const Frets& frets, int capo = 0,
    const std::vector<std::string>& names = {});

// Left edge of the capo bar; the bar spans the neck's height.
int StringsNeckCapoLeft(int capo);

// The spot under a point, as NeckSpotAt reads the six-string pictures: rows of 14 pixels, fret
// spaces between the wires, the strip past the last wire the last fret, and the nut, the capo bar and
// what lies behind it the nut. The body past the fingerboard and points off the picture are no spot.
std::optional<NeckSpot> StringsNeckSpotAt(int x, int y, const StringsNeck& neck, int capo = 0);

// The part of the picture that means a spot; StringsNeckSpotAt gives the spot back for every point of
// it, and the areas of all spots cover the picture up to the body exactly once.
NeckRect StringsNeckSpotRect(const NeckSpot& spot, const StringsNeck& neck, int capo = 0);

// The keyboard's steps, as StepNeckSpot takes them, on this neck's strings and frets.
NeckSpot StepStringsNeckSpot(const NeckSpot& spot, NeckStep step, const StringsNeck& neck, int capo = 0);

// What a click on a spot does, as ToggleAt does it on six strings: a fret puts the string's finger
// there, or takes it off when it was there; the nut turns a muted string open and any other muted.
// A spot off the fingering's strings or past fret 24 changes nothing.
StringFingering ToggleAtStrings(const StringFingering& fingering, const NeckSpot& spot);

// "1st string, fret 3, finger here", "4th string, nut, open": strings counted from the highest as
// held, as players of every fretted instrument count them; empty for a spot off the strings.
std::string SpokenStringsNeckSpot(const NeckSpot& spot, const StringFingering& fingering);

} // namespace corvane
