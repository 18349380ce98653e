// The voicings and diagram subcommands' outputs, in every format and on any instrument.
#include "cli/output_commands.h"

#include "cli/arguments.h"
#include "cli/json_output.h"
#include "drawing/diagram_facts.h"
#include "drawing/svg_sheet.h"
#include "guitar/fingering_text.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace corvane::cli {

namespace {

    int Refuse(const std::string& why)
    {
        std::cerr << "corvane-cli: " << why << '\n';
        return kBadOutputInput;
    }

    // Opens the output, writes through `write`, and reports a failed write. `write` returns an
    // error text, empty on success.
    template <typename Write> int Emit(const OutputOptions& options, bool binary, Write write)
    {
        if (binary && options.out.empty() && isatty(STDOUT_FILENO))
            return Refuse("PNG is binary and stdout is a terminal: give --out FILE or redirect the output");
        std::ofstream file;
        const bool toFile = !options.out.empty();
        if (toFile) {
            file.open(options.out, std::ios::binary | std::ios::trunc);
            if (!file) {
                std::cerr << "corvane-cli: cannot write \"" << options.out << "\"\n";
                return kWriteFailed;
            }
        }
        std::ostream& out = toFile ? static_cast<std::ostream&>(file) : std::cout;
        if (const std::string error = write(out); !error.empty()) {
            if (toFile) {
                file.close();
                std::remove(options.out.c_str());
            }
            return Refuse(error);
        }
        out.flush();
        if (!out) {
            std::cerr << "corvane-cli: writing " << (toFile ? "\"" + options.out + "\"" : std::string("stdout"))
                      << " failed\n";
            return kWriteFailed;
        }
        return 0;
    }

} // namespace

int WriteVoicings(const ChordRequest&, const Evaluation& ev, OutputOptions options, bool asJson)
{
    auto format = ParseFormat(options.format);
    if (!format)
        return Refuse("unknown format \"" + options.format + "\" (records, frets, chordpro, json, svg or png)");
    if (asJson) {
        if (options.format != "records" && *format != OutputFormat::Json)
            return Refuse("--json and --format " + options.format + " contradict each other");
        format = OutputFormat::Json;
    }
    if (options.columns < 1)
        return Refuse("--columns must be 1 or more");

    std::vector<Frets> frets;
    for (std::size_t i = 0; i < ev.result.records.size() && i < options.limit; ++i)
        frets.push_back(ev.result.records[i].frets);
    // The chord's name as the name box shows it. The names list is sorted by spelling, so its first
    // name is often another reading (F major lists "Am/5+/F" first); it serves only when the chord
    // was given as bare intervals, which have no name of their own.
    const std::string& name = ev.shownName;
    // Nothing found is said, with why, and is no success (the JSON is still written: it says why too);
    // what the voicings leave out is said as well.
    if (ev.result.records.empty() && !ev.emptyLine.empty()) {
        std::cerr << "corvane-cli: " << ev.emptyLine << '\n';
        if (*format == OutputFormat::Json)
            std::cout << ResultJson(ev, options.limit).dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
                      << '\n';
        return kNoVoicing;
    }
    if (!ev.leftOut.empty() && *format != OutputFormat::Json)
        std::cerr << "corvane-cli: " << ev.leftOut << '\n';
    return Emit(options, IsBinary(*format), [&](std::ostream& out) -> std::string {
        switch (*format) {
        case OutputFormat::Records:
            for (std::size_t i = 0; i < frets.size(); ++i)
                out << ev.result.records[i].Text() << '\n';
            return {};
        case OutputFormat::Frets:
            for (const Frets& f : frets)
                out << FingeringText(f) << '\n';
            return {};
        case OutputFormat::ChordPro:
            for (const Frets& f : frets)
                out << ChordProDefine(name, f) << '\n';
            return {};
        case OutputFormat::Json:
            out << ResultJson(ev, options.limit).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
            return {};
        case OutputFormat::Svg:
        case OutputFormat::Png:
            break;
        }
        SheetHeading heading { name, SheetDetails(ev.instrument.description, frets.size(), ev.result.records.size()) };
        if (!ev.result.leftOut.empty())
            heading.details += ", " + LeftOutSummary(ev.result.leftOut);
        const OpenStrings strings = BassMarkStrings(ev.instrument.set);
        if (*format == OutputFormat::Png)
            return WritePngSheet(out, frets, heading, options.columns, options.leftHanded, strings);
        WriteSvgSheet(out, frets, heading, options.columns, options.leftHanded, strings);
        return {};
    });
}

int WriteDiagram(const std::string& frets, const OutputOptions& options)
{
    const std::string formatName = options.format == "records" ? "svg" : options.format;
    const auto format = ParseFormat(formatName);
    if (!format || (*format != OutputFormat::Svg && *format != OutputFormat::Png))
        return Refuse("a diagram is drawn as svg or png, not \"" + formatName + "\"");
    const FingeringReading reading = ReadFingering(frets);
    if (!reading.error.empty())
        return Refuse(reading.error);
    // The diagram shows five frets; a fingering wider than that would lose fingers without a word.
    const DiagramFacts facts = ReadDiagram(reading.voicing);
    for (int value : reading.voicing) {
        const int fret = value < 0 ? -value : value;
        if (value != kMuted && fret > facts.baseFret + 4)
            return Refuse("fret " + std::to_string(fret) + " lies outside the five frets a diagram shows (from "
                + std::to_string(facts.baseFret) + ")");
    }
    const Frets diagram = FretsOfVoicing(reading.voicing);
    return Emit(options, IsBinary(*format), [&](std::ostream& out) -> std::string {
        if (*format == OutputFormat::Png)
            return WritePngSheet(out, std::span<const Frets>(&diagram, 1), {}, 1, options.leftHanded);
        WriteSvgDiagram(out, diagram, {}, options.leftHanded);
        return {};
    });
}

} // namespace corvane::cli
