#include "song/chordpro_writer.h"

#include <algorithm>

#include "drawing/diagram_facts.h"
#include "song/text_decoding.h"

namespace corvane {

namespace {

    bool IsLyricSection(const std::string& kind) { return kind == "verse" || kind == "chorus" || kind == "bridge"; }
    bool IsFixedSection(const std::string& kind) { return kind == "tab" || kind == "grid"; }

    bool BracesBalance(std::string_view text)
    {
        int depth = 0;
        for (char c : text)
            if (c == '{')
                ++depth;
            else if (c == '}' && --depth < 0)
                return false;
        return depth == 0;
    }

    // "{start_of_verse: Verse 1}" reads back exactly unless the label starts or ends with a blank or
    // holds "label=" where the reader takes it for the key (first in the value, or after a blank); then
    // label="..." in a quote the label does not hold. A label holding both quotes loses its
    // apostrophes there, since no quote would close it: what is written then reads back the same.
    std::string Opening(const SongSection& section, const std::string& written)
    {
        if (!section.opening.empty() && !IsLyricSection(section.kind) && !IsFixedSection(section.kind))
            return section.opening;
        // A brace the label does not close would end the directive early or never: those go.
        std::string label = written;
        if (!BracesBalance(label))
            std::erase_if(label, [](char c) { return c == '{' || c == '}'; });
        std::string line = "{start_of_" + section.kind;
        if (label.empty())
            return line + "}";
        const size_t key = label.find("label=");
        // The reader trims these four from a directive's value.
        const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; };
        const bool plain = (key == std::string::npos || (key > 0 && label[key - 1] != ' ')) && !blank(label.front())
            && !blank(label.back());
        if (plain)
            return line + ": " + label + "}";
        if (label.find('"') != std::string::npos)
            std::erase(label, '\'');
        const char quote = label.find('"') == std::string::npos ? '"' : '\'';
        return line + " label=" + std::string(1, quote) + label + std::string(1, quote) + "}";
    }

    std::string ChordText(const ShownChord& chord)
    {
        return (chord.annotation ? "[*" : "[") + (chord.written.empty() ? chord.name : chord.written) + "]";
    }

    std::string LyricLine(const ShownLine& line)
    {
        if (!line.written.empty()) {
            // The words as the file writes them, each chord back at the byte it stood before.
            std::string out;
            size_t byte = 0;
            for (const ShownChord& chord : line.chords) {
                const size_t at
                    = std::clamp<size_t>(static_cast<size_t>(std::max(chord.writtenAt, 0)), byte, line.written.size());
                out.append(line.written, byte, at - byte);
                byte = at;
                out += ChordText(chord);
            }
            out.append(line.written, byte);
            return out;
        }
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
            out += ChordText(chord);
        }
        out.append(line.text, std::min(byte, line.text.size()));
        return out;
    }

} // namespace

std::string DefinitionText(const ChordDefinition& definition)
{
    std::string line = definition.shown ? "{chord: " : "{define: ";
    line += definition.name;
    // Quoted in a quote it does not hold, as the reader takes it; a word without blanks or quotes at
    // its start reads back as it stands.
    const auto quoted = [](const std::string& text) {
        if (text.find_first_of(" \t") == std::string::npos && text.front() != '"' && text.front() != '\''
            && text.find('"') != std::string::npos)
            return text;
        return text.find('"') == std::string::npos ? "\"" + text + "\"" : "'" + text + "'";
    };
    if (!definition.display.empty())
        line += " display " + quoted(definition.display);
    if (!definition.copy.empty())
        return line + " copy " + definition.copy + "}";
    const std::optional<Frets> frets = definition.AnyFrets();
    if (frets || definition.baseFret != 1)
        line += " base-fret " + std::to_string(definition.baseFret);
    if (frets) {
        line += " frets";
        for (int value : *frets) {
            const int fret = std::abs(value);
            line += ' ';
            line += value == kMuted ? "x" : std::to_string(fret == 0 ? 0 : fret - definition.baseFret + 1);
        }
    }
    const auto writeFingers = [&](const auto& fingers) {
        line += " fingers";
        for (int finger : fingers)
            line += ' ' + std::to_string(finger);
    };
    if (definition.fingers)
        writeFingers(*definition.fingers);
    else if (definition.stringFingers)
        writeFingers(*definition.stringFingers);
    return line + "}";
}

