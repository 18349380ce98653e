// The six-string guitar's reading and naming of played frets.
#include "guitar/identify.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "theory/best_name.h"
#include "theory/naming.h"

namespace corvane {

namespace {

    bool IsFret(int value) { return value >= kFingeringMuted && value <= kFingeringTopFret; }

    // The text as it was given, in quotes, with control characters written as \xNN so that a message
    // stays one line.
    std::string Quoted(std::string_view text)
    {
        static constexpr char kHex[] = "0123456789abcdef";
        std::string quoted = "\"";
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte == 0x7f)
                quoted += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xf];
            else
                quoted += c;
        }
        return quoted + "\"";
    }

} // namespace

Fingering FingeringOfVoicing(const Voicing& voicing)
{
    Fingering fingering {};
    for (size_t s = 0; s < fingering.size(); ++s)
        fingering[s] = voicing[s] == kMuted ? kFingeringMuted : std::abs(voicing[s]);
    return fingering;
}

Voicing VoicingOfFingering(const Fingering& fingering)
{
    Voicing voicing {};
    for (size_t s = 0; s < voicing.size(); ++s)
        voicing[s] = fingering[s] < 0 ? kMuted : fingering[s];
    return voicing;
}

std::vector<std::string_view> FretTokens(std::string_view text)
{
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == ',' || text[i] == '\t') {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != ',' && text[i] != '\t')
            ++i;
        tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

PlayedFretsReading ReadPlayedFrets(std::string_view text)
{
    std::vector<std::string_view> tokens = FretTokens(text);

    // Six open or low frets are often written as one word, "x02210".
    if (tokens.size() == 1 && tokens[0].size() == kStrings
        && std::all_of(tokens[0].begin(), tokens[0].end(),
            [](char c) { return c == 'x' || c == 'X' || (c >= '0' && c <= '9'); })) {
        const std::string_view word = tokens[0];
        tokens.clear();
        for (size_t s = 0; s < word.size(); ++s)
            tokens.push_back(word.substr(s, 1));
    }

    PlayedFretsReading reading;
    if (tokens.size() != kStrings) {
        reading.error
            = "six frets are needed, lowest string first; " + Quoted(text) + " has " + std::to_string(tokens.size());
        return reading;
    }
    Fingering fingering {};
    for (size_t s = 0; s < tokens.size(); ++s) {
        const std::string_view token = tokens[s];
        if (token == "x" || token == "X") {
            fingering[s] = kFingeringMuted;
            continue;
        }
        int value = 0;
        const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
        if (ec != std::errc {} || end != token.data() + token.size() || !IsFret(value)) {
            reading.error = "bad fret " + Quoted(token) + " for string " + std::to_string(s + 1)
                + " of 6 (x or -1 muted, 0 open, 1.." + std::to_string(kFingeringTopFret) + ")";
            return reading;
        }
        fingering[s] = value;
    }
    reading.fingering = fingering;
    return reading;
}

Identification Identify(
    const Fingering& fingering, const Tuning& tuning, int capo, const std::array<std::string, 12>& rootGridNames)
{
    Identification id;
    if (capo < 0 || capo > kMaxCapo) {
        id.error = "capo " + std::to_string(capo) + " is not a fret 0.." + std::to_string(kMaxCapo);
        return id;
    }
    for (size_t s = 0; s < fingering.size(); ++s) {
        if (!IsFret(fingering[s])) {
            id.error = "bad fret " + std::to_string(fingering[s]) + " for string " + std::to_string(s + 1) + " of 6";
            return id;
        }
    }

    unsigned heard = 0;
    for (size_t s = 0; s < fingering.size(); ++s) {
        const int fret = fingering[s];
        if (fret == kFingeringMuted)
            continue;
        const int pc = ((tuning[s] % 12 + 12) % 12 + capo + fret) % 12;
        id.notes.push_back(pc);
        id.midiNotes.push_back(OpenStringNote(static_cast<int>(s), tuning[s]) + capo + fret);
        if (!id.bass)
            id.bass = pc;
        if ((heard & 1u << pc) == 0) {
            heard |= 1u << pc;
            id.chordTones.push_back(pc);
        }
    }

    NameChordTones(id, rootGridNames);
    return id;
}

void NameChordTones(Identification& id, const std::array<std::string, 12>& rootGridNames, BassNaming naming)
{
    if (id.chordTones.size() < 2) {
        id.noName = id.notes.empty() ? "no string sounds: there is no chord to name"
                                     : "fewer than two different notes sound: there is no chord to name";
        return;
    }
    // The bass leads the chord tones: the naming leaves the bass out of the name of the chord's first
    // note only, and for the bass there is nothing to leave out, so every note is named alike.
    id.names = ListChordNames(id.chordTones, *id.bass, rootGridNames);
    const std::vector<size_t> order = BestFirstOrder(id.names, naming);
    id.namesBestFirst.clear();
    for (size_t i : order)
        id.namesBestFirst.push_back(id.names[i]);
    // Every name that shows no bass stands on the bass here, so none needs it added.
    id.best = WrittenBest(id.names, order.front(), naming);
}

} // namespace corvane
