// The songbook's PDF written by the Qt painting.
#include "cli/songbook_pdf.h"

#include "cli/qt_drawing.h"
#include "toolkit/songbook_export.h"

namespace corvane::cli {

std::string WriteSongbookPdfTo(std::ostream& out, const BookPlan& plan, const std::vector<BookSong>& songs)
{
    return DrawWithQt(out, [&](QBuffer& buffer) {
        return WriteSongbookPdf(buffer, plan, songs) ? std::string() : "the songbook could not be drawn";
    });
}

} // namespace corvane::cli
