#pragma once
// --instrument and a --tuning of any number of strings: what leaves the six-string guitar's own search.

#include <optional>
#include <string>

#include "guitar/instrument.h"
#include "guitar/instrument_search.h"

namespace corvane::cli {

struct InstrumentChoice {
    const Instrument* instrument = nullptr; // nullptr for strings of one's own (a typed tuning)
    StringSet set;
    std::string name; // "ukulele", or "custom" for strings of one's own
    std::string description; // "Ukulele (G4 C4 E4 A4)", for sheet headings
};

// "--instrument custom --tuning NOTES": 4 to 8 strings of one's own, with no easy shapes.
inline constexpr std::string_view kOwnStrings = "custom";

// True for no --instrument or the six-string guitar's name: its own search and tuning reader serve.
bool IsSixStringRequest(const std::optional<std::string>& instrument);

// Sets `choice` when the request is for another instrument than the six-string guitar, or for
// strings of one's own. Leaves it empty for the six-string guitar, whose search and tuning reader go
// on exactly as before. Returns the error naming the bad value, or empty.
std::string ReadInstrumentChoice(const std::optional<std::string>& instrument, const std::optional<std::string>& tuning,
    std::optional<InstrumentChoice>& choice);

// "guitar, 7-string-guitar, ukulele, ..." for messages.
std::string InstrumentNames();

} // namespace corvane::cli
