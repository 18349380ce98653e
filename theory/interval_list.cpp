#include "theory/interval_list.h"

namespace corvane {

namespace {
    bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}

bool IsIntervalList(std::string_view text)
{
    if (text.size() < 2 || (text.size() + 1) % 3 != 0)
        return false;
    for (size_t i = 0; i < text.size(); i += 3) {
        if (!IsDigit(text[i]) || !IsDigit(text[i + 1]))
            return false;
        const int v = (text[i] - '0') * 10 + (text[i + 1] - '0');
        if (v > 11)
            return false;
        if (i + 2 < text.size() && text[i + 2] != ' ')
            return false;
    }
    return text[0] == '0' && text[1] == '0';
}

std::optional<std::vector<int>> IntervalValues(std::string_view list)
{
    std::vector<int> values;
    for (size_t start = 0; start < list.size(); start += 3) {
        if (start + 1 >= list.size() || !IsDigit(list[start]) || !IsDigit(list[start + 1]))
            return std::nullopt;
        values.push_back((list[start] - '0') * 10 + (list[start + 1] - '0'));
    }
    return values;
}

std::vector<int> TransposeIntervals(std::string_view intervals, PitchClass root)
{
    std::vector<int> pitchClasses;
    // Entries sit at offsets 0, 3, 6...; reading at a step of three never sees the separating blanks.
    for (size_t start = 0; start < intervals.size(); start += 3) {
        int v = 0;
        for (size_t k = start; k < start + 2 && k < intervals.size(); ++k)
            v = v * 10 + (IsDigit(intervals[k]) ? intervals[k] - '0' : 0);
        pitchClasses.push_back((v + root) % 12);
    }
    return pitchClasses;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace corvane
