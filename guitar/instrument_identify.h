#pragma once
// Naming what is played on any instrument: the frets of N strings, as `identify` reads them for the
// six-string guitar (guitar/identify.h), which keeps its own reading and bass.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "guitar/identify.h"
#include "guitar/instrument.h"
#include "guitar/instrument_search.h"
#include "theory/best_name.h"

namespace corvane {

// N frets, lowest string first as held: -1 muted, 0 open, 1..24 stopped.
using StringFingering = std::vector<int>;

// The frets of a fingering as a hand plays them (muted -1, a barre mark its fret), and back in the
// record's values (muted 99).
StringFingering FingeringOfFrets(const Frets& frets);
Frets FretsOfFingering(const StringFingering& fingering);

// Reads exactly `strings` frets separated by blanks or commas ("x" or "-1" muted), or, when every fret
// has one digit, as many characters written together ("0003").
struct StringFretsReading {
    std::optional<StringFingering> fingering;
    std::string error;
};
StringFretsReading ReadStringFrets(std::string_view text, int strings);

// As Identify, with one difference the strings make: the bass is the lowest sounding pitch, which on
// a re-entrant tuning need not be the lowest string (the ukulele's open C string lies below its G).
// The chord tones are the bass first, then the other notes in string order. The names come best-first
// as `naming` reads the bass: RootPosition where the instrument's search lets any chord tone sound
// lowest (StringSet::freeInversions), so that its shapes are named as players name them.
Identification IdentifyOnStrings(const StringFingering& fingering, const OpenStrings& strings, int capo, int lastFret,
    const std::array<std::string, 12>& rootGridNames, BassNaming naming = BassNaming::Lowest);

// The frets of a hand on the instrument of `strings`, read as ReadStringFrets reads them, or with
// StringSet::sixStringRules as ReadPlayedFrets reads six ("x02210").
StringFretsReading ReadPlayedFretsOn(std::string_view text, const StringSet& strings);

// What they play: IdentifyOnStrings with the naming the instrument's search implies, or with
// StringSet::sixStringRules the six-string guitar's Identify, whose bass is the lowest string. Every
// caller's way to the names of played frets.
Identification IdentifyPlayed(const StringFingering& fingering, const StringSet& strings, int capo,
    const std::array<std::string, 12>& rootGridNames);

} // namespace corvane
