#include "cli/chord_request.h"

#include <charconv>
#include <tuple>

#include "guitar/tuning.h"
#include "theory/catalogue.h"
#include "theory/interval_list.h"
#include "theory/name_reading.h"

namespace corvane::cli {

namespace {

    std::optional<int> ParseInt(const std::string& text)
    {
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc {} || end != text.data() + text.size())
            return std::nullopt;
        return value;
    }

    std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

    std::vector<std::string> SplitOn(const std::string& text, char separator)
    {
        std::vector<std::string> parts;
        std::string current;
        for (char c : text) {
            if (c == separator) {
                parts.push_back(current);
                current.clear();
            } else {
                current += c;
            }
        }
        parts.push_back(current);
        return parts;
    }

    std::optional<Tuning> ParseTuning(const std::string& text)
    {
        if (const auto preset = FindPresetByCaption(text))
            return kTuningPresets[static_cast<size_t>(*preset)].pitchClasses;
        std::vector<std::string> parts;
        for (const std::string& part : SplitOn(text, ' '))
            if (!part.empty())
                parts.push_back(part);
        if (parts.size() != 6)
            return std::nullopt;
        Tuning tuning {};
        for (size_t s = 0; s < 6; ++s) {
            const auto pc = ParseInt(parts[s]);
            if (!pc || *pc < 0 || *pc > 11)
                return std::nullopt;
            tuning[s] = *pc;
        }
        return tuning;
    }

    // Chooses the chord on the selection state as the window's controls would.
    std::string ApplyChord(const ChordRequest& request, SelectionState& state, std::vector<std::string>& warnings)
    {
        const int given
            = (request.type ? 1 : 0) + (request.ext ? 1 : 0) + (request.intervals ? 1 : 0) + (request.name ? 1 : 0);
        if (given > 1)
            return "give at most one of --type, --ext, --intervals and --name";

        // A typed name brings its own root and bass, as the search button reads them.
        if (request.name) {
            if (request.root || request.bass)
                return "--name gives the root and the bass: leave out --root and --bass";
            state.editText = *request.name;
            SearchChordName(state);
            if (state.rootIndex == kNoPitch)
                warnings.push_back("the name " + Quoted(*request.name) + " does not start with a note name");
            return {};
        }

        PitchClass root = 0;
        if (request.root) {
            const auto pc = ParseNoteArgument(*request.root);
            if (!pc)
                return "unknown root note " + Quoted(*request.root);
            root = *pc;
        }
        PickRoot(state, root);
        if (request.bass) {
            const auto pc = ParseNoteArgument(*request.bass);
            if (!pc)
                return "unknown bass note " + Quoted(*request.bass);
            PickBass(state, *pc);
        }

        if (request.type) {
            const auto row = FindChordType(*request.type);
            if (!row)
                return "unknown chord type " + Quoted(*request.type);
            PickChordType(state, *row);
        } else if (request.ext) {
            for (const std::string& caption : SplitOn(*request.ext, ',')) {
                const auto item = FindExtension(caption);
                if (!item)
                    return "unknown extension " + Quoted(caption);
                const auto k = static_cast<size_t>(*item);
                if (state.checked[k])
                    continue;
                if (!ToggleExtension(state, *item))
                    warnings.push_back(
                        "extension " + Quoted(caption) + " is greyed out: the chord is at its note limit");
            }
        } else if (request.intervals) {
            if (!IsIntervalList(*request.intervals))
                return "malformed interval list " + Quoted(*request.intervals)
                    + " (two-digit entries 00..11, single blanks, starting with 00)";
            state.chordIntervals = *request.intervals;
        }
        return {};
    }

} // namespace

Evaluation Evaluate(const ChordRequest& request)
{
    Evaluation ev;
    ev.selection = StartupSelection();
    SelectionState& state = ev.selection;

    ev.error = ApplyChord(request, state, ev.warnings);
    if (!ev.error.empty())
        return ev;

    for (auto [text, interval, what] : { std::tuple { &request.third, &state.thirdInterval, "third" },
             std::tuple { &request.fifth, &state.fifthInterval, "fifth" } }) {
        if (!*text)
            continue;
        const auto v = ParseInt(**text);
        if (!v || *v < 0 || *v > 11) {
            ev.error = std::string(what) + " must be a number of semitones 0..11, not " + Quoted(**text);
            return ev;
        }
        *interval = *v;
    }

    SearchOptions options;
    if (request.tuning) {
        const auto tuning = ParseTuning(*request.tuning);
        if (!tuning) {
            ev.error = "unknown tuning " + Quoted(*request.tuning)
                + " (a preset such as \"Drop D\", or six pitch classes such as \"2 9 2 7 11 4\")";
            return ev;
        }
        options.tuning = *tuning;
    }
    if (request.upTo) {
        const auto v = ParseInt(*request.upTo);
        if (!v || (*v != 6 && *v != 12 && *v != 18 && *v != 24)) {
            ev.error = "up-to fret must be 6, 12, 18 or 24, not " + Quoted(*request.upTo);
            return ev;
        }
        options.fretLimit = *v;
    }
    if (request.distance) {
        const auto v = ParseInt(*request.distance);
        if (!v || *v < 2 || *v > 5) {
            ev.error = "distance must be 2, 3, 4 or 5, not " + Quoted(*request.distance);
            return ev;
        }
        options.span = *v;
    }
    options.omit3 = request.omit3;
    options.omit5 = request.omit5;
    options.easy = request.easy;
    options.noBarre = request.noBarre;
    if (request.flats)
        SetRootSpelling(state, Spelling::Flat);

    const RefreshInput input = FromSelection(state, options);
    ev.noteList = NoteListText(input);
    ev.result = ComputeRefresh(input);
    if (!ev.result.error.empty())
        ev.error = ev.result.error;
    return ev;
}

} // namespace corvane::cli
