// --instrument and --tuning read into the instrument a command plays on.
#include "cli/instrument_options.h"

#include "cli/arguments.h"
#include "cli/chord_request.h"

#include <cctype>

namespace corvane::cli {

namespace {
    std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

    std::string FoldedName(const std::string& text)
    {
        std::string folded;
        for (char c : text)
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return folded;
    }

    InstrumentChoice Choose(const Instrument& instrument, const OpenStrings& strings)
    {
        InstrumentChoice choice;
        choice.instrument = &instrument;
        choice.set = StringSetOf(instrument, strings);
        choice.name = instrument.name;
        choice.description = InstrumentDescription(instrument, strings);
        return choice;
    }

    InstrumentChoice OwnStrings(const OpenStrings& strings)
    {
        InstrumentChoice choice;
        choice.set = StringSet { strings, SixStringGuitar().frets, {}, false };
        choice.name = kOwnStrings;
        choice.description = std::to_string(strings.count) + " strings (" + OpenStringsText(strings) + ")";
        return choice;
    }
}

std::string InstrumentNames()
{
    std::string names;
    for (const Instrument& instrument : Instruments())
        names += (names.empty() ? "" : ", ") + std::string(instrument.name);
    return names + ", or " + std::string(kOwnStrings) + " with --tuning";
}

const Instrument* RequestedInstrument(const std::optional<std::string>& instrument)
{
    return instrument ? FindInstrument(*instrument) : &SixStringGuitar();
}

bool TakesTuningPresets(const std::optional<std::string>& instrument)
{
    const Instrument* found = RequestedInstrument(instrument);
    return found && found->tuningPresets;
}

std::string ReadInstrumentChoice(const std::optional<std::string>& instrument, const std::optional<std::string>& tuning,
    const Tuning& presetTuning, InstrumentChoice& choice)
{
    if (const Instrument* found = RequestedInstrument(instrument); found && found->tuningPresets) {
        choice = Choose(*found, GuitarOpenStrings(presetTuning));
        choice.description = TuningDescription(presetTuning);
        choice.named = false;
        return {};
    }
    if (FoldedName(*instrument) == kOwnStrings) {
        if (!tuning)
            return "--instrument " + std::string(kOwnStrings) + " needs --tuning with the strings' notes, 4 to 8";
        const OpenStringsReading reading = ReadOpenStrings(*tuning, SixStringGuitar());
        if (!reading.strings)
            return "unknown tuning " + Quoted(*tuning) + ": " + reading.error;
        choice = OwnStrings(*reading.strings);
        return {};
    }
    const Instrument* chosen = FindInstrument(*instrument);
    if (!chosen)
        return "unknown instrument " + Quoted(*instrument) + " (" + InstrumentNames() + ")";
    if (!tuning) {
        choice = Choose(*chosen, chosen->tunings.front().strings);
        return {};
    }
    const OpenStringsReading reading = ReadOpenStrings(*tuning, *chosen);
    if (!reading.strings)
        return "unknown tuning " + Quoted(*tuning) + " for the " + std::string(chosen->name) + ": " + reading.error;
    if (reading.strings->count != chosen->Strings())
        return "the " + std::string(chosen->name) + " has " + std::to_string(chosen->Strings())
            + " strings: give as many notes, not " + std::to_string(reading.strings->count);
    choice = Choose(*chosen, *reading.strings);
    return {};
}

std::string ReadInstrumentOptions(const std::optional<std::string>& instrument,
    const std::optional<std::string>& tuning, SearchOptions& search, InstrumentChoice& choice)
{
    ChordRequest request;
    request.instrument = instrument;
    request.tuning = tuning;
    std::string error = ReadSearchOptions(request, search);
    if (error.empty())
        error = ReadInstrumentChoice(instrument, tuning, search.tuning, choice);
    return error;
}

} // namespace corvane::cli
