#pragma once
// Metadata in texts: %{NAME}, %{NAME|YES|NO}, %{NAME=VALUE|YES|NO}, %{} for the value inside YES,
// NAME.1 and NAME.-1 for one of several values, and the escapes \{ \} \| \\.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Each item's values by its name in lower case ("title", "key.print", any {meta} item).
using SongItems = std::map<std::string, std::vector<std::string>>;

struct Expansion {
    std::string text;
    // For each character of the text given, and one past its end, the column of `text` it went to:
    // every character of a substitution goes to where its value starts.
    std::vector<int> columnOf;
};

bool HasSubstitution(std::string_view text);

// A text with no "%{" is given back as it is, escapes included. An item with no value expands to
// nothing; a "%{" that is never closed stays as written.
Expansion ExpandSubstitutions(std::string_view text, const SongItems& items);

} // namespace corvane
