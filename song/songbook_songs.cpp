// Song files gathered, read and made ready for a book.
#include "song/songbook_songs.h"

#include <algorithm>
#include <filesystem>

#include "song/ascii_text.h"
#include "song/chordpro_reader.h"
#include "song/song_notation.h"

namespace corvane {

namespace {

    bool IsSongFile(const std::filesystem::path& path)
    {
        static const char* const kExtensions[] = { ".cho", ".chopro", ".chordpro", ".crd", ".pro", ".txt" };
        const std::string extension = AsciiLower(path.extension().string());
        return std::any_of(
            std::begin(kExtensions), std::end(kExtensions), [&](const char* known) { return extension == known; });
    }

} // namespace

std::vector<BookSource> BookSourcesOf(const std::vector<std::string>& paths, std::vector<std::string>& problems)
{
    namespace fs = std::filesystem;
    std::vector<BookSource> sources;
    for (const std::string& path : paths) {
        std::error_code error;
        if (fs::is_directory(path, error)) {
            std::vector<std::string> files;
            fs::recursive_directory_iterator it(path, fs::directory_options::skip_permission_denied, error), end;
            for (; !error && it != end; it.increment(error))
                if (it->is_regular_file(error) && IsSongFile(it->path()))
                    files.push_back(it->path().string());
            if (error)
                problems.push_back(path + ": " + error.message());
            std::sort(files.begin(), files.end());
            if (files.empty())
                problems.push_back(path + ": no song files in this folder");
            for (std::string& file : files)
                sources.push_back({ std::move(file), {}, {} });
        } else if (fs::exists(path, error)) {
            sources.push_back({ path, {}, {} });
        } else {
            problems.push_back(path + ": no such file or folder");
        }
    }
    return sources;
}

std::vector<BookSource> BookSourcesOf(const Setlist& setlist, const std::string& folder)
{
    std::vector<BookSource> sources;
    for (const SetlistSong& song : setlist.songs) {
        SongSettings settings;
        settings.transpose = song.transpose;
        settings.capo = song.capo;
        sources.push_back({ SetlistFileOf(folder, song.path), settings, song.notes });
    }
    return sources;
}

std::vector<LoadedSong> LoadBookSongs(const std::vector<BookSource>& sources, std::vector<std::string>& problems,
    int strings, const std::string& instrument)
{
    std::vector<LoadedSong> songs;
    for (const BookSource& source : sources) {
        SongReading reading = ReadSongFile(source.file, strings, instrument);
        if (!reading.Read()) {
            problems.push_back(source.file + ": " + reading.refused);
            continue;
        }
        songs.push_back({ std::move(reading.song), source });
        for (Song& other : reading.others)
            songs.push_back({ std::move(other), source });
    }
    return songs;
}

BookSong BookSongOf(const LoadedSong& loaded, const BookInstrument& instrument)
{
    const ShownSong read = ShowSong(loaded.song, loaded.source.settings);
    // The chords are chosen by their names in letters, then shown in the notation.
    ShownSong shown = read;
    WriteSongIn(shown, instrument.notation);
    const auto key = ShapeKeyOf(read);
    const auto notated = [&](auto strip) {
        for (auto& chord : strip)
            chord.name = SongChordIn(chord.name, instrument.notation, key);
        return strip;
    };
    BookSong song;
    song.file = loaded.source.file;
    song.artist = shown.artist;
    song.title = shown.title;
    if (song.title.empty())
        song.title = std::filesystem::path(loaded.source.file).stem().string();
    // Without strings of its own the book is the six-string guitar's in the search's tuning.
    const StringSet strings = instrument.strings ? *instrument.strings : GuitarStrings(instrument.search.tuning);
    song.sheet = SongSheetOf(
        shown, notated(ChooseInstrumentSongFingerings(read, strings, instrument.search)), BassMarkStrings(strings));
    if (song.sheet.title.empty())
        song.sheet.title = song.title;
    const auto add = [&](const std::string& text) {
        if (!text.empty())
            song.sheet.details += (song.sheet.details.empty() ? "" : " \u00B7 ") + text;
    };
    if (shown.transpose != 0)
        add("transposed " + std::string(shown.transpose > 0 ? "+" : "") + std::to_string(shown.transpose));
    add(instrument.line);
    if (!loaded.source.notes.empty())
        song.sheet.subtitles.push_back(loaded.source.notes);
    return song;
}

} // namespace corvane
