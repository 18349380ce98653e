#pragma once
// The engine's part of a refresh: search, promote one easy shape, sort, name.

#include <array>
#include <string>
#include <vector>

#include "guitar/voicing_search.h"
#include "theory/notes.h"
#include "theory/selection.h"

namespace corvane {

// The search accepts six notes at most, bass included.
constexpr int kMaxNoteListLength = 6;

struct RefreshInput {
    PitchClass rootIndex = 0;
    PitchClass bassIndex = 0;
    // Root first, then the chord's other notes in interval-list order. When the bass is the root it
    // stands for the root here, so an unread root (kNoPitch) stays kNoPitch and sounds on no fret.
    std::vector<int> chordTones;
    int thirdInterval = 4;
    int fifthInterval = 7;
    SearchOptions options;
    std::array<std::string, 12> rootGridNames; // the names list uses the root grid's spelling
};

// The refresh of the chord chosen with the selection controls, under these options.
RefreshInput FromSelection(const SelectionState& selection, const SearchOptions& options);

// The same for a chord given by its interval list, root and bass, from the start-up selection.
RefreshInput ChordInput(
    const std::string& intervals, PitchClass root, PitchClass bass, const SearchOptions& options = {});

// The chord as the note list shows it: the bass, then the chord tones, the root written once when
// it is the bass ("4 0 4 7" for C over E, "0 4 7" for C).
std::string NoteListText(const RefreshInput& input);

// Why the search cannot take this chord (more notes than it accepts, a number that is no pitch
// class), or empty; and the chord as the search takes it. Every instrument's refresh starts with them.
std::string RefreshInputError(const RefreshInput& input);
ChordToSearch ChordToSearchOf(const RefreshInput& input);

struct RefreshResult {
    std::vector<VoicingRecord> records; // sorted: the sheet's order
    std::vector<int> chordTones; // after the omit options
    std::vector<std::string> names;
    std::string error; // set when the chord could not be searched; records and names are then empty
};

RefreshResult ComputeRefresh(const RefreshInput& input);

} // namespace corvane
