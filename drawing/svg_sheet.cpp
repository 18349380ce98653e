// Chord and song sheets written as SVG documents.
#include "drawing/svg_sheet.h"

#include "drawing/chord_diagram.h"
#include "drawing/svg_canvas.h"

namespace corvane {

namespace {

    // A song sheet when `named`: a line above each diagram for its name.
    void WriteSheet(std::ostream& out, std::span<const Frets> diagrams, bool named, std::span<const std::string> names,
        const SheetHeading& heading, int columns, bool leftHanded, const OpenStrings& strings)
    {
        using namespace export_sheet;
        const SheetLayout layout(diagrams.size(), columns, heading, named);
        BeginSvgDocument(out, layout.width(), layout.height());
        SvgCanvas canvas(out);
        if (!heading.title.empty())
            canvas.drawSizedText(kMargin, kTitleTop, heading.title, kTitlePixels, true);
        if (!heading.details.empty())
            canvas.drawSizedText(kMargin, kDetailsTop, heading.details, kDetailPixels, false);
        for (std::size_t i = 0; i < diagrams.size(); ++i) {
            const Placement cell = layout.cell(i);
            int top = cell.top;
            if (named) {
                if (i < names.size() && !names[i].empty())
                    canvas.drawSizedText(cell.left + kNameLeft, top + kNameTop, names[i], kNamePixels, true);
                top += kNameHeight;
            }
            DrawStringsDiagram(canvas, diagrams[i], top, cell.left, kDiagramNormal, leftHanded, strings);
        }
        EndSvgDocument(out);
    }

} // namespace

void WriteSvgSheet(std::ostream& out, std::span<const Frets> diagrams, const SheetHeading& heading, int columns,
    bool leftHanded, const OpenStrings& strings)
{
    WriteSheet(out, diagrams, false, {}, heading, columns, leftHanded, strings);
}

void WriteSvgSongSheet(std::ostream& out, std::span<const Frets> diagrams, std::span<const std::string> names,
    const SheetHeading& heading, int columns, bool leftHanded, const OpenStrings& strings)
{
    WriteSheet(out, diagrams, true, names, heading, columns, leftHanded, strings);
}

void WriteSvgDiagram(
    std::ostream& out, const Frets& frets, const SheetHeading& heading, bool leftHanded, const OpenStrings& strings)
{
    WriteSvgSheet(out, std::span<const Frets>(&frets, 1), heading, 1, leftHanded, strings);
}

} // namespace corvane
