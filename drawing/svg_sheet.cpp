#include "drawing/svg_sheet.h"

#include "drawing/chord_diagram.h"
#include "drawing/svg_canvas.h"

namespace corvane {

void WriteSvgSheet(
    std::ostream& out, std::span<const Voicing> diagrams, const SheetHeading& heading, int columns, bool leftHanded)
{
    using namespace export_sheet;
    const SheetLayout layout(diagrams.size(), columns, heading);
    BeginSvgDocument(out, layout.width(), layout.height());
    SvgCanvas canvas(out);
    if (!heading.title.empty())
        canvas.drawSizedText(kMargin, kTitleTop, heading.title, kTitlePixels, true);
    if (!heading.details.empty())
        canvas.drawSizedText(kMargin, kDetailsTop, heading.details, kDetailPixels, false);
    for (std::size_t i = 0; i < diagrams.size(); ++i) {
        const Placement cell = layout.cell(i);
        DrawChordDiagram(canvas, diagrams[i], cell.top, cell.left, kDiagramNormal, leftHanded);
    }
    EndSvgDocument(out);
}

void WriteSvgDiagram(std::ostream& out, const Voicing& voicing, const SheetHeading& heading, bool leftHanded)
{
    WriteSvgSheet(out, std::span<const Voicing>(&voicing, 1), heading, 1, leftHanded);
}

} // namespace corvane
