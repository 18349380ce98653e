// Played frets read and named on any instrument.
#include "guitar/instrument_identify.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>

#include "theory/naming.h"

namespace corvane {

namespace {
    std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }
}

StringFingering FingeringOfFrets(const Frets& frets)
{
    StringFingering fingering;
    for (const int value : frets)
        fingering.push_back(value == kMuted ? kFingeringMuted : std::abs(value));
    return fingering;
}

Frets FretsOfFingering(const StringFingering& fingering)
{
    Frets frets;
    frets.count = static_cast<int>(std::min(fingering.size(), frets.values.size()));
    for (int s = 0; s < frets.count; ++s)
        frets[s] = fingering[static_cast<size_t>(s)] < 0 ? kMuted : fingering[static_cast<size_t>(s)];
    return frets;
}

StringFretsReading ReadStringFrets(std::string_view text, int strings)
{
    std::vector<std::string_view> tokens = FretTokens(text);
    if (tokens.size() == 1 && static_cast<int>(tokens[0].size()) == strings && strings > 1) {
        const std::string_view compact = tokens[0];
        tokens.clear();
        for (size_t i = 0; i < compact.size(); ++i)
            tokens.push_back(compact.substr(i, 1));
    }

    StringFretsReading reading;
    if (static_cast<int>(tokens.size()) != strings) {
        reading.error = std::to_string(strings) + " frets are needed, lowest string first; " + Quoted(text) + " has "
            + std::to_string(tokens.size());
        return reading;
    }
    StringFingering fingering;
    for (size_t s = 0; s < tokens.size(); ++s) {
        const std::string_view token = tokens[s];
        if (token == "x" || token == "X") {
            fingering.push_back(kFingeringMuted);
            continue;
        }
        int value = 0;
        const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
        if (ec != std::errc {} || end != token.data() + token.size() || value < kFingeringMuted
            || value > kFingeringTopFret) {
            reading.error = "bad fret " + Quoted(token) + " for string " + std::to_string(s + 1) + " of "
                + std::to_string(strings) + " (x or -1 muted, 0 open, 1.." + std::to_string(kFingeringTopFret) + ")";
            return reading;
        }
        fingering.push_back(value);
    }
    reading.fingering = std::move(fingering);
    return reading;
}

Identification IdentifyOnStrings(const StringFingering& fingering, const OpenStrings& strings, int capo, int lastFret,
    const std::array<std::string, 12>& rootGridNames, BassNaming naming)
{
    Identification id;
    if (capo < 0 || capo > kMaxCapo) {
        id.error = "capo " + std::to_string(capo) + " is not a fret 0.." + std::to_string(kMaxCapo);
        return id;
    }
    if (static_cast<int>(fingering.size()) != strings.count) {
        id.error = std::to_string(strings.count) + " frets are needed, not " + std::to_string(fingering.size());
        return id;
    }
    for (size_t s = 0; s < fingering.size(); ++s) {
        const int fret = fingering[s];
        if (fret < kFingeringMuted || fret > kFingeringTopFret || (fret > 0 && fret + capo > lastFret)) {
            id.error = "bad fret " + std::to_string(fret) + " for string " + std::to_string(s + 1) + " of "
                + std::to_string(strings.count) + " (the neck ends at fret " + std::to_string(lastFret) + ")";
            return id;
        }
    }

    int lowest = 1000;
    for (size_t s = 0; s < fingering.size(); ++s) {
        if (fingering[s] == kFingeringMuted)
            continue;
        const int midi = strings[static_cast<int>(s)] + capo + fingering[s];
        id.notes.push_back(midi % 12);
        id.midiNotes.push_back(midi);
        lowest = std::min(lowest, midi);
    }
    if (!id.notes.empty())
        id.bass = lowest % 12;
    if (id.bass)
        id.chordTones.push_back(*id.bass);
    for (PitchClass pc : id.notes)
        if (std::find(id.chordTones.begin(), id.chordTones.end(), pc) == id.chordTones.end())
            id.chordTones.push_back(pc);

    NameChordTones(id, rootGridNames, naming);
    return id;
}

StringFretsReading ReadPlayedFretsOn(std::string_view text, const StringSet& strings)
{
    if (!strings.sixStringRules)
        return ReadStringFrets(text, strings.strings.count);
    PlayedFretsReading six = ReadPlayedFrets(text);
    StringFretsReading reading;
    reading.error = std::move(six.error);
    if (six.fingering)
        reading.fingering = StringFingering(six.fingering->begin(), six.fingering->end());
    return reading;
}

Identification IdentifyPlayed(const StringFingering& fingering, const StringSet& strings, int capo,
    const std::array<std::string, 12>& rootGridNames)
{
    if (strings.sixStringRules && fingering.size() == static_cast<size_t>(kStrings)) {
        Fingering six {};
        std::copy(fingering.begin(), fingering.end(), six.begin());
        return Identify(six, PitchClassesOf(strings.strings), capo, rootGridNames);
    }
    return IdentifyOnStrings(fingering, strings.strings, capo, strings.lastFret, rootGridNames,
        strings.freeInversions ? BassNaming::RootPosition : BassNaming::Lowest);
}

} // namespace corvane
