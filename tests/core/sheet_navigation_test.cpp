// Moving the current cell with the keyboard, checked against the cells' rows and columns.

#include "guitar/sheet_navigation.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane::sheet {
namespace {

    constexpr Step kSteps[]
        = { Step::Left, Step::Right, Step::Up, Step::Down, Step::PageUp, Step::PageDown, Step::First, Step::Last };

    TEST(SheetNavigation, StepsOnASheetWithAShortLastRow)
    {
        // 11 cells, 4 across, 2 rows to a page:  0  1  2  3 /  4  5  6  7 /  8  9 10
        struct Row {
            const char* name;
            int current;
            Step step;
            int expected;
        };
        const Row rows[] = {
            { "left runs back into the row above", 4, Step::Left, 3 },
            { "left stops at the first cell", 0, Step::Left, 0 },
            { "right runs on into the next row", 3, Step::Right, 4 },
            { "right stops at the last cell", 10, Step::Right, 10 },
            { "up keeps the column", 6, Step::Up, 2 },
            { "up stops in the first row", 2, Step::Up, 2 },
            { "down keeps the column", 2, Step::Down, 6 },
            { "down into the short row's gap reaches its last cell", 7, Step::Down, 10 },
            { "down stops in the last row", 9, Step::Down, 9 },
            { "a page down is rows in view times columns", 1, Step::PageDown, 9 },
            { "a page down past the end keeps the column in the last row", 5, Step::PageDown, 9 },
            { "a page down past the end of a short column takes the last cell", 7, Step::PageDown, 10 },
            { "a page up past the start keeps the column in the first row", 6, Step::PageUp, 2 },
            { "a page up", 9, Step::PageUp, 1 },
            { "home", 7, Step::First, 0 },
            { "end", 1, Step::Last, 10 },
            { "a current cell off the sheet counts as the first", 42, Step::Right, 1 },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(StepCell(row.current, row.step, 11, 4, 2), row.expected);
        }
    }

    TEST(SheetNavigation, EveryStepStaysOnTheSheetAndUpUndoesDown)
    {
        for (int count = 0; count <= 13; ++count) {
            for (int columns = 0; columns <= 5; ++columns) {
                for (int current = -1; current <= count; ++current) {
                    for (const Step step : kSteps) {
                        SCOPED_TRACE("count " + std::to_string(count) + ", columns " + std::to_string(columns)
                            + ", current " + std::to_string(current) + ", step "
                            + std::to_string(static_cast<int>(step)));
                        const int next = StepCell(current, step, count, columns, 0);
                        if (count == 0) {
                            EXPECT_EQ(next, -1);
                            continue;
                        }
                        ASSERT_GE(next, 0);
                        ASSERT_LT(next, count);
                        const int across = columns < 1 ? 1 : columns;
                        const bool fullStepDown = current >= 0 && current + across < count;
                        if (step == Step::Down && fullStepDown) {
                            EXPECT_EQ(StepCell(next, Step::Up, count, columns, 0), current);
                        }
                        // The column is kept, but for a page down that ends on a short last row.
                        const bool keepsColumn
                            = step == Step::Up || step == Step::PageUp || (step == Step::PageDown && next != count - 1);
                        if (keepsColumn && current >= 0 && current < count) {
                            EXPECT_EQ(next % across, current % across);
                        }
                    }
                }
            }
        }
    }

} // namespace
} // namespace corvane::sheet
