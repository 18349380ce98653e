#pragma once
// The shapes every guitarist knows: the easy-shape text that puts one of them first on the sheet, and
// the chord-chart shapes the progression prefers.

#include <string_view>

#include "guitar/voicing.h"

namespace corvane {

// The shapes as one text of voicing texts; records are matched against it as substrings.
extern const std::string_view kEasyShapes;

// A shape as a chord chart writes it: six characters, lowest string first, "x" for a muted string and
// "0".."9" for a fret.
struct ChartShape {
    std::string_view frets;
    // A movable shape is also written moved up the neck, a barre (or one finger) taking the place of
    // its open strings: the E, A, C, G and D forms and their minor, seventh and sus forms.
    bool movable;
};

// clang-format off
inline constexpr ChartShape kChartShapes[] = {
    // E forms: E, Em, E7, Em7 (two ways), E7+, Esus4. The E7+ is not moved: under a barre its two
    // fingers on one fret behind the third-fret finger are a reach, and players take the A form's.
    { "022100", true }, { "022000", true }, { "020100", true }, { "020000", true }, { "022030", true },
    { "021100", false }, { "022200", true },
    // A forms: A, Am, A7, Am7, A7+, Asus4, Asus2, A7sus4.
    { "x02220", true }, { "x02210", true }, { "x02020", true }, { "x02010", true }, { "x02120", true },
    { "x02230", true }, { "x02200", true }, { "x02030", true },
    // C forms: C, C7+. (The open C7 leaves out the fifth, which every fingering the search finds sounds.)
    { "x32010", true }, { "x32000", true },
    // G forms: G (two ways), G7.
    { "320003", true }, { "320033", true }, { "320001", true },
    // D forms: D, Dm, D7, Dm7, D7+, Dsus4, Dsus2.
    { "xx0232", true }, { "xx0231", true }, { "xx0212", true }, { "xx0211", true }, { "xx0222", true },
    { "xx0233", true }, { "xx0230", true },
    // Open shapes that are not moved: B7, Cadd9, Csus4, Gsus4 (two ways), the small F and F7+, and the
    // slash chords of the charts (D/F# two ways, G/B two ways, C/E, C/G).
    { "x21202", false }, { "x32033", false }, { "x33011", false }, { "330013", false }, { "330033", false },
    { "xx3211", false }, { "xx3210", false }, { "2x0232", false }, { "200232", false }, { "x20003", false },
    { "x20033", false }, { "032010", false }, { "332010", false },
    // The open sevenths, sixths and added ninths of the charts, not moved: Gmaj7 (G7+), Bm7, the 7sus4 of
    // E, G and D (A7sus4 is the A form's), the add9 of C, G, E, A and F, and the sixths of G, C, A, D, E
    // and their minor forms.
    { "320002", false }, { "x20202", false }, { "020200", false }, { "330011", false }, { "xx0213", false },
    { "x32030", false }, { "320203", false }, { "024100", false }, { "x02420", false }, { "xx3213", false },
    { "320000", false }, { "x32213", false }, { "x02222", false }, { "xx0202", false }, { "022120", false },
    { "x02212", false }, { "xx0201", false }, { "022020", false },
};
// clang-format on

// Whether a fingering is a chart shape, or a movable one moved up the neck (whatever its barre marks).
bool IsChartShape(const Voicing& v);

// Where a fingering stands on the charts: off them, a shape in the place the charts draw it (the open
// chords, the small F), or a movable shape moved up the neck (a barre chord).
enum class ChartPlace { Off, Own, Moved };
ChartPlace ChartPlaceOf(const Voicing& v);

} // namespace corvane
