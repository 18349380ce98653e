// The SVG documents: each picture defined once and used by reference, in the places the canvas
// was given; the diagram facts agree with what the diagram draws.

#include "drawing/chord_diagram.h"
#include "drawing/diagram_facts.h"
#include "drawing/recording_canvas.h"
#include "drawing/sheet_layout.h"
#include "drawing/svg_canvas.h"
#include "drawing/svg_sheet.h"
#include "guitar/refresh.h"
#include "theory/interval_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <tuple>

namespace corvane {
namespace {

    const Voicing kOpenC { 99, 3, 2, 0, 1, 0 };
    const Voicing kBarreF { -1, 3, 3, 2, 1, 1 };

    std::size_t Count(const std::string& text, const std::string& what)
    {
        std::size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    }

    std::vector<Voicing> Results(const char* intervals, int root, int bass)
    {
        RefreshInput input = ChordInput(intervals, root, bass);
        std::vector<Voicing> voicings;
        for (const VoicingRecord& record : ComputeRefresh(input).records)
            voicings.push_back(record.frets);
        return voicings;
    }

    TEST(PictureDefinitions, EveryPictureHasItsDrawingWithoutFrameOrComments)
    {
        for (const PictureInfo& info : kPictureTable) {
            SCOPED_TRACE(std::string(info.name));
            const std::string body = PictureDefinitionBody(info.picture);
            EXPECT_FALSE(body.empty());
            EXPECT_EQ(body.find("<svg"), std::string::npos);
            EXPECT_EQ(body.find("</svg"), std::string::npos);
            EXPECT_EQ(body.find("<!--"), std::string::npos);
            // Ids of a picture carry its name, so two pictures in one document never share one.
            const std::string mark = "id=\"";
            for (size_t at = body.find(mark); at != std::string::npos; at = body.find(mark, at + 1)) {
                const size_t start = at + mark.size();
                const std::string id = body.substr(start, body.find('"', start) - start);
                EXPECT_EQ(id.rfind(std::string(info.name) + "-", 0), 0u) << id;
            }
        }
    }

    // The SVG canvas makes one <use> per drawn picture, where the recording canvas saw it.
    TEST(SvgCanvas, UsesMatchTheRecordedCallsAndDefineEachPictureOnce)
    {
        const std::vector<Voicing> sheet = Results("00 04 07", 0, 0);
        ASSERT_EQ(sheet.size(), 165u);
        std::vector<Frets> diagrams;
        for (const Voicing& voicing : sheet)
            diagrams.push_back(FretsOfVoicing(voicing));
        std::ostringstream svg;
        WriteSvgSheet(svg, diagrams, {}, 6, false);
        // The guitar's own drawing of each fingering.
        RecordingCanvas recording;
        const SheetLayout layout(sheet.size(), 6, {});
        for (std::size_t i = 0; i < sheet.size(); ++i)
            DrawChordDiagram(recording, sheet[i], layout.cell(i).top, layout.cell(i).left, kDiagramNormal, false);

        std::string expected;
        for (const RecordingCanvas::Call& call : recording.calls()) {
            if (call.isText)
                continue;
            expected += "<use xlink:href=\"#" + std::string(InfoOf(call.picture).name) + "\" x=\""
                + std::to_string(call.x) + "\" y=\"" + std::to_string(call.y) + "\"/>\n";
        }
        std::string uses;
        std::istringstream lines(svg.str());
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("<use ", 0) == 0)
                uses += line + '\n';
        EXPECT_EQ(uses, expected);
        for (const PictureInfo& info : kPictureTable)
            EXPECT_LE(Count(svg.str(), "<g id=\"" + std::string(info.name) + "\">"), 1u) << info.name;
        EXPECT_EQ(Count(svg.str(), "<text "), sheet.size());
        EXPECT_EQ(svg.str().rfind("</svg>\n"), svg.str().size() - 7);
    }

    TEST(SvgSheet, HeadingIsEscapedAndSizesTheDocument)
    {
        std::ostringstream svg;
        const SheetHeading heading { "C<&>\"7'", SheetDetails("Drop D (D A D G B E)", 2) };
        WriteSvgSheet(svg, std::vector<Frets> { FretsOfVoicing(kOpenC), FretsOfVoicing(kBarreF) }, heading, 6, false);
        EXPECT_NE(svg.str().find(">C&lt;&amp;&gt;&quot;7&apos;</text>"), std::string::npos);
        EXPECT_NE(svg.str().find(">Drop D (D A D G B E), 2 diagrams</text>"), std::string::npos);
        EXPECT_NE(svg.str().find("width=\"600\" height=\"176\""), std::string::npos) << svg.str().substr(0, 300);
    }

