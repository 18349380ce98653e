#pragma once
// A chord request as the command line and the batch lines give it, and its evaluation.

#include <optional>
#include <string>
#include <vector>

#include "cli/instrument_options.h"
#include "guitar/refresh.h"
#include "theory/notation.h"
#include "theory/selection.h"

namespace corvane::cli {

// Every value as typed; Evaluate checks them and names the bad one.
struct ChordRequest {
    std::optional<std::string> root;
    std::optional<std::string> bass;
    std::optional<std::string> type;
    std::optional<std::string> ext;
    std::optional<std::string> intervals;
    std::optional<std::string> name;
    std::optional<std::string> symbol; // a lead-sheet symbol, read as a song's chords are
    std::optional<std::string> third;
    std::optional<std::string> fifth;
    std::optional<std::string> tuning;
    std::optional<std::string> upTo;
    std::optional<std::string> distance;
    std::optional<std::string> capo;
    std::optional<std::string> instrument;
    std::optional<std::string> notation; // the words of --notation; absent: parts
    bool omit3 = false;
    bool omit5 = false;
    bool easy = false;
    bool noBarre = false;
    bool flats = false;
};

struct Evaluation {
    std::string error; // one line naming the bad value; empty on success
    std::vector<std::string> warnings;
    Notation notation = Notation::Parts; // the names are written in it
    bool fromName = false; // the chord was given as a typed name
    bool fromSymbol = false; // the chord was given as a lead-sheet symbol
    std::vector<std::string> unread; // what that name left unread: the chord searched leaves it out
    SelectionState selection;
    std::string noteList;
    InstrumentChoice instrument; // what the chord is searched on
    InstrumentRefreshResult result;
    std::string shownName; // the chord's name as the request gave it, for headings and definitions
    std::string leftOut; // what the voicings leave out, in words, or empty (LeftOutHeadingOf)
    std::string emptyLine; // why there is no voicing, with the chord's name, or empty
};

Evaluation Evaluate(const ChordRequest& request);

// The words of --notation (absent: parts) into `notation`; returns the error naming a bad word, or
// empty. Nashville numbers and Roman numerals count from a key, so only where one is known.
std::string ReadNotationOption(const std::optional<std::string>& word, Notation& notation, bool countsFromKey = false);

// The search options of a request (tuning, up-to fret, distance, omit, easy, no barre) into
// `options`; returns the error naming the bad value, or empty.
std::string ReadSearchOptions(const ChordRequest& request, SearchOptions& options);

} // namespace corvane::cli
