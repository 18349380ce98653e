#pragma once
// Chord shapes players know on the instruments beside the six-string guitar, from chord charts: the
// chord a player names, its root, its intervals and the shape as a search record writes its frets.
// The search finds each one, and identify names each one first as the player does.

namespace corvane::testing {

inline constexpr const char* kMajor = "00 04 07";
inline constexpr const char* kMinor = "00 03 07";
inline constexpr const char* kSeventh = "00 04 07 10";
inline constexpr const char* kMinor7 = "00 03 07 10";
inline constexpr const char* kMajor7 = "00 04 07 11";
inline constexpr const char* kSixth = "00 04 07 09";
inline constexpr const char* kSus4 = "00 05 07";
inline constexpr const char* kSus2 = "00 02 07";
inline constexpr const char* kAug = "00 04 08";
inline constexpr const char* kDim7 = "00 03 06 09";

struct KnownShape {
    const char* instrument;
    const char* name;
    int root;
    const char* intervals;
    const char* shape;
};

inline constexpr KnownShape kShapesPlayersKnow[] = {
    { "ukulele", "C", 0, kMajor, "0 0 0 3 " },
    { "ukulele", "C7", 0, kSeventh, "0 0 0 1 " },
    { "ukulele", "Cm", 0, kMinor, "0 3 3 3 " },
    { "ukulele", "Cmaj7", 0, kMajor7, "0 0 0 2 " },
    { "ukulele", "Cm7", 0, kMinor7, "3 3 3 3 " },
    { "ukulele", "C6", 0, kSixth, "0 0 0 0 " },
    { "ukulele", "Csus4", 0, kSus4, "0 0 1 3 " },
    { "ukulele", "Caug", 0, kAug, "1 0 0 3 " },
    { "ukulele", "Cdim7", 0, kDim7, "2 3 2 3 " },
    { "ukulele", "C#", 1, kMajor, "1 1 1 4 " },
    { "ukulele", "C#m", 1, kMinor, "1 1 0 4 " },
    { "ukulele", "D", 2, kMajor, "2 2 2 0 " },
    { "ukulele", "D7", 2, kSeventh, "2 2 2 3 " },
    { "ukulele", "Dm", 2, kMinor, "2 2 1 0 " },
    { "ukulele", "Dm7", 2, kMinor7, "2 2 1 3 " },
    { "ukulele", "Dsus4", 2, kSus4, "2 2 3 0 " },
    { "ukulele", "Dsus2", 2, kSus2, "2 2 0 0 " },
    { "ukulele", "D6", 2, kSixth, "2 2 2 2 " },
    { "ukulele", "Eb", 3, kMajor, "0 3 3 1 " },
    { "ukulele", "E", 4, kMajor, "4 4 4 2 " },
    { "ukulele", "E7", 4, kSeventh, "1 2 0 2 " },
    { "ukulele", "Em", 4, kMinor, "0 4 3 2 " },
    { "ukulele", "Em7", 4, kMinor7, "0 2 0 2 " },
    { "ukulele", "F", 5, kMajor, "2 0 1 0 " },
    { "ukulele", "F7", 5, kSeventh, "2 3 1 3 " },
    { "ukulele", "Fm", 5, kMinor, "1 0 1 3 " },
    { "ukulele", "Fmaj7", 5, kMajor7, "2 4 1 3 " },
    { "ukulele", "F#", 6, kMajor, "3 1 2 1 " },
    { "ukulele", "F#m", 6, kMinor, "2 1 2 0 " },
    { "ukulele", "G", 7, kMajor, "0 2 3 2 " },
    { "ukulele", "G7", 7, kSeventh, "0 2 1 2 " },
    { "ukulele", "Gm", 7, kMinor, "0 2 3 1 " },
    { "ukulele", "Gmaj7", 7, kMajor7, "0 2 2 2 " },
    { "ukulele", "Gm7", 7, kMinor7, "0 2 1 1 " },
    { "ukulele", "G6", 7, kSixth, "0 2 0 2 " },
    { "ukulele", "Gsus4", 7, kSus4, "0 2 3 3 " },
    { "ukulele", "Gsus2", 7, kSus2, "0 2 3 0 " },
    { "ukulele", "Dsus4", 2, kSus4, "0 2 3 0 " },
    { "ukulele", "Ab", 8, kMajor, "5 3 4 3 " },
    { "ukulele", "A", 9, kMajor, "2 1 0 0 " },
    { "ukulele", "A7", 9, kSeventh, "0 1 0 0 " },
    { "ukulele", "Am", 9, kMinor, "2 0 0 0 " },
    { "ukulele", "Am7", 9, kMinor7, "0 0 0 0 " },
    { "ukulele", "Amaj7", 9, kMajor7, "1 1 0 0 " },
    { "ukulele", "Asus4", 9, kSus4, "2 2 0 0 " },
    { "ukulele", "Bb", 10, kMajor, "3 2 1 1 " },
    { "ukulele", "Bb7", 10, kSeventh, "1 2 1 1 " },
    { "ukulele", "Bbm", 10, kMinor, "3 1 1 1 " },
    { "ukulele", "Bbmaj7", 10, kMajor7, "3 2 1 0 " },
    { "ukulele", "B", 11, kMajor, "4 3 2 2 " },
    { "ukulele", "B7", 11, kSeventh, "2 3 2 2 " },
    { "ukulele", "Bm", 11, kMinor, "4 2 2 2 " },
    { "ukulele", "Bm7", 11, kMinor7, "2 2 2 2 " },
    { "mandolin", "G", 7, kMajor, "0 0 2 3 " },
    { "mandolin", "C", 0, kMajor, "0 2 3 0 " },
    { "mandolin", "D", 2, kMajor, "2 0 0 2 " },
    { "mandolin", "A", 9, kMajor, "2 2 4 5 " },
    { "mandolin", "E", 4, kMajor, "1 2 2 4 " },
    { "mandolin", "F", 5, kMajor, "5 3 0 1 " },
    { "mandolin", "Bb", 10, kMajor, "3 0 1 1 " },
    { "mandolin", "Em", 4, kMinor, "0 2 2 0 " },
    { "mandolin", "Am", 9, kMinor, "2 2 3 5 " },
    { "mandolin", "Dm", 2, kMinor, "2 0 0 1 " },
    { "mandolin", "Bm", 11, kMinor, "4 0 2 2 " },
    { "mandolin", "Gm", 7, kMinor, "0 0 1 3 " },
    { "mandolin", "Cm", 0, kMinor, "0 1 3 3 " },
    { "mandolin", "F#m", 6, kMinor, "2 4 4 2 " },
    { "mandolin", "G7", 7, kSeventh, "0 0 2 1 " },
    { "mandolin", "D7", 2, kSeventh, "2 0 3 2 " },
    { "mandolin", "A7", 9, kSeventh, "2 2 4 3 " },
    { "baritone ukulele", "G", 7, kMajor, "0 0 0 3 " },
    { "baritone ukulele", "C", 0, kMajor, "2 0 1 0 " },
    { "baritone ukulele", "D", 2, kMajor, "0 2 3 2 " },
    { "baritone ukulele", "A", 9, kMajor, "2 2 2 0 " },
    { "baritone ukulele", "E", 4, kMajor, "2 1 0 0 " },
    { "baritone ukulele", "F", 5, kMajor, "3 2 1 1 " },
    { "baritone ukulele", "Em", 4, kMinor, "2 0 0 0 " },
    { "baritone ukulele", "Am", 9, kMinor, "2 2 1 0 " },
    { "baritone ukulele", "Dm", 2, kMinor, "0 2 3 1 " },
    { "baritone ukulele", "Bm", 11, kMinor, "4 4 3 2 " },
    { "baritone ukulele", "G7", 7, kSeventh, "0 0 0 1 " },
    { "baritone ukulele", "D7", 2, kSeventh, "0 2 1 2 " },
    { "baritone ukulele", "A7", 9, kSeventh, "2 2 2 3 " },
    { "baritone ukulele", "E7", 4, kSeventh, "0 1 0 0 " },
    { "baritone ukulele", "C7", 0, kSeventh, "2 3 1 3 " },
    { "baritone ukulele", "Am7", 9, kMinor7, "2 2 1 3 " },
    { "baritone ukulele", "Em7", 4, kMinor7, "0 0 0 0 " },
    { "baritone ukulele", "Fmaj7", 5, kMajor7, "3 2 1 0 " },
    { "tenor guitar", "C", 0, kMajor, "0 0 2 3 " },
    { "tenor guitar", "G", 7, kMajor, "2 0 0 2 " },
    { "tenor guitar", "Am", 9, kMinor, "0 2 2 0 " },
    { "7-string guitar", "C", 0, kMajor, "99 99 3 2 0 1 0 " },
    { "7-string guitar", "G", 7, kMajor, "99 3 2 0 0 3 3 " },
    { "7-string guitar", "F", 5, kMajor, "99 -1 3 3 2 1 1 " },
};

} // namespace corvane::testing
