#pragma once
// The small text helpers the song readers share. Letters and blanks are ASCII: a song's words may be
// in any language, but the directives and chord names these look at are not.

#include <string>
#include <string_view>

namespace corvane {

// `text` without the given blank characters at either end; each reader says which it takes as blanks.
inline std::string_view TrimBlanks(std::string_view text, std::string_view blanks)
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// A to Z lowered; every other byte as it is.
inline std::string AsciiLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

} // namespace corvane
