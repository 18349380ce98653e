#include "song/chord_sheet.h"

#include "song/ascii_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "song/song_chord.h"
#include "song/text_decoding.h"

namespace corvane {

namespace {

    std::string_view Trim(std::string_view text) { return TrimBlanks(text, " \t"); }

    std::string Lower(std::string_view text) { return AsciiLower(text); }

    bool Blank(std::string_view line) { return Trim(line).empty(); }

    struct Word {
        int column = 0; // in characters
        std::string_view text;
    };

    std::vector<Word> Words(std::string_view line)
    {
        std::vector<Word> words;
        int column = 0;
        for (size_t at = 0; at < line.size();) {
            if (line[at] == ' ' || line[at] == '\t') {
                ++at;
                ++column;
                continue;
            }
            Word word { column, {} };
            const size_t start = at;
            while (at < line.size() && line[at] != ' ' && line[at] != '\t') {
                at += std::max<size_t>(1, Utf8SequenceLength(line, at));
                ++column;
            }
            word.text = line.substr(start, at - start);
            words.push_back(word);
        }
        return words;
    }

    // Bars and repeat marks stand among the chords of a chord line without being chords.
    bool IsMark(std::string_view word)
    {
        constexpr std::array kMarks { "|", "||", "|:", ":|", "/", "%", "(", ")" };
        if (std::find(kMarks.begin(), kMarks.end(), word) != kMarks.end())
            return true;
        // x2, (x2), 2x
        std::string_view inner = word;
        if (inner.starts_with('(') && inner.ends_with(')') && inner.size() > 2)
            inner = inner.substr(1, inner.size() - 2);
        if (inner.size() >= 2 && (inner.front() == 'x' || inner.front() == 'X'))
            return std::all_of(inner.begin() + 1, inner.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (inner.size() >= 2 && (inner.back() == 'x' || inner.back() == 'X'))
            return std::all_of(inner.begin(), inner.end() - 1, [](char c) { return c >= '0' && c <= '9'; });
        return false;
    }

    bool IsChordWord(std::string_view word)
    {
        const SongChordReading reading = ReadSongChordName(word);
        return reading.chord || reading.noChord;
    }

    struct Header {
        std::string kind; // verse, chorus or bridge
        std::string label; // empty when it is the kind's own name
        std::string_view rest; // chords after "Intro:" on the same line
    };

    struct SectionWord {
        std::string_view word;
        std::string_view kind;
    };
    constexpr std::array<SectionWord, 15> kSectionWords { {
        { "verse", "verse" },
        { "chorus", "chorus" },
        { "refrain", "chorus" },
        { "bridge", "bridge" },
        { "intro", "verse" },
        { "outro", "verse" },
        { "solo", "verse" },
        { "interlude", "verse" },
        { "instrumental", "verse" },
        { "pre-chorus", "verse" },
        { "prechorus", "verse" },
        { "tag", "verse" },
        { "coda", "verse" },
        { "ending", "verse" },
        { "break", "verse" },
    } };

    bool IsChordLineWords(const std::vector<Word>& words)
    {
        bool chord = false;
        for (const Word& word : words) {
            if (IsMark(word.text))
                continue;
            if (!IsChordWord(word.text))
                return false;
            chord = true;
        }
        return chord;
    }

    // "Chorus:", "[Verse 2]", "(Bridge)", "CHORUS", "Intro: D G A".
    std::optional<Header> ReadHeader(std::string_view line)
    {
        std::string_view text = Trim(line);
        std::string_view head = text;
        Header header;
        const bool bracketed
            = (text.starts_with('[') && text.ends_with(']')) || (text.starts_with('(') && text.ends_with(')'));
        if (bracketed) {
            head = Trim(text.substr(1, text.size() - 2));
        } else if (const auto colon = text.find(':'); colon != std::string_view::npos) {
            head = Trim(text.substr(0, colon));
            header.rest = Trim(text.substr(colon + 1));
        }
        const std::vector<Word> words = Words(head);
        if (words.empty() || words.size() > 3)
            return std::nullopt;
        const std::string first = Lower(words[0].text);
        const auto found = std::find_if(
            kSectionWords.begin(), kSectionWords.end(), [&](const SectionWord& s) { return s.word == first; });
        if (found == kSectionWords.end())
            return std::nullopt;
        // Without brackets or a colon only a number may follow the word: "Verse 2", not "Verse of the sea".
        for (size_t i = 1; i < words.size(); ++i)
            if (!bracketed && header.rest.empty() && text.find(':') == std::string_view::npos
                && !std::all_of(
                    words[i].text.begin(), words[i].text.end(), [](char c) { return c >= '0' && c <= '9'; }))
                return std::nullopt;
        if (!header.rest.empty() && !IsChordLineWords(Words(header.rest)))
            return std::nullopt;
        header.kind = found->kind;
        if (!(words.size() == 1 && first == found->kind))
            header.label = std::string(head);
        return header;
    }

    // "Key: G", "Key of G" and "Capo 2", "Capo: 3rd fret".
    std::optional<std::string> ReadMeta(std::string_view line)
    {
        const std::string lower = Lower(Trim(line));
        std::string_view rest;
        std::string name;
        if (lower.starts_with("key")) {
            name = "key";
            rest = std::string_view(lower).substr(3);
        } else if (lower.starts_with("capo")) {
            name = "capo";
            rest = std::string_view(lower).substr(4);
        } else {
            return std::nullopt;
        }
        const std::string_view original = Trim(line).substr(name.size());
        size_t at = 0;
        while (at < rest.size() && (rest[at] == ' ' || rest[at] == ':' || rest[at] == '-'))
            ++at;
        if (name == "key") {
            if (rest.substr(at).starts_with("of "))
                at += 3;
            const std::string_view key = Trim(original.substr(at));
            if (key.empty() || key.find(' ') != std::string_view::npos || !IsChordWord(key))
                return std::nullopt;
            return "{key: " + std::string(key) + "}";
        }
        if (rest.substr(at).starts_with("on "))
            at += 3;
        size_t end = at;
        while (end < rest.size() && rest[end] >= '0' && rest[end] <= '9')
            ++end;
        if (end == at || end - at > 2)
            return std::nullopt;
        const std::string_view after = Trim(rest.substr(end));
        if (!(after.empty() || after == "st" || after == "nd" || after == "rd" || after == "th"
                || after.ends_with("fret")))
            return std::nullopt;
        return "{capo: " + std::string(rest.substr(at, end - at)) + "}";
    }

    // "e|---3---|": a string's name, a bar and the frets along it.
    bool IsTabLine(std::string_view line)
    {
        const std::string_view text = Trim(line);
        if (text.size() < 4 || std::string_view("EADGBeadgb").find(text[0]) == std::string_view::npos)
            return false;
        const size_t bar = text.find('|');
        if (bar == std::string_view::npos || bar > 2)
            return false;
        const std::string_view body = text.substr(bar);
        return std::count(body.begin(), body.end(), '-') >= 4
            && body.find_first_not_of("-0123456789|hpbrsxX/\\~()<>^. ") == std::string_view::npos;
    }

    std::string Bracketed(std::string_view chord) { return "[" + std::string(chord) + "]"; }

    // Chords over nothing: "[D] [G] | [A] x2" keeps its bars and marks between the chords.
    std::string ChordsAlone(const std::vector<Word>& words)
    {
        std::string out;
        for (const Word& word : words) {
            out += out.empty() ? "" : " ";
            out += IsMark(word.text) ? std::string(word.text) : Bracketed(word.text);
        }
        return out;
    }

    // Each chord before the character below it; a chord over a blank goes to the next word, and
    // one past the end of the words follows them after a blank.
    std::string Merge(const std::vector<Word>& chords, std::string_view words)
    {
        words = words.substr(0, words.find_last_not_of(" \t") + 1);
        std::vector<std::string_view> characters;
        for (size_t at = 0; at < words.size();) {
            const size_t length = std::max<size_t>(1, Utf8SequenceLength(words, at));
            characters.push_back(words.substr(at, length));
            at += length;
        }
        const int count = static_cast<int>(characters.size());
        std::vector<std::vector<std::string_view>> before(characters.size() + 1);
        for (const Word& chord : chords) {
            if (IsMark(chord.text))
                continue;
            int column = std::min(chord.column, count);
            while (column < count
                && (characters[static_cast<size_t>(column)] == " " || characters[static_cast<size_t>(column)] == "\t"))
                ++column;
            before[static_cast<size_t>(column)].push_back(chord.text);
        }
        std::string out;
        for (size_t i = 0; i < characters.size(); ++i) {
            for (std::string_view chord : before[i])
                out += Bracketed(chord);
            out += characters[i];
        }
        for (std::string_view chord : before.back())
            out += (out.empty() ? "" : " ") + Bracketed(chord);
        return out;
    }

    std::vector<std::string_view> SplitLines(std::string_view text)
    {
        std::vector<std::string_view> lines;
        for (size_t at = 0; at < text.size();) {
            size_t end = text.find('\n', at);
            if (end == std::string_view::npos)
                end = text.size();
            std::string_view line = text.substr(at, end - at);
            while (line.ends_with('\r'))
                line.remove_suffix(1);
            lines.push_back(line);
            at = end + 1;
        }
        return lines;
    }

} // namespace

bool IsChordLine(std::string_view line) { return IsChordLineWords(Words(line)); }

bool IsChordSheet(std::string_view text)
{
    bool chordLine = false;
    for (std::string_view line : SplitLines(text)) {
        const std::string_view trimmed = Trim(line);
        if (trimmed.starts_with('{') && trimmed.ends_with('}'))
            return false;
        // A bracketed chord is ChordPro. Chord names are short; the closing bracket found for one
        // opening serves the ones before it, so a line of brackets is read once.
        constexpr size_t kLongestName = 32;
        size_t close = 0;
        for (size_t open = line.find('['); open != std::string_view::npos; open = line.find('[', open + 1)) {
            if (close <= open)
                close = line.find(']', open);
            if (close == std::string_view::npos)
                break;
            if (close - open - 1 <= kLongestName && ReadSongChordName(line.substr(open + 1, close - open - 1)).chord)
                return false;
        }
        chordLine = chordLine || IsChordLine(line);
    }
    return chordLine;
}

std::string ChordSheetToChordPro(std::string_view text)
{
    const std::vector<std::string_view> lines = SplitLines(text);
    std::vector<std::string> out;
    std::string open; // the section's kind while one is open
    const auto close = [&] {
        if (!open.empty())
            out.push_back("{end_of_" + open + "}");
        open.clear();
    };
    const auto isWords = [&](std::string_view line) {
        return !Blank(line) && !IsChordLine(line) && !ReadHeader(line) && !IsTabLine(line) && !ReadMeta(line);
    };

    size_t i = 0;
    while (i < lines.size() && Blank(lines[i]))
        ++i;
    if (i < lines.size() && isWords(lines[i])) {
        const bool by = i + 1 < lines.size() && Lower(Trim(lines[i + 1])).starts_with("by ");
        if (i + 1 == lines.size() || Blank(lines[i + 1]) || by) {
            out.push_back("{title: " + std::string(Trim(lines[i])) + "}");
            ++i;
            if (by)
                out.push_back("{artist: " + std::string(Trim(Trim(lines[i++]).substr(3))) + "}");
        }
    }

    while (i < lines.size()) {
        const std::string_view line = lines[i];
        if (Blank(line)) {
            close();
            out.emplace_back();
            ++i;
        } else if (const auto meta = ReadMeta(line)) {
            out.push_back(*meta);
            ++i;
        } else if (const auto header = ReadHeader(line)) {
            close();
            open = header->kind;
            const char quote = header->label.find('"') == std::string::npos ? '"' : '\'';
            out.push_back("{start_of_" + open
                + (header->label.empty() ? std::string() : " label=" + std::string(1, quote) + header->label + quote)
                + "}");
            if (!header->rest.empty())
                out.push_back(ChordsAlone(Words(header->rest)));
            ++i;
        } else if (IsTabLine(line)) {
            close();
            out.push_back("{start_of_tab}");
            for (; i < lines.size() && IsTabLine(lines[i]); ++i)
                out.emplace_back(lines[i]);
            out.push_back("{end_of_tab}");
        } else if (IsChordLine(line)) {
            const std::vector<Word> chords = Words(line);
            if (i + 1 < lines.size() && isWords(lines[i + 1])) {
                out.push_back(Merge(chords, lines[i + 1]));
                i += 2;
            } else {
                out.push_back(ChordsAlone(chords));
                ++i;
            }
        } else {
            out.emplace_back(line);
            ++i;
        }
    }
    close();
    while (!out.empty() && out.back().empty())
        out.pop_back();
    std::string joined;
    for (const std::string& line : out)
        joined += line + "\n";
    return joined;
}

} // namespace corvane
