// Arbitrary bytes given as --tuning: the reading never crashes, every string it accepts is a pitch
// class, and the tuning it accepts, written back as six note names or as a preset's caption, reads
// back the same.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "fuzz/fuzz_support.h"

using corvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace corvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<Tuning> tuning = cli::ParseTuningOption(text);
    if (!tuning)
        return 0;
    std::string names;
    for (const PitchClass string : *tuning) {
        Require(string >= 0 && string <= 11, "every string a pitch class");
        names += std::string(NoteName(string, Spelling::Flat)) + ' ';
    }
    Require(cli::ParseTuningOption(names) == tuning, "the six names read back the same");
    for (const TuningPreset& preset : kTuningPresets)
        if (preset.pitchClasses == *tuning)
            Require(cli::ParseTuningOption(cli::UsualCaption(preset)) == tuning, "the preset's caption reads back");
    return 0;
}
