#include <gtest/gtest.h>

#include <set>

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

    const int openA = *FindPresetByCaption("Open A");
    EXPECT_EQ(RebuildStringNotes(kTuningPresets[static_cast<size_t>(openA)].pitchClasses)[4][0], 49);
    const int dropD = *FindPresetByCaption("drop d");
    const StringNotes drop = RebuildStringNotes(kTuningPresets[static_cast<size_t>(dropD)].pitchClasses);
    const int expected[] = { 38, 45, 50, 55, 59, 64 };
    for (size_t s = 0; s < 6; ++s)
        EXPECT_EQ(drop[s][0], expected[s]);
    EXPECT_FALSE(FindPresetByCaption("Drop C"));
}
