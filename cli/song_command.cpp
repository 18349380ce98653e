// The song subcommand: a song file's chords and fingerings as text, ChordPro, JSON or sheets.
#include "cli/song_command.h"

#include <charconv>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unistd.h>

#include "cli/chord_request.h"
#include "cli/instrument_options.h"
#include "cli/song_pdf.h"
#include "cli/written_text.h"
#include "song/chordpro_reader.h"
#include "song/chordpro_writer.h"
#include "song/song_notation.h"
#include "song/song_sheet.h"
#include "song/song_svg.h"
#include "song/song_text.h"
#include "song/text_decoding.h"

namespace corvane::cli {

namespace {

    constexpr int kBadInput = 2;
    constexpr int kMaxTranspose = 24;
    constexpr int kMaxCapo = 11;

    const char* Kind(SongLineKind kind)
    {
        switch (kind) {
        case SongLineKind::Lyrics:
            return "lyrics";
        case SongLineKind::Comment:
            return "comment";
        case SongLineKind::CommentItalic:
            return "comment_italic";
        case SongLineKind::CommentBox:
            return "comment_box";
        case SongLineKind::Fixed:
            return "fixed";
        case SongLineKind::ChorusRecall:
            return "chorus";
        case SongLineKind::Kept:
            return "kept";
        }
        return "";
    }

    // `instrument` is null where the outputs do not name it (InstrumentChoice::named).
    template <class Chord>
    nlohmann::ordered_json SongJson(
        const ShownSong& shown, const std::vector<Chord>& strip, const InstrumentChoice* instrument)
    {
        nlohmann::ordered_json json;
        if (instrument) {
            json["instrument"] = instrument->name;
            json["strings"] = OpenStringsText(instrument->set.strings);
        }
        json["title"] = shown.title;
        json["subtitle"] = shown.subtitles.empty() ? std::string() : shown.subtitles.front();
        json["key"] = shown.soundingKey;
        if (shown.keyGuessed)
            json["keyGuessed"] = true;
        json["capo"] = shown.capo;
        json["transpose"] = shown.transpose;
        auto chords = nlohmann::ordered_json::array();
        for (const Chord& chord : strip) {
            nlohmann::ordered_json item;
            item["name"] = chord.name;
            if (chord.frets) {
                auto frets = nlohmann::ordered_json::array();
                for (int value : *chord.frets)
                    frets.push_back(value == kMuted ? -1 : std::abs(value));
                item["frets"] = std::move(frets);
            } else {
                item["frets"] = nullptr;
            }
            if (chord.defined)
                item["defined"] = true;
            chords.push_back(std::move(item));
        }
        json["chords"] = std::move(chords);
        auto lines = nlohmann::ordered_json::array();
        for (const ShownLine& line : shown.lines) {
            if (line.kind == SongLineKind::Kept || line.kind == SongLineKind::ChorusRecall)
                continue;
            nlohmann::ordered_json item;
            item["section"] = line.section >= 0 ? shown.sections[static_cast<size_t>(line.section)].kind : "";
            if (line.section >= 0 && !shown.sections[static_cast<size_t>(line.section)].label.empty())
                item["label"] = shown.sections[static_cast<size_t>(line.section)].label;
            if (line.kind != SongLineKind::Lyrics)
                item["kind"] = Kind(line.kind);
            if (line.recalled)
                item["recalled"] = true;
            item["text"] = line.text;
            auto placed = nlohmann::ordered_json::array();
            auto annotations = nlohmann::ordered_json::array();
            for (const ShownChord& chord : line.chords)
                (chord.annotation ? annotations : placed)
                    .push_back(nlohmann::ordered_json { { "at", chord.at }, { "name", chord.name } });
            item["chords"] = std::move(placed);
            if (!annotations.empty())
                item["annotations"] = std::move(annotations);
            lines.push_back(std::move(item));
        }
        json["lines"] = std::move(lines);
        auto problems = nlohmann::ordered_json::array();
        for (const SongProblem& problem : shown.problems)
            problems.push_back(problem.Text());
        for (const Chord& chord : strip)
            if (!chord.problem.empty())
                problems.push_back("chord \"" + chord.name + "\": " + chord.problem);
        json["problems"] = std::move(problems);
        if (!shown.notes.empty()) {
            auto notes = nlohmann::ordered_json::array();
            for (const SongProblem& note : shown.notes)
                notes.push_back(note.Text());
            json["notes"] = std::move(notes);
        }
        return json;
    }

