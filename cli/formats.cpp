// The output format names of `voicings` and `diagram`, and the first name of a list.
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

std::string FirstName(const std::vector<std::string>& names)
{
    if (names.empty())
        return {};
    const std::string& first = names.front();
    return first.substr(0, first.find_last_not_of(' ') + 1);
}

} // namespace corvane::cli
