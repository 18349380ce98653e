#pragma once
// The songbook as PDF, drawn by the program's own Qt painting: needs corvane-cli built with the Qt
// program.

#include <ostream>
#include <string>
#include <vector>

#include "song/songbook.h"

namespace corvane::cli {

// Writes the PDF and returns an empty text, or the reason it could not.
std::string WriteSongbookPdfTo(std::ostream& out, const BookPlan& plan, const std::vector<BookSong>& songs);

} // namespace corvane::cli
