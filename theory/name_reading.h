#pragma once
// Reading a typed chord name ("Dbm7/Ab") into the selection: root, chord-type tokens and bass.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "theory/notes.h"
#include "theory/selection.h"

namespace corvane {

// A token of the name that names an extension item, letter case ignored.
struct RecognisedToken {
    int item = 0;
    std::string text; // as it stands in the name: the token as typed, or the item's caption for "maj7"
};

// What a typed chord name says, before anything is changed.
struct NameReading {
    PitchClass root = kNoPitch; // kNoPitch when the name does not start with a note name
    PitchClass bass = kNoPitch; // the root when the name gives no bass
    std::vector<RecognisedToken> recognised; // in typed order
    std::vector<std::string> unread; // tokens that name nothing, in typed order; the bass is read
    std::string rewritten; // the name as the box shows it afterwards
    Spelling rootSpelling = Spelling::Sharp;
    std::optional<Spelling> bassSpelling; // unset when nothing follows the root
};

// Reads the text of the chord name box. It never fails: what it cannot read is listed in `unread`
// and left out of the rewritten name.
NameReading ReadChordName(std::string_view text);

// What the search button does to the selection with a reading: root, bass, interval list, type
// suffix, check marks and enabled flags, the spelling of both grids and the name box text. The
// grids' selected rows, rootName, bassSuffix and the third and fifth stay as they are.
void ApplyNameReading(SelectionState& state, const NameReading& reading);

// Reads state.editText and applies the reading.
void SearchChordName(SelectionState& state);

// The text as characters, each a view into it: a well-formed UTF-8 sequence is one character, and
// any other byte (a stray continuation byte, a truncated or overlong sequence) is one of its own.
std::vector<std::string_view> SplitCharacters(std::string_view text);

} // namespace corvane
