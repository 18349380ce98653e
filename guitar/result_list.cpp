// The result list's order, the easy shape's promotion and the sheet geometry.
#include "guitar/result_list.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unordered_set>

#include "guitar/easy_shapes.h"

namespace corvane {

namespace {
    constexpr size_t kShapeTextLength = 20;

    // The voicing text, written into a fixed buffer; returns its length.
    size_t WriteVoicingText(const Voicing& v, std::array<char, 32>& out)
    {
        size_t n = 0;
        for (int value : v) {
            if (value < 0) {
                out[n++] = '-';
                value = -value;
            }
            if (value >= 10)
                out[n++] = static_cast<char>('0' + value / 10 % 10);
            out[n++] = static_cast<char>('0' + value % 10);
            out[n++] = ' ';
        }
        return n;
    }

    // Every piece of the easy-shape text a record could be compared with, and every pair of
    // neighbouring characters in it: a text with a pair not in the shapes is no piece of them.
    struct EasyShapeIndex {
        std::unordered_set<std::string_view> pieces;
        std::bitset<65536> pairs;

        EasyShapeIndex()
        {
            for (size_t at = 0; at < kEasyShapes.size(); ++at) {
                for (size_t length = 1; length <= kShapeTextLength && at + length <= kEasyShapes.size(); ++length)
                    pieces.insert(kEasyShapes.substr(at, length));
                if (at + 1 < kEasyShapes.size())
                    pairs.set(PairIndex(kEasyShapes[at], kEasyShapes[at + 1]));
            }
        }

        static size_t PairIndex(char a, char b)
        {
            return static_cast<size_t>(static_cast<unsigned char>(a)) << 8 | static_cast<unsigned char>(b);
        }

        bool Contains(std::string_view text) const
        {
            for (size_t i = 0; i + 1 < text.size(); ++i)
                if (!pairs.test(PairIndex(text[i], text[i + 1])))
                    return false;
            return pieces.contains(text);
        }
    };

    // Voicing texts are blank-terminated values, and a blank sorts below every other character, so
    // comparing two texts byte-wise compares their values one by one, each as text ("-3" < "10" < "3").
    // Ranking every value's text once turns a record's place into one integer: the key, then six ranks.
    constexpr int kLowestValue = -27;
    constexpr int kHighestValue = 99;

    struct ValueRanks {
        std::array<std::uint8_t, kHighestValue - kLowestValue + 1> rank {};
        std::array<int, kHighestValue - kLowestValue + 1> valueOfRank {};

        ValueRanks()
        {
            std::vector<std::pair<std::string, int>> texts;
            for (int v = kLowestValue; v <= kHighestValue; ++v)
                texts.emplace_back(std::to_string(v), v);
            std::sort(texts.begin(), texts.end());
            for (size_t i = 0; i < texts.size(); ++i) {
                rank[static_cast<size_t>(texts[i].second - kLowestValue)] = static_cast<std::uint8_t>(i);
                valueOfRank[i] = texts[i].second;
            }
        }
    };

    std::uint64_t OrderOf(const VoicingRecord& record, const ValueRanks& ranks)
    {
        std::uint64_t order = static_cast<std::uint32_t>(record.key);
        for (int value : record.frets)
            order = order << 7
                | ranks.rank[static_cast<size_t>(std::clamp(value, kLowestValue, kHighestValue) - kLowestValue)];
        return order;
    }
}

namespace {
    // A quick way out before the text decides: every two neighbouring values of a record that lie
    // within its first 20 characters must stand as such a pair somewhere in the shapes.
    struct EasyShapePairs {
        static constexpr int kLowest = -27;
        static constexpr int kCount = kMuted - kLowest + 1;
        std::vector<bool> allowed = std::vector<bool>(kCount * kCount);

        EasyShapePairs()
        {
            for (int a = kLowest; a <= kMuted; ++a)
                for (int b = kLowest; b <= kMuted; ++b)
                    allowed[Index(a, b)]
                        = kEasyShapes.find(std::to_string(a) + " " + std::to_string(b) + " ") != std::string_view::npos;
        }

        static size_t TextLength(int v) { return (v < 0 ? 1u : 0u) + (v >= 10 || v <= -10 ? 2u : 1u); }

        static size_t Index(int a, int b) { return static_cast<size_t>((a - kLowest) * kCount + (b - kLowest)); }

        bool MayBeEasyShape(const Voicing& v) const
        {
            size_t length = 0;
            for (size_t s = 0; s + 1 < v.size(); ++s) {
                const int a = v[s];
                const int b = v[s + 1];
                if (a < kLowest || a > kMuted || b < kLowest || b > kMuted)
                    return true;
                length += TextLength(a) + 1;
                if (length + TextLength(b) + 1 > kShapeTextLength)
                    return true;
                if (!allowed[Index(a, b)])
                    return false;
            }
            return true;
        }
    };
}

int PromoteEasyShape(std::vector<VoicingRecord>& records)
{
    static const EasyShapeIndex index;
    static const EasyShapePairs pairs;
    std::array<char, 32> text;
    for (size_t i = 0; i < records.size(); ++i) {
        if (!pairs.MayBeEasyShape(records[i].frets))
            continue;
        const size_t length = std::min(WriteVoicingText(records[i].frets, text), kShapeTextLength);
        if (index.Contains({ text.data(), length })) {
            records[i].key = 0;
            return static_cast<int>(i);
        }
    }
    return -1;
}

void SortRecords(std::vector<VoicingRecord>& records)
{
    // The order key holds the whole record, so the sorted keys are turned back into records.
    static const ValueRanks ranks;
    std::vector<std::uint64_t> order(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        order[i] = OrderOf(records[i], ranks);
    std::sort(order.begin(), order.end());
    for (size_t i = 0; i < records.size(); ++i) {
        std::uint64_t packed = order[i];
        for (size_t s = kStrings; s-- > 0;) {
            records[i].frets[s] = ranks.valueOfRank[packed & 0x7F];
            packed >>= 7;
        }
        records[i].key = static_cast<int>(packed);
    }
}

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
