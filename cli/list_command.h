#pragma once
// `corvane-cli list types|extensions|tunings|patches|instruments`: the words the options accept, one per line.

#include <ostream>
#include <string_view>

namespace corvane::cli {

inline constexpr std::string_view kListNames[] { "types", "extensions", "tunings", "patches", "instruments" };

// False when `what` is none of kListNames.
bool PrintList(std::string_view what, std::ostream& out);

} // namespace corvane::cli
