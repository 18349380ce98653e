// Pieces of plain text the readers share: UTF-8 sequences, blank-separated words and lines.
#include "theory/plain_text.h"

#include <algorithm>

namespace corvane {

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80; // the second byte's range; the others are always 80..bf
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // overlong
        if (lead == 0xED)
            high = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90; // overlong
        if (lead == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (length > text.size() - at)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char c = byte(at + k);
        if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

std::vector<std::string_view> SplitWords(std::string_view text, std::string_view separators)
{
    std::vector<std::string_view> words;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = text.find_first_not_of(separators, at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(separators, start), text.size());
        words.push_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        while (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

} // namespace corvane
