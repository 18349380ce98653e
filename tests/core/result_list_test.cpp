#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "guitar/easy_shapes.h"
#include "guitar/refresh.h"
#include "guitar/result_list.h"
#include "guitar/tuning.h"

using namespace corvane;

TEST(SheetGeometry, ColumnsHeightAndCells)
{
    EXPECT_EQ(sheet::Columns(650), 6);
    EXPECT_EQ(sheet::Height(7, 650), 390);
    EXPECT_EQ(sheet::Height(6, 650), 390);
    EXPECT_EQ(sheet::Height(0, 650), 260);
    EXPECT_EQ(sheet::CellOf(5, 650).left, 500);
    EXPECT_EQ(sheet::CellOf(6, 650).left, 0);
    EXPECT_EQ(sheet::CellOf(6, 650).top, 130);
}

TEST(SheetGeometry, NarrowSheetIsOneColumn)
{
    EXPECT_EQ(sheet::Columns(0), 1);
    EXPECT_EQ(sheet::Columns(99), 1);
    EXPECT_EQ(sheet::Height(3, 40), 3 * 130 + 260);
    EXPECT_EQ(sheet::CellOf(2, 40).top, 260);
    EXPECT_EQ(sheet::HitTest(10, 140, 40, 3), 1);
}

TEST(SheetGeometry, HitTestEdges)
{
    // 6 columns: x = 595 still selects, 596 does not.
    EXPECT_EQ(sheet::HitTest(595, 10, 650, 20), 5);
    EXPECT_EQ(sheet::HitTest(596, 10, 650, 20), -1);
    EXPECT_EQ(sheet::HitTest(10, 130, 650, 20), 6);
    EXPECT_EQ(sheet::HitTest(10, 10, 650, 0), -1) << "empty sheet";
    EXPECT_EQ(sheet::HitTest(100, 130 * 3, 650, 19), -1) << "below the last diagram";
    EXPECT_EQ(sheet::HitTest(0, 130 * 3, 650, 19), 18);
    EXPECT_EQ(sheet::HitTest(10, -5, 650, 20), -1);
    EXPECT_EQ(sheet::HitTest(10, 2000000000, 650, 20), -1);
}

TEST(Promotion, FirstFoundMatchWinsAndOrderIsByteWise)
{
    auto record = [](int key, Voicing v) {
        VoicingRecord r;
        r.key = key;
        r.frets = v;
        return r;
    };
    std::vector<VoicingRecord> records {
        record(112015, { 99, 3, 2, 0, 5, 0 }),
        record(113013, { -1, 3, 3, 2, 1, 1 }),
        record(112013, { 99, 0, 2, 2, 1, 0 }),
    };
    EXPECT_EQ(PromoteEasyShape(records), 1);
    EXPECT_EQ(records[1].Text(), "000000 -1 3 3 2 1 1 ");
    SortRecords(records);
    EXPECT_EQ(records[0].key, 0);
    EXPECT_EQ(records[1].Text(), "112013 99 0 2 2 1 0 ");

    std::vector<VoicingRecord> sameKey { record(112015, { 99, 3, 2, 0, 5, 0 }), record(112015, { 99, -3, 5, 5, 5, 3 }),
        record(112015, { 99, 10, 2, 0, 5, 0 }) };
    SortRecords(sameKey);
    EXPECT_EQ(sameKey[0].VoicingPart(), "99 -3 5 5 5 3 ") << "minus sorts before digits";
    EXPECT_EQ(sameKey[1].VoicingPart(), "99 10 2 0 5 0 ") << "10 before 3";
}

namespace {
// The easy-shape screen as first written: the first record whose voicing text, cut after 20
// characters, stands anywhere in the shape text.
int NaiveEasyShape(const std::vector<VoicingRecord>& records)
{
    for (size_t i = 0; i < records.size(); ++i)
        if (kEasyShapes.find(VoicingText(records[i].frets).substr(0, 20)) != std::string_view::npos)
            return static_cast<int>(i);
    return -1;
}

void ExpectSameAsNaive(std::vector<VoicingRecord> records, int& promotedCount)
{
    const int expected = NaiveEasyShape(records);
    const std::vector<VoicingRecord> before = records;
    ASSERT_EQ(PromoteEasyShape(records), expected);
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].frets, before[i].frets);
        EXPECT_EQ(records[i].key, static_cast<int>(i) == expected ? 0 : before[i].key);
    }
    promotedCount += expected >= 0 ? 1 : 0;
}
}

TEST(PromoteEasyShape, AgreesWithAPlainSubstringSearch)
{
    std::mt19937 random(10);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    int promoted = 0;

    // The search's own results: random chords over every tuning preset and random tunings.
    for (int round = 0; round < 400; ++round) {
        SelectionState s = StartupSelection();
        const int row = pick(0, kChordTypeCount - 1);
        s.chordIntervals = std::string(kChordTypes[static_cast<size_t>(row)].intervals);
        s.rootIndex = pick(0, 11);
        s.bassIndex = pick(0, 3) == 0 ? pick(0, 11) : s.rootIndex;
        SearchOptions options;
        if (round % 2 == 0) {
            options.tuning = kTuningPresets[static_cast<size_t>(round / 2 % 12)].pitchClasses;
        } else {
            for (int& string : options.tuning)
                string = pick(0, 11);
        }
        options.fretLimit = 6 * pick(1, 4);
        options.span = pick(2, 5);
        ChordToSearch chord;
        const RefreshInput input = FromSelection(s, options);
        chord.chordTones = input.chordTones;
        chord.rootIndex = input.rootIndex;
        chord.bassIndex = input.bassIndex;
        SCOPED_TRACE(s.chordIntervals + " root " + std::to_string(s.rootIndex));
        ExpectSameAsNaive(SearchVoicings(chord, options).records, promoted);
    }

    // Made-up fingerings near the shapes: each is a shape with one or two values changed, so that
    // texts longer than 20 characters, two-digit and negative frets reach the screen.
    std::vector<Voicing> shapes;
    for (size_t at = 0; at < kEasyShapes.size();) {
        const size_t end = kEasyShapes.find(',', at);
        std::istringstream piece { std::string(kEasyShapes.substr(at, end - at)) };
        Voicing v {};
        for (int& fret : v)
            piece >> fret;
        if (piece)
            shapes.push_back(v);
        at = end == std::string_view::npos ? kEasyShapes.size() : end + 1;
    }
    ASSERT_GT(shapes.size(), 30u);
    const int values[] = { 0, 1, 2, 3, 4, 5, 6, 9, 10, 12, 27, -1, -2, -3, -10, -27, kMuted };
    for (int round = 0; round < 3000; ++round) {
        std::vector<VoicingRecord> records(static_cast<size_t>(pick(1, 4)));
        for (VoicingRecord& record : records) {
            record.key = 112013;
            record.frets = shapes[static_cast<size_t>(pick(0, static_cast<int>(shapes.size()) - 1))];
            for (int change = pick(0, 2); change > 0; --change)
                record.frets[static_cast<size_t>(pick(0, kStrings - 1))]
                    = values[pick(0, static_cast<int>(std::size(values)) - 1)];
        }
        ExpectSameAsNaive(records, promoted);
    }
    EXPECT_GT(promoted, 500) << "the comparison should see many promotions, not only misses";
}
