// Arbitrary bytes given to identify as the played frets: the reading never crashes, every fret it
// accepts is one a hand can play, and the fingering written back as a player writes it reads back
// the same.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "guitar/identify.h"

using corvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace corvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const PlayedFretsReading reading = ReadPlayedFrets(text);
    Require(reading.fingering.has_value() != !reading.error.empty(), "either frets or a reason");
    if (!reading.fingering) {
        Require(reading.error.find('\n') == std::string::npos, "the reason is one line");
        return 0;
    }
    std::string written;
    for (const int fret : *reading.fingering) {
        Require(fret >= kFingeringMuted && fret <= kFingeringTopFret, "a fret a hand can play");
        written += (fret == kFingeringMuted ? std::string("x") : std::to_string(fret)) + ' ';
    }
    const PlayedFretsReading again = ReadPlayedFrets(written);
    Require(again.fingering == reading.fingering, "the frets read back the same");
    return 0;
}
