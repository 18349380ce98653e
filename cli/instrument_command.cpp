#include "cli/instrument_command.h"

#include <nlohmann/json.hpp>

#include "cli/arguments.h"
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

    if (request.json) {
        const auto named = [&noteNames](const std::vector<PitchClass>& pcs) {
            auto list = nlohmann::ordered_json::array();
            for (PitchClass pc : pcs)
                list.push_back(noteNames[static_cast<size_t>(pc)]);
            return list;
        };
        nlohmann::ordered_json json;
        json["instrument"] = choice->name;
        json["frets"] = *reading.fingering;
        json["notes"] = named(id.notes);
        json["bass"] = id.bass ? nlohmann::ordered_json(noteNames[static_cast<size_t>(*id.bass)]) : nullptr;
        json["chordTones"] = named(id.chordTones);
        json["best"] = id.names.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(id.best);
        json["names"] = id.namesBestFirst;
        out << json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } else if (!id.names.empty()) {
        // As on six strings: the name to say first, as players write it, then the list's other names.
        out << id.best << '\n';
        for (size_t i = 1; i < id.namesBestFirst.size(); ++i)
            out << id.namesBestFirst[i] << '\n';
    }
    if (id.names.empty())
        err << "corvane-cli: " << id.noName << '\n';
    return 0;
}

} // namespace corvane::cli
