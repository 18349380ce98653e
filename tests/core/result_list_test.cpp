#include <gtest/gtest.h>

#include "guitar/result_list.h"

using namespace corvane;

TEST(SplitOnBlanks, SlotsAndCount)
{
    std::array<std::string, 6> slots;
    EXPECT_EQ(SplitOnBlanks("99 3 2 0 1 0", slots), 6);
    EXPECT_EQ(slots[0], "99");
    EXPECT_EQ(slots[5], "0");
    EXPECT_EQ(SplitOnBlanks("1  2", slots), 3);
    EXPECT_EQ(slots[1], "");
    EXPECT_EQ(slots[2], "2");
    // More than six fields never writes past the sixth slot.
    EXPECT_EQ(SplitOnBlanks("1 2 3 4 5 6 7 8", slots), 8);
    EXPECT_EQ(slots[5], "6");
}

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