    TEST(SheetLayout, CellsRowByRowBelowTheHeadingAndPagesInSheetOrder)
    {
        const SheetHeading heading { "F", "x" };
        const SheetLayout sheet(7, 3, heading);
        EXPECT_EQ(sheet.width(), 300);
        EXPECT_EQ(sheet.height(), 46 + 3 * 130);
        EXPECT_EQ(sheet.cell(4).left, 100);
        EXPECT_EQ(sheet.cell(4).top, 46 + 130);
        EXPECT_EQ(SheetLayout(0, 0, {}).height(), 0);
        // A long title widens a narrow sheet instead of running off it.
        EXPECT_GT(SheetLayout(1, 1, { "Gsus4/add13/C (no5)", "" }).width(), 100);

        const PageLayout pages(100, 680, 46 + 7 * 130 + 50, heading);
        EXPECT_EQ(pages.columns(), 6);
        EXPECT_EQ(pages.rowsPerPage(), 7);
        EXPECT_EQ(pages.pageCount(), 3u);
        EXPECT_EQ(pages.pageOf(41), 0u);
        EXPECT_EQ(pages.pageOf(42), 1u);
        EXPECT_EQ(pages.cell(43).left, 100);
        EXPECT_EQ(pages.cell(43).top, 46);
        EXPECT_EQ(PageLayout(0, 680, 900, heading).pageCount(), 1u);
        EXPECT_EQ(PageLayout(10, 680, 900, heading, 2).columns(), 2);
        EXPECT_EQ(PageLayout(10, 50, 50, heading).perPage(), 1u);
    }

    TEST(DiagramFacts, ExamplesOfBarresAndFingers)
    {
        const DiagramFacts c = ReadDiagram(kOpenC);
        EXPECT_EQ(c.baseFret, 1);
        EXPECT_EQ(c.fingers, (std::array<int, 6> { 0, 3, 2, 0, 1, 0 }));
        EXPECT_TRUE(c.barres.empty());

        const DiagramFacts f = ReadDiagram(kBarreF);
        EXPECT_EQ(f.fingers, (std::array<int, 6> { 1, 3, 4, 2, 1, 1 }));
        ASSERT_EQ(f.barres.size(), 1u);
        EXPECT_EQ(f.barres[0].fret, 1);
        EXPECT_EQ(f.barres[0].finger, 1);
        EXPECT_EQ(f.barres[0].firstString, 0);
        EXPECT_EQ(f.barres[0].lastString, 5);

        // The bar is drawn over the muted top string, but stops no string there.
        const DiagramFacts a = ReadDiagram({ 99, -3, 5, 5, 5, 99 });
        EXPECT_EQ(a.baseFret, 1);
        ASSERT_EQ(a.barres.size(), 1u);
        EXPECT_EQ(a.barres[0].lastString, 1);

        EXPECT_EQ(ReadDiagram({ 99, -7, 9, 9, 8, 7 }).baseFret, 7);
    }

    // Every finger number matches a disc the diagram draws on that string, or a barre segment in the
    // row of the string's fret; every disc drawn is counted.
    TEST(DiagramFacts, AgreeWithTheDrawingOnWholeResultSheets)
    {
        for (const auto& [intervals, root, bass] : { std::tuple { "00 04 07", 0, 0 }, std::tuple { "00 04 07", 5, 5 },
                 std::tuple { "00 04 07 10", 7, 11 }, std::tuple { "00 03 06 09", 1, 1 } }) {
            for (const Voicing& voicing : Results(intervals, root, bass)) {
                SCOPED_TRACE(VoicingText(voicing));
                RecordingCanvas canvas;
                DrawChordDiagram(canvas, voicing, 0, 0, kDiagramNormal, false);
                const DiagramFacts facts = ReadDiagram(voicing);
                std::array<int, 6> discs {};
                std::array<std::set<int>, 6> barreRows;
                for (const RecordingCanvas::Call& call : canvas.calls()) {
                    if (call.isText) {
                        EXPECT_EQ(call.text, std::to_string(facts.baseFret));
                        continue;
                    }
                    const int row = (call.y - 11) / 16;
                    if (call.picture >= Picture::Finger1 && call.picture <= Picture::Finger4)
                        discs[static_cast<size_t>((call.x - 21) / 11)]
                            = static_cast<int>(call.picture) - static_cast<int>(Picture::Finger1) + 1;
                    if (call.picture == Picture::BarreSegment)
                        barreRows[static_cast<size_t>((call.x - 18) / 11)].insert(row);
                }
                for (size_t s = 0; s < 6; ++s) {
                    if (discs[s] != 0) {
                        EXPECT_EQ(facts.fingers[s], discs[s]) << "string " << s;
                    } else if (facts.fingers[s] != 0) {
                        const int fret = std::abs(voicing[s]);
                        EXPECT_TRUE(barreRows[s].count(fret - facts.baseFret)) << "string " << s;
                    }
                }
            }
        }
    }

} // namespace
} // namespace corvane
