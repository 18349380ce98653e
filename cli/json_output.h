#pragma once
// The command line's JSON objects, and batch lines read into requests.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/chord_request.h"
#include "theory/name_reading.h"
#include "theory/typed_chord.h"

namespace corvane::cli {

// One result: the record text and what its diagram shows: frets (six, -1 muted, barre marks
// dropped), baseFret, fingers (as numbered in the diagram, 0 none) and barre (a list of the barres,
// each with its fret, finger and first and last string stopped, strings counted from 0, the lowest).
nlohmann::ordered_json RecordJson(const VoicingRecord& record);
// The same for a record of another instrument: frets and fingers have one entry per string.
nlohmann::ordered_json RecordJson(const InstrumentRecord& record);

// The result object: noteList, chordIntervals, count (every result), records (the first `limit`),
// names; for a chord given by name, unread: what the name left unread; for another instrument,
// instrument and strings (the open notes, "G4 C4 E4 A4").
nlohmann::ordered_json ResultJson(const Evaluation& ev, std::size_t limit = SIZE_MAX);

// What reading a typed name left: rewritten (the name box text), rootIndex, bassIndex,
// chordIntervals, typeSuffix, checked (item indexes, ascending), rootSpelling, bassSpelling, noteList,
// and unread: the tokens that named nothing, as typed.
nlohmann::ordered_json NameReadingJson(const SelectionState& state, const NameReading& reading);

// The same for a search of the name box: `unread` is what the chord shown leaves out, and
// `leadSheet` the lead-sheet spelling when the box's notation left text unread and the lead-sheet
// symbols read it all (null otherwise).
nlohmann::ordered_json NameBoxSearchJson(const SelectionState& state, const NameBoxSearch& search);

// The lead-sheet reading of a chord symbol: root and bass (pitch classes, null when the symbol
// starts with no note), pitchClasses, intervals, canonical and unread.
nlohmann::ordered_json LeadSheetJson(const LeadSheetChord& chord);

// Reads one batch line into a request; returns the error text, or empty.
std::string RequestFromJson(const std::string& line, ChordRequest& request);

} // namespace corvane::cli
