// corvane-cli: the chord engine from the command line, for scripted chord sheets.

#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "cli/chord_request.h"
#include "cli/identify_command.h"
#include "cli/json_output.h"
#include "cli/list_command.h"
#include "cli/output_commands.h"
#include "cli/progression_command.h"
#include "cli/song_command.h"
#include "cli/songbook_command.h"
#include "theory/lead_sheet.h"
#include "theory/name_reading.h"
#include "theory/notation.h"
#include "theory/typed_chord.h"

using namespace corvane;
using namespace corvane::cli;

namespace {

constexpr int kBadInput = 2;

void AddChordOptions(CLI::App& command, ChordRequest& request, bool& asJson)
{
    auto text = [&](const char* name, std::optional<std::string>& field, const char* help) {
        command.add_option_function<std::string>(
            name, [&field](const std::string& v) { field = v; }, help);
    };
    text("--root", request.root, "root note: a name such as C, F#, Bb, H, or a number 0..11");
    text("--bass", request.bass, "bass note (absent: the root)");
    text("--type", request.type, "a chord type of the chord-type list, e.g. m7, 7/9");
    text("--ext", request.ext, "comma-separated extension captions ticked in order, e.g. m,7");
    text("--intervals", request.intervals, "an interval list such as \"00 03 07 10\"");
    text("--name", request.name, "a chord name as typed in the name box, e.g. Dbm7/Ab");
    text("--symbol", request.symbol,
        "a lead-sheet chord symbol, read as progression and song read theirs, e.g. Cmaj9, G7b9, F#m7b5/E");
    text(
        "--notation", request.notation, "names written and --name read in: parts (default), lead-sheet, german, latin");
    text("--third", request.third, "semitones of the third read by --omit3 (default 4)");
    text("--fifth", request.fifth, "semitones of the fifth read by --omit5 (default 7)");
    AddSearchOptions(command, request);
    command.add_flag("--flats", request.flats, "name notes with flats in the names list");
    command.add_flag("--json", asJson, "print one JSON object");
}

int Report(const Evaluation& ev)
{
    for (const auto& warning : ev.warnings)
        std::cerr << "corvane-cli: " << warning << '\n';
    if (!ev.error.empty()) {
        std::cerr << "corvane-cli: " << ev.error << '\n';
        return kBadInput;
    }
    return 0;
}

void AddOutputOptions(CLI::App& command, OutputOptions& options, bool sheet)
{
    command.add_option("--format", options.format,
        sheet ? "records (default), frets, chordpro, json, svg or png" : "svg (default) or png");
    command.add_option("--out", options.out, "write to this file instead of stdout");
    command.add_flag("--left-handed", options.leftHanded, "draw the diagrams mirrored for left-handed players");
    if (!sheet)
        return;
    command.add_option("--columns", options.columns, "diagrams across an svg or png sheet (default 6)")
        ->check(CLI::PositiveNumber);
    command.add_option("--limit", options.limit, "keep the first N results, in sheet order");
}

// Exit status 0 when the whole symbol was read, 1 when some of it was not, 2 without a root.
int PrintChord(const std::string& symbol, bool asJson, Notation notation)
{
    const LeadSheetChord chord = ReadChordIn(symbol, notation, std::nullopt);
    if (asJson) {
        std::cout << LeadSheetJson(chord).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } else if (chord.root != kNoPitch) {
        const auto numbers = [](const std::vector<int>& values) {
            std::string text;
            for (int v : values)
                text += (text.empty() ? "" : " ") + std::to_string(v);
            return text;
        };
        const auto written = notation == Notation::Parts || notation == Notation::LeadSheet
            ? std::nullopt
            : WriteChordIn(chord.root, chord.intervals, chord.bass, chord.spelling, notation, std::nullopt);
        std::cout << "chord: " << written.value_or(chord.canonical) << '\n'
                  << "root: " << chord.root << '\n'
                  << "bass: " << chord.bass << '\n'
                  << "pitchClasses: " << numbers(chord.PitchClasses()) << '\n'
                  << "intervals: " << numbers(chord.intervals) << '\n';
    }
    const std::string unread = UnreadText(chord.unread);
    if (chord.root == kNoPitch) {
        std::cerr << "corvane-cli: \"" << symbol << "\" does not start with a note name\n";
        return kBadInput;
    }
    if (!unread.empty()) {
        std::cerr << "corvane-cli: in \"" << symbol << "\", not understood: " << unread << '\n';
        return 1;
    }
    return 0;
}

int RunBatch()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        ChordRequest request;
        std::string error = RequestFromJson(line, request);
        nlohmann::ordered_json out;
        if (error.empty()) {
            const Evaluation ev = Evaluate(request);
            error = ev.error;
            if (error.empty())
                out = ResultJson(ev);
        }
        if (!error.empty())
            out = nlohmann::ordered_json { { "error", error } };
        std::cout << out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app { "Corvane Chords on the command line: every fingering and every name of a chord." };
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("corvane-cli ") + CORVANE_VERSION);

    ChordRequest request;
    bool asJson = false;
    auto* voicings = app.add_subcommand("voicings", "print one result record per line, in sheet order");
    auto* names = app.add_subcommand("names", "print the names of the chord, one per line");
    app.add_subcommand("batch", "read one JSON request per line, write one JSON result per line");
    std::string typedName;
    auto* parse = app.add_subcommand("parse", "read a chord name as the search button does and print the state");
    parse->add_option("name", typedName, "the chord name as typed, e.g. Dbm7/Ab")->required();
    std::string symbol;
    auto* chord = app.add_subcommand("chord", "read a lead-sheet chord symbol and print its notes");
    chord->add_option("symbol", symbol, "the chord symbol, e.g. F#m7b5, C7(b9), D/F#")->required();
    chord->add_flag("--json", asJson, "print one JSON object: root, bass, pitchClasses, intervals, unread");
    std::optional<std::string> notationWord;
    for (auto* command : { parse, chord })
        command->add_option_function<std::string>(
            "--notation", [&notationWord](const std::string& v) { notationWord = v; },
            "read (and write) in: parts (default), lead-sheet, german, latin");
    AddChordOptions(*voicings, request, asJson);
    AddChordOptions(*names, request, asJson);
    IdentifyRequest identifyRequest;
    auto* identify = AddIdentifyCommand(app, identifyRequest);
    const ProgressionCommand progression(app);
    const SongCommand song(app);
    const SongbookCommand songbook(app);
    OutputOptions output;
    AddOutputOptions(*voicings, output, true);
    std::string diagramFrets;
    auto* diagram = app.add_subcommand("diagram", "draw one fingering, e.g. --frets \"x 3 2 0 1 0\"");
    diagram
        ->add_option("--frets", diagramFrets, "six frets, lowest string first: x32010, \"x 3 2 0 1 0\", -1 for a barre")
        ->required();
    AddOutputOptions(*diagram, output, false);
    std::string listName;
    auto* list = app.add_subcommand("list", "print the words an option accepts, one per line");
    list->add_option("what", listName, "types, extensions, tunings, patches or instruments")
        ->required()
        ->check(CLI::IsMember(std::vector<std::string>(std::begin(kListNames), std::end(kListNames))));

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "corvane-cli: " << e.what() << '\n';
        return kBadInput;
    }

    if (progression.Chosen())
        return progression.Run();
    if (song.Chosen())
        return song.Run();
    if (songbook.Chosen())
        return songbook.Run();
    const auto* command = app.get_subcommands().front();
    if (command->get_name() == "batch")
        return RunBatch();
    if (command == identify)
        return RunIdentify(identifyRequest, std::cout, std::cerr);
    Notation notation = Notation::Parts;
    if (const std::string error = ReadNotationOption(notationWord, notation); !error.empty()) {
        std::cerr << "corvane-cli: " << error << '\n';
        return kBadInput;
    }
    if (command == parse) {
        SelectionState state = StartupSelection();
        state.editText = typedName;
        // Another notation's reader first: the box then holds what its letters say.
        if (notation != Notation::Parts) {
            const LeadSheetChord chord = ReadChordIn(typedName, notation, std::nullopt);
            if (chord.Complete())
                state.editText = ReadSongChord(chord.canonical).nameBoxText;
        }
        const NameBoxSearch search = SearchTypedChord(state);
        std::cout << NameBoxSearchJson(state, search).dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
                  << '\n';
        return 0;
    }
    if (command == chord)
        return PrintChord(symbol, asJson, notation);

    if (command == list)
        return PrintList(listName, std::cout) ? 0 : kBadInput;
    if (command == diagram)
        return WriteDiagram(diagramFrets, output);

    const Evaluation ev = Evaluate(request);
    if (const int status = Report(ev))
        return status;
    if (command == voicings)
        return WriteVoicings(request, ev, output, asJson);
    if (asJson) {
        std::cout << ResultJson(ev).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } else {
        for (const auto& name : ev.result.names)
            std::cout << name << '\n';
    }
    return 0;
}
