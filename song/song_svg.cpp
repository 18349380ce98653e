#include "song/song_svg.h"

#include <algorithm>

#include "drawing/chord_diagram.h"
#include "drawing/sheet_layout.h"
#include "drawing/svg_canvas.h"
#include "song/song_sheet.h"
#include "song/text_decoding.h"

namespace corvane {

namespace {

    // The song sheet as SVG: the heading, the strip of diagrams with their names, then the lines in
    // a monospace face, the chords in bold over the words.
    void WriteSheet(const SongSheetContent& sheet, std::ostream& out)
    {
        using namespace export_sheet;
        constexpr int kColumns = 6;
        constexpr int kLinePixels = 14;
        constexpr int kLineHeight = 18;
        constexpr int kCharWidth = 9; // a monospace face at 14 pixels is about 8.4 wide
        const SheetHeading heading { sheet.title, sheet.details };
        const SheetLayout layout(sheet.diagrams.size(), kColumns, heading, true);

        struct Row {
            std::string text;
            bool bold = false;
            bool italic = false;
            int indent = 0;
        };
        std::vector<Row> rows;
        for (const std::string& subtitle : sheet.subtitles)
            rows.push_back({ subtitle, false, true, 0 });
        for (const SheetBlock& block : sheet.blocks) {
            if (block.gap) {
                rows.emplace_back();
                continue;
            }
            if (!block.chords.empty())
                rows.push_back({ block.chords, true, false, block.indent });
            if (!block.words.empty() || block.chords.empty())
                rows.push_back({ block.words, block.heading, block.heading || block.remark, block.indent });
        }
        int widest = layout.width();
        for (const Row& row : rows)
            widest = std::max(widest, 2 * kMargin + kCharWidth * (row.indent + CharacterCount(row.text)));
        const int top = sheet.diagrams.empty() ? layout.headingHeight() : layout.height();
        BeginSvgDocument(out, widest, top + kLineHeight * static_cast<int>(rows.size()) + kMargin);
        SvgCanvas canvas(out);
        canvas.drawSizedText(kMargin, kTitleTop, heading.title, kTitlePixels, true);
        if (!heading.details.empty())
            canvas.drawSizedText(kMargin, kDetailsTop, heading.details, kDetailPixels, false);
        for (size_t i = 0; i < sheet.diagrams.size(); ++i) {
            const Placement cell = layout.cell(i);
            canvas.drawSizedText(cell.left + kNameLeft, cell.top + kNameTop, sheet.names[i], kNamePixels, true);
            DrawStringsDiagram(
                canvas, sheet.diagrams[i], cell.top + kNameHeight, cell.left, kDiagramNormal, false, sheet.strings);
        }
        int y = top;
        for (const Row& row : rows) {
            y += kLineHeight;
            if (row.text.empty())
                continue;
            out << "<text x=\"" << kMargin + kCharWidth * row.indent << "\" y=\"" << y
                << "\" font-family=\"monospace\" xml:space=\"preserve\" font-size=\"" << kLinePixels << '"'
                << (row.bold ? " font-weight=\"bold\"" : "") << (row.italic ? " font-style=\"italic\"" : "") << '>'
                << XmlEscaped(row.text) << "</text>\n";
        }
        EndSvgDocument(out);
    }
} // namespace

void WriteSongSvg(const SongSheetContent& sheet, std::ostream& out) { WriteSheet(sheet, out); }

void WriteSongSvg(
    const ShownSong& shown, const std::vector<StringStripChord>& strip, std::ostream& out, const OpenStrings& strings)
{
    WriteSheet(SongSheetOf(shown, strip, strings), out);
}

} // namespace corvane
