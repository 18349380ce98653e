// Readers for the command line's note and tuning values.
#include "cli/arguments.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "theory/plain_text.h"

namespace corvane::cli {

namespace {

    bool SameLetters(std::string_view a, std::string_view b)
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
        });
    }

} // namespace

std::optional<PitchClass> ParseNoteOption(std::string_view text)
{
    if (text == "H" || text == "h")
        return PitchClassOfName("B");
    return ParseNoteArgument(text);
}

std::string UsualCaption(const TuningPreset& preset)
{
    std::string caption(preset.menuCaption);
    if (const size_t at = caption.find("Tunning"); at != std::string::npos)
        caption.replace(at, 7, "Tuning");
    return caption;
}

std::optional<Tuning> ParseTuningOption(std::string_view text)
{
    for (const TuningPreset& preset : kTuningPresets) {
        if (SameLetters(preset.menuCaption, text) || SameLetters(UsualCaption(preset), text)
            || SameLetters(preset.buttonCaption, text))
            return preset.pitchClasses;
    }
    const auto words = SplitWords(text, " ");
    if (words.size() != 6)
        return std::nullopt;
    Tuning tuning {};
    for (size_t s = 0; s < 6; ++s) {
        const auto pc = ParseNoteOption(words[s]);
        if (!pc)
            return std::nullopt;
        tuning[s] = *pc;
    }
    return tuning;
}

std::string TuningDescription(const Tuning& tuning)
{
    const auto join = [](auto names) {
        std::string notes;
        for (size_t s = 0; s < 6; ++s)
            notes += (s > 0 ? " " : "") + std::string(names(s));
        return notes;
    };
    // A preset is described with its own labels, which spell its flats.
    for (const TuningPreset& preset : kTuningPresets)
        if (preset.pitchClasses == tuning)
            return UsualCaption(preset) + " (" + join([&](size_t s) { return preset.labels[s]; }) + ")";
    return join([&](size_t s) { return NoteName(tuning[s], Spelling::Sharp); });
}

} // namespace corvane::cli
