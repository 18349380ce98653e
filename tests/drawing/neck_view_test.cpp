#include "drawing/neck_view.h"

#include "drawing/recording_canvas.h"
#include "text_form.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

namespace corvane {
namespace {

    struct NeckCase {
        const char* name;
        Voicing voicing;
        NeckPicture background;
        const char* expected;
    };

    const NeckCase kNeckCases[] = {
        { "BarreAtFirstFret", { -1, 3, 3, 2, 1, 1 }, NeckPicture::Classic,
            R"(picture neck-classic 0 0
picture d1 40 70
picture d1 40 56
picture d1 40 42
picture d1 40 28
picture d1 40 14
picture d1 40 0
picture d2 83 28
picture d3 124 56
picture d4 124 42
)" },
        // The second barre stops at string 4, already consumed at fret 1.
        { "SecondBarreStopsAtConsumedString", { -1, -3, 3, 3, 1, 3 }, NeckPicture::Classic,
            R"(picture neck-classic 0 0
picture d1 40 70
picture d1 40 56
picture d1 40 42
picture d1 40 28
picture d1 40 14
picture d1 40 0
picture d2 124 56
picture d2 124 42
picture d2 124 28
picture d3 124 0
)" },
        { "OpenAndMutedOnly", { 99, 0, 0, 0, 99, 0 }, NeckPicture::Electric,
            R"(picture neck-electric 0 0
picture d0 0 56
picture d0 0 42
picture d0 0 28
picture d0 0 0
)" },
        // Muted strings and higher frets under the bar get its mark; the higher ones again later.
        { "BarreCrossesMutedString", { -5, 99, 7, 7, 5, 5 }, NeckPicture::Electric,
            R"(picture neck-electric 0 0
picture d1 196 70
picture d1 196 56
picture d1 196 42
picture d1 196 28
picture d1 196 14
picture d1 196 0
picture d2 260 42
picture d3 260 28
)" },
        { "FifthFingerDrawsNothing", { 1, 2, 3, 4, 4, 99 }, NeckPicture::Classic,
            R"(picture neck-classic 0 0
picture d1 40 70
picture d2 83 56
picture d3 124 42
picture d4 161 28
)" },
        // Frets 26 and 27 have no place of their own: they share fret 25's, at the right edge.
        { "FretsPastTheTable", { 99, 99, 0, 24, 26, 27 }, NeckPicture::Brown,
            R"(picture neck-brown 0 0
picture d0 0 42
picture d1 608 28
picture d2 618 14
picture d3 618 0
)" },
        { "MalformedValuesStayBounded", { INT_MIN, 1000, -200, 98, 100, 99 }, NeckPicture::Classic,
            R"(picture neck-classic 0 0
picture d1 618 28
)" },
    };

    // gtest would otherwise print the row as raw bytes.
    void PrintTo(const NeckCase& row, std::ostream* out) { *out << row.name; }

    class NeckView : public testing::TestWithParam<NeckCase> { };

    TEST_P(NeckView, DrawsExpectedCalls)
    {
        const NeckCase& row = GetParam();
        RecordingCanvas canvas;
        DrawNeck(canvas, row.voicing, row.background);
        const std::string difference = test::FirstDifference(row.expected, canvas.text());
        EXPECT_TRUE(difference.empty()) << difference;
    }

    INSTANTIATE_TEST_SUITE_P(Cases, NeckView, testing::ValuesIn(kNeckCases),
        [](const testing::TestParamInfo<NeckCase>& info) { return std::string(info.param.name); });

    TEST(NeckGeometry, EveryFretMarkSitsInItsOwnFretSpace)
    {
        for (int fret = 1; fret <= static_cast<int>(kNeckWireX.size()); ++fret) {
            SCOPED_TRACE("fret " + std::to_string(fret));
            const int spaceStart = fret == 1 ? kNeckNutWidth : kNeckWireX[fret - 2];
            EXPECT_LT(spaceStart, kNeckFretX[fret]);
            EXPECT_LT(kNeckFretX[fret], kNeckWireX[fret - 1]);
        }
        EXPECT_GT(kNeckFretX.back(), kNeckWireX.back());
        EXPECT_LT(kNeckWireX.back(), kNeckWidth);
    }

    TEST(NeckGeometry, MarkRowsCentreOnTheStrings)
    {
        // A 12-pixel mark spans its top edge + 0..11; the string must lie in its middle rows.
        for (int s = 0; s < kStrings; ++s) {
            SCOPED_TRACE("string " + std::to_string(s));
            EXPECT_GE(kNeckStringY[s], NeckMarkTop(s) + 5);
            EXPECT_LE(kNeckStringY[s], NeckMarkTop(s) + 7);
        }
    }

} // namespace
} // namespace corvane
