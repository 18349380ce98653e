#pragma once
// The chord chosen with the selection controls: root and bass grids, the extension check list and
// the chord-type list. Each function is what one control's handler does to the state; the caller
// then refreshes the results.

#include <array>
#include <string>

#include "theory/catalogue.h"
#include "theory/notes.h"

namespace corvane {

struct SelectionState {
    PitchClass rootIndex = 0;
    PitchClass bassIndex = 0;
    std::string chordIntervals = "00 04 07";
    std::string rootName = "C";
    std::string typeSuffix;
    std::string bassSuffix;
    int thirdInterval = 4;
    int fifthInterval = 7;
    ExtensionFlags checked {};
    ExtensionFlags enabled {};
    bool bassGridEnabled = true;
    Spelling rootSpelling = Spelling::Sharp;
    Spelling bassSpelling = Spelling::Sharp;
    int rootRow = 0; // selected rows of the grids; a typed name does not move them
    int bassRow = 0;
    std::string editText = "C"; // the chord name box

    std::string ShownName() const { return rootName + typeSuffix + bassSuffix; }
};

// The state right after start-up: C major, item 0 checked, everything enabled, both grids sharp.
SelectionState StartupSelection();

// Length an interval list must stay below to take one more entry: six pitch classes, bass included.
int NoteLimit(const SelectionState& s);

void PickRoot(SelectionState& s, int row);

// False, with nothing changed, when a separate bass would make the chord longer than six notes
// (a six-entry chord read from a typed name leaves no room for one).
bool PickBass(SelectionState& s, int row);

void PickChordType(SelectionState& s, int row);

// The user has toggled the check box of an item; rebuilds the chord from all check marks.
void ChangeExtensions(SelectionState& s, int currentItem);

// Toggles an item as a click would and runs ChangeExtensions; false when the item is greyed.
bool ToggleExtension(SelectionState& s, int item);

// The spelling buttons: rewrite a grid's black-key rows; nothing else changes.
inline void SetRootSpelling(SelectionState& s, Spelling spelling) { s.rootSpelling = spelling; }
inline void SetBassSpelling(SelectionState& s, Spelling spelling) { s.bassSpelling = spelling; }

} // namespace corvane
