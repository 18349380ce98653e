// Fingerings written and read as guitarists write them.
#include "guitar/fingering_text.h"

#include "guitar/voicing_search.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "theory/plain_text.h"

namespace corvane {

namespace {
    constexpr int kHighestFret = 27;

    int Magnitude(int value) { return value < 0 ? -value : value; }

    std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }
}

namespace {
    template <class Values> std::string Written(const Values& values)
    {
        bool twoDigits = false;
        for (int value : values)
            twoDigits = twoDigits || (Magnitude(value) > 9 && value != kMuted);
        std::string text;
        bool first = true;
        for (int value : values) {
            if (twoDigits && !first)
                text += ' ';
            first = false;
            text += value == kMuted ? std::string("x") : std::to_string(Magnitude(value));
        }
        return text;
    }
}

std::string FingeringText(const Voicing& voicing) { return Written(voicing); }

std::string FingeringText(const Frets& frets) { return Written(frets); }

FingeringReading ReadFingering(std::string_view text)
{
    FingeringReading reading;
    std::vector<std::string_view> tokens = SplitWords(text, " \t");
    // "x32010": one character per string, only possible while every fret has one digit.
    if (tokens.size() == 1 && tokens[0].size() == kStrings) {
        const std::string_view compact = tokens[0];
        tokens.clear();
        for (size_t i = 0; i < compact.size(); ++i)
            tokens.push_back(compact.substr(i, 1));
    }
    if (tokens.size() != kStrings) {
        reading.error = "a fingering has six strings: " + Quoted(text);
        return reading;
    }

    bool barreMarked = false;
    for (int s = 0; s < kStrings; ++s) {
        const std::string_view token = tokens[static_cast<size_t>(s)];
        if (token == "x" || token == "X") {
            reading.voicing[s] = kMuted;
            continue;
        }
        int value = 0;
        const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
        const bool muted = value == kMuted && token.front() != '-';
        if (ec != std::errc {} || end != token.data() + token.size()
            || (!muted && (Magnitude(value) > kHighestFret || token == "-0"))) {
            reading.error = "unreadable fret " + Quoted(token) + " (x, 0 .. 27, or -1 .. -27 where a barre starts)";
            return reading;
        }
        reading.voicing[s] = value;
        barreMarked = barreMarked || value < 0;
    }
    if (!barreMarked) {
        Voicing marked = reading.voicing;
        CountFingers(marked, false);
        reading.voicing = marked;
    }
    return reading;
}

} // namespace corvane
