// The command line's JSON: results, records, readings, and batch requests read back.
#include "cli/json_output.h"

#include "drawing/diagram_facts.h"
#include "guitar/tone_dropping.h"

#include <cstdlib>

namespace corvane::cli {

using nlohmann::json;

namespace {

    // A record and what its diagram shows, for any number of strings.
    template <typename Record, typename Facts>
    nlohmann::ordered_json RecordJson(const Record& record, const Facts& facts)
    {
        nlohmann::ordered_json out;
        out["record"] = record.Text();
        auto frets = nlohmann::ordered_json::array();
        for (int value : record.frets)
            frets.push_back(value == kMuted ? -1 : std::abs(value));
        out["frets"] = std::move(frets);
        out["baseFret"] = facts.baseFret;
        out["fingers"] = facts.fingers;
        auto barres = nlohmann::ordered_json::array();
        for (const Barre& barre : facts.barres)
            barres.push_back({ { "fret", barre.fret }, { "finger", barre.finger }, { "firstString", barre.firstString },
                { "lastString", barre.lastString } });
        out["barre"] = std::move(barres);
        return out;
    }

} // namespace

nlohmann::ordered_json RecordJson(const VoicingRecord& record) { return RecordJson(record, ReadDiagram(record.frets)); }

nlohmann::ordered_json RecordJson(const InstrumentRecord& record)
{
    nlohmann::ordered_json out = RecordJson(record, ReadStringsDiagram(record.frets));
    // Only a voicing that leaves tones out says so; every other record keeps the object it had.
    if (record.leftOut != 0)
        out["omitted"] = LeftOutWords(record.leftOut);
    return out;
}

nlohmann::ordered_json ResultJson(const Evaluation& ev, std::size_t limit)
{
    nlohmann::ordered_json out;
    out["noteList"] = ev.noteList;
    out["chordIntervals"] = ev.selection.chordIntervals;
    auto records = nlohmann::ordered_json::array();
    out["count"] = ev.result.records.size();
    for (std::size_t i = 0; i < ev.result.records.size() && i < limit; ++i)
        records.push_back(RecordJson(ev.result.records[i]));
    out["records"] = std::move(records);
    out["names"] = ev.result.names;
    // Only a typed name can leave text unread; the other requests keep the object they always had.
    if (ev.fromName)
        out["unread"] = ev.unread;
    if (!ev.leftOut.empty())
        out["leftOut"] = ev.leftOut;
    if (ev.result.records.empty() && !ev.result.emptyReason.empty())
        out["reason"] = ev.result.emptyReason;
    if (ev.instrument.named) {
        out["instrument"] = ev.instrument.name;
        out["strings"] = OpenStringsText(ev.instrument.set.strings);
    }
    return out;
}

nlohmann::ordered_json NameReadingJson(const SelectionState& state, const NameReading& reading)
{
    const auto spelling = [](Spelling s) { return s == Spelling::Flat ? "flat" : "sharp"; };
    nlohmann::ordered_json out;
    out["rewritten"] = state.editText;
    out["rootIndex"] = state.rootIndex;
    out["bassIndex"] = state.bassIndex;
    out["chordIntervals"] = state.chordIntervals;
    out["typeSuffix"] = state.typeSuffix;
    auto checked = nlohmann::ordered_json::array();
    for (size_t i = 0; i < state.checked.size(); ++i)
        if (state.checked[i])
            checked.push_back(i);
    out["checked"] = std::move(checked);
    out["rootSpelling"] = spelling(state.rootSpelling);
    out["bassSpelling"] = spelling(state.bassSpelling);
    out["noteList"] = NoteListText(FromSelection(state, {}));
    out["unread"] = reading.unread;
    return out;
}

nlohmann::ordered_json NameBoxSearchJson(const SelectionState& state, const NameBoxSearch& search)
{
    NameReading reading;
    reading.unread = search.unread;
    nlohmann::ordered_json out = NameReadingJson(state, reading);
    out["leadSheet"] = search.byLeadSheet ? nlohmann::ordered_json(search.leadSheet) : nullptr;
    return out;
}

nlohmann::ordered_json LeadSheetJson(const LeadSheetChord& chord)
{
    const auto pitch
        = [](PitchClass pc) { return pc == kNoPitch ? nlohmann::ordered_json() : nlohmann::ordered_json(pc); };
    nlohmann::ordered_json out;
    out["root"] = pitch(chord.root);
    out["bass"] = pitch(chord.bass);
    out["pitchClasses"] = chord.PitchClasses();
    out["intervals"] = chord.intervals;
    out["canonical"] = chord.canonical;
    out["unread"] = chord.unread;
    return out;
}

namespace {
    // Strings stay as typed; numbers are accepted where a number is meant.
    std::string TextOf(const json& value, const std::string& key, std::string& error)
    {
        if (value.is_string())
            return value.get<std::string>();
        if (value.is_number_integer())
            return std::to_string(value.get<long long>());
        error = "\"" + key + "\" must be a string or an integer, not " + value.dump();
        return {};
    }
}

std::string RequestFromJson(const std::string& line, ChordRequest& request)
{
    const json object = json::parse(line, nullptr, false);
    if (object.is_discarded())
        return "not a JSON object: " + line;
    if (!object.is_object())
        return "not a JSON object: " + object.dump();

    std::string error;
    for (const auto& [key, value] : object.items()) {
        std::optional<std::string>* text = nullptr;
        bool* flag = nullptr;
        if (key == "root")
            text = &request.root;
        else if (key == "bass")
            text = &request.bass;
        else if (key == "type")
            text = &request.type;
        else if (key == "ext")
            text = &request.ext;
        else if (key == "intervals")
            text = &request.intervals;
        else if (key == "name")
            text = &request.name;
        else if (key == "symbol")
            text = &request.symbol;
        else if (key == "third")
            text = &request.third;
        else if (key == "fifth")
            text = &request.fifth;
        else if (key == "tuning")
            text = &request.tuning;
        else if (key == "upTo")
            text = &request.upTo;
        else if (key == "distance")
            text = &request.distance;
        else if (key == "capo")
            text = &request.capo;
        else if (key == "instrument")
            text = &request.instrument;
        else if (key == "notation")
            text = &request.notation;
        else if (key == "omit3")
            flag = &request.omit3;
        else if (key == "omit5")
            flag = &request.omit5;
        else if (key == "easy")
            flag = &request.easy;
        else if (key == "noBarre")
            flag = &request.noBarre;
        else if (key == "flats")
            flag = &request.flats;
        else
            return "unknown key \"" + key + "\"";

        if (text) {
            if (value.is_null())
                continue;
            *text = TextOf(value, key, error);
            if (!error.empty())
                return error;
        } else {
            if (!value.is_boolean())
                return "\"" + key + "\" must be true or false, not " + value.dump();
            *flag = value.get<bool>();
        }
    }
    return {};
}

} // namespace corvane::cli
