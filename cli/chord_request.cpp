// A chord request's values checked and searched on its instrument.
#include "cli/chord_request.h"

#include <charconv>
#include <tuple>

#include "cli/arguments.h"
#include "cli/formats.h"
#include "cli/identify_command.h"
#include "guitar/tuning.h"
#include "theory/catalogue.h"
#include "theory/differing_readings.h"
#include "theory/interval_list.h"
#include "theory/name_reading.h"
#include "theory/typed_chord.h"

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

    // Chooses the chord on the selection state as the window's controls would.
    std::string ApplyChord(const ChordRequest& request, Notation notation, SelectionState& state,
        std::vector<std::string>& warnings, std::vector<std::string>& unread)
    {
        const int given
            = (request.type ? 1 : 0) + (request.ext ? 1 : 0) + (request.intervals ? 1 : 0) + (request.name ? 1 : 0);
        if (given > 1)
            return "give at most one of --type, --ext, --intervals and --name";

        // A lead-sheet symbol is read as the progression and the song read their chords.
        if (request.symbol) {
            if (given > 0)
                return "--symbol gives the chord: leave out --type, --ext, --intervals and --name";
            if (request.root || request.bass)
                return "--symbol gives the root and the bass: leave out --root and --bass";
            const SongChord song = ReadSongChord(*request.symbol);
            if (!song.rootRead || song.state.rootIndex == kNoPitch)
                return "the symbol " + Quoted(*request.symbol) + " does not start with a note name";
            if (!song.unread.empty())
                return "in the symbol " + Quoted(*request.symbol) + ", not understood: " + UnreadText(song.unread);
            state = song.state;
            return {};
        }

        // A typed name brings its own root and bass, as the search button reads them.
        if (request.name) {
            if (request.root || request.bass)
                return "--name gives the root and the bass: leave out --root and --bass";
            // Another notation's reader comes first; the box reads what it does not.
            if (notation != Notation::Parts) {
                const LeadSheetChord chord = ReadChordIn(*request.name, notation, std::nullopt);
                if (chord.Complete()) {
                    state = ReadSongChord(chord.canonical).state;
                    return {};
                }
            } else if (const auto differing = DifferingReadings(*request.name)) {
                warnings.push_back(*differing);
            }
            state.editText = *request.name;
            const NameBoxSearch search = SearchTypedChord(state);
            if (state.rootIndex == kNoPitch)
                return "the name " + Quoted(*request.name) + " does not start with a note name";
            unread = search.unread;
            if (!search.Understood())
                warnings.push_back("in the name " + Quoted(*request.name) + ", not understood: " + UnreadText(unread));
            return {};
        }

        PitchClass root = 0;
        if (request.root) {
            const auto pc = ParseNoteOption(*request.root);
            if (!pc)
                return "unknown root note " + Quoted(*request.root);
            root = *pc;
        }
        PickRoot(state, root);
        if (request.bass) {
            const auto pc = ParseNoteOption(*request.bass);
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

    ev.fromName = request.name.has_value();
    ev.fromSymbol = request.symbol.has_value();
    ev.error = ReadNotationOption(request.notation, ev.notation);
    if (!ev.error.empty())
        return ev;
    ev.error = ApplyChord(request, ev.notation, state, ev.warnings, ev.unread);
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
    ev.error = ReadSearchOptions(request, options);
    if (!ev.error.empty())
        return ev;
    if (request.flats)
        SetRootSpelling(state, Spelling::Flat);

    ev.error = ReadInstrumentChoice(request.instrument, request.tuning, options.tuning, ev.instrument);
    if (!ev.error.empty())
        return ev;

    // A symbol asks as a song does: a chord too large for the strings leaves tones out, on the
    // six-string guitar too.
    if (ev.fromSymbol)
        ev.instrument.set.dropTones = true;
    const RefreshInput input = FromSelection(state, options);
    ev.noteList = NoteListText(input);
    ev.result = ComputeInstrumentRefresh(input, ev.instrument.set);
    if (!ev.result.error.empty())
        ev.error = ev.result.error;
    ev.result.names = NamesIn(ev.result.names, ev.result.chordTones, state.bassIndex, GridNames(state.rootSpelling),
        ev.notation, std::nullopt);
    ev.shownName = ev.fromSymbol ? *request.symbol
        : request.intervals      ? FirstName(ev.result.names)
                                 : (request.name ? state.editText : state.ShownName());
    const std::string said(TrimBlanks(ev.shownName));
    ev.leftOut = LeftOutHeadingOf(ev.result, said, ev.instrument.set);
    if (!ev.result.emptyReason.empty())
        ev.emptyLine = said + ": " + ev.result.emptyReason;
    return ev;
}

std::string ReadNotationOption(const std::optional<std::string>& word, Notation& notation, bool countsFromKey)
{
    notation = Notation::Parts;
    if (!word)
        return {};
    const auto parsed = ParseNotation(*word);
    if (!parsed)
        return "unknown notation " + Quoted(*word) + " (parts, lead-sheet, german, latin, nashville or roman)";
    if (CountsFromKey(*parsed) && !countsFromKey)
        return "the notation " + Quoted(*word) + " counts from a key: it serves progression and song";
    notation = *parsed;
    return {};
}

std::string ReadSearchOptions(const ChordRequest& request, SearchOptions& options)
{
    if (request.tuning) {
        // A tuning of other strings is read with the instrument (ReadInstrumentChoice).
        const auto tuning = ParseTuningOption(*request.tuning);
        if (tuning)
            options.tuning = *tuning;
        else if (TakesTuningPresets(request.instrument))
            return "unknown tuning " + Quoted(*request.tuning)
                + " (a preset such as \"Drop D\", or six notes such as \"D A D G B E\")";
    }
    if (request.upTo) {
        const auto v = ParseInt(*request.upTo);
        if (!v || (*v != 6 && *v != 12 && *v != 18 && *v != 24)) {
            return "up-to fret must be 6, 12, 18 or 24, not " + Quoted(*request.upTo);
        }
        options.fretLimit = *v;
    }
    if (request.distance) {
        const auto v = ParseInt(*request.distance);
        if (!v || *v < 2 || *v > 5) {
            return "distance must be 2, 3, 4 or 5, not " + Quoted(*request.distance);
        }
        options.span = *v;
    }
    if (request.capo) {
        const auto capo = ParseCapoArgument(*request.capo);
        if (!capo)
            return CapoError(*request.capo);
        options.capo = *capo;
    }
    options.omit3 = request.omit3;
    options.omit5 = request.omit5;
    options.easy = request.easy;
    options.noBarre = request.noBarre;
    return {};
}

} // namespace corvane::cli
