#pragma once
// Reading a typed chord name ("Dbm7/Ab") into the selection: root, chord-type tokens and bass.

#include <string_view>
#include <vector>

#include "theory/selection.h"

namespace corvane {

// What the search button does to the selection, reading the text of the chord name box
// (state.editText): root, bass, interval list, type suffix, check marks and enabled flags, the
// spelling of both grids and the rewritten name box text. It never fails: what it cannot read is
// dropped. The grids' selected rows, rootName, bassSuffix and the third and fifth stay as they are.
void SearchChordName(SelectionState& state);

// The text as characters, each a view into it: a well-formed UTF-8 sequence is one character, and
// any other byte (a stray continuation byte, a truncated or overlong sequence) is one of its own.
std::vector<std::string_view> SplitCharacters(std::string_view text);

} // namespace corvane
