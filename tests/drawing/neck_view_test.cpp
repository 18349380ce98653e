#include "drawing/neck_view.h"

#include "drawing/recording_canvas.h"
#include "text_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

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

    TEST(NeckCapo, BarBehindItsWireAndFingersCountedFromIt)
    {
        RecordingCanvas canvas;
        DrawNeck(canvas, { 99, 3, 2, 0, 1, 0 }, NeckPicture::Classic, 2);
        // The C shape with the capo on 2: the open strings stay on the nut, the fingers move up two.
        const std::string expected = R"(picture neck-classic 0 0
picture capo 97 0
picture d0 0 28
picture d0 0 0
picture d1 124 14
picture d2 161 42
picture d3 196 56
)";
        const std::string difference = test::FirstDifference(expected, canvas.text());
        EXPECT_TRUE(difference.empty()) << difference;
    }

    // Every finger lands at fret f + k, or on the last fret when the picture ends before it; the capo
    // bar stands in the space of its own fret, clear of the wire.
    TEST(NeckCapo, FingersNeverPastTheLastDrawnFret)
    {
        for (int capo = 1; capo <= kMaxCapo; ++capo) {
            const int barLeft = NeckCapoLeft(capo);
            EXPECT_GT(barLeft, capo == 1 ? kNeckNutWidth : kNeckWireX[static_cast<size_t>(capo - 2)]);
            EXPECT_LE(barLeft + InfoOf(Picture::Capo).width, kNeckWireX[static_cast<size_t>(capo - 1)]);
            for (int fret = 1; fret <= 27; ++fret) {
                SCOPED_TRACE("capo " + std::to_string(capo) + ", fret " + std::to_string(fret));
                RecordingCanvas canvas;
                DrawNeck(canvas, { 99, 99, fret, 99, 99, 99 }, NeckPicture::Classic, capo);
                ASSERT_EQ(canvas.calls().size(), 3u);
                const RecordingCanvas::Call& mark = canvas.calls()[2];
                EXPECT_EQ(mark.x, NeckMarkLeft(std::min(fret + capo, kNeckLastFret)));
                EXPECT_LE(mark.x + InfoOf(Picture::NeckFinger1).width, kNeckWidth);
            }
        }
    }

    // A click on a finger mark the neck drew finds that finger's string and fret again, with any capo.
    TEST(NeckHitTest, MarksDrawnAreFoundWhereTheyAreDrawn)
    {
        for (int capo = 0; capo <= kMaxCapo; ++capo) {
            for (int s = 0; s < kStrings; ++s) {
                for (int fret = 1; fret + capo <= kNeckLastFret; ++fret) {
                    SCOPED_TRACE("capo " + std::to_string(capo) + ", string " + std::to_string(s) + ", fret "
                        + std::to_string(fret));
                    Voicing voicing { 99, 99, 99, 99, 99, 99 };
                    voicing[static_cast<size_t>(s)] = fret;
                    RecordingCanvas canvas;
                    DrawNeck(canvas, voicing, NeckPicture::Classic, capo);
                    const RecordingCanvas::Call& mark = canvas.calls().back();
                    for (auto [dx, dy] : { std::pair { 1, 1 }, std::pair { 6, 6 }, std::pair { 12, 11 } }) {
                        const auto spot = NeckSpotAt(mark.x + dx, mark.y + dy, capo);
                        ASSERT_TRUE(spot);
                        EXPECT_EQ(*spot, (NeckSpot { s, fret }));
                    }
                }
            }
        }
    }

    TEST(NeckHitTest, NutCapoAndOutside)
    {
        struct Row {
            const char* name;
            int x, y, capo;
            std::optional<NeckSpot> spot;
        };
        const Row rows[] = {
            { "nut, top row", 0, 0, 0, NeckSpot { 5, kAtNut } },
            { "nut, bottom edge", 9, 84, 0, NeckSpot { 0, kAtNut } },
            { "open mark of string 3", 6, NeckMarkTop(3) + 6, 0, NeckSpot { 3, kAtNut } },
            { "first fret space", 10, 48, 0, NeckSpot { 2, 1 } },
            { "on wire 1", 59, 48, 0, NeckSpot { 2, 2 } },
            { "behind the capo counts as the nut", 60, 48, 3, NeckSpot { 2, kAtNut } },
            { "on the capo bar", NeckCapoLeft(3) + 2, 48, 3, NeckSpot { 2, kAtNut } },
            { "first space past the capo", kNeckWireX[2] + 1, 48, 3, NeckSpot { 2, 1 } },
            { "left of the picture", -1, 48, 0, std::nullopt },
            { "below the picture", 100, kNeckHeight, 0, std::nullopt },
            { "past the last wire", kNeckWireX.back(), 48, 0, NeckSpot { 2, kNeckLastFret } },
            { "right of the picture", kNeckWidth, 48, 0, std::nullopt },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(NeckSpotAt(row.x, row.y, row.capo), row.spot);
        }
    }

    // The keyboard's spots and the mouse's agree: the spots' areas tile the picture, each point of the
    // picture lying in the area of the spot a click there finds, with every capo.
    TEST(NeckHitTest, SpotAreasTileThePictureAsTheClicksReadIt)
    {
        for (int capo = 0; capo <= kMaxCapo; ++capo) {
            SCOPED_TRACE("capo " + std::to_string(capo));
            long long area = 0;
            for (int s = 0; s < kStrings; ++s) {
                for (int fret = kAtNut; fret + capo <= kNeckLastFret; ++fret) {
                    const NeckRect rect = NeckSpotRect({ s, fret }, capo);
                    ASSERT_GT(rect.width, 0);
                    area += static_cast<long long>(rect.width) * rect.height;
                }
            }
            EXPECT_EQ(area, static_cast<long long>(kNeckWidth) * kNeckHeight);
            for (int y = 0; y < kNeckHeight; ++y) {
                for (int x = 0; x < kNeckWidth; ++x) {
                    const std::optional<NeckSpot> spot = NeckSpotAt(x, y, capo);
                    ASSERT_TRUE(spot);
                    const NeckRect rect = NeckSpotRect(*spot, capo);
                    ASSERT_TRUE(x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height)
                        << "(" << x << ", " << y << ") found string " << spot->string << " fret " << spot->fret;
                }
            }
        }
    }

    TEST(NeckKeyboard, StepsStopAtTheEdgesAndTheCapo)
    {
        struct Row {
            const char* name;
            NeckSpot from;
            NeckStep step;
            int capo;
            NeckSpot to;
        };
        const Row rows[] = {
            { "along the string", { 2, 3 }, NeckStep::TowardBody, 0, { 2, 4 } },
            { "back to the nut", { 2, 1 }, NeckStep::TowardNut, 0, { 2, kAtNut } },
            { "no further than the nut", { 2, kAtNut }, NeckStep::TowardNut, 0, { 2, kAtNut } },
            { "no further than the last fret", { 2, 24 }, NeckStep::TowardBody, 0, { 2, 24 } },
            { "the capo shortens the neck", { 2, 20 }, NeckStep::LastFret, 5, { 2, 19 } },
            { "a new capo pulls the spot in", { 2, 24 }, NeckStep::TowardNut, 11, { 2, 12 } },
            { "up is the string drawn above", { 2, 3 }, NeckStep::StringAbove, 0, { 3, 3 } },
            { "no string above the first", { 5, 3 }, NeckStep::StringAbove, 0, { 5, 3 } },
            { "no string below the sixth", { 0, 3 }, NeckStep::StringBelow, 0, { 0, 3 } },
            { "home is the nut", { 4, 9 }, NeckStep::Nut, 2, { 4, kAtNut } },
            { "top and bottom strings", { 2, 9 }, NeckStep::TopString, 0, { 5, 9 } },
            { "", { 2, 9 }, NeckStep::BottomString, 0, { 0, 9 } },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(StepNeckSpot(row.from, row.step, row.capo), row.to);
        }
    }

    TEST(NeckHitTest, ClicksToggleOneFingerPerString)
    {
        struct Row {
            const char* name;
            Fingering before;
            NeckSpot spot;
            Fingering after;
        };
        const Row rows[] = {
            { "finger on an open string", { -1, 3, 2, 0, 1, 0 }, { 3, 2 }, { -1, 3, 2, 2, 1, 0 } },
            { "finger moves along its string", { -1, 3, 2, 0, 1, 0 }, { 1, 5 }, { -1, 5, 2, 0, 1, 0 } },
            { "same place takes it off", { -1, 3, 2, 0, 1, 0 }, { 1, 3 }, { -1, 0, 2, 0, 1, 0 } },
            { "finger on a muted string", { -1, 3, 2, 0, 1, 0 }, { 0, 3 }, { 3, 3, 2, 0, 1, 0 } },
            { "nut mutes an open string", { -1, 3, 2, 0, 1, 0 }, { 5, kAtNut }, { -1, 3, 2, 0, 1, -1 } },
            { "nut opens a muted string", { -1, 3, 2, 0, 1, 0 }, { 0, kAtNut }, { 0, 3, 2, 0, 1, 0 } },
            { "nut mutes a stopped string", { -1, 3, 2, 0, 1, 0 }, { 2, kAtNut }, { -1, 3, -1, 0, 1, 0 } },
            { "no such string", { -1, 3, 2, 0, 1, 0 }, { 6, 1 }, { -1, 3, 2, 0, 1, 0 } },
            { "no such fret", { -1, 3, 2, 0, 1, 0 }, { 2, 25 }, { -1, 3, 2, 0, 1, 0 } },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(ToggleAt(row.before, row.spot), row.after);
        }
    }

} // namespace
} // namespace corvane
