#include "song/song_view.h"

#include <algorithm>
#include <map>

#include "song/song_chord.h"
#include "song/spelling.h"
#include "theory/key_guess.h"

namespace corvane {

namespace {

    // A file of nothing but {chorus} lines after a long chorus must not grow without end.
    constexpr size_t kMaxRecalledLines = 20000;

    int Mod12(int value) { return ((value % 12) + 12) % 12; }

    class Namer {
    public:
        Namer(std::optional<MusicalKey> written)
            : m_written(written)
        {
        }

        std::string Name(const std::string& written, int shift)
        {
            if (Mod12(shift) == 0 || !m_written)
                return written;
            return TransposeChordName(written, shift, TransposeKey(*m_written, shift));
        }

        bool Playable(const std::string& name)
        {
            auto found = m_playable.find(name);
            if (found == m_playable.end())
                found = m_playable.emplace(name, ReadSongChordName(name).chord).first;
            return found->second;
        }

    private:
        std::optional<MusicalKey> m_written;
        std::map<std::string, bool> m_playable;
    };

    const PlacedChord* FirstChord(const Song& song)
    {
        for (const SongLine& line : song.lines)
            for (const PlacedChord& chord : line.chords)
                if (!chord.annotation && KeyOfChord(chord.name))
                    return &chord;
        return nullptr;
    }

    // The key of a song that names none, guessed from all its chords in playing order.
    std::optional<MusicalKey> GuessedKey(const Song& song)
    {
        std::vector<std::string> names;
        for (const SongLine& line : song.lines)
            for (const PlacedChord& chord : line.chords)
                if (!chord.annotation)
                    names.push_back(chord.name);
        const auto guessed = GuessKeyOfNames(names);
        if (!guessed)
            return std::nullopt;
        return ReadKey(std::string(NoteName(guessed->tonic, guessed->spelling)) + (guessed->minor ? "m" : ""));
    }

} // namespace

ShownSong ShowSong(const Song& song, const SongSettings& settings)
{
    ShownSong out;
    out.title = song.title;
    out.subtitles = song.subtitles;
    out.artist = song.artist;
    out.tempo = song.tempo;
    out.time = song.time;
    out.metadata = song.metadata;
    out.sections = song.sections;
    out.definitions = song.definitions;
    out.problems = song.problems;

    const int fileCapo = song.capo.value_or(0);
    out.capo = settings.capo.value_or(fileCapo);
    out.transpose = settings.transpose;
    const int base = settings.transpose + fileCapo - out.capo;

    // The key the chords are spelled in: the file's, else the first chord's.
    const PlacedChord* first = FirstChord(song);
    // A song that names no key gets the key its chords suggest, and says it is guessed.
    std::optional<MusicalKey> given = ReadKey(song.key);
    std::string keyText = song.key;
    if (!given && song.key.empty()) {
        given = GuessedKey(song);
        if (given) {
            keyText = KeyName(*given);
            out.keyGuessed = true;
        }
    }
    std::optional<MusicalKey> written = given;
    if (!written && first)
        written = KeyOfChord(first->name);
    const int keyShift = base + (first ? first->shift : 0);
    std::optional<MusicalKey> shapeKey;
    if (given) {
        shapeKey = TransposeKey(*given, keyShift);
        out.key = Mod12(keyShift) == 0 ? keyText : KeyName(*shapeKey);
    } else {
        out.key = song.key;
    }
    out.soundingKey = out.capo == 0 || !shapeKey ? out.key : KeyName(TransposeKey(*shapeKey, out.capo));

    Namer namer(written);
    std::map<int, std::vector<size_t>> sectionLines; // the shown lines of each section, recalls left out
    size_t recalled = 0;
    for (const SongLine& line : song.lines) {
        ShownLine shown;
        shown.kind = line.kind;
        shown.text = line.text;
        shown.section = line.section;
        shown.source = line.source;
        for (const PlacedChord& chord : line.chords) {
            ShownChord c;
            c.at = chord.at;
            c.annotation = chord.annotation;
            c.name = chord.annotation ? chord.name : namer.Name(chord.name, base + chord.shift);
            c.playable = !chord.annotation && namer.Playable(c.name);
            shown.chords.push_back(std::move(c));
        }
        if (line.section >= 0 && line.kind != SongLineKind::ChorusRecall)
            sectionLines[line.section].push_back(out.lines.size());
        out.lines.push_back(std::move(shown));

        if (line.kind != SongLineKind::ChorusRecall || line.recalls < 0)
            continue;
        const std::vector<size_t>& chorus = sectionLines[line.recalls];
        if (recalled + chorus.size() > kMaxRecalledLines)
            continue;
        recalled += chorus.size();
        for (size_t index : chorus) {
            ShownLine copy = out.lines[index];
            copy.recalled = true;
            out.lines.push_back(std::move(copy));
        }
    }

    for (const ShownLine& line : out.lines) {
        for (const ShownChord& chord : line.chords) {
            if (!chord.playable)
                continue;
            if (std::find(out.chords.begin(), out.chords.end(), chord.name) == out.chords.end())
                out.chords.push_back(chord.name);
            out.played.push_back(chord.name);
        }
    }
    return out;
}

std::string KeyLine(const ShownSong& shown)
{
    std::vector<std::string> parts;
    const std::string guessed = shown.keyGuessed ? " (guessed)" : "";
    if (!shown.key.empty() && shown.capo > 0)
        parts.push_back("Key: " + shown.soundingKey + guessed + " \u00B7 capo " + std::to_string(shown.capo) + " (play "
            + shown.key + " shapes)");
    else if (!shown.key.empty())
        parts.push_back("Key: " + shown.key + guessed);
    else if (shown.capo > 0)
        parts.push_back("Capo " + std::to_string(shown.capo));
    if (!shown.tempo.empty())
        parts.push_back("Tempo " + shown.tempo);
    if (!shown.time.empty())
        parts.push_back("Time " + shown.time);
    std::string line;
    for (const std::string& part : parts)
        line += (line.empty() ? "" : " \u00B7 ") + part;
    return line;
}

std::string SectionHeading(const SongSection& section)
{
    if (!section.label.empty())
        return section.label;
    if (section.kind == "chorus")
        return "Chorus";
    if (section.kind == "bridge")
        return "Bridge";
    return {};
}

} // namespace corvane
