#pragma once
// The result list: promotion of one easy shape, the byte-wise order, and the sheet geometry that
// both the layout and the hit-testing use.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "guitar/voicing_search.h"

namespace corvane {

// Gives the first record (in the order found) whose voicing text, cut after 20 characters, occurs
// in the easy shapes the key 000000. Returns its index, or -1.
int PromoteEasyShape(std::vector<VoicingRecord>& records);

// Ascending byte-wise order of the record texts.
void SortRecords(std::vector<VoicingRecord>& records);

namespace sheet {
    constexpr int kCellWidth = 100;
    constexpr int kCellHeight = 130;

    // Whole cells across; a sheet narrower than one cell is laid out as one column.
    int Columns(int sheetWidth);
    // (count div columns) * 130 + 260.
    int Height(int count, int sheetWidth);
    struct Cell {
        int left;
        int top;
    };
    Cell CellOf(int index, int sheetWidth);
    // Index of the record under a click, or -1 when the click selects nothing.
    int HitTest(int x, int y, int sheetWidth, int count);
}

} // namespace corvane
