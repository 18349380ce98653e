#include "cli/formats.h"

#include "guitar/fingering_text.h"

#include <algorithm>

namespace corvane::cli {

std::optional<OutputFormat> ParseFormat(std::string_view text)
{
    struct Name {
        std::string_view text;
        OutputFormat format;
    };
    constexpr Name kNames[] {
        { "records", OutputFormat::Records },
        { "frets", OutputFormat::Frets },
        { "chordpro", OutputFormat::ChordPro },
        { "json", OutputFormat::Json },
        { "svg", OutputFormat::Svg },
        { "png", OutputFormat::Png },
    };
    for (const Name& name : kNames)
        if (name.text == text)
            return name.format;
    return std::nullopt;
}

std::vector<Voicing> VoicingsOf(const std::vector<VoicingRecord>& records, std::size_t limit)
{
    std::vector<Voicing> voicings;
    voicings.reserve(std::min(limit, records.size()));
    for (std::size_t i = 0; i < records.size() && i < limit; ++i)
        voicings.push_back(records[i].frets);
    return voicings;
}

std::string FirstName(const std::vector<std::string>& names)
{
    if (names.empty())
        return {};
    const std::string& first = names.front();
    return first.substr(0, first.find_last_not_of(' ') + 1);
}

void WriteFrets(std::ostream& out, std::span<const Voicing> voicings)
{
    for (const Voicing& voicing : voicings)
        out << FingeringText(voicing) << '\n';
}

void WriteChordPro(std::ostream& out, std::string_view name, std::span<const Voicing> voicings)
{
    for (const Voicing& voicing : voicings)
        out << ChordProDefine(name, voicing) << '\n';
}

} // namespace corvane::cli
