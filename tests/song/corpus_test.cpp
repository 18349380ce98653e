// The corpus of ChordPro files as real songbooks write them (tests/song/corpus): each file is read
// and shown, and its lines, chords, notes and problems must be those written by hand in the .expect
// file beside it; and each file, with the ten songs, is written back without losing any words.
//
// An expectation has one line per thing shown, in order:
//   T: title  S: subtitle  K: key line  H: a section's heading
//   L: a line of words with its chords in brackets where they stand, as shown
//   R: the same for a line of a recalled chorus
//   C: a comment   F: a line of tab or grid   N: a note   P: a problem
//   == the next song of the file
// NAME.INSTRUMENT.expect is the same file read for another instrument.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "song/chordpro_reader.h"
#include "song/chordpro_writer.h"
#include "song/song_markup.h"
#include "song/text_decoding.h"

namespace corvane {
namespace {

    namespace fs = std::filesystem;

    std::string_view TrimBlanksForTest(std::string_view text)
    {
        const auto first = text.find_first_not_of(" \t");
        if (first == std::string_view::npos)
            return {};
        return text.substr(first, text.find_last_not_of(" \t") - first + 1);
    }

    std::string FileText(const fs::path& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::vector<std::string> Lines(const std::string& text)
    {
        std::vector<std::string> lines;
        std::istringstream in(text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text);
        for (std::string line; std::getline(in, line);) {
            if (line.ends_with('\r'))
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    std::string Inline(const ShownLine& line)
    {
        std::string out;
        size_t byte = 0;
        int column = 0;
        for (const ShownChord& chord : line.chords) {
            while (column < chord.at && byte < line.text.size()) {
                const size_t length = std::max<size_t>(1, Utf8SequenceLength(line.text, byte));
                out.append(line.text, byte, length);
                byte += length;
                ++column;
            }
            out += (chord.annotation ? "[*" : "[") + chord.name + "]";
        }
        out.append(line.text, std::min(byte, line.text.size()));
        return out;
    }

    // What a song shows, in the expectation's form.
    std::vector<std::string> Shown(const ShownSong& shown)
    {
        std::vector<std::string> out;
        if (!shown.title.empty())
            out.push_back("T: " + shown.title);
        for (const std::string& subtitle : shown.subtitles)
            out.push_back("S: " + subtitle);
        // The expectations say what the file says: a key guessed from the chords is left out of them.
        ShownSong named = shown;
        if (named.keyGuessed)
            named.key.clear();
        if (const std::string key = KeyLine(named); !key.empty())
            out.push_back("K: " + key);
        for (const SongProblem& note : shown.notes)
            out.push_back("N: " + note.Text());
        for (const SongProblem& problem : shown.problems)
            out.push_back("P: " + problem.Text());
        int section = -1;
        for (const ShownLine& line : shown.lines) {
            if (line.section != section && !line.recalled) {
                section = line.section;
                if (section >= 0)
                    if (const std::string heading = SectionHeading(shown.sections[static_cast<size_t>(section)]);
                        !heading.empty())
                        out.push_back("H: " + heading);
            }
            switch (line.kind) {
            case SongLineKind::Lyrics:
                if (!line.text.empty() || !line.chords.empty())
                    out.push_back((line.recalled ? "R: " : "L: ") + Inline(line));
                break;
            case SongLineKind::Comment:
            case SongLineKind::CommentItalic:
            case SongLineKind::CommentBox:
                out.push_back("C: " + line.text);
                break;
            case SongLineKind::Fixed:
                out.push_back("F: " + line.text);
                break;
            case SongLineKind::ChorusRecall:
            case SongLineKind::Kept:
                break;
            }
        }
        return out;
    }

    std::vector<fs::path> CorpusFiles()
    {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(CORVANE_CORPUS_DIR))
            if (entry.path().extension() == ".cho")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        return files;
    }

    TEST(Corpus, EveryFileShowsWhatItsExpectationSays)
    {
        const std::vector<fs::path> files = CorpusFiles();
        ASSERT_GE(files.size(), 16u);
        int expectations = 0;
        for (const fs::path& file : files) {
            const std::string stem = file.stem().string();
            for (const auto& [instrument, strings] :
                std::vector<std::pair<std::string, int>> { { "", kStrings }, { "ukulele", 4 } }) {
                const fs::path expect
                    = file.parent_path() / (stem + (instrument.empty() ? "" : "." + instrument) + ".expect");
                if (!fs::exists(expect))
                    continue;
                ++expectations;
                SCOPED_TRACE(expect.filename().string());
                const SongReading reading
                    = ReadSongFile(file.string(), strings, instrument.empty() ? "guitar" : instrument);
                ASSERT_TRUE(reading.Read()) << reading.refused;
                PlayedOn on;
                if (!instrument.empty()) {
                    on.instrument = instrument;
                    on.tuning = "G4 C4 E4 A4";
                }
                std::vector<std::string> got = Shown(ShowSong(reading.song, {}, on));
                for (const Song& other : reading.others) {
                    got.push_back("==");
                    for (std::string& line : Shown(ShowSong(other, {}, on)))
                        got.push_back(std::move(line));
                }
                std::vector<std::string> wanted;
                for (const std::string& line : Lines(FileText(expect)))
                    if (!line.empty())
                        wanted.push_back(line);
                for (size_t i = 0; i < std::max(got.size(), wanted.size()); ++i) {
                    const std::string g = i < got.size() ? got[i] : "(nothing)";
                    const std::string w = i < wanted.size() ? wanted[i] : "(nothing)";
                    if (g != w) {
                        ADD_FAILURE() << "line " << i + 1 << " of the expectation\n  wanted: " << w
                                      << "\n  got:    " << g;
                        break;
                    }
                }
            }
        }
        EXPECT_EQ(expectations, static_cast<int>(files.size()) + 1) << "one file is also read for the ukulele";
    }

    // The words of a lyric line: chords and annotations taken out.
    std::string Words(std::string_view line)
    {
        std::string out;
        for (size_t at = 0; at < line.size(); ++at) {
            if (line[at] == '[') {
                const size_t close = line.find(']', at);
                if (close != std::string_view::npos && close > at + 1) {
                    at = close;
                    continue;
                }
            }
            out += line[at];
        }
        return out;
    }

    // {comment: X} and {c: X} are the same comment; so are {ci}, {cb} and their long names.
    std::string CommentOf(std::string_view line)
    {
        const std::string trimmed(TrimBlanksForTest(line));
        if (!trimmed.starts_with('{') || !trimmed.ends_with('}'))
            return {};
        const size_t colon = trimmed.find(':');
        if (colon == std::string::npos)
            return {};
        std::string name = trimmed.substr(1, colon - 1);
        name = name.substr(0, name.find('-'));
        static const std::set<std::string> kComments { "c", "comment", "ci", "comment_italic", "cb", "comment_box",
            "highlight" };
        if (!kComments.contains(name))
            return {};
        const size_t start = trimmed.find_first_not_of(' ', colon + 1);
        return trimmed.substr(start, trimmed.size() - 1 - start);
    }

    // Every line of words, every comment and every line of an environment's text of the file is in
    // the ChordPro written back, the words apart from their chords.
    TEST(Corpus, WritingBackLosesNothing)
    {
        std::vector<fs::path> files = CorpusFiles();
        for (const auto& entry : fs::directory_iterator(CORVANE_SONGS_DIR))
            files.push_back(entry.path());
        ASSERT_GE(files.size(), 26u);
        for (const fs::path& file : files) {
            SCOPED_TRACE(file.filename().string());
            const SongReading reading = ReadSongFile(file.string());
            ASSERT_TRUE(reading.Read());
            std::string written = WriteChordPro(ShowSong(reading.song), std::vector<StringStripChord> {});
            for (const Song& other : reading.others)
                written += "{new_song}\n" + WriteChordPro(ShowSong(other), std::vector<StringStripChord> {});
            std::multiset<std::string> words;
            std::set<std::string> comments;
            std::set<std::string> verbatim;
            for (const std::string& line : Lines(written)) {
                words.insert(Words(line));
                comments.insert(CommentOf(line));
                verbatim.insert(line);
            }
            bool inEnvironment = false;
            for (const std::string& line : Lines(FileText(file))) {
                const std::string trimmed(TrimBlanksForTest(line));
                const std::string name
                    = trimmed.starts_with('{') ? trimmed.substr(1, trimmed.find_first_of(":} -") - 1) : std::string();
                static const std::set<std::string> kStarts { "soc", "sov", "sob", "sot", "sog" };
                static const std::set<std::string> kEnds { "eoc", "eov", "eob", "eot", "eog" };
                if (trimmed.starts_with('{') && (name.starts_with("start_of_") || kStarts.contains(name))) {
                    inEnvironment = true;
                    continue;
                }
                if (trimmed.starts_with('{') && (name.starts_with("end_of_") || kEnds.contains(name))) {
                    inEnvironment = false;
                    continue;
                }
                if (line.starts_with('#') && !inEnvironment)
                    continue;
                if (const std::string comment = CommentOf(line); !comment.empty()) {
                    EXPECT_TRUE(comments.contains(comment) || verbatim.contains(trimmed)) << line;
                    continue;
                }
                if (trimmed.starts_with('{') && trimmed.ends_with('}'))
                    continue;
                // A line of words, or of an environment's text.
                const bool kept = words.contains(Words(line)) || verbatim.contains(line);
                EXPECT_TRUE(kept) << "lost: " << line;
            }
        }
    }

} // namespace
} // namespace corvane
