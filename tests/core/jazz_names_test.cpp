// The names a jazz guitarist gives the grips of the jazz books: shells, drop-2 and drop-3 sevenths,
// the ninth, eleventh and thirteenth grips and rootless forms, each of which must be the best name, in
// the name box's words; and that name, typed into the box, must read back as the chord played.

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <iterator>
#include <set>

#include "guitar/identify.h"
#include "theory/best_name.h"
#include "theory/interval_list.h"
#include "theory/lead_sheet.h"
#include "theory/naming.h"
#include "theory/selection.h"
#include "theory/typed_chord.h"

using namespace corvane;

namespace {

struct Grip {
    const char* frets; // standard tuning, lowest string first
    const char* said; // what a jazz guitarist calls it, in the name box's words
    const char* symbol; // the same chord as a lead sheet writes it
};

// clang-format off
constexpr Grip kGrips[] = {
    // Shells: root, third and seventh, on the sixth and on the fifth string.
    { "3 x 3 4 x x", "G7", "G7" },
    { "3 x 4 4 x x", "G7+", "Gmaj7" },
    { "3 x 3 3 x x", "Gm7", "Gm7" },
    { "x 3 2 3 x x", "C7", "C7" },
    { "x 3 2 4 x x", "C7+", "Cmaj7" },
    { "x 3 1 3 x x", "Cm7", "Cm7" },

    // Drop-2 sevenths on the top four strings and on the middle four.
    { "x x 10 12 12 12", "C7+", "Cmaj7" },
    { "x x 10 12 11 12", "C7", "C7" },
    { "x x 10 12 11 11", "Cm7", "Cm7" },
    { "x x 10 11 11 11", "Cm7/5-", "Cm7b5" },
    { "x x 3 5 5 5", "F7+", "Fmaj7" },
    { "x x 3 5 4 5", "F7", "F7" },
    { "x x 3 5 4 4", "Fm7", "Fm7" },
    { "x 3 5 4 5 x", "C7+", "Cmaj7" },
    { "x 3 5 3 5 x", "C7", "C7" },
    { "x 3 5 3 4 x", "Cm7", "Cm7" },
    { "x 3 4 3 4 x", "Cm7/5-", "Cm7b5" },

    // Drop-3 sevenths, the root on the sixth or the fifth string, and the barre sevenths of Bb.
    { "3 x 4 4 3 x", "G7+", "Gmaj7" },
    { "3 x 3 4 3 x", "G7", "G7" },
    { "3 x 3 3 3 x", "Gm7", "Gm7" },
    { "3 x 3 3 2 x", "Gm7/5-", "Gm7b5" },
    { "x 3 x 4 5 3", "C7+", "Cmaj7" },
    { "x 3 x 3 5 3", "C7", "C7" },
    { "x 3 x 3 4 3", "Cm7", "Cm7" },
    { "8 x 8 9 8 x", "C7", "C7" },
    { "x 1 3 1 3 1", "A#7", "Bb7" },
    { "x 1 3 2 3 1", "A#7+", "Bbmaj7" },
    { "x 1 3 1 2 1", "A#m7", "Bbm7" },

    // Ninths, most without their fifth.
    { "x 7 6 7 7 7", "E7/9", "E9" },
    { "5 x 5 4 2 x", "A7/9", "A9" },
    { "3 2 3 2 3 x", "G7/9", "G9" },
    { "x x 3 2 4 3", "F7/9", "F9" },
    { "x 3 1 3 3 x", "Cm7/9", "Cm9" },
    { "5 3 5 4 x x", "Am7/9", "Am9" },
    { "x 5 3 5 5 x", "Dm7/9", "Dm9" },
    { "x 3 2 4 3 x", "C7+/9", "Cmaj9" },
    { "1 0 2 0 1 0", "F7+/9", "Fmaj9" },
    { "3 x 4 4 3 5", "G7+/9", "Gmaj9" },

    // Six-nine and minor sixth grips.
    { "3 2 2 2 3 3", "G6/9", "G6/9" },
    { "1 0 0 0 1 1", "F6/9", "F6/9" },
    { "x 5 4 4 5 5", "D6/9", "D6/9" },
    { "x 3 1 2 1 3", "Cm6", "Cm6" },
    { "3 x 2 3 3 x", "Gm6", "Gm6" },

    // Altered ninths: the flat nine and the sharp nine, whose minor third sounds over the major.
    { "8 7 8 6 x x", "C7/9-", "C7b9" },
    { "x 3 2 3 2 x", "C7/9-", "C7b9" },
    { "3 x 3 4 3 4", "G7/9-", "G7b9" },
    { "x 3 2 3 4 x", "C7/9+", "C7#9" },
    { "0 7 6 7 8 x", "E7/9+", "E7#9" },

    // Elevenths, minor and dominant, and the 7sus4 grips.
    { "x 3 1 3 3 1", "Cm7/9/11", "Cm11" },
    { "5 x 5 5 3 x", "Am7/11", "Am11" },
    { "x 5 3 5 5 3", "Dm7/9/11", "Dm11" },
    { "x 3 3 3 3 x", "C7/sus4/9", "C11" },
    { "x 3 3 3 1 1", "C7/sus4", "C7sus4" },
    { "3 x 3 5 3 x", "G7/sus4", "G7sus4" },
    { "x 5 5 5 3 x", "D7/sus4", "D7sus4" },

    // Thirteenths: the seventh and the sixth above it, often with the ninth.
    { "3 x 3 4 5 x", "G7/13", "G13" },
    { "8 x 8 9 10 x", "C7/13", "C13" },
    { "5 x 5 6 7 x", "A7/13", "A13" },
    { "1 x 1 2 3 x", "F7/13", "F13" },
    { "6 x 6 7 8 x", "A#7/13", "Bb13" },
    { "x 3 2 3 3 5", "C7/9/13", "C13" },
    { "8 x 9 9 10 x", "C7+/13", "Cmaj13" },
    { "3 x 4 4 5 x", "G7+/13", "Gmaj13" },

    // Half-diminished grips.
    { "0 1 2 0 3 0", "Em7/5-", "Em7b5" },
    { "2 x 2 2 1 x", "F#m7/5-", "F#m7b5" },

    // Rootless grips, named by the chord they spell from their bass: the upper four of Cmaj9 and of C9.
    { "x 7 9 7 8 x", "Em7", "Em7" },
    { "x 7 8 7 8 x", "Em7/5-", "Em7b5" },
};
// clang-format on

Identification Played(const char* frets)
{
    const PlayedFretsReading reading = ReadPlayedFrets(frets);
    EXPECT_TRUE(reading.fingering) << reading.error;
    return Identify(reading.fingering.value_or(kAllMuted), kStandardTuning, 0, GridNames(Spelling::Sharp));
}

std::set<int> Tones(const std::vector<PitchClass>& notes) { return { notes.begin(), notes.end() }; }

} // namespace

