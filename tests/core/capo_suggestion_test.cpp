// The capo a teacher would suggest for whole songs, played as they are written: none for songs of
// open shapes, however long; one only where it takes barre chords away.

#include <gtest/gtest.h>

#include "guitar/easy_shapes.h"
#include "guitar/progression.h"

using namespace corvane;

namespace {

std::vector<ProgressionEntry> Played(const char* text) { return ParseProgression(text).entries; }

struct TeacherCapo {
    const char* song;
    int capo;
};

// clang-format off
const TeacherCapo kSongs[] = {
    { "D G D A7 D G D A7 D D G D A7 D G D A7 D D7 G D A7 D", 0 }, // a spiritual in D
    { "G C G D G C G D Em C G D G", 0 },
    { "C G Am F C G F C C G Am F", 0 },
    { "A D A E A D E A A D A E A", 0 },
    { "E A E B7 E A B7 E E A E B7", 0 },
    { "Am Dm Am E7 Am Dm E7 Am Am Dm Am E7 Am", 0 },
    { "Em C G D Em C G D Em C G D", 0 },
    { "C F C G7 C F G7 C C F C G7 C", 0 },
    { "G Em C D7 G Em C D7 G Em C D7 G", 0 },
    { "E B7 E A E B7 E E B7 E A E B7 E", 0 },
    { "Am G F E Am G F E Am G F E Am", 0 },
    { "D Em G A D Em G A D Em G A D", 0 },
    { "C Am Dm G C Am Dm G C Am Dm G7 C", 0 },
    { "G D C G G D C G G D C D G", 0 },
    { "E7 A7 E7 E7 A7 A7 E7 E7 B7 A7 E7 B7", 0 }, // a blues in E
    { "A7 D7 A7 A7 D7 D7 A7 A7 E7 D7 A7 E7", 0 }, // ... and in A
    { "Em Am Em B7 Em Am B7 Em Em Am Em B7 Em", 0 },
    { "G Cadd9 Dsus4 Em G Cadd9 Dsus4 Em G", 0 },
    { "Am C D F Am C E Am C D F Am E Am", 0 },
    { "D A D G D A D D G D A D A D", 0 },
    { "Bb Eb F Gm Bb Eb F Bb Bb Eb F Gm Bb", 3 }, // G C D Em
    { "Eb Ab Bb Eb Eb Ab Bb Eb Cm Ab Bb Eb", 3 }, // C F G Am: capo 1 would leave Bm a barre
    { "Ab Db Eb Ab Ab Db Eb Ab", 1 },             // G C D
    { "B E F# B B E F# B", 2 },                   // A D E
    { "Cm Fm G Cm Cm Fm G Cm", 3 },               // Am Dm E
};
// clang-format on

} // namespace

TEST(TeacherCapo, EverySongGetsTheCapoATeacherWouldChoose)
{
    for (const TeacherCapo& song : kSongs) {
        SCOPED_TRACE(song.song);
        const CapoSuggestion suggestion = SuggestCapo(Played(song.song), {});
        EXPECT_EQ(suggestion.capo, song.capo);
        // Whatever was chosen is chosen with its capo, and never asks more than no capo did.
        EXPECT_LE(suggestion.ease.Hard(), suggestion.withoutCapo.Hard());
        ProgressionOptions options;
        options.search.capo = suggestion.capo;
        EXPECT_EQ(suggestion.choice.total, ChooseProgression(Played(song.song), options).total);
    }
}

TEST(TeacherCapo, SaysWhatTheCapoTakesAway)
{
    const CapoSuggestion flat = SuggestCapo(Played("Bb Eb F Gm"), {});
    // The small F is an open shape; B flat, E flat and G minor are barre chords without a capo.
    EXPECT_EQ(flat.withoutCapo, (CapoEase { 0, 3, 0, 0 }));
    EXPECT_TRUE(flat.ease.AllOpen());

    const CapoSuggestion open = SuggestCapo(Played("D G A7 D7"), {});
    EXPECT_EQ(open.capo, 0);
    EXPECT_TRUE(open.withoutCapo.AllOpen());

    // A chord with no fingering counts as left out, not as hard, and does not stop the suggestion.
    const CapoSuggestion partial = SuggestCapo(Played("Bb Xm Eb F Gm"), {});
    EXPECT_EQ(partial.capo, 3);
    EXPECT_EQ(partial.ease.left, 1);
    EXPECT_EQ(partial.ease.Hard(), 0);
}

TEST(TeacherCapo, HowAFingeringFeels)
{
    struct Row {
        Voicing frets;
        bool barre, offChart, high;
    };
    const Row rows[] = {
        { { kMuted, 3, 2, 0, 1, 0 }, false, false, false }, // C
        { { kMuted, kMuted, 3, 2, 1, 1 }, false, false, false }, // the small F
        { { -1, 3, 3, 2, 1, 1 }, true, false, false }, // F, the E form at the first fret
        { { kMuted, -7, 9, 9, 8, 7 }, true, false, true }, // E, the A form at the seventh
        { { kMuted, 3, 0, 0, 3, kMuted }, false, true, false }, // on no chart
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(VoicingText(row.frets));
        const FingeringFeel felt = FeelOf(row.frets);
        EXPECT_EQ(felt.barre, row.barre);
        EXPECT_EQ(felt.offChart, row.offChart);
        EXPECT_EQ(felt.high, row.high);
    }
    EXPECT_EQ(ChartPlaceOf({ 0, 2, 2, 1, 0, 0 }), ChartPlace::Own);
    EXPECT_EQ(ChartPlaceOf({ -5, 7, 7, 6, 5, 5 }), ChartPlace::Moved);
}
