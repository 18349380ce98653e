#pragma once
// Common open and barre fingerings; the first result found among them is shown first.

#include <string_view>

namespace corvane {

// The shapes as one text of voicing texts; records are matched against it as substrings.
extern const std::string_view kEasyShapes;

} // namespace corvane
