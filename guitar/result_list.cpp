#include "guitar/result_list.h"

#include <algorithm>

#include "guitar/easy_shapes.h"

namespace corvane {

int SplitOnBlanks(std::string_view text, std::array<std::string, 6>& slots)
{
    for (auto& slot : slots)
        slot.clear();
    int begun = 1;
    for (char c : text) {
        if (c == ' ') {
            ++begun;
        } else if (begun <= static_cast<int>(slots.size())) {
            slots[static_cast<size_t>(begun - 1)] += c;
        }
    }
    return begun;
}

int PromoteEasyShape(std::vector<VoicingRecord>& records)
{
    for (size_t i = 0; i < records.size(); ++i) {
        const std::string_view shape = records[i].VoicingPart().substr(0, 20);
        if (kEasyShapes.find(shape) != std::string_view::npos) {
            records[i].key = 0;
            records[i].FormatText();
            return static_cast<int>(i);
        }
    }
    return -1;
}

void SortRecords(std::vector<VoicingRecord>& records) { std::sort(records.begin(), records.end()); }

namespace sheet {
    int Columns(int sheetWidth) { return std::max(1, sheetWidth / kCellWidth); }

    int Height(int count, int sheetWidth) { return count / Columns(sheetWidth) * kCellHeight + 2 * kCellHeight; }

    Cell CellOf(int index, int sheetWidth)
    {
        const int columns = Columns(sheetWidth);
        return { index % columns * kCellWidth, index / columns * kCellHeight };
    }

    int HitTest(int x, int y, int sheetWidth, int count)
    {
        const int columns = Columns(sheetWidth);
        if (x > columns * kCellWidth - 5 || x < 0 || y < 0)
            return -1;
        const long long index = x / kCellWidth + static_cast<long long>(columns) * (y / kCellHeight);
        return index < count ? static_cast<int>(index) : -1;
    }
}

} // namespace corvane
