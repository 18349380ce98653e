#pragma once
// Where a song command's finished text goes: stdout, or the file --out names.

#include <string>

namespace corvane::cli {

// Writes `text` to stdout when `out` is empty, else to the file `out`. A file that cannot be
// written, or whose bytes do not all reach it, is said on stderr and gives false.
bool WriteText(const std::string& text, const std::string& out);

} // namespace corvane::cli
