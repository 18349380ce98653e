#pragma once
// The engine's part of a refresh: read the note list, search, promote one easy shape, sort, name.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "guitar/voicing_search.h"
#include "theory/notes.h"

namespace corvane {

// The search accepts six notes at most, bass included.
constexpr int kMaxNoteListLength = 6;

struct RefreshInput {
    std::string noteList; // bass first, then the chord (the root once when it is the bass)
    PitchClass rootIndex = 0;
    PitchClass bassIndex = 0;
    int thirdInterval = 4;
    int fifthInterval = 7;
    SearchOptions options;
    std::array<std::string, 12> rootGridNames; // the names list uses the root grid's spelling
};

struct RefreshResult {
    std::vector<VoicingRecord> records; // sorted: the sheet's order
    std::vector<int> chordTones; // after the omit options
    std::vector<std::string> names;
    std::string error; // set when the note list could not be searched; records and names are then empty
};

RefreshResult ComputeRefresh(const RefreshInput& input);

} // namespace corvane
