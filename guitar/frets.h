#pragma once
// A fingering of any number of strings (4 to 8), beside the six-string guitar's Voicing, in the same
// values: 0 open, 1..27 stopped, 99 muted, -f stopped at fret f where a barre begins.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "guitar/voicing.h"

namespace corvane {

constexpr int kMinInstrumentStrings = 4;
constexpr int kMaxInstrumentStrings = 8;

// One fingering on N strings, string 0 first, in the values of the six-string Voicing.
struct Frets {
    int count = 0;
    std::array<int, kMaxInstrumentStrings> values {};

    int& operator[](int s) { return values[static_cast<size_t>(s)]; }
    int operator[](int s) const { return values[static_cast<size_t>(s)]; }
    const int* begin() const { return values.data(); }
    const int* end() const { return values.data() + count; }
    bool operator==(const Frets&) const = default;
};

Frets FretsOfVoicing(const Voicing& voicing);
// The six-string voicing of six frets (the first six values otherwise).
Voicing VoicingOfFrets(const Frets& frets);

// "0 0 0 3 ": every value followed by one blank.
std::string FretsText(const Frets& frets);

// Reads values separated by blanks, as FretsText writes them ("99" or "x" muted).
std::optional<Frets> ReadFretsText(std::string_view text);

} // namespace corvane
