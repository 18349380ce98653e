#include "drawing/chord_diagram.h"
#include "drawing/diagram_facts.h"

#include "drawing/recording_canvas.h"
#include "guitar/instrument.h"
#include "text_form.h"

#include <gtest/gtest.h>

#include <random>

namespace corvane {
namespace {

    std::string Drawn(const Frets& frets, int mode = kDiagramNormal, bool leftHanded = false, int left = 0)
    {
        RecordingCanvas canvas;
        DrawStringsDiagram(canvas, frets, 0, left, mode, leftHanded);
        return canvas.text();
    }

    Frets Of(std::initializer_list<int> values)
    {
        Frets frets;
        for (int v : values)
            frets[frets.count++] = v;
        return frets;
    }

    // Six strings are the six-string diagram, pictures and all, in every mode and hand.
    TEST(StringsDiagram, SixStringsAreTheSixStringDiagram)
    {
        std::mt19937 rng(4);
        for (int i = 0; i < 2000; ++i) {
            Voicing v {};
            const int base = static_cast<int>(rng() % 12);
            for (int& value : v) {
                const int r = static_cast<int>(rng() % 8);
                value = r == 0 ? kMuted : r == 1 ? 0 : base + static_cast<int>(rng() % 4);
            }
            Voicing marked = v;
            Frets any = FretsOfVoicing(v);
            const bool left = i % 2 == 1;
            RecordingCanvas six;
            DrawChordDiagram(six, marked, 0, 100, i % 3 == 0 ? kDiagramSelected : kDiagramNormal, left);
            ASSERT_EQ(Drawn(any, i % 3 == 0 ? kDiagramSelected : kDiagramNormal, left, 100), six.text())
                << VoicingText(v);
        }
    }

    TEST(StringsDiagram, UkuleleC)
    {
        const std::string expected = R"(picture omin1 32 91
picture omin2 43 91
picture omin2 54 91
picture omin2 65 91
rect 35 3 34 83 #ffffff
rect 35 21 34 1 #4a4a4a
rect 35 37 34 1 #4a4a4a
rect 35 53 34 1 #4a4a4a
rect 35 69 34 1 #4a4a4a
rect 35 85 34 1 #4a4a4a
rect 35 3 1 83 #222222
rect 46 3 1 83 #222222
rect 57 3 1 83 #222222
rect 68 3 1 83 #222222
rect 35 3 34 3 #141414
text 21 3 "1"
picture dedo1 65 43
)";
        EXPECT_EQ(test::FirstDifference(expected, Drawn(Of({ 0, 0, 0, 3 }))), "");
    }

    // The bass mark goes under the string that sounds lowest, on both paths: four strings and six.
    TEST(StringsDiagram, BassMarkUnderTheLowestPitch)
    {
        const OpenStrings ukulele = MakeOpenStrings({ 67, 60, 64, 69 });
        const OpenStrings sixReEntrant = MakeOpenStrings({ 64, 40, 45, 50, 55, 59 });
        struct Row {
            Frets frets;
            OpenStrings strings;
            bool leftHanded;
            const char* marks;
        };
        const Row rows[] = {
            { Of({ 0, 0, 0, 3 }), ukulele, false, "omin2 32 omin1 43 omin2 54 omin2 65" },
            { Of({ 0, 0, 0, 3 }), ukulele, true, "omin2 65 omin1 54 omin2 43 omin2 32" },
            { Of({ 0, 0, 0, 3 }), {}, false, "omin1 32 omin2 43 omin2 54 omin2 65" },
            { Of({ 0, 0, 0, 0, 0, 0 }), sixReEntrant, false, "omin2 21 omin1 32 omin2 43 omin2 54 omin2 65 omin2 76" },
            { Of({ 99, 0, 0, 0, 0, 0 }), {}, false, "x 21 omin1 32 omin2 43 omin2 54 omin2 65 omin2 76" },
        };
        for (const Row& row : rows) {
            RecordingCanvas canvas;
            DrawStringsDiagram(canvas, row.frets, 0, 0, kDiagramNormal, row.leftHanded, row.strings);
            std::string marks;
            for (const auto& call : canvas.calls())
                if (!call.isRect && !call.isText && call.y == 91)
                    marks += (marks.empty() ? "" : " ") + std::string(InfoOf(call.picture).name) + " "
                        + std::to_string(call.x);
            EXPECT_EQ(marks, row.marks) << FretsText(row.frets) << row.leftHanded;
        }
    }

    TEST(StringsDiagram, MirroredSelectedAndWideNecks)
    {
        // Left-handed: the first string's mark on the right, the finger on the left; cream grid.
        const std::string mirrored = Drawn(Of({ 0, 0, 0, 3 }), kDiagramSelected, true);
        EXPECT_NE(mirrored.find("picture omin1 65 91"), std::string::npos) << mirrored;
        EXPECT_NE(mirrored.find("picture dedo1 32 43"), std::string::npos) << mirrored;
        EXPECT_NE(mirrored.find("rect 35 3 34 83 #fff1c2"), std::string::npos) << mirrored;
        // Seven and eight strings stay inside the 100-pixel cell, the barre across them all.
        for (const Frets& frets :
            { Of({ 99, -1, 3, 3, 2, 1, 1 }), Of({ 99, 99, -7, 9, 9, 8, 7, 7 }), Of({ -2, 4, 4, 3, 2, 2, 2, 2 }) }) {
            RecordingCanvas canvas;
            DrawStringsDiagram(canvas, frets, 0, 0, kDiagramNormal, false);
            int segments = 0;
            for (const auto& call : canvas.calls()) {
                const int width = call.isRect ? call.width : call.isText ? 7 : InfoOf(call.picture).width;
                EXPECT_GE(call.x, 0) << CallText(call);
                EXPECT_LE(call.x + width, 100) << CallText(call);
                segments += !call.isRect && !call.isText && call.picture == Picture::BarreSegment;
            }
            EXPECT_GE(segments, frets.count - 2) << FretsText(frets);
        }
    }

    TEST(StringsDiagram, Facts)
    {
        const StringsDiagramFacts c = ReadStringsDiagram(Of({ 0, 0, 0, 3 }));
        EXPECT_EQ(c.baseFret, 1);
        EXPECT_EQ(c.fingers, std::vector<int>({ 0, 0, 0, 1 }));
        EXPECT_TRUE(c.barres.empty());
        const StringsDiagramFacts f = ReadStringsDiagram(Of({ 99, -1, 3, 3, 2, 1, 1 }));
        EXPECT_EQ(f.fingers, std::vector<int>({ 0, 1, 3, 4, 2, 1, 1 }));
        ASSERT_EQ(f.barres.size(), 1u);
        EXPECT_EQ(f.barres[0].firstString, 1);
        EXPECT_EQ(f.barres[0].lastString, 6);
        // The six-string facts, for six strings.
        const DiagramFacts six = ReadDiagram(Voicing { -1, 3, 3, 2, 1, 1 });
        const StringsDiagramFacts any = ReadStringsDiagram(Of({ -1, 3, 3, 2, 1, 1 }));
        EXPECT_EQ(any.fingers, std::vector<int>(six.fingers.begin(), six.fingers.end()));
        EXPECT_EQ(any.baseFret, six.baseFret);
    }

} // namespace
} // namespace corvane
