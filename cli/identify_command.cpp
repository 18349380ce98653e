// The identify subcommand: the names of the chord played frets sound, on any instrument.
#include "cli/identify_command.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

#include "cli/arguments.h"
#include "cli/chord_request.h"
#include "cli/instrument_options.h"
#include "guitar/instrument_identify.h"
#include "guitar/tuning.h"

namespace corvane::cli {

namespace {

    constexpr int kBadInput = 2;

    std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

} // namespace

std::optional<int> ParseCapoArgument(const std::string& text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc {} || end != text.data() + text.size() || value < 0 || value > kMaxCapo)
        return std::nullopt;
    return value;
}

std::string CapoError(const std::string& text)
{
    return "capo must be a fret 0.." + std::to_string(kMaxCapo) + ", not " + Quoted(text);
}

CLI::App* AddIdentifyCommand(CLI::App& app, IdentifyRequest& request)
{
    auto* command = app.add_subcommand(
        "identify", "print every name of the chord six frets play, one per line, the name a guitarist says first");
    command
        ->add_option(
            "frets", request.frets, "six frets, lowest string first: x muted, 0 open, 1..24, e.g. \"x 3 2 0 1 0\"")
        ->required();
    command->add_option_function<std::string>(
        "--tuning", [&request](const std::string& v) { request.tuning = v; },
        "a preset such as \"Drop D\", or six pitch classes \"2 9 2 7 11 4\"");
    command->add_option_function<std::string>(
        "--capo", [&request](const std::string& v) { request.capo = v; },
        "capo fret 0..11; the frets count from the capo");
    command->add_option_function<std::string>(
        "--instrument", [&request](const std::string& v) { request.instrument = v; },
        "another instrument (corvane-cli list instruments): as many frets as it has strings");
    command->add_flag("--flats", request.flats, "name notes with flats");
    command->add_option_function<std::string>(
        "--notation", [&request](const std::string& v) { request.notation = v; },
        "names written in: parts (default), lead-sheet, german, latin");
    command->add_flag("--json", request.json, "print one JSON object: frets, notes, bass, chordTones, best, names");
    return command;
}

int RunIdentify(const IdentifyRequest& request, std::ostream& out, std::ostream& err)
{
    Notation notation = Notation::Parts;
    if (const std::string error = ReadNotationOption(request.notation, notation); !error.empty()) {
        err << "corvane-cli: " << error << '\n';
        return kBadInput;
    }
    const auto fail = [&err](const std::string& message) {
        err << "corvane-cli: " << message << '\n';
        return kBadInput;
    };
    Tuning presetTuning = kStandardTuning;
    if (request.tuning && TakesTuningPresets(request.instrument)) {
        const auto parsed = ParseTuningOption(*request.tuning);
        if (!parsed)
            return fail("unknown tuning " + Quoted(*request.tuning)
                + " (a preset such as \"Drop D\", or six pitch classes such as \"2 9 2 7 11 4\")");
        presetTuning = *parsed;
    }
    InstrumentChoice choice;
    if (const std::string error = ReadInstrumentChoice(request.instrument, request.tuning, presetTuning, choice);
        !error.empty())
        return fail(error);
    const StringFretsReading reading = ReadPlayedFretsOn(request.frets, choice.set);
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
    const Identification id = IdentifyPlayed(*reading.fingering, choice.set, capo, noteNames);
    if (!id.error.empty())
        return fail(id.error);

    return PrintIdentification(
        id, noteNames, request.json, choice.named ? &choice.name : nullptr, *reading.fingering, out, err, notation);
}

int PrintIdentification(const Identification& id, const std::array<std::string, 12>& noteNames, bool json,
    const std::string* instrument, std::span<const int> frets, std::ostream& out, std::ostream& err, Notation notation)
{
    if (notation != Notation::Parts && !id.names.empty()) {
        // The same names in another notation: one per root, the name to say first still first.
        Identification shown = id;
        const PitchClass bass = id.bass.value_or(kNoPitch);
        shown.names = NamesIn(id.names, id.chordTones, bass, noteNames, notation, std::nullopt);
        shown.namesBestFirst = NamesIn(id.namesBestFirst, id.chordTones, bass, noteNames, notation, std::nullopt);
        shown.best = NameIn(id.best, id.chordTones, bass, noteNames, notation, std::nullopt);
        return PrintIdentification(shown, noteNames, json, instrument, frets, out, err);
    }
    if (json) {
        const auto named = [&noteNames](const std::vector<PitchClass>& pcs) {
            auto list = nlohmann::ordered_json::array();
            for (PitchClass pc : pcs)
                list.push_back(noteNames[static_cast<size_t>(pc)]);
            return list;
        };
        nlohmann::ordered_json object;
        if (instrument)
            object["instrument"] = *instrument;
        object["frets"] = std::vector<int>(frets.begin(), frets.end());
        object["notes"] = named(id.notes);
        object["bass"] = id.bass ? nlohmann::ordered_json(noteNames[static_cast<size_t>(*id.bass)]) : nullptr;
        object["chordTones"] = named(id.chordTones);
        object["best"] = id.names.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(id.best);
        object["names"] = id.namesBestFirst;
        out << object.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } else if (!id.names.empty()) {
        // The name to say first, as players write it; then the list's other names, most likely first,
        // spelled as the names list spells them.
        out << id.best << '\n';
        for (size_t i = 1; i < id.namesBestFirst.size(); ++i)
            out << id.namesBestFirst[i] << '\n';
    }
    if (id.names.empty())
        err << "corvane-cli: " << id.noName << '\n';
    return 0;
}

} // namespace corvane::cli
