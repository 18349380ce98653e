// The six-string guitar's easy shapes and chord-chart shapes.
#include "guitar/easy_shapes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace corvane {

// clang-format off
const std::string_view kEasyShapes =
    "99 6 5 -3 4 3 , 3 2 0 0 3 3 , 0 2 2 1 0 0 , -1 3 3 2 1 1 , -2 4 4 3 2 2 ,  0 2 2 0 0 0 , -1 3 3 1 1 1 , "
    "-2 4 4 2 2 2 ,  -3 5 5 3 3 3 ,  -4 6 6 4 4 4 , 99 0 2 2 1 0 , "
    "-4 6 6 5 4 4 , 99 -6 8 8 9 6 , 0 2 2 2 0 0 , 99 -4 6 6 7 4 , 99 -3 5 5 6 3 , -1 3 3 3 1 99 , "
    "-2 4 4 4 2 99 , -4 6 6 6 4 4 , 99 3 2 0 3 3 , 0 2 0 1 0 0 , -1 3 1 2 1 1 , 3 2 0 0 0 1 , "
    "-4 6 4 5 4 4 , 99 -3 5 3 4 3 , 99 -4 6 4 5 4 , 0 2 0 0 0 0 , -1 3 1 1 1 1 , -3 5 3 3 3 99 , "
    "-4 6 4 4 4 4 , 99 -2 4 2 3 2 , 99 -3 5 5 4 3 , 99 -4 6 6 5 4 , 99 -6 8 8 7 6 , 99 3 0 3 4 3 ";
// clang-format on

namespace {

    // A fingering up to where it sits: its lowest sounding fret, and its frets counted from there.
    struct Outline {
        std::uint32_t code = 0; // five bits per string: 0 muted, 1 + fret above the lowest
        int lowest = 0;
    };

    Outline OutlineOf(const std::array<int, kStrings>& frets)
    {
        Outline outline;
        outline.lowest = kMuted;
        for (int value : frets)
            if (value != kMuted)
                outline.lowest = std::min(outline.lowest, std::abs(value));
        for (size_t s = 0; s < kStrings; ++s) {
            const std::uint32_t digit = frets[s] == kMuted
                ? 0
                : static_cast<std::uint32_t>(std::min(std::abs(frets[s]) - outline.lowest, 30) + 1);
            outline.code |= digit << (5 * s);
        }
        return outline;
    }

    struct Known {
        std::uint32_t code;
        int lowest;
        bool movable;
        bool operator<(const Known& other) const { return code < other.code; }
    };

    std::vector<Known> BuildChart()
    {
        std::vector<Known> known;
        for (const ChartShape& shape : kChartShapes) {
            std::array<int, kStrings> frets {};
            for (size_t s = 0; s < kStrings; ++s)
                frets[s] = shape.frets[s] == 'x' ? kMuted : shape.frets[s] - '0';
            const Outline outline = OutlineOf(frets);
            known.push_back({ outline.code, outline.lowest, shape.movable });
        }
        std::sort(known.begin(), known.end());
        return known;
    }

} // namespace

bool IsChartShape(const Voicing& v) { return ChartPlaceOf(v) != ChartPlace::Off; }

ChartPlace ChartPlaceOf(const Voicing& v)
{
    static const std::vector<Known> chart = BuildChart();
    const Outline outline = OutlineOf(v);
    if (outline.lowest == kMuted)
        return ChartPlace::Off;
    const auto [from, to] = std::equal_range(chart.begin(), chart.end(), Known { outline.code, 0, false });
    if (std::any_of(from, to, [&](const Known& k) { return outline.lowest == k.lowest; }))
        return ChartPlace::Own;
    if (std::any_of(from, to, [&](const Known& k) { return k.movable && outline.lowest > k.lowest; }))
        return ChartPlace::Moved;
    return ChartPlace::Off;
}

} // namespace corvane
