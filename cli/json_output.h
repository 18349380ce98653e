#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "cli/chord_request.h"
#include "theory/name_reading.h"

namespace corvane::cli {

// The result object: noteList, chordIntervals, count, records, names.
nlohmann::ordered_json ResultJson(const Evaluation& ev);

// What reading a typed name left: rewritten (the name box text), rootIndex, bassIndex,
// chordIntervals, typeSuffix, checked (item indexes, ascending), rootSpelling, bassSpelling, noteList,
// and unread: the tokens that named nothing, as typed.
nlohmann::ordered_json NameReadingJson(const SelectionState& state, const NameReading& reading);

// Reads one batch line into a request; returns the error text, or empty.
std::string RequestFromJson(const std::string& line, ChordRequest& request);

} // namespace corvane::cli
