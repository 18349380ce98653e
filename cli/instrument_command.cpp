#include "cli/instrument_command.h"

#include <nlohmann/json.hpp>

#include "cli/arguments.h"
#include "cli/chord_request.h"
#include "cli/instrument_options.h"
#include "drawing/diagram_facts.h"
#include "guitar/instrument_identify.h"

namespace corvane::cli {

namespace {
    constexpr int kBadInput = 2;
}

bool IsInstrumentIdentify(const IdentifyRequest& request) { return !IsSixStringRequest(request.instrument); }

int RunInstrumentIdentify(const IdentifyRequest& request, std::ostream& out, std::ostream& err)
{
    const auto fail = [&err](const std::string& message) {
        err << "corvane-cli: " << message << '\n';
        return kBadInput;
    };
    std::optional<InstrumentChoice> choice;
    if (const std::string error = ReadInstrumentChoice(request.instrument, request.tuning, choice); !error.empty())
        return fail(error);
    const StringFretsReading reading = ReadStringFrets(request.frets, choice->set.strings.count);
    if (!reading.fingering)
        return fail(reading.error);
    int capo = 0;
    if (request.capo) {
        const auto parsed = ParseCapoArgument(*request.capo);
        if (!parsed)
            return fail(CapoError(*request.capo));
        capo = *parsed;
    }
    const auto noteNames = GridNames(request.flats ? Spelling::Flat : Spelling::Sharp);
    const Identification id = IdentifyOnStrings(*reading.fingering, choice->set.strings, capo, choice->set.lastFret,
        noteNames, choice->set.freeInversions ? BassNaming::RootPosition : BassNaming::Lowest);
    if (!id.error.empty())
        return fail(id.error);

    Notation notation = Notation::Parts;
    ReadNotationOption(request.notation, notation); // checked by RunIdentify
    return PrintIdentification(id, noteNames, request.json, &choice->name, *reading.fingering, out, err, notation);
}

} // namespace corvane::cli
