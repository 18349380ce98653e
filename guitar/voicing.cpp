#include "guitar/voicing.h"

#include <charconv>

namespace corvane {

std::string VoicingText(const Voicing& v)
{
    std::string text;
    for (int value : v) {
        text += std::to_string(value);
        text += ' ';
    }
    return text;
}

bool ParseVoicingText(std::string_view text, Voicing& out)
{
    size_t filled = 0;
    const char* p = text.data();
    const char* end = text.data() + text.size();
    while (p < end) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        if (filled == out.size())
            return false;
        int value = 0;
        const auto [next, ec] = std::from_chars(p, end, value);
        if (ec != std::errc {} || (next < end && *next != ' '))
            return false;
        out[filled++] = value;
        p = next;
    }
    return filled == out.size();
}

} // namespace corvane