std::string WriteChordPro(const ShownSong& shown, const std::vector<StringStripChord>& strip)
{
    std::string out;
    const auto put = [&](const std::string& line) {
        out += line;
        out += '\n';
    };
    const auto directive
        = [&](const std::string& name, const std::string& value) { put("{" + name + ": " + value + "}"); };

    const bool moreTitles = std::any_of(
        shown.metadata.begin(), shown.metadata.end(), [](const auto& entry) { return entry.first == "title"; });
    if (!shown.writtenTitle.empty() || moreTitles)
        directive("title", shown.writtenTitle);
    for (const std::string& subtitle : shown.writtenSubtitles)
        directive("subtitle", subtitle);
    if (!shown.writtenArtist.empty())
        directive("artist", shown.writtenArtist);
    // A guessed key is the reader's guess, not the song's word: it is guessed again when read back.
    if (!shown.key.empty() && !shown.keyGuessed)
        directive("key", shown.key);
    if (shown.capo > 0)
        directive("capo", std::to_string(shown.capo));
    if (!shown.tempo.empty())
        directive("tempo", shown.tempo);
    if (!shown.time.empty())
        directive("time", shown.time);
    for (const auto& [name, value] : shown.metadata)
        directive(name, value);

    for (const ChordDefinition& definition : shown.definitions)
        put(DefinitionText(definition));
    for (const StringStripChord& chord : strip)
        if (chord.frets && !chord.defined)
            put(ChordProDefine(chord.name, *chord.frets));

    int section = -1;
    const auto leave = [&] {
        if (section >= 0)
            put("{end_of_" + shown.sections[static_cast<size_t>(section)].kind + "}");
        section = -1;
    };
    for (const ShownLine& line : shown.lines) {
        if (line.recalled)
            continue;
        if (line.section != section) {
            leave();
            if (line.section >= 0) {
                section = line.section;
                const size_t k = static_cast<size_t>(section);
                put(Opening(shown.sections[k],
                    k < shown.writtenLabels.size() ? shown.writtenLabels[k] : shown.sections[k].label));
            }
        }
        const std::string& text = line.written.empty() ? line.text : line.written;
        switch (line.kind) {
        case SongLineKind::Lyrics:
            put(LyricLine(line));
            break;
        case SongLineKind::Comment:
            directive("comment", text);
            break;
        case SongLineKind::CommentItalic:
            directive("comment_italic", text);
            break;
        case SongLineKind::CommentBox:
            directive("comment_box", text);
            break;
        case SongLineKind::ChorusRecall:
            // The chords are written moved, the transpositions left out; a chorus recalled under
            // another one says so around the recall.
            if (line.shift != 0)
                put("{transpose: " + std::to_string(line.shift) + "}");
            put(text.empty() ? "{chorus}" : "{chorus: " + text + "}");
            if (line.shift != 0)
                put("{transpose}");
            break;
        case SongLineKind::Fixed:
        case SongLineKind::Kept:
            put(line.text);
            break;
        }
    }
    leave();
    return out;
}

ChordDefinition FingeringDefinition(const std::string& name, const Voicing& voicing)
{
    const DiagramFacts facts = ReadDiagram(voicing);
    ChordDefinition definition;
    definition.name = name;
    definition.baseFret = facts.baseFret;
    definition.frets = voicing;
    definition.fingers = facts.fingers;
    return definition;
}

ChordDefinition FingeringDefinition(const std::string& name, const Frets& frets)
{
    if (frets.count == kStrings)
        return FingeringDefinition(name, VoicingOfFrets(frets));
    const StringsDiagramFacts facts = ReadStringsDiagram(frets);
    ChordDefinition definition;
    definition.name = name;
    definition.baseFret = facts.baseFret;
    definition.stringFrets = frets;
    definition.stringFingers = facts.fingers;
    return definition;
}

} // namespace corvane
