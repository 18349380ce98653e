#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "guitar/tuning.h"
#include "theory/catalogue.h"
#include "theory/interval_list.h"
#include "theory/notes.h"

using namespace corvane;

TEST(Catalogue, ExtensionCodesAreWellFormed)
{
    std::set<std::string_view> captions;
    int full = 0;
    for (const auto& item : kExtensions) {
        EXPECT_TRUE(captions.insert(item.caption).second) << "duplicate caption " << item.caption;
        switch (KindOfCode(item.code)) {
        case CodeKind::Full:
            ++full;
            EXPECT_TRUE(IsIntervalList(item.code)) << item.caption;
            break;
        case CodeKind::Add:
            ASSERT_EQ(item.code.size(), 3u) << item.caption;
            EXPECT_EQ(item.code[0], ' ') << item.caption;
            break;
        case CodeKind::Fifth:
        case CodeKind::Third:
            EXPECT_EQ(item.code.size(), 3u) << item.caption;
            EXPECT_TRUE(IsIntervalList("00 " + std::string(item.code.substr(1)))) << item.caption;
            break;
        }
    }
    EXPECT_EQ(full, 5); // "", "m", "dim", "º", "5"
    EXPECT_EQ(kExtensions[4].caption, "º");
}

TEST(Catalogue, ChordTypesAreWellFormed)
{
    for (const auto& type : kChordTypes) {
        EXPECT_TRUE(IsIntervalList(type.intervals)) << type.name;
        EXPECT_LE(IntervalCount(type.intervals), 5) << type.name;
    }
    EXPECT_EQ(kChordTypes[0].name, " ");
    EXPECT_EQ(FindChordType(""), 0);
    EXPECT_EQ(FindChordType("m7/9"), 34);
    EXPECT_FALSE(FindChordType("m"));
}

TEST(Tuning, PresetsAndNoteTable)
{
    for (const auto& preset : kTuningPresets)
        for (size_t s = 0; s < 6; ++s)
            EXPECT_EQ(PitchClassOfName(preset.labels[s]), preset.pitchClasses[s])
                << preset.menuCaption << " string " << s;

    const StringNotes standard = RebuildStringNotes(kStandardTuning);
    EXPECT_EQ(standard[0][0], 40);
    EXPECT_EQ(standard[5][0], 64);
    EXPECT_EQ(standard[2][29], 79);

    const StringNotes drop = RebuildStringNotes(Tuning { 2, 9, 2, 7, 11, 4 }); // drop D
    const int expected[] = { 38, 45, 50, 55, 59, 64 };
    for (size_t s = 0; s < 6; ++s)
        EXPECT_EQ(drop[s][0], expected[s]);
}

TEST(Tuning, OpenStringSoundsThePitchNearestItsStandardPitch)
{
    // Reference: of all MIDI notes of the pitch class, the one closest to the standard pitch, the
    // lower one on a tie (a tritone away, the string is tuned down rather than up).
    for (int s = 0; s < 6; ++s) {
        const int standard = kStandardOpenNotes[static_cast<size_t>(s)];
        for (int pc = 0; pc < 12; ++pc) {
            int nearest = -1;
            for (int note = 0; note < 128; ++note)
                if (note % 12 == pc && (nearest < 0 || std::abs(note - standard) < std::abs(nearest - standard)))
                    nearest = note;
            Tuning tuning = kStandardTuning;
            tuning[static_cast<size_t>(s)] = pc;
            const StringNotes notes = RebuildStringNotes(tuning);
            EXPECT_EQ(notes[static_cast<size_t>(s)][0], nearest) << "string " << s << " pitch class " << pc;
            EXPECT_EQ(notes[static_cast<size_t>(s)][kNeckFrets - 1], nearest + kNeckFrets - 1);
        }
    }
}

TEST(Tuning, PresetsSoundTheirListedOpenStringsExceptTheWrappedBString)
{
    // The open-string notes as listed with the presets; the B string of three presets was held in
    // an octave band that started at C3 and sounded almost an octave low. It now sounds above.
    const std::array<std::array<int, 6>, 12> listed { {
        { 40, 45, 50, 55, 59, 64 },
        { 40, 47, 52, 56, 59, 64 },
        { 40, 45, 52, 57, 49, 64 },
        { 40, 45, 50, 54, 59, 64 },
        { 40, 45, 50, 55, 48, 65 },
        { 38, 43, 48, 55, 48, 62 },
        { 38, 45, 50, 54, 57, 62 },
        { 38, 45, 50, 55, 59, 64 },
        { 38, 43, 50, 55, 59, 62 },
        { 36, 43, 48, 55, 57, 64 },
        { 43, 46, 50, 55, 58, 62 },
        { 38, 45, 50, 55, 57, 62 },
    } };
    const std::set<std::pair<std::string_view, int>> raisedAnOctave {
        { "Open A", 4 },
        { "Blues Tunning", 4 },
        { "Rain Song", 4 },
    };
    for (size_t tag = 0; tag < kTuningPresets.size(); ++tag) {
        const TuningPreset& preset = kTuningPresets[tag];
        const StringNotes notes = RebuildStringNotes(preset.pitchClasses);
        for (int s = 0; s < 6; ++s) {
            const int shift = raisedAnOctave.contains({ preset.menuCaption, s }) ? 12 : 0;
            EXPECT_EQ(notes[static_cast<size_t>(s)][0], listed[tag][static_cast<size_t>(s)] + shift)
                << preset.menuCaption << " string " << s;
        }
    }
}
