#include "drawing/chord_diagram.h"

#include "drawing/recording_canvas.h"
#include "text_form.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

namespace corvane {
namespace {

    struct DiagramCase {
        const char* name;
        Voicing voicing;
        int top;
        int left;
        int mode;
        bool leftHanded;
        const char* expected;
    };

    // Cells at (0, 0) in normal mode unless the row says otherwise.
    const DiagramCase kDiagramCases[] = {
        { "WorkedExample", { -1, 3, 3, 2, 1, 1 }, 0, 0, kDiagramNormal, false,
            R"(picture omin1 21 91
picture omin2 32 91
picture omin2 43 91
picture omin2 54 91
picture omin2 65 91
picture omin2 76 91
picture braco 24 3
text 10 3 "1"
picture dedo6 18 11
picture dedo6 29 11
picture dedo6 40 11
picture dedo6 51 11
picture dedo6 62 11
picture dedo6 73 11
picture dedo2 54 27
picture dedo3 32 43
picture dedo4 43 43
)" },
        // Mirrored: string s in column 5 - s, the bass dot on the right, the barre drawn right to left;
        // also the selected grid and a cell away from the origin.
        { "MirroredSelectedInAnotherCell", { -1, 3, 3, 2, 1, 1 }, 130, 200, kDiagramSelected, true,
            R"(picture omin1 276 221
picture omin2 265 221
picture omin2 254 221
picture omin2 243 221
picture omin2 232 221
picture omin2 221 221
picture braco2 224 133
text 210 133 "1"
picture dedo6 273 141
picture dedo6 262 141
picture dedo6 251 141
picture dedo6 240 141
picture dedo6 229 141
picture dedo6 218 141
picture dedo2 243 157
picture dedo3 265 173
picture dedo4 254 173
)" },
        // The bar runs over a muted string and over higher frets, which keep their discs, and ends
        // before the open string.
        { "BarreCrossesMutedEndsBeforeOpen", { 0, -3, 99, 5, 4, 0 }, 0, 0, kDiagramNormal, false,
            R"(picture omin1 21 91
picture omin2 32 91
picture x 43 91
picture omin2 54 91
picture omin2 65 91
picture omin2 76 91
picture braco 24 3
text 10 3 "1"
picture dedo6 29 43
picture dedo6 40 43
picture dedo6 51 43
picture dedo6 62 43
picture dedo2 65 59
picture dedo3 54 75
)" },
        // The barre takes finger 1, so the fourth stopped string is the fifth finger and shows nothing.
        { "FifthFingerGetsNoDisc", { -2, 3, 4, 5, 5, 2 }, 0, 0, kDiagramNormal, false,
            R"(picture omin1 21 91
picture omin2 32 91
picture omin2 43 91
picture omin2 54 91
picture omin2 65 91
picture omin2 76 91
picture braco 24 3
text 10 3 "1"
picture dedo6 18 27
picture dedo6 29 27
picture dedo6 40 27
picture dedo6 51 27
picture dedo6 62 27
picture dedo6 73 27
picture dedo2 32 43
picture dedo3 43 59
picture dedo4 54 75
)" },
        { "NoStoppedString", { 99, 0, 0, 0, 99, 0 }, 0, 0, kDiagramNormal, false,
            R"(picture x 21 91
picture omin1 32 91
picture omin2 43 91
picture omin2 54 91
picture x 65 91
picture omin2 76 91
picture braco 24 3
text 10 3 "1"
)" },
        // Frets 7 to 10: the rows start at the lowest stopped fret.
        { "BaseFretSeven", { 8, 10, 10, 9, 99, 7 }, 0, 0, kDiagramNormal, false,
            R"(picture omin1 21 91
picture omin2 32 91
picture omin2 43 91
picture omin2 54 91
picture x 65 91
picture omin2 76 91
picture braco 24 3
text 10 3 "7"
picture dedo1 76 11
picture dedo2 21 27
picture dedo3 54 43
picture dedo4 32 59
)" },
        // A highest fret of 5 still starts at fret 1; 6 moves the rows.
        { "HighestFretSixShiftsRows", { 99, 99, 2, 4, 6, 5 }, 0, 0, kDiagramNormal, false,
            R"(picture x 21 91
picture x 32 91
picture omin1 43 91
picture omin2 54 91
picture omin2 65 91
picture omin2 76 91
picture braco 24 3
text 10 3 "2"
picture dedo1 43 11
picture dedo2 54 43
picture dedo3 76 59
picture dedo4 65 75
)" },
        // The second barre mark sits on a string the first bar already covered: nothing more is drawn.
        { "SecondBarreOnCoveredString", { -1, -1, 3, 2, 1, 1 }, 0, 0, kDiagramNormal, false,
            R"(picture omin1 21 91
picture omin2 32 91
picture omin2 43 91
picture omin2 54 91
picture omin2 65 91
picture omin2 76 91
picture braco 24 3
text 10 3 "1"
picture dedo6 18 11
picture dedo6 29 11
picture dedo6 40 11
picture dedo6 51 11
picture dedo6 62 11
picture dedo6 73 11
picture dedo2 54 27
picture dedo3 43 43
)" },
        // Values no search produces must not overflow (|INT_MIN|) or run away.
        { "MalformedValuesStayBounded", { INT_MIN, 1000, -200, 40, 41, 99 }, 0, 0, kDiagramNormal, false,
            R"(picture omin1 21 91
picture omin2 32 91
picture omin2 43 91
picture omin2 54 91
picture omin2 65 91
picture x 76 91
picture braco 24 3
text 10 3 "40"
picture dedo1 54 11
picture dedo2 65 27
)" },
    };

    // gtest would otherwise print the row as raw bytes.
    void PrintTo(const DiagramCase& row, std::ostream* out) { *out << row.name; }

    class ChordDiagram : public testing::TestWithParam<DiagramCase> { };

    TEST_P(ChordDiagram, DrawsExpectedCalls)
    {
        const DiagramCase& row = GetParam();
        RecordingCanvas canvas;
        DrawChordDiagram(canvas, row.voicing, row.top, row.left, row.mode, row.leftHanded);
        const std::string difference = test::FirstDifference(row.expected, canvas.text());
        EXPECT_TRUE(difference.empty()) << difference;
    }

    INSTANTIATE_TEST_SUITE_P(Cases, ChordDiagram, testing::ValuesIn(kDiagramCases),
        [](const testing::TestParamInfo<DiagramCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace corvane
