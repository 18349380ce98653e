#pragma once
// The output formats of `voicings` and `diagram`, besides the records and the JSON object.

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/diagram_facts.h"
#include "drawing/sheet_layout.h"
#include "guitar/frets.h"
#include "guitar/open_strings.h"
#include "guitar/voicing_search.h"

namespace corvane::cli {

enum class OutputFormat { Records, Frets, ChordPro, Json, Svg, Png };

std::optional<OutputFormat> ParseFormat(std::string_view text);

// PNG is the one format that must not go to a terminal.
constexpr bool IsBinary(OutputFormat format) { return format == OutputFormat::Png; }

// The first of the names, trailing blanks removed.
std::string FirstName(const std::vector<std::string>& names);

// Without a Qt build, PNG output is not available: returns the reason; otherwise writes the sheet
// and returns an empty text (or the reason it failed).
// Each bass is marked as the open `strings` sound (none: under the first string sounding).
std::string WritePngSheet(std::ostream& out, std::span<const Frets> frets, const SheetHeading& heading, int columns,
    bool leftHanded, const OpenStrings& strings = {});

} // namespace corvane::cli
