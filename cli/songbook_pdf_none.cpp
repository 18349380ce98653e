// corvane-cli built without Qt: no songbook PDF.

#include "cli/songbook_pdf.h"

namespace corvane::cli {

std::string WriteSongbookPdfTo(std::ostream&, const BookPlan&, const std::vector<BookSong>&)
{
    return "PDF output needs corvane-cli built with the Qt program (CORVANE_GUI=ON); --format json needs no Qt";
}

} // namespace corvane::cli
