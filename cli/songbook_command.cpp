// corvane-cli songbook: the songs gathered, given their fingerings, laid out and written.
#include "cli/songbook_command.h"

#include <ctime>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unistd.h>

#include "cli/chord_request.h"
#include "cli/instrument_options.h"
#include "cli/songbook_pdf.h"
#include "cli/written_text.h"
#include "song/songbook_songs.h"

namespace corvane::cli {

namespace {

    constexpr int kBadInput = 2;

    std::string Today()
    {
        const std::time_t now = std::time(nullptr);
        std::tm local {};
        localtime_r(&now, &local);
        char text[16];
        std::strftime(text, sizeof text, "%Y-%m-%d", &local);
        return text;
    }

    void WritePlanJson(const BookPlan& plan, const std::vector<BookSong>& songs, std::ostream& out)
    {
        nlohmann::ordered_json json;
        json["title"] = plan.title;
        json["pages"] = plan.pages.size();
        auto list = nlohmann::ordered_json::array();
        for (std::size_t song : plan.order)
            list.push_back(
                { { "title", songs[song].title }, { "artist", songs[song].artist }, { "file", songs[song].file },
                    { "firstPage", plan.places[song].firstPage }, { "pages", plan.places[song].pages } });
        json["songs"] = std::move(list);
        auto contents = nlohmann::ordered_json::array();
        auto artists = nlohmann::ordered_json::array();
        std::string artist;
        for (const ContentsLine& line : plan.contents) {
            if (line.artist)
                artist = line.text;
            else if (line.byArtist)
                artists.push_back({ { "artist", artist }, { "title", line.text }, { "page", line.page } });
            else
                contents.push_back({ { "title", line.text }, { "page", line.page } });
        }
        json["contents"] = std::move(contents);
        if (!artists.empty())
            json["artists"] = std::move(artists);
        out << json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    }

} // namespace

SongbookCommand::SongbookCommand(CLI::App& app)
    : m_command(app.add_subcommand("songbook", "make one book of many songs: a cover, contents and every song"))
{
    m_command->add_option("files", m_paths, "song files, and folders whose song files all go in");
    m_command->add_option("--setlist", m_setlist, "the songs of a setlist, in its order, with its keys and capos");
    m_command->add_option("--title", m_title, "the book's title (default: the setlist's, or \"Songbook\")");
    m_command->add_option("--subtitle", m_subtitle, "under the title on the cover (default: the count of songs)");
    m_command->add_flag("--two-sided", m_twoSided, "printed on both sides: a two-page song begins on a left page");
    m_command->add_flag("--compact", m_compact, "short songs share a page when they fit");
    m_command->add_option("--format", m_format, "pdf (the book; needs the Qt program) or json (its plan)")
        ->check(CLI::IsMember({ "pdf", "json" }));
    m_command->add_option("--out", m_out, "write to this file instead of stdout");
    m_command->add_option("--instrument", m_instrument,
        "guitar (default), 7-string-guitar, ukulele, baritone-ukulele, tenor-guitar or mandolin: the fingerings and "
        "diagrams are the instrument's");
    m_command->add_option("--tuning", m_tuning, "with --instrument: one of its tunings, or its strings' notes");
    m_command->add_option_function<std::string>(
        "--notation", [this](const std::string& v) { m_notation = v; },
        "chord names in: parts (default, as written), lead-sheet, german, latin, nashville, roman");
}

int SongbookCommand::Run() const
{
    if (m_paths.empty() && m_setlist.empty()) {
        std::cerr << "corvane-cli: songbook needs song files, folders or --setlist FILE\n";
        return kBadInput;
    }
    if (m_format == "pdf" && m_out.empty() && isatty(STDOUT_FILENO)) {
        std::cerr << "corvane-cli: a pdf file is not written to a terminal; give --out FILE or redirect\n";
        return kBadInput;
    }
    BookInstrument played;
    InstrumentChoice instrument;
    std::string error = ReadInstrumentOptions(m_instrument, m_tuning, played.search, instrument);
    if (error.empty())
        error = ReadNotationOption(m_notation, played.notation, true);
    if (!error.empty()) {
        std::cerr << "corvane-cli: " << error << '\n';
        return kBadInput;
    }
    // The six-string guitar's book reads as its song sheets do; another instrument is named on each.
    if (instrument.named) {
        played.strings = &instrument.set;
        played.line = instrument.description;
    }

    BookOptions options;
    options.twoSided = m_twoSided;
    options.compact = m_compact;
    options.date = Today();
    std::vector<std::string> problems;
    std::vector<BookSource> sources;
    if (!m_setlist.empty()) {
        const SetlistReading reading = ReadSetlistFile(m_setlist);
        if (!reading.refused.empty()) {
            std::cerr << "corvane-cli: " << m_setlist << ": " << reading.refused << '\n';
            return kBadInput;
        }
        for (const SongProblem& problem : reading.problems)
            std::cerr << "corvane-cli: " << m_setlist << ": " << problem.Text() << '\n';
        if (!reading.setlist.title.empty())
            options.title = reading.setlist.title;
        // A setlist is played in its order: no song moves forward to fill a page.
        options.keepOrder = true;
        sources = BookSourcesOf(reading.setlist, std::filesystem::path(m_setlist).parent_path().string());
    }
    for (BookSource& source : BookSourcesOf(m_paths, problems))
        sources.push_back(std::move(source));
    const std::vector<LoadedSong> loaded
        = LoadBookSongs(sources, problems, instrument.set.strings.count, std::string(instrument.name));
    for (const std::string& problem : problems)
        std::cerr << "corvane-cli: " << problem << '\n';
    if (loaded.empty()) {
        std::cerr << "corvane-cli: no song could be read; no book made\n";
        return kBadInput;
    }
    std::vector<BookSong> songs;
    songs.reserve(loaded.size());
    for (const LoadedSong& song : loaded)
        songs.push_back(BookSongOf(song, played));
    if (m_title)
        options.title = *m_title;
    options.subtitle = !m_subtitle.empty() ? m_subtitle
        : songs.size() == 1                ? std::string("1 song")
                                           : std::to_string(songs.size()) + " songs";
    const BookPlan plan = LayOutBook(songs, options);

    std::ostringstream text;
    if (m_format == "json") {
        WritePlanJson(plan, songs, text);
    } else if (error = WriteSongbookPdfTo(text, plan, songs); !error.empty()) {
        std::cerr << "corvane-cli: " << error << '\n';
        return kBadInput;
    }
    return WriteText(text.str(), m_out) ? 0 : kBadInput;
}

} // namespace corvane::cli
