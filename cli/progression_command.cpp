// The progression subcommand: one fingering per chord, in each of its formats.
#include "cli/progression_command.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/formats.h"
#include "cli/json_output.h"
#include "drawing/svg_sheet.h"
#include "guitar/instrument_progression.h"
#include "guitar/progression.h"

#include "song/spelling.h"
#include "theory/key_guess.h"
#include "theory/notation.h"

namespace corvane::cli {

namespace {

    constexpr int kSomeLeftOut = 1;
    constexpr int kBadInput = 2;

    // "x 3 2 0 1 0": the frets without barre marks, x for a muted string; one per string on any
    // instrument ("0 0 0 3" on the ukulele).
    std::string ChosenFrets(const Frets& v)
    {
        std::string out;
        for (int value : v) {
            out += out.empty() ? "" : " ";
            out += value == kMuted ? "x" : std::to_string(std::abs(value));
        }
        return out;
    }

    // What was chosen, and the capo the frets count from. `instrument` is empty where the outputs do
    // not name it (InstrumentChoice::named); otherwise its name, which the JSON gives.
    struct Output {
        const StringProgressionChoice& choice;
        int capo = 0;
        std::string instrument;
        std::string strings; // "G4 C4 E4 A4", with the instrument
        OpenStrings bassMark {}; // the open notes the diagrams' bass marks read
        std::string key; // the key given with --key, or guessed from the chords
        bool keyGuessed = false;
        std::vector<std::string> typed; // each chord as written, before numbers or another notation became letters
    };

    // One line per chord: its text, a tab and the chosen frets, or "-" when it was left out; first a
    // line "capo N" when the frets count from a capo.
    void WriteFrets(const Output& chosen, std::ostream& out)
    {
        if (chosen.capo > 0)
            out << "capo " << chosen.capo << '\n';
        for (const StringChordChoice& chord : chosen.choice.chords)
            out << chord.text << '\t' << (chord.Chosen() ? ChosenFrets(chord.Chosen()->frets) : "-") << '\n';
    }

    void WriteJson(const Output& chosen, std::ostream& out)
    {
        const StringProgressionChoice& choice = chosen.choice;
        nlohmann::ordered_json json;
        if (!chosen.instrument.empty()) {
            json["instrument"] = chosen.instrument;
            json["strings"] = chosen.strings;
        }
        json["capo"] = chosen.capo;
        if (!chosen.key.empty())
            json["key"] = chosen.key;
        if (chosen.keyGuessed)
            json["keyGuessed"] = true;
        auto chords = nlohmann::ordered_json::array();
        for (std::size_t k = 0; k < choice.chords.size(); ++k) {
            const StringChordChoice& chord = choice.chords[k];
            nlohmann::ordered_json item;
            item["text"] = k < chosen.typed.size() ? chosen.typed[k] : chord.text;
            item["name"] = chord.text;
            item["beats"] = chord.beats;
            item["reading"] = NameReadingJson(chord.reading, chord.read);
            item["chosen"] = chord.Chosen() ? nlohmann::ordered_json(chord.Chosen()->Text()) : nullptr;
            item["cost"] = chord.cost;
            if (!chord.problem.empty())
                item["problem"] = chord.problem;
            chords.push_back(std::move(item));
        }
        json["chords"] = std::move(chords);
        json["total"] = choice.total;
        json["problems"] = choice.problems;
        out << json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    }

    // One definition per chord and fingering, in the order they first come; a chord played again
    // with the same fingering is defined once. The capo, when there is one, comes first as the
    // format's own directive, which song-sheet programs show above the song.
    void WriteChordPro(const Output& chosen, std::ostream& out)
    {
        if (chosen.capo > 0)
            out << "{capo: " << chosen.capo << "}\n";
        std::vector<std::string> written;
        const auto sheet = SongSheetOf(chosen.choice);
        for (std::size_t i = 0; i < sheet.diagrams.size(); ++i) {
            std::string line = ChordProDefine(sheet.names[i], sheet.diagrams[i]);
            if (std::find(written.begin(), written.end(), line) != written.end())
                continue;
            out << line << '\n';
            written.push_back(std::move(line));
        }
    }

    // The song sheet: every chord played, in order, with its name above its diagram.
    void WriteSvg(const Output& chosen, std::ostream& out)
    {
        const auto sheet = SongSheetOf(chosen.choice);
        WriteSvgSongSheet(out, sheet.diagrams, sheet.names, {}, export_sheet::kDefaultColumns, false, chosen.bassMark);
    }

