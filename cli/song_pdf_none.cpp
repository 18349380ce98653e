// corvane-cli built without Qt: no PDF.

#include "cli/song_pdf.h"

namespace corvane::cli {

std::string WriteSongPdfTo(std::ostream&, const std::vector<SongSheetContent>&)
{
    return "PDF output needs corvane-cli built with the Qt program (CORVANE_GUI=ON); --format svg needs no Qt";
}

std::string WriteSongPngTo(std::ostream&, const SongSheetContent&)
{
    return "PNG output needs corvane-cli built with the Qt program (CORVANE_GUI=ON); --format svg needs no Qt";
}

} // namespace corvane::cli
