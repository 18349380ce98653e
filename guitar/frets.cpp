// Fingerings of any number of strings and their text.
#include "guitar/frets.h"

#include <algorithm>
#include <charconv>

namespace corvane {

Frets FretsOfVoicing(const Voicing& voicing)
{
    Frets frets;
    for (int value : voicing)
        frets.values[static_cast<size_t>(frets.count++)] = value;
    return frets;
}

Voicing VoicingOfFrets(const Frets& frets)
{
    Voicing voicing {};
    voicing.fill(kMuted);
    for (int s = 0; s < std::min(frets.count, kStrings); ++s)
        voicing[static_cast<size_t>(s)] = frets[s];
    return voicing;
}

std::string FretsText(const Frets& frets) { return ValuesText(frets); }

std::optional<Frets> ReadFretsText(std::string_view text)
{
    Frets frets;
    for (size_t at = 0; at < text.size();) {
        const size_t start = text.find_first_not_of(' ', at);
        if (start == std::string_view::npos)
            break;
        const size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view token = text.substr(start, end - start);
        at = end;
        if (frets.count == kMaxInstrumentStrings)
            return std::nullopt;
        int value = 0;
        if (token == "x" || token == "X") {
            value = kMuted;
        } else {
            const auto [past, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
            if (ec != std::errc {} || past != token.data() + token.size() || value < -27
                || (value > 27 && value != kMuted))
                return std::nullopt;
        }
        frets[frets.count++] = value;
    }
    if (frets.count < kMinInstrumentStrings)
        return std::nullopt;
    return frets;
}

} // namespace corvane
