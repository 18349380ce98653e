// The capo suggested for a song, said in a teacher's words.

#include <gtest/gtest.h>

#include <filesystem>

#include "song/capo_reason.h"
#include "song/chordpro_reader.h"
#include "song/song_fingerings.h"

namespace corvane {
namespace {

    TEST(CapoReason, SaysWhatTheCapoTakesAway)
    {
        struct Row {
            int capo;
            CapoEase ease, withoutCapo;
            std::vector<std::string> shapes;
            const char* said;
        };
        const Row rows[] = {
            { 0, {}, {}, { "D", "G", "A7" }, "No capo: every chord is an open shape" },
            { 0, { 1, 0, 0, 0 }, { 1, 0, 0, 0 }, { "D" }, "No capo: every chord with a fingering is an open shape" },
            { 0, { 0, 1, 0, 0 }, { 0, 1, 0, 0 }, { "F#m" }, "No capo: no capo makes the 1 barre chord easier" },
            { 3, {}, { 0, 3, 0, 0 }, { "G", "C", "D", "Em" }, "Capo 3: G C D Em shapes instead of 3 barre chords" },
            { 2, { 0, 1, 0, 0 }, { 0, 2, 1, 1 }, { "A", "D", "Bm" },
                "Capo 2: A D Bm shapes instead of 2 barre chords, 1 shape off the charts and 1 chord high on the "
                "neck, still 1 barre chord" },
        };
        for (const Row& row : rows)
            EXPECT_EQ(CapoReason(row.capo, row.ease, row.withoutCapo, row.shapes), row.said);
        EXPECT_EQ(HardChordsText({ 0, 1, 2, 0 }), "1 barre chord and 2 shapes off the charts");
    }

    TEST(CapoReason, ShapesAreNamedFromTheCapo)
    {
        EXPECT_EQ(ShapeNames({ "Bb", "Eb", "F", "Gm", "Bb" }, 3), (std::vector<std::string> { "G", "C", "D", "Em" }));
        EXPECT_EQ(ShapeNames({ "Eb", "Ab", "Bb7", "Cm" }, 1), (std::vector<std::string> { "D", "G", "A7", "Bm" }));
        EXPECT_TRUE(ShapeNames({}, 2).empty());
    }

    // The test songs written on open shapes keep no capo, and say so.
    TEST(CapoAdvice, SongsOfOpenShapesKeepNoCapo)
    {
        for (const char* name : { "amazing_grace.cho", "drunken_sailor.cho", "oh_susanna.cho", "red_river.cho",
                 "rising_sun.cho", "scarborough_fair.cho", "swing_low.cho" }) {
            SCOPED_TRACE(name);
            const SongReading read = ReadSongFile((std::filesystem::path(CORVANE_SONGS_DIR) / name).string());
            ASSERT_TRUE(read.Read());
            const CapoAdvice advice = AdviseInstrumentSongCapo(read.song, 0, GuitarStrings());
            EXPECT_EQ(advice.capo, 0);
            EXPECT_EQ(advice.reason, "No capo: every chord is an open shape");
        }
        // Without chords there is nothing to make easier.
        EXPECT_EQ(AdviseInstrumentSongCapo(ReadChordPro("just words\n"), 0, GuitarStrings()).capo, 0);
    }

} // namespace
} // namespace corvane
