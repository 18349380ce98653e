// A fingering picked in the song window, on any instrument, as the {define} the song is saved with.
#include <gtest/gtest.h>

#include "guitar/fingering_text.h"
#include "song/chordpro_reader.h"
#include "song/chordpro_writer.h"

namespace corvane {
namespace {

    // A fingering picked on any instrument is written as a {define} the song reads back for it.
    TEST(PickedFingering, ReadsBackOnItsStrings)
    {
        struct Row {
            Frets frets;
            const char* define;
        };
        const Row rows[] = {
            { FretsOfVoicing({ -8, 10, 10, 9, 8, 8 }), "{define: C base-fret 8 frets 1 3 3 2 1 1 fingers" },
            { { 4, { 0, 0, 0, 3 } }, "{define: C base-fret 1 frets 0 0 0 3 fingers 0 0 0 1}" },
            { { 4, { -5, 5, 7, 8 } }, "{define: C base-fret 5 frets 1 1 3 4" },
            { { 7, { kMuted, kMuted, 3, 2, 0, 1, 0 } }, "{define: C base-fret 1 frets x x 3 2 0 1 0" },
        };
        for (const Row& row : rows) {
            const ChordDefinition definition = FingeringDefinition("C", row.frets);
            ShownSong shown = ShowSong(ReadChordPro("[C]la\n", row.frets.count));
            shown.definitions.push_back(definition);
            const std::string written = WriteChordPro(shown, std::vector<StringStripChord> {});
            EXPECT_NE(written.find(row.define), std::string::npos) << written;
            const Song back = ReadChordPro(written, row.frets.count);
            ASSERT_EQ(back.definitions.size(), 1u) << written;
            EXPECT_EQ(FingeringText(*back.definitions[0].AnyFrets()), FingeringText(row.frets)) << written;
        }
    }

} // namespace
} // namespace corvane
