#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "guitar/instrument.h"
#include "guitar/instrument_identify.h"
#include "guitar/open_strings.h"
#include "theory/notes.h"

using namespace corvane;

namespace {

const OpenStrings& Tuned(std::string_view instrument, size_t tuning = 0)
{
    return FindInstrument(instrument)->tunings[tuning].strings;
}

Frets Read(const char* text)
{
    const std::optional<Frets> frets = ReadFretsText(text);
    EXPECT_TRUE(frets) << text;
    return frets.value_or(Frets {});
}

// Every pitch worked out by hand from the open notes (C4 = 60).
TEST(LowestSoundingString, ReEntrantTuningsMarkTheLowestPitch)
{
    struct Row {
        const char* frets;
        const OpenStrings& strings;
        int bass;
    };
    const OpenStrings& ukulele = Tuned("ukulele"); // G4 C4 E4 A4
    const OpenStrings& lowG = Tuned("ukulele", 1); // G3 C4 E4 A4
    const OpenStrings& dTuning = Tuned("ukulele", 2); // A4 D4 F#4 B4
    const Row rows[] = {
        { "0 0 0 3", ukulele, 1 }, // C: G4 C4 E4 C5
        { "2 0 0 0", ukulele, 1 }, // Am: A4 C4 E4 A4
        { "0 2 3 2", ukulele, 1 }, // G: G4 D4 G4 B4, the D below the open G
        { "2 0 1 0", ukulele, 1 }, // F: A4 C4 F4 A4
        { "2 2 2 0", ukulele, 1 }, // A: A4 D4 F#4 A4
        { "3 2 1 1", ukulele, 1 }, // Bb: A#4 D4 F4 A#4
        { "x x 0 0", ukulele, 2 }, // E4 A4
        { "0 x 0 0", ukulele, 2 }, // G4 E4 A4: the E string below the G
        { "0 7 x x", ukulele, 0 }, // G4 G4: a tie goes to the string first as held
        { "4 4 0 2", ukulele, 1 }, // B4 E4 E4 B4: the tie of two E4 to the C string
        { "0 9 8 7", ukulele, 0 }, // G4 A4 C5 E5: high on the C string, the G is lowest
        { "-2 2 2 2", ukulele, 1 }, // a barre's mark is its fret: A4 D4 F#4 B4
        { "x x x x", ukulele, -1 }, { "0 0 0 3", lowG, 0 }, // G3 C4 E4 C5
        { "0 2 3 2", lowG, 0 }, // G3 D4 G4 B4
        { "0 0 0 0", dTuning, 1 }, // A4 D4 F#4 B4
        // Without the open notes of these strings: the first string sounding.
        { "0 0 0 3", OpenStrings {}, 0 }, { "x 0 0 3", OpenStrings {}, 1 },
        { "0 0 0 3", Tuned("guitar"), 0 }, // six notes for four frets: none of them is these strings'
    };
    for (const Row& row : rows)
        EXPECT_EQ(LowestSoundingString(Read(row.frets), row.strings), row.bass) << row.frets;
    // A diagram draws -99 as a muted string, so it never marks one as the bass.
    EXPECT_EQ(LowestSoundingString(Frets { 4, { -99, 0, 0, 3 } }, ukulele), 1);
}

// The strings of every built-in tuning whose open notes rise from the first string to the last.
std::vector<OpenStrings> RisingTunings()
{
    std::vector<OpenStrings> rising;
    for (const Instrument& instrument : Instruments())
        for (const InstrumentTuning& tuning : instrument.tunings) {
            const std::span<const int> notes = tuning.strings.Notes();
            if (std::is_sorted(notes.begin(), notes.end(), std::less_equal<int>()))
                rising.push_back(tuning.strings);
        }
    return rising;
}

// On a tuning that rises string by string, a hand whose sounding frets (open ones counted as fret 0)
// lie within the narrowest step between neighbouring strings sounds its lowest pitch on its first
// sounding string: the diagrams of the mandolin, baritone ukulele, tenor guitar, 7-string guitar and
// low-G ukulele mark the bass where they always did. Beyond that span a higher string can sound lower.
TEST(LowestSoundingString, RisingTuningsMarkTheFirstSoundingStringWithinAStep)
{
    const std::vector<OpenStrings> rising = RisingTunings();
    ASSERT_GE(rising.size(), 15u); // most guitar presets, 7 strings, low G, baritone, tenor, mandolin
    std::mt19937 random(22);
    int checked = 0;
    for (const OpenStrings& strings : rising) {
        int step = 12;
        for (int s = 1; s < strings.count; ++s)
            step = std::min(step, strings[s] - strings[s - 1]);
        for (int i = 0; i < 3000; ++i) {
            Frets frets;
            frets.count = strings.count;
            // Muted, open, or stopped within `step` frets from a fret 1 to 12.
            const int low = 1 + static_cast<int>(random() % 12);
            for (int s = 0; s < frets.count; ++s) {
                const int r = static_cast<int>(random() % static_cast<unsigned>(step + 3));
                frets[s] = r == 0 ? kMuted : r == 1 ? 0 : low + r - 2;
            }
            int first = -1;
            for (int s = 0; s < frets.count && first < 0; ++s)
                if (frets[s] != kMuted)
                    first = s;
            int top = 0;
            int bottom = 100;
            for (int value : frets)
                if (value != kMuted) {
                    top = std::max(top, value);
                    bottom = std::min(bottom, value);
                }
            if (first >= 0 && top - bottom > step)
                continue;
            ++checked;
            ASSERT_EQ(LowestSoundingString(frets, strings), first) << FretsText(frets) << OpenStringsText(strings);
        }
    }
    EXPECT_GE(checked, 10000);
}

// The string a diagram marks sounds the bass `identify` names, on every four-string tuning and every
// hand of the first seven frets, with and without a capo.
TEST(LowestSoundingString, MarksTheBassIdentifyNames)
{
    const auto names = GridNames(Spelling::Sharp);
    for (const Instrument& instrument : Instruments()) {
        if (instrument.Strings() != 4)
            continue;
        for (const InstrumentTuning& tuning : instrument.tunings) {
            const OpenStrings& strings = tuning.strings;
            for (int code = 0; code < 9 * 9 * 9 * 9; ++code) {
                StringFingering fingering;
                Frets frets;
                frets.count = 4;
                for (int s = 0, rest = code; s < 4; ++s, rest /= 9) {
                    fingering.push_back(rest % 9 - 1);
                    frets[s] = rest % 9 == 0 ? kMuted : rest % 9 - 1;
                }
                const int capo = code % 3;
                const Identification id = IdentifyOnStrings(fingering, strings, capo, instrument.frets, names);
                const int bass = LowestSoundingString(frets, strings);
                ASSERT_EQ(bass < 0, !id.bass.has_value()) << FretsText(frets);
                if (bass >= 0) {
                    ASSERT_EQ((strings[bass] + capo + frets[bass]) % 12, *id.bass)
                        << FretsText(frets) << OpenStringsText(strings);
                }
            }
        }
    }
}

} // namespace
