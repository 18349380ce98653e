#pragma once
// The song sheet as PDF, drawn by the program's own Qt painting: needs corvane-cli built with the Qt
// program, as PNG does.

#include <ostream>
#include <string>
#include <vector>

#include "song/song_sheet.h"

namespace corvane::cli {

// Writes the PDF, each sheet from a new page, and returns an empty text, or the reason it could not.
std::string WriteSongPdfTo(std::ostream& out, const std::vector<SongSheetContent>& sheets);

// The first page as a PNG image, at twice the sheet's pixels.
std::string WriteSongPngTo(std::ostream& out, const SongSheetContent& sheet);

} // namespace corvane::cli
