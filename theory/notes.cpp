#include "theory/notes.h"

#include <charconv>

namespace corvane {

const std::array<std::string_view, 12> kNoteNames { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };

namespace {
    const std::array<std::string_view, 12> kFlatNames { "C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb",
        "B" };
}

const std::array<SpelledName, 12> kSpelledNoteNames { {
    { "C", "C" },
    { "C#", "Db" },
    { "D", "D" },
    { "D#", "Eb" },
    { "E", "Fb" },
    { "F", "F" },
    { "F#", "Gb" },
    { "G", "G" },
    { "G#", "Ab" },
    { "A", "A" },
    { "A#", "Bb" },
    { "B", "Cb" },
} };

std::string_view NoteName(PitchClass pc, Spelling spelling)
{
    if (pc < 0 || pc > 11)
        return {};
    return spelling == Spelling::Sharp ? kNoteNames[static_cast<size_t>(pc)] : kFlatNames[static_cast<size_t>(pc)];
}

std::array<std::string, 12> GridNames(Spelling spelling)
{
    std::array<std::string, 12> names;
    for (int pc = 0; pc < 12; ++pc)
        names[static_cast<size_t>(pc)] = std::string(NoteName(pc, spelling));
    return names;
}

PitchClass PitchClassOfName(std::string_view text)
{
    for (int pc = 0; pc < 12; ++pc) {
        const auto& row = kSpelledNoteNames[static_cast<size_t>(pc)];
        if (row.first == text || row.second == text)
            return pc;
    }
    return kNoPitch;
}

std::optional<PitchClass> ParseNoteArgument(std::string_view text)
{
    if (!text.empty() && text.front() >= '0' && text.front() <= '9') {
        int value = -1;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc {} || end != text.data() + text.size() || value < 0 || value > 11)
            return std::nullopt;
        return value;
    }
    const PitchClass pc = PitchClassOfName(text);
    if (pc == kNoPitch)
        return std::nullopt;
    return pc;
}

} // namespace corvane
