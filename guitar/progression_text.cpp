// Progressions as typed: chords, bars, repeats and beats.
#include "guitar/progression_text.h"

#include <charconv>

namespace corvane {

namespace {

    bool IsBar(std::string_view word) { return word == "|" || word == "||" || word == "|:" || word == ":|"; }

    // A whole number in [1, most], or 0.
    int Count(std::string_view digits, int most)
    {
        int value = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (ec != std::errc {} || end != digits.data() + digits.size() || value < 1 || value > most)
            return 0;
        return value;
    }

    bool IsRepeat(std::string_view word)
    {
        return word.size() >= 2 && (word[0] == 'x' || word[0] == 'X') && word[1] >= '0' && word[1] <= '9';
    }

    std::string Quoted(std::string_view word) { return "\"" + std::string(word) + "\""; }

} // namespace

ProgressionText ParseProgression(std::string_view text)
{
    ProgressionText out;
    size_t sectionStart = 0; // first entry a repeat plays again
    int place = 0;
    bool full = false;
    auto problem = [&](std::string what) { out.problems.push_back("word " + std::to_string(place) + ": " + what); };

    size_t at = 0;
    while (at < text.size() && !full) {
        const char c = text[at];
        if (c == '\n') {
            sectionStart = out.entries.size();
            ++at;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
            continue;
        }
        size_t end = at;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t' && text[end] != '\r' && text[end] != '\n')
            ++end;
        const std::string_view word = text.substr(at, end - at);
        at = end;
        ++place;

        if (IsBar(word))
            continue;
        if (IsRepeat(word)) {
            const int times = Count(word.substr(1), kMaxRepeats);
            if (times == 0) {
                problem(Quoted(word) + " is not a repeat of 1 to " + std::to_string(kMaxRepeats) + " times");
                continue;
            }
            const size_t sectionEnd = out.entries.size();
            if (sectionEnd == sectionStart)
                problem(Quoted(word) + " has no chords before it to repeat");
            for (int t = 1; t < times && !full; ++t) {
                for (size_t i = sectionStart; i < sectionEnd && !full; ++i) {
                    full = out.entries.size() >= kMaxProgressionLength;
                    if (!full)
                        out.entries.push_back(out.entries[i]);
                }
            }
            sectionStart = out.entries.size();
            continue;
        }

        ProgressionEntry entry;
        entry.place = place;
        entry.chord = std::string(word);
        const size_t colon = word.rfind(':');
        if (colon != std::string_view::npos) {
            entry.chord = std::string(word.substr(0, colon));
            entry.beats = Count(word.substr(colon + 1), kMaxBeats);
            if (entry.chord.empty() || entry.beats == 0) {
                problem(Quoted(word) + " is not a chord with 1 to " + std::to_string(kMaxBeats) + " beats");
                continue;
            }
        }
        full = out.entries.size() >= kMaxProgressionLength;
        if (!full)
            out.entries.push_back(std::move(entry));
    }
    if (full)
        out.problems.push_back("the progression is longer than " + std::to_string(kMaxProgressionLength)
            + " chords; the rest is left out");
    return out;
}

} // namespace corvane
