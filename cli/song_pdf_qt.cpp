// Song sheets as PDF and PNG, painted with Qt.
#include "cli/song_pdf.h"

#include "cli/qt_drawing.h"
#include "toolkit/song_export.h"

namespace corvane::cli {

namespace {
    constexpr const char* kNotDrawn = "the song sheet could not be drawn";
}

std::string WriteSongPdfTo(std::ostream& out, const std::vector<SongSheetContent>& sheets)
{
    return DrawWithQt(
        out, [&](QBuffer& buffer) { return WriteSongPdf(buffer, sheets) ? std::string() : std::string(kNotDrawn); });
}

std::string WriteSongPngTo(std::ostream& out, const SongSheetContent& sheet)
{
    return DrawWithQt(out, [&](QBuffer& buffer) {
        return SongSheetFirstPage(sheet, 2.0).save(&buffer, "PNG") ? std::string() : std::string(kNotDrawn);
    });
}

} // namespace corvane::cli