TEST(JazzNames, EveryGripIsNamedFirstAsAJazzGuitaristSaysIt)
{
    EXPECT_GE(std::size(kGrips), 60u);
    size_t right = 0;
    for (const Grip& grip : kGrips) {
        SCOPED_TRACE(grip.frets);
        const Identification id = Played(grip.frets);
        ASSERT_FALSE(id.names.empty());
        EXPECT_EQ(id.best, grip.said);
        right += id.best == grip.said ? 1 : 0;
    }
    std::cout << "[ share ] of " << std::size(kGrips) << " jazz grips, " << right
              << " named first as players say them\n";
}

// The table itself: each grip stands on its root and sounds its symbol's chord, less the tones a
// guitarist leaves out (the fifth, the ninth and eleventh of the larger chords) and with at most the
// ninth of a thirteenth more.
TEST(JazzNames, EveryGripSoundsItsSymbol)
{
    for (const Grip& grip : kGrips) {
        SCOPED_TRACE(grip.frets);
        const LeadSheetChord chord = ReadLeadSheetChord(grip.symbol);
        ASSERT_TRUE(chord.Complete()) << grip.symbol;
        const Identification id = Played(grip.frets);
        const std::set<int> symbol = Tones(chord.PitchClasses());
        const std::set<int> played = Tones(id.chordTones);
        const auto above = [&](int semitones) { return (chord.root + semitones) % 12; };
        for (int pc : played)
            EXPECT_TRUE(symbol.count(pc) > 0 || pc == above(2)) << grip.symbol << " does not hold " << pc;
        for (int pc : symbol)
            EXPECT_TRUE(played.count(pc) > 0 || pc == above(7) || pc == above(2) || pc == above(5))
                << "it leaves out " << pc << " of " << grip.symbol;
        EXPECT_EQ(id.bass, chord.root);
    }
}

// Find types the best name into the name box: the box reads it as the chord played, on its root,
// with at most the fifth more.
TEST(JazzNames, TheNameBoxReadsEveryBestNameAsTheGripPlayed)
{
    for (const Grip& grip : kGrips) {
        SCOPED_TRACE(grip.frets);
        const Identification id = Played(grip.frets);
        SelectionState state = StartupSelection();
        state.editText = BoxName(id.best);
        const NameBoxSearch search = SearchTypedChord(state);
        ASSERT_TRUE(search.Understood()) << search.Problem();
        std::set<int> read { state.bassIndex };
        for (int pc : TransposeIntervals(state.chordIntervals, state.rootIndex))
            read.insert(pc);
        const std::set<int> played = Tones(id.chordTones);
        std::set<int> more;
        std::set_difference(read.begin(), read.end(), played.begin(), played.end(), std::inserter(more, more.end()));
        EXPECT_TRUE(std::includes(read.begin(), read.end(), played.begin(), played.end())) << id.best;
        EXPECT_TRUE(more.empty() || more == std::set<int> { (state.rootIndex + 7) % 12 }) << id.best;
    }
}
