// Arbitrary bytes typed as a song's progression: the reading never crashes, keeps its bounds, and
// the chords it accepts, written back as "chord:beats" words, read back the same.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "guitar/progression_text.h"

using corvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace corvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ProgressionText read = ParseProgression(text);
    Require(read.entries.size() <= kMaxProgressionLength, "no more chords than the limit");

    std::string written;
    for (const ProgressionEntry& entry : read.entries) {
        Require(!entry.chord.empty(), "a chord has a name");
        Require(entry.beats >= 1 && entry.beats <= kMaxBeats, "beats within 1..64");
        Require(entry.place >= 1 && static_cast<size_t>(entry.place) <= size, "the place is a word of the text");
        Require(entry.chord.find_first_of(" \t\r\n") == std::string::npos, "a chord is one word");
        written += entry.chord + ':' + std::to_string(entry.beats) + ' ';
    }

    const ProgressionText again = ParseProgression(written);
    Require(again.problems.empty(), "what was read is read again without a problem");
    Require(again.entries.size() == read.entries.size(), "as many chords read back");
    for (size_t i = 0; i < read.entries.size(); ++i) {
        Require(again.entries[i].chord == read.entries[i].chord, "the same chord read back");
        Require(again.entries[i].beats == read.entries[i].beats, "the same beats read back");
    }
    return 0;
}
