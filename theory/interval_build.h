#pragma once
// The chord's interval list built from the extension items it is made of. The check list and the
// chord-name reader both build their chord here.

#include <string>
#include <string_view>

#include "theory/catalogue.h"

namespace corvane {

struct IntervalBuild {
    std::string intervals;
    ExtensionFlags refused {}; // ticked items left out because the chord had no room for them
};

// The last ticked item with a whole list gives the base (`base` when none is ticked); then every
// other ticked item in list order, from item 1, adds its interval, or for a new fifth or third
// replaces the perfect fifth or the major third. An interval the chord holds already is not added
// twice; one that would make the list as long as `limit` or longer is refused.
IntervalBuild BuildIntervals(const ExtensionFlags& ticked, std::string_view base, size_t limit);

} // namespace corvane
