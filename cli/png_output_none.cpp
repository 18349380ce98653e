// corvane-cli built without Qt: the engine and the plain formats only.

#include "cli/formats.h"

namespace corvane::cli {

std::string WritePngSheet(std::ostream&, std::span<const Frets>, const SheetHeading&, int, bool, const OpenStrings&)
{
    return "PNG output needs corvane-cli built with the Qt program (CORVANE_GUI=ON); --format svg needs no Qt";
}

} // namespace corvane::cli
