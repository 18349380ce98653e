// Setlist files read and written.
#include "song/setlist.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "song/ascii_text.h"

namespace corvane {

namespace {

    constexpr std::string_view kMagic = "corvane-setlist";
    constexpr std::string_view kBlanks = " \t\r";
    constexpr int kMaxTranspose = 24;
    constexpr int kMaxCapo = 11;
    constexpr std::size_t kMaxBytes = 1 << 20;

    std::optional<int> Number(std::string_view text, int low, int high)
    {
        if (text.starts_with('+'))
            text.remove_prefix(1);
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || ec != std::errc {} || end != text.data() + text.size() || value < low || value > high)
            return std::nullopt;
        return value;
    }

    std::string OneLine(std::string text)
    {
        for (char& c : text)
            if (c == '\n' || c == '\r' || c == '\t')
                c = ' ';
        return std::string(TrimBlanks(text, " "));
    }

} // namespace

SetlistReading ReadSetlist(std::string_view text)
{
    SetlistReading reading;
    Setlist& setlist = reading.setlist;
    int number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        ++number;
        const bool indented = !raw.empty() && (raw.front() == ' ' || raw.front() == '\t');
        const std::string_view line = TrimBlanks(raw, kBlanks);
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t blank = line.find_first_of(" \t");
        const std::string word = AsciiLower(line.substr(0, blank));
        const std::string value(
            blank == std::string_view::npos ? std::string_view() : TrimBlanks(line.substr(blank), kBlanks));
        const auto problem = [&](const std::string& message) { reading.problems.push_back({ number, message }); };
        if (word == kMagic) {
            if (value != "1")
                problem("a setlist of version " + value + ", read as version 1");
        } else if (word == "title" && !indented) {
            setlist.title = value;
        } else if (word == "song") {
            if (value.empty())
                problem("a song without a path");
            else
                setlist.songs.push_back({ value, 0, std::nullopt, {} });
        } else if (word == "transpose" || word == "capo" || word == "notes") {
            if (setlist.songs.empty()) {
                problem("\"" + word + "\" before any song");
                continue;
            }
            SetlistSong& song = setlist.songs.back();
            if (word == "notes") {
                song.notes = value;
            } else if (word == "transpose") {
                if (const auto semitones = Number(value, -kMaxTranspose, kMaxTranspose))
                    song.transpose = *semitones;
                else
                    problem("transpose must be -24..24 semitones, not \"" + value + "\"");
            } else if (const auto capo = Number(value, 0, kMaxCapo)) {
                song.capo = *capo;
            } else {
                problem("capo must be a fret 0..11, not \"" + value + "\"");
            }
        } else {
            problem("\"" + std::string(line) + "\" is not a setlist line");
        }
        if (end == text.size())
            break;
    }
    return reading;
}

std::string WriteSetlist(const Setlist& setlist)
{
    std::ostringstream out;
    out << kMagic << " 1\n";
    if (!setlist.title.empty())
        out << "title " << OneLine(setlist.title) << '\n';
    for (const SetlistSong& song : setlist.songs) {
        out << "song " << OneLine(song.path) << '\n';
        if (song.transpose != 0)
            out << "  transpose " << song.transpose << '\n';
        if (song.capo)
            out << "  capo " << *song.capo << '\n';
        if (const std::string notes = OneLine(song.notes); !notes.empty())
            out << "  notes " << notes << '\n';
    }
    return out.str();
}

SetlistReading ReadSetlistFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        SetlistReading reading;
        reading.refused = "cannot be opened";
        return reading;
    }
    std::string bytes;
    bytes.resize(kMaxBytes + 1);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    if (bytes.size() > kMaxBytes || bytes.find('\0') != std::string::npos) {
        SetlistReading reading;
        reading.refused = bytes.size() > kMaxBytes ? "is too large for a setlist" : "is not a setlist (binary)";
        return reading;
    }
    return ReadSetlist(bytes);
}

bool WriteSetlistFile(const std::string& path, const Setlist& setlist)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << WriteSetlist(setlist);
    file.close();
    return static_cast<bool>(file);
}

std::string SetlistPathOf(const std::string& folder, const std::string& file)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path base = fs::weakly_canonical(fs::absolute(folder, error), error);
    const fs::path target = fs::weakly_canonical(fs::absolute(file, error), error);
    const fs::path relative = target.lexically_relative(base);
    if (relative.empty() || *relative.begin() == "..")
        return target.generic_string();
    return relative.generic_string();
}

std::string SetlistFileOf(const std::string& folder, const std::string& path)
{
    namespace fs = std::filesystem;
    const fs::path named(path);
    if (named.is_absolute())
        return named.lexically_normal().string();
    return (fs::path(folder.empty() ? "." : folder) / named).lexically_normal().string();
}

} // namespace corvane
