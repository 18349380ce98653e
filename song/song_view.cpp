#include "song/song_view.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <set>

#include "song/ascii_text.h"
#include "song/song_chord.h"
#include "song/song_substitution.h"
#include "song/spelling.h"
#include "song/text_decoding.h"
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
            // An optional chord keeps its parentheses; no chord is never moved.
            if (written.size() > 2 && written.front() == '(' && written.back() == ')')
                return "(" + Name(written.substr(1, written.size() - 2), shift) + ")";
            if (ReadSongChordName(written).noChord)
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

    std::string Today()
    {
        const std::chrono::year_month_day day(std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
        char text[16];
        std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
            static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
        return text;
    }

    // Every item a substitution may name, with its values.
    SongItems ItemsOf(const Song& song, const ShownSong& shown, const PlayedOn& on)
    {
        SongItems items;
        const auto add = [&](const std::string& name, const std::string& value) {
            if (!value.empty())
                items[name].push_back(value);
        };
        add("title", song.title);
        for (const std::string& subtitle : song.subtitles)
            add("subtitle", subtitle);
        add("artist", song.artist);
        add("key", song.key);
        add("tempo", song.tempo);
        add("time", song.time);
        for (const auto& [name, value] : song.metadata) {
            if (name != "meta") {
                add(name, value);
                continue;
            }
            // {meta: NAME VALUE}
            const size_t blank = value.find_first_of(" \t");
            if (blank != std::string::npos)
                add(AsciiLower(value.substr(0, blank)), std::string(TrimBlanks(value.substr(blank), " \t")));
        }
        if (shown.capo > 0)
            add("capo", std::to_string(shown.capo));
        add("key.print", shown.key);
        add("key.sound", shown.soundingKey);
        add("instrument", on.instrument);
        add("tuning", on.tuning);
        add("today", on.today.empty() ? Today() : on.today);
        return items;
    }

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

ShownSong ShowSong(const Song& song, const SongSettings& settings, const PlayedOn& on)
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

    // Texts as shown: markup taken out, then the substitutions expanded.
    const SongItems items = ItemsOf(song, out, on);
    const auto shownText = [&](const std::string& text) {
        const std::string plain = HasMarkup(text) ? ReadMarkup(text).plain : text;
        return HasSubstitution(plain) ? ExpandSubstitutions(plain, items).text : plain;
    };
    out.writtenTitle = song.title;
    out.writtenSubtitles = song.subtitles;
    out.writtenArtist = song.artist;
    out.title = shownText(song.title);
    for (std::string& subtitle : out.subtitles)
        subtitle = shownText(subtitle);
    out.artist = shownText(song.artist);
    for (SongSection& section : out.sections) {
        out.writtenLabels.push_back(section.label);
        section.label = std::string(TrimBlanks(shownText(section.label), " \t"));
    }
    out.notes = song.notes;

    // The display names and copies the file's definitions give, by the chord's name.
    std::map<std::string, const ChordDefinition*> defined;
    std::set<std::string> fingered; // names a definition gives frets, playable whatever they read as
    for (const ChordDefinition& definition : song.definitions) {
        if (!definition.display.empty() || (!definition.copy.empty() && !definition.AnyFrets()))
            defined[definition.name] = &definition;
        if (definition.AnyFrets())
            fingered.insert(definition.name);
    }

    Namer namer(written);
    std::map<int, std::vector<size_t>> sectionLines; // the shown lines of each section, recalls left out
    size_t recalled = 0;
    const auto chordOf = [&](const PlacedChord& chord, int shift) {
        ShownChord c;
        c.at = chord.at;
        c.writtenAt = chord.writtenAt;
        c.annotation = chord.annotation;
        if (chord.annotation) {
            c.name = shownText(chord.name);
            if (c.name != chord.name)
                c.written = chord.name;
            return c;
        }
        c.name = namer.Name(chord.name, shift);
        const std::string_view inner = c.name.size() > 2 && c.name.front() == '(' && c.name.back() == ')'
            ? std::string_view(c.name).substr(1, c.name.size() - 2)
            : std::string_view(c.name);
        if (inner.size() != c.name.size())
            c.fingered = std::string(inner);
        if (const auto found = defined.find(std::string(inner)); found != defined.end()) {
            const ChordDefinition& definition = *found->second;
            if (!definition.copy.empty() && !definition.AnyFrets())
                c.fingered = definition.copy;
            if (!definition.display.empty()) {
                if (c.fingered.empty())
                    c.fingered = c.name;
                c.written = c.name;
                c.name = definition.display;
            }
        }
        c.playable = namer.Playable(c.Played()) || fingered.contains(c.Played());
        return c;
    };
    // A substitution in the words moves the chords after it, and the markup's styles, with it.
    const auto expand = [&](const SongLine& line, ShownLine& shown) {
        if (line.kind == SongLineKind::Fixed || line.kind == SongLineKind::Kept)
            return;
        if (!line.written.empty()) {
            shown.written = line.written;
            shown.styles = ReadMarkup(line.written).runs;
        }
        if (!HasSubstitution(line.text))
            return;
        if (shown.written.empty()) {
            shown.written = line.text;
            for (ShownChord& chord : shown.chords)
                chord.writtenAt = static_cast<int>(ByteOfCharacter(line.text, chord.at));
        }
        const Expansion expansion = ExpandSubstitutions(line.text, items);
        shown.text = expansion.text;
        const int last = static_cast<int>(expansion.columnOf.size()) - 1;
        for (ShownChord& chord : shown.chords)
            chord.at = expansion.columnOf[static_cast<size_t>(std::clamp(chord.at, 0, last))];
        shown.styles = MovedRuns(shown.styles, expansion.columnOf);
    };
    std::map<int, std::vector<size_t>> chorusSource; // the file's lines of each section
    for (size_t i = 0; i < song.lines.size(); ++i) {
        const SongLine& line = song.lines[i];
        ShownLine shown;
        shown.kind = line.kind;
        shown.text = line.text;
        shown.section = line.section;
        shown.source = line.source;
        for (const PlacedChord& chord : line.chords)
            shown.chords.push_back(chordOf(chord, base + chord.shift));
        expand(line, shown);
        if (line.section >= 0 && line.kind != SongLineKind::ChorusRecall) {
            sectionLines[line.section].push_back(out.lines.size());
            chorusSource[line.section].push_back(i);
        }
        out.lines.push_back(std::move(shown));

        if (line.kind != SongLineKind::ChorusRecall || line.recalls < 0)
            continue;
        const std::vector<size_t>& chorus = sectionLines[line.recalls];
        if (recalled + chorus.size() > kMaxRecalledLines)
            continue;
        recalled += chorus.size();
        // The chorus again, moved by the {transpose} in force here against that of its first chord.
        const std::vector<size_t>& sources = chorusSource[line.recalls];
        int written = 0;
        for (size_t index : sources)
            if (!song.lines[index].chords.empty()) {
                written = song.lines[index].chords.front().shift;
                break;
            }
        // An octave moves nothing: -5..6 semitones say the same.
        int moved = Mod12(line.shift - written);
        if (moved > 6)
            moved -= 12;
        out.lines.back().shift = moved;
        for (size_t k = 0; k < chorus.size(); ++k) {
            ShownLine copy = out.lines[chorus[k]];
            copy.recalled = true;
            const SongLine& source = song.lines[sources[k]];
            for (size_t c = 0; moved != 0 && c < copy.chords.size() && c < source.chords.size(); ++c) {
                const int at = copy.chords[c].at;
                copy.chords[c] = chordOf(source.chords[c], base + source.chords[c].shift + moved);
                copy.chords[c].at = at;
            }
            out.lines.push_back(std::move(copy));
        }
    }

    for (const ShownLine& line : out.lines) {
        for (const ShownChord& chord : line.chords) {
            if (!chord.playable)
                continue;
            if (std::find(out.chords.begin(), out.chords.end(), chord.Played()) == out.chords.end())
                out.chords.push_back(chord.Played());
            out.played.push_back(chord.Played());
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
