#pragma once
// --instrument and --tuning: the instrument a command plays on, its strings and how its outputs name it.

#include <optional>
#include <string>

#include "guitar/instrument.h"
#include "guitar/instrument_search.h"

namespace corvane::cli {

struct InstrumentChoice {
    const Instrument* instrument = nullptr; // nullptr for strings of one's own (a typed tuning)
    StringSet set;
    std::string name; // "ukulele", or "custom" for strings of one's own
    // For sheet headings: "Ukulele (G4 C4 E4 A4)"; the six-string guitar's tuning, "Drop D (D A D G B E)".
    std::string description;
    // Whether the outputs name the instrument and its strings (the JSON's "instrument" and "strings",
    // the song sheet's line): every choice but the six-string guitar, whose outputs stay as they were.
    bool named = true;
};

// "--instrument custom --tuning NOTES": 4 to 8 strings of one's own, with no easy shapes.
inline constexpr std::string_view kOwnStrings = "custom";

// The instrument named by --instrument, the six-string guitar without one; nullptr for strings of
// one's own and for a name that is no instrument.
const Instrument* RequestedInstrument(const std::optional<std::string>& instrument);

// Whether --tuning is read as the tuning menu's presets and six pitch classes (ParseTuningOption)
// rather than as the instrument's own tunings and notes.
bool TakesTuningPresets(const std::optional<std::string>& instrument);

// The instrument of the request and its strings. An instrument with the tuning menu's presets
// (Instrument::tuningPresets) is tuned to `presetTuning`, which the search options read; any other
// reads `tuning` itself. Returns the error naming the bad value, or empty.
std::string ReadInstrumentChoice(const std::optional<std::string>& instrument, const std::optional<std::string>& tuning,
    const Tuning& presetTuning, InstrumentChoice& choice);

// --instrument and --tuning as `voicings` reads them: the search options, which take the tuning of
// an instrument with the presets, and the instrument. Returns the error naming the bad value, or
// empty.
std::string ReadInstrumentOptions(const std::optional<std::string>& instrument,
    const std::optional<std::string>& tuning, SearchOptions& search, InstrumentChoice& choice);

// "guitar, 7-string-guitar, ukulele, ..." for messages.
std::string InstrumentNames();

} // namespace corvane::cli
