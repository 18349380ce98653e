#include <gtest/gtest.h>

#include <algorithm>

#include "guitar/identify.h"
#include "guitar/refresh.h"
#include "theory/interval_list.h"

using namespace corvane;

namespace {

RefreshResult Refresh(const std::string& intervals, int root, int bass, SearchOptions options = {})
{
    const RefreshInput input = ChordInput(intervals, root, bass, options);
    return ComputeRefresh(input);
}

Identification IdentifyText(const std::string& frets, int capo = 0)
{
    const PlayedFretsReading reading = ReadPlayedFrets(frets);
    EXPECT_TRUE(reading.fingering) << reading.error;
    return Identify(reading.fingering.value_or(kAllMuted), kStandardTuning, capo, GridNames(Spelling::Sharp));
}

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

// The first shape the search offers for each open chord, named back.
TEST(Identify, OpenChordsFromTheSearch)
{
    struct Row {
        const char* chord;
        int root;
        int bass;
        const char* firstShape;
        const char* firstName;
    };
    const Row rows[] = {
        { "C", 0, 0, "99 3 2 0 1 0 ", "C" },
        { "G", 7, 7, "3 2 0 0 3 3 ", "Bm/5+/G" },
        { "F", 5, 5, "-1 3 3 2 1 1 ", "Am/5+/F" },
        { "C/E", 0, 4, "99 99 2 0 1 0 ", "C/E" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.chord);
        const RefreshResult found = Refresh("00 04 07", row.root, row.bass);
        ASSERT_FALSE(found.records.empty());
        EXPECT_EQ(found.records.front().VoicingPart(), row.firstShape);
        const Identification id
            = Identify(FingeringOfVoicing(found.records.front().frets), kStandardTuning, 0, GridNames(Spelling::Sharp));
        ASSERT_FALSE(id.names.empty()) << id.noName;
        EXPECT_EQ(id.names.front(), row.firstName);
        EXPECT_NE(id.names.front().find(row.chord), std::string::npos);
        EXPECT_TRUE(Contains(id.names, row.chord));
        EXPECT_EQ(id.bass, row.bass);
    }
}

// Whenever a fingering sounds exactly the chord's notes over its root, naming it must give the names
// list of that chord: the same naming, reached from the frets instead of the chord.
TEST(Identify, AgreesWithTheNamesListOfEveryFullFingering)
{
    struct Row {
        const char* intervals;
        int root;
    };
    for (const Row& row : { Row { "00 04 07", 0 }, Row { "00 04 07 10", 7 }, Row { "00 03 07", 9 },
             Row { "00 03 06 09", 2 }, Row { "00 04 07 11 02", 5 } }) {
        SCOPED_TRACE(std::string(row.intervals) + " on " + std::to_string(row.root));
        const RefreshResult found = Refresh(row.intervals, row.root, row.root);
        unsigned chordSet = 0;
        for (int tone : found.chordTones)
            chordSet |= 1u << tone;
        int compared = 0;
        for (const VoicingRecord& record : found.records) {
            const Identification id
                = Identify(FingeringOfVoicing(record.frets), kStandardTuning, 0, GridNames(Spelling::Sharp));
            unsigned heard = 0;
            for (int pc : id.notes)
                heard |= 1u << pc;
            if (heard != chordSet)
                continue;
            ++compared;
            ASSERT_EQ(id.names, found.names) << record.Text();
        }
        EXPECT_GT(compared, 0);
    }
}

TEST(Identify, NotesBassAndTonesFollowTheStrings)
{
    const Identification id = IdentifyText("x 3 2 0 1 0");
    EXPECT_EQ(id.notes, (std::vector<int> { 0, 4, 7, 0, 4 }));
    EXPECT_EQ(id.midiNotes, (std::vector<int> { 48, 52, 55, 60, 64 }));
    EXPECT_EQ(id.bass, 0);
    EXPECT_EQ(id.chordTones, (std::vector<int> { 0, 4, 7 }));

    // With the capo on 2 the same hand sounds D major, and is named so.
    const Identification d = IdentifyText("x 3 2 0 1 0", 2);
    EXPECT_EQ(d.midiNotes, (std::vector<int> { 50, 54, 57, 62, 66 }));
    EXPECT_EQ(d.names, Refresh("00 04 07", 2, 2).names);

    // A bass that is not the root leads the chord tones; the slash reading names it.
    const Identification overE = IdentifyText("0 3 2 0 1 0");
    EXPECT_EQ(overE.chordTones, (std::vector<int> { 4, 0, 7 }));
    EXPECT_TRUE(Contains(overE.names, "C/E"));
}

TEST(Identify, FewerThanTwoDifferentNotesHaveNoName)
{
    struct Row {
        const char* name;
        const char* frets;
        size_t notes;
    };
    const Row rows[] = {
        { "all muted", "x x x x x x", 0 },
        { "one string", "x x x x x 0", 1 },
        { "one pitch class in three octaves", "0 x 2 x x 0", 3 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Identification id = IdentifyText(row.frets);
        EXPECT_TRUE(id.error.empty());
        EXPECT_TRUE(id.names.empty());
        EXPECT_FALSE(id.noName.empty());
        EXPECT_EQ(id.notes.size(), row.notes);
        EXPECT_EQ(id.bass.has_value(), row.notes > 0);
    }
    // Two different notes are enough for a name.
    EXPECT_FALSE(IdentifyText("x x x x 1 0").names.empty());
}

TEST(Identify, OutOfRangeInputIsReportedNotNamed)
{
    const std::array<std::string, 12> names = GridNames(Spelling::Sharp);
    EXPECT_NE(Identify({ -1, 3, 2, 0, 1, 25 }, kStandardTuning, 0, names).error, "");
    EXPECT_NE(Identify({ -2, 3, 2, 0, 1, 0 }, kStandardTuning, 0, names).error, "");
    EXPECT_NE(Identify({ 99, 3, 2, 0, 1, 0 }, kStandardTuning, 0, names).error, "");
    EXPECT_NE(Identify({ -1, 3, 2, 0, 1, 0 }, kStandardTuning, 12, names).error, "");
    EXPECT_NE(Identify({ -1, 3, 2, 0, 1, 0 }, kStandardTuning, -1, names).error, "");
    EXPECT_EQ(Identify({ -1, 24, 2, 0, 1, 0 }, kStandardTuning, 11, names).error, "");
}

TEST(ReadPlayedFrets, AcceptedAndRefusedTexts)
{
    EXPECT_EQ(ReadPlayedFrets("x 3 2 0 1 0").fingering, (Fingering { -1, 3, 2, 0, 1, 0 }));
    EXPECT_EQ(ReadPlayedFrets(" X,3, 2,0 1 -1 ").fingering, (Fingering { -1, 3, 2, 0, 1, -1 }));
    EXPECT_EQ(ReadPlayedFrets("24 0 0 0 0 0").fingering, (Fingering { 24, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(ReadPlayedFrets("x02210").fingering, (Fingering { -1, 0, 2, 2, 1, 0 }));
    EXPECT_EQ(ReadPlayedFrets(" X32010 ").fingering, (Fingering { -1, 3, 2, 0, 1, 0 }));

    struct Row {
        const char* text;
        const char* named; // the error must quote this
    };
    const Row bad[] = {
        { "x 3 2 0 1", "x 3 2 0 1" },
        { "x 3 2 0 1 0 0", "x 3 2 0 1 0 0" },
        { "", "\"\"" },
        { "x 3 2 0 1 25", "\"25\"" },
        { "x 3 2 0 1 -2", "\"-2\"" },
        { "x 3 2 a 1 0", "\"a\"" },
        { "x 3 2 0 1 99", "\"99\"" },
        { "x 3 2 0 1 1e", "\"1e\"" },
        { "x0221", "x0221" },
        { "x022100", "x022100" },
        { "x0221a", "\"x0221a\"" },
        { "x 3 2 0 1 0\n", "\"0\\x0a\"" },
    };
    for (const Row& row : bad) {
        SCOPED_TRACE(row.text);
        const PlayedFretsReading reading = ReadPlayedFrets(row.text);
        EXPECT_FALSE(reading.fingering);
        EXPECT_NE(reading.error.find(row.named), std::string::npos) << reading.error;
        EXPECT_EQ(reading.error.find('\n'), std::string::npos);
    }
}