    // Every output format: its name for --format and its writer.
    struct Format {
        const char* name;
        void (*write)(const Output&, std::ostream&);
    };
    constexpr std::array kFormats {
        Format { "frets", WriteFrets },
        Format { "chordpro", WriteChordPro },
        Format { "svg", WriteSvg },
        Format { "json", WriteJson },
    };

    // "5-9": the lowest and the highest fret, 1..27.
    std::optional<FretWindow> ParseWindow(const std::string& text)
    {
        FretWindow window;
        const char* end = text.data() + text.size();
        auto [dash, ec] = std::from_chars(text.data(), end, window.lowest);
        if (ec != std::errc {} || dash == end || *dash != '-')
            return std::nullopt;
        auto [rest, ec2] = std::from_chars(dash + 1, end, window.highest);
        if (ec2 != std::errc {} || rest != end || window.lowest < 1 || window.highest > 27
            || window.lowest > window.highest)
            return std::nullopt;
        return window;
    }

} // namespace

void AddSearchOptions(CLI::App& command, ChordRequest& request)
{
    auto text = [&](const char* name, std::optional<std::string>& field, const char* help) {
        command.add_option_function<std::string>(
            name, [&field](const std::string& v) { field = v; }, help);
    };
    text("--tuning", request.tuning,
        "a preset such as \"Drop D\", or six notes \"D A D G B E\" or pitch classes \"2 9 2 7 11 4\"");
    text("--up-to", request.upTo, "highest bass fret: 6, 12, 18 or 24 (default 12)");
    text("--distance", request.distance, "finger span: 2, 3, 4 or 5 (default 5)");
    text("--capo", request.capo, "capo fret 0..11: frets count from the capo, names are of the chord that sounds");
    text("--instrument", request.instrument,
        "guitar (default), 7-string-guitar, ukulele, baritone-ukulele, tenor-guitar or mandolin; --tuning then gives "
        "its strings' notes");
    command.add_flag("--omit3", request.omit3, "leave out the third");
    command.add_flag("--omit5", request.omit5, "leave out the fifth");
    command.add_flag("--easy", request.easy, "easy chords only");
    command.add_flag("--no-barre", request.noBarre, "no barre at the lowest fret");
}

ProgressionCommand::ProgressionCommand(CLI::App& app)
    : m_command(app.add_subcommand("progression", "choose one fingering per chord, with the least hand movement"))
{
    m_command->add_option("chords", m_text, "the chords, one per word; | bars, x2 repeats, C:2 beats")->required();
    std::vector<std::string> names;
    for (const Format& format : kFormats)
        names.emplace_back(format.name);
    m_command
        ->add_option("--format", m_format,
            "output: one line of frets per chord, ChordPro definitions, an SVG song sheet, or one JSON object")
        ->check(CLI::IsMember(names));
    m_command->add_option("--keep-position", m_keepPosition, "stay within these frets, e.g. 5-9");
    m_command->add_flag("--anywhere", m_anywhere, "let the first chord start anywhere, not near the nut");
    m_command->add_flag("--loop", m_loop, "the last chord moves back to the first");
    m_command->add_option_function<std::string>(
        "--key", [this](const std::string& v) { m_key = v; },
        "the key numbers (1 4 5m) and numerals (I IV vi) count from, e.g. G or Em");
    m_command->add_option_function<std::string>(
        "--notation", [this](const std::string& v) { m_notation = v; },
        "the chords are written in: lead-sheet (default), german, latin, nashville, roman");
    AddSearchOptions(*m_command, m_search);
    m_command->get_option("--capo")->description(
        "capo fret 0..11: frets count from the capo, names are of the chord that sounds; \"auto\" tries 0.."
        + std::to_string(kSuggestedCapoHighest) + " and takes the one whose shapes are easiest");
}

int ProgressionCommand::Run() const
{
    ProgressionOptions options;
    ChordRequest search = m_search;
    const bool autoCapo = search.capo == "auto";
    if (autoCapo)
        search.capo.reset();
    if (const std::string error = ReadSearchOptions(search, options.search); !error.empty()) {
        std::cerr << "corvane-cli: " << error << '\n';
        return kBadInput;
    }
    InstrumentChoice instrument;
    if (const std::string error
        = ReadInstrumentChoice(m_search.instrument, m_search.tuning, options.search.tuning, instrument);
        !error.empty()) {
        std::cerr << "corvane-cli: " << error << '\n';
        return kBadInput;
    }
    if (!m_keepPosition.empty()) {
        options.keepPosition = ParseWindow(m_keepPosition);
        if (!options.keepPosition) {
            std::cerr << "corvane-cli: keep-position must be two frets 1..27 such as 5-9, not \"" << m_keepPosition
                      << "\"\n";
            return kBadInput;
        }
    }
    options.startNear = !m_anywhere;
    options.loop = m_loop;

    Notation notation = Notation::Parts;
    if (const std::string error = ReadNotationOption(m_notation, notation, true); !error.empty()) {
        std::cerr << "corvane-cli: " << error << '\n';
        return kBadInput;
    }
    std::optional<NotationKey> key;
    if (m_key) {
        const auto read = ReadKey(*m_key);
        if (!read) {
            std::cerr << "corvane-cli: unknown key \"" << *m_key << "\" (a key such as G, Bb or F#m)\n";
            return kBadInput;
        }
        key = KeyOf(read->tonic, read->minor);
        key->spelling = KeyName(*read).find('b', 1) != std::string::npos ? Spelling::Flat : key->spelling;
    }
    ProgressionText parsed = ParseProgression(m_text);
    std::vector<std::string> typed;
    for (const ProgressionEntry& entry : parsed.entries)
        typed.push_back(entry.chord);
    // The chords in letters: the notation's reader first, then numbers and numerals when a key is given.
    for (ProgressionEntry& entry : parsed.entries) {
        for (const Notation reader :
            { notation, key ? Notation::Nashville : Notation::Parts, key ? Notation::Roman : Notation::Parts }) {
            if (reader == Notation::Parts || reader == Notation::LeadSheet)
                continue;
            const LeadSheetChord chord = ReadChordIn(entry.chord, reader, key);
            if (chord.Complete()) {
                entry.chord = chord.canonical;
                break;
            }
        }
    }
    for (const std::string& problem : parsed.problems)
        std::cerr << "corvane-cli: " << problem << '\n';
    if (parsed.entries.empty()) {
        std::cerr << "corvane-cli: no chords in \"" << m_text << "\"\n";
        return kBadInput;
    }
    // Without --key, the key the chords suggest: numbers and numerals count from it.
    bool keyGuessed = false;
    if (!key) {
        std::vector<std::string> names;
        for (const ProgressionEntry& entry : parsed.entries)
            names.push_back(entry.chord);
        key = GuessKeyOfNames(names);
        keyGuessed = key.has_value();
    }
    const std::string keyName
        = key ? std::string(NoteName(key->tonic, key->spelling)) + (key->minor ? "m" : "") : std::string();
    const Format& format
        = *std::find_if(kFormats.begin(), kFormats.end(), [&](const Format& f) { return m_format == f.name; });
    const StringSet& strings = instrument.set;
    StringCapoSuggestion chosen;
    if (autoCapo) {
        chosen = SuggestInstrumentCapo(parsed.entries, options, strings);
    } else {
        chosen.capo = options.search.capo;
        chosen.choice = ChooseInstrumentProgression(parsed.entries, options, strings);
    }
    for (const std::string& problem : chosen.choice.problems)
        std::cerr << "corvane-cli: " << problem << '\n';
    // The frets and the sheet name the chords in the notation; JSON and ChordPro keep letters.
    if (notation != Notation::Parts && m_format != "json" && m_format != "chordpro") {
        for (auto& chord : chosen.choice.chords) {
            const LeadSheetChord read = ReadLeadSheetChord(chord.text);
            if (!read.Complete())
                continue;
            if (const auto written = WriteChordIn(read.root, read.intervals, read.bass, read.spelling, notation, key))
                chord.text = *written;
        }
    }
    format.write({ chosen.choice, chosen.capo, instrument.named ? instrument.name : std::string(),
                     instrument.named ? OpenStringsText(strings.strings) : std::string(), BassMarkStrings(strings),
                     keyName, keyGuessed, std::move(typed) },
        std::cout);
    return parsed.problems.empty() && chosen.choice.problems.empty() ? 0 : kSomeLeftOut;
}

} // namespace corvane::cli