    std::optional<int> ReadNumber(const std::string& text)
    {
        int value = 0;
        const char* begin = text.data() + (text.starts_with('+') ? 1 : 0);
        const auto [end, ec] = std::from_chars(begin, text.data() + text.size(), value);
        if (text.empty() || ec != std::errc {} || end != text.data() + text.size())
            return std::nullopt;
        return value;
    }

} // namespace

SongCommand::SongCommand(CLI::App& app)
    : m_command(app.add_subcommand("song", "read a ChordPro song or a chord sheet and write it as a song sheet"))
{
    m_command->add_option("file", m_file, "the song: ChordPro (.cho, .chopro, .pro ...) or chords over words")
        ->required();
    m_command->add_option("--transpose", m_transpose, "move the song by this many semitones, -24..24");
    m_command->add_option("--capo", m_capo,
        "play with a capo at this fret, 0..11, or auto for the capo whose shapes are easiest: the shapes are named");
    m_command
        ->add_option("--format", m_format,
            "text (chords over words), chordpro, json, svg, pdf, or png (the first page); pdf and png need the Qt "
            "program")
        ->check(CLI::IsMember({ "text", "chordpro", "json", "svg", "pdf", "png" }));
    m_command->add_option("--out", m_out, "write to this file instead of stdout");
    m_command->add_option_function<std::string>(
        "--notation", [this](const std::string& v) { m_notation = v; },
        "chord names in: parts (default, as written), lead-sheet, german, latin, nashville, roman");
    m_command->add_option("--instrument", m_instrument,
        "guitar (default), 7-string-guitar, ukulele, baritone-ukulele, tenor-guitar or mandolin: the fingerings and "
        "diagrams are the instrument's");
    m_command->add_option("--tuning", m_tuning, "with --instrument: one of its tunings, or its strings' notes");
}

int SongCommand::Run() const
{
    if (m_transpose < -kMaxTranspose || m_transpose > kMaxTranspose) {
        std::cerr << "corvane-cli: transpose must be -24..24 semitones, not " << m_transpose << '\n';
        return kBadInput;
    }
    SongSettings settings;
    settings.transpose = m_transpose;
    const bool autoCapo = m_capo == "auto";
    if (!m_capo.empty() && !autoCapo) {
        const auto capo = ReadNumber(m_capo);
        if (!capo || *capo < 0 || *capo > kMaxCapo) {
            std::cerr << "corvane-cli: capo must be a fret 0..11, not \"" << m_capo << "\"\n";
            return kBadInput;
        }
        settings.capo = *capo;
    }
    if ((m_format == "pdf" || m_format == "png") && m_out.empty() && isatty(STDOUT_FILENO)) {
        std::cerr << "corvane-cli: a " << m_format
                  << " file is not written to a terminal; give --out FILE or redirect\n";
        return kBadInput;
    }

    // The tuning and the instrument are read as `voicings` reads them.
    ProgressionOptions options;
    InstrumentChoice instrument;
    std::string error = ReadInstrumentOptions(m_instrument, m_tuning, options.search, instrument);
    if (!error.empty()) {
        std::cerr << "corvane-cli: " << error << '\n';
        return kBadInput;
    }

    // A {define} gives one fret per string of the instrument the song is played on.
    const SongReading reading = ReadSongFile(m_file, instrument.set.strings.count, std::string(instrument.name));
    if (!reading.Read()) {
        std::cerr << "corvane-cli: " << m_file << ": " << reading.refused << '\n';
        return kBadInput;
    }
    PlayedOn on;
    if (instrument.named) {
        on.instrument = instrument.name;
        on.tuning = OpenStringsText(instrument.set.strings);
    }
    std::vector<const Song*> songs { &reading.song };
    for (const Song& other : reading.others)
        songs.push_back(&other);
    Notation notation = Notation::Parts;
    if (const std::string bad = ReadNotationOption(m_notation, notation, true); !bad.empty()) {
        std::cerr << "corvane-cli: " << bad << '\n';
        return kBadInput;
    }

    // Each song of the file in turn: text and ChordPro one after the other, JSON as an array when
    // there are several, the PDF with each song from a new page.
    std::ostringstream text;
    nlohmann::ordered_json json = nlohmann::ordered_json::array();
    std::vector<SongSheetContent> sheets;
    for (size_t index = 0; index < songs.size(); ++index) {
        const Song& song = *songs[index];
        SongSettings songSettings = settings;
        std::string capoReason;
        if (autoCapo) {
            const CapoAdvice advice = AdviseInstrumentSongCapo(song, settings.transpose, instrument.set, options);
            songSettings.capo = advice.capo;
            capoReason = advice.reason;
        }
        const ShownSong read = ShowSong(song, songSettings, on);
        // The chords are chosen by their names in letters, then shown in the notation.
        ShownSong shown = read;
        WriteSongIn(shown, notation);
        const auto key = ShapeKeyOf(read);
        const auto notated = [&](auto strip) {
            for (auto& chord : strip)
                chord.name = SongChordIn(chord.name, notation, key);
            return strip;
        };
        for (const SongProblem& problem : shown.problems)
            std::cerr << "corvane-cli: " << m_file << ": " << problem.Text() << '\n';
        for (const SongProblem& note : shown.notes)
            std::cerr << "corvane-cli: " << m_file << ": " << note.Text() << '\n';

        // Another instrument's sheet says which instrument it is for, after the key line.
        const auto sheetOf = [&](const auto& strip) {
            SongSheetContent sheet = SongSheetOf(shown, strip);
            if (instrument.named)
                sheet.details += (sheet.details.empty() ? "" : " \u00B7 ") + instrument.description;
            sheet.strings = BassMarkStrings(instrument.set);
            return sheet;
        };
        const auto write = [&](const auto& strip) {
            for (const auto& chord : strip)
                if (!chord.problem.empty())
                    std::cerr << "corvane-cli: " << m_file << ": chord \"" << chord.name << "\": " << chord.problem
                              << '\n';
            if (m_format == "text")
                text << (index > 0 ? "\n" : "") << (capoReason.empty() ? "" : capoReason + "\n\n")
                     << SongText(shown, strip);
            else if (m_format == "chordpro")
                text << (index > 0 ? "{new_song}\n" : "") << WriteChordPro(shown, strip);
            else if (m_format == "json")
                json.push_back(SongJson(shown, strip, instrument.named ? &instrument : nullptr));
            else if (m_format == "svg" && index == 0)
                WriteSongSvg(sheetOf(strip), text);
            else if (m_format == "pdf" || (m_format == "png" && index == 0))
                sheets.push_back(sheetOf(strip));
        };
        write(notated(ChooseInstrumentSongFingerings(read, instrument.set, options.search)));
    }
    if (songs.size() > 1 && (m_format == "svg" || m_format == "png"))
        std::cerr << "corvane-cli: " << m_file << ": the " << m_format << " holds the first of the file's "
                  << songs.size() << " songs; text, chordpro, json and pdf hold them all\n";
    if (m_format == "json")
        text << (json.size() == 1 ? json.front() : json).dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
             << '\n';
    else if (m_format == "pdf")
        error = WriteSongPdfTo(text, sheets);
    else if (m_format == "png")
        error = WriteSongPngTo(text, sheets.front());
    if (!error.empty()) {
        std::cerr << "corvane-cli: " << error << '\n';
        return kBadInput;
    }

    return WriteText(text.str(), m_out) ? 0 : kBadInput;
}

} // namespace corvane::cli
