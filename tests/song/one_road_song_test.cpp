// The six-string guitar's songs through the entry points every instrument shares: the strip, the
// saved file, the sheet, the SVG and the capo advice are the ones its own song code gives.
#include <gtest/gtest.h>

#include "guitar/fingering_text.h"
#include "guitar/instrument.h"
#include "song/chordpro_reader.h"
#include "song/chordpro_writer.h"
#include "song/song_fingerings.h"
#include "song/song_sheet.h"
#include "song/song_svg.h"

#include <filesystem>
#include <sstream>

namespace corvane {
namespace {

    const std::string kSongs = CORVANE_SONGS_DIR;

    std::string Svg(const SongSheetContent& sheet)
    {
        std::ostringstream out;
        WriteSongSvg(sheet, out);
        return out.str();
    }

    TEST(OneRoadSong, TheGuitarsSongsAreItsOwnInEveryTuning)
    {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(kSongs))
            if (entry.path().extension() == ".cho")
                files.push_back(entry.path());
        ASSERT_GE(files.size(), 10u);
        for (int preset : { 0, 7 }) {
            ProgressionOptions options;
            options.search.tuning = kTuningPresets[static_cast<size_t>(preset)].pitchClasses;
            const StringSet guitar = StringSetOf(SixStringGuitar(), GuitarOpenStrings(options.search.tuning));
            for (const auto& file : files) {
                SCOPED_TRACE(file.filename().string() + ", preset " + std::to_string(preset));
                const SongReading reading = ReadSongFile(file.string());
                ASSERT_TRUE(reading.Read());
                for (int transpose : { 0, 3 }) {
                    const ShownSong shown = ShowSong(reading.song, SongSettings { transpose, 2 });
                    const std::vector<StripChord> own = ChooseSongFingerings(shown, options.search);
                    const std::vector<StringStripChord> shared
                        = ChooseInstrumentSongFingerings(shown, guitar, options.search);
                    ASSERT_EQ(shared.size(), own.size());
                    for (size_t k = 0; k < own.size(); ++k) {
                        EXPECT_EQ(shared[k].name, own[k].name);
                        EXPECT_EQ(shared[k].defined, own[k].defined);
                        EXPECT_EQ(shared[k].problem, own[k].problem);
                        EXPECT_EQ(
                            shared[k].frets, own[k].frets ? std::optional(FretsOfVoicing(*own[k].frets)) : std::nullopt)
                            << own[k].name;
                    }
                    EXPECT_EQ(WriteChordPro(shown, shared), WriteChordPro(shown, own));
                    const SongSheetContent sheet = SongSheetOf(shown, shared, BassMarkStrings(guitar));
                    std::ostringstream ownSvg;
                    WriteSongSvg(shown, own, ownSvg);
                    EXPECT_EQ(Svg(sheet), ownSvg.str());
                }
                const CapoAdvice own = AdviseSongCapo(reading.song, 1, options);
                const CapoAdvice shared = AdviseInstrumentSongCapo(reading.song, 1, guitar, options);
                EXPECT_EQ(shared.capo, own.capo);
                EXPECT_EQ(shared.reason, own.reason);
            }
        }
    }

    // A fingering picked on any instrument is written as a {define} the song reads back for it.
    TEST(OneRoadSong, APickedFingeringReadsBackOnItsStrings)
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
