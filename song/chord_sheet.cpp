#include "song/chord_sheet.h"

#include "song/ascii_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <vector>

#include "song/song_chord.h"
#include "song/text_decoding.h"
#include "theory/plain_text.h"

namespace corvane {

namespace {

    std::string_view Trim(std::string_view text) { return TrimBlanks(text, " \t"); }

    constexpr int kTabStop = 8;
    // A chord legend gives one fret per string of the instruments a sheet is written for.
    constexpr int kMinSheetStrings = 4;
    constexpr int kMaxSheetStrings = 8;

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

    // Bars, beat slashes and repeat marks stand among the chords of a chord line without being
    // chords: "|", "||:", "/", "-", "%", "x2", "(x4)", "2x".
    bool IsMark(std::string_view word)
    {
        if (word == "(" || word == ")")
            return true;
        if (!word.empty() && word.find_first_not_of("|/-.:%") == std::string_view::npos)
            return true;
        std::string_view inner = word;
        if (inner.starts_with('(') && inner.ends_with(')') && inner.size() > 2)
            inner = inner.substr(1, inner.size() - 2);
        const auto digits = [](std::string_view text) {
            return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        };
        if (inner.size() >= 2 && (inner.front() == 'x' || inner.front() == 'X'))
            return digits(inner.substr(1));
        if (inner.size() >= 2 && (inner.back() == 'x' || inner.back() == 'X'))
            return digits(inner.substr(0, inner.size() - 1));
        return false;
    }

    enum class WordKind {
        Chord, // a chord the reader knows, or one in parentheses: "(G)"
        NoChord, // "N.C." and its kin
        Mark, // IsMark
        Label, // "Intro:", "Riff:" at the start of a chord line
        Other, // a word that is no chord: on a chord line it is taken for one the reader does not know
    };

    WordKind KindOf(std::string_view word, bool first)
    {
        if (IsMark(word))
            return WordKind::Mark;
        std::string_view name = word;
        if (name.size() > 2 && name.starts_with('(') && name.ends_with(')'))
            name = name.substr(1, name.size() - 2);
        const SongChordReading reading = ReadSongChordName(name);
        if (reading.noChord)
            return WordKind::NoChord;
        if (reading.chord)
            return WordKind::Chord;
        if (first && word.size() > 1 && word.ends_with(':') && std::all_of(word.begin(), word.end() - 1, [](char c) {
                return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
            }))
            return WordKind::Label;
        return WordKind::Other;
    }

    bool IsChordWord(std::string_view word)
    {
        const WordKind kind = KindOf(word, false);
        return kind == WordKind::Chord || kind == WordKind::NoChord;
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

    // Most of the words read as chords (bars, slashes, repeat marks and a label not counted), so a
    // chord the reader does not know among them does not turn the line into words.
    bool IsChordLineWords(const std::vector<Word>& words)
    {
        int chords = 0;
        int others = 0;
        for (size_t i = 0; i < words.size(); ++i) {
            const WordKind kind = KindOf(words[i].text, i == 0);
            if (kind == WordKind::Chord || kind == WordKind::NoChord)
                ++chords;
            else if (kind == WordKind::Other)
                ++others;
        }
        return chords > 0 && chords > others;
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

    // Chords over nothing: "[D] [G] | [A] x2" keeps its bars, marks and labels between the chords.
    std::string ChordsAlone(const std::vector<Word>& words)
    {
        std::string out;
        for (size_t i = 0; i < words.size(); ++i) {
            const WordKind kind = KindOf(words[i].text, i == 0);
            out += out.empty() ? "" : " ";
            out += kind == WordKind::Mark || kind == WordKind::Label ? std::string(words[i].text)
                                                                     : Bracketed(words[i].text);
        }
        return out;
    }

    // Each chord before the character below it, a chord over a blank or past the end of the words
    // included: it keeps its column. Bars, marks and labels stand there as annotations.
    std::string Merge(const std::vector<Word>& chords, std::string_view words)
    {
        words = words.substr(0, words.find_last_not_of(' ') + 1);
        std::vector<std::string_view> characters;
        for (size_t at = 0; at < words.size();) {
            const size_t length = std::max<size_t>(1, Utf8SequenceLength(words, at));
            characters.push_back(words.substr(at, length));
            at += length;
        }
        const int count = static_cast<int>(characters.size());
        int end = count;
        for (const Word& chord : chords)
            end = std::max(end, chord.column);
        std::vector<std::vector<std::string>> before(static_cast<size_t>(end) + 1);
        for (size_t i = 0; i < chords.size(); ++i) {
            const WordKind kind = KindOf(chords[i].text, i == 0);
            const bool mark = kind == WordKind::Mark || kind == WordKind::Label;
            before[static_cast<size_t>(chords[i].column)].push_back(
                mark ? "[*" + std::string(chords[i].text) + "]" : Bracketed(chords[i].text));
        }
        std::string out;
        for (int i = 0; i < end; ++i) {
            for (const std::string& chord : before[static_cast<size_t>(i)])
                out += chord;
            out += i < count ? characters[static_cast<size_t>(i)] : std::string_view(" ");
        }
        for (const std::string& chord : before.back())
            out += chord;
        return out;
    }

    // "A  x02220", "Amaj7: |X02120|", "D7 x-x-0-2-1-2", "G 3 2 0 0 0 3": a chord and its frets,
    // lowest string first, as {define}. Frets count from the nut.
    std::optional<std::string> ReadLegend(std::string_view line)
    {
        const std::vector<Word> words = Words(line);
        if (words.size() < 2)
            return std::nullopt;
        std::string_view name = words[0].text;
        if (name.ends_with(':'))
            name.remove_suffix(1);
        if (!ReadSongChordName(name).chord)
            return std::nullopt;
        const auto isFret = [](std::string_view f) {
            return f == "x" || f == "X" || (!f.empty() && f.size() <= 2 && std::all_of(f.begin(), f.end(), [](char c) {
                return c >= '0' && c <= '9';
            }));
        };
        std::vector<std::string> frets;
        if (words.size() == 2) {
            std::string_view compact = words[1].text;
            while (compact.starts_with('|'))
                compact.remove_prefix(1);
            while (compact.ends_with('|'))
                compact.remove_suffix(1);
            if (compact.find('-') != std::string_view::npos) {
                for (size_t at = 0; at <= compact.size();) {
                    const size_t dash = std::min(compact.find('-', at), compact.size());
                    frets.emplace_back(compact.substr(at, dash - at));
                    at = dash + 1;
                }
            } else {
                for (char c : compact)
                    frets.emplace_back(1, c);
            }
        } else {
            for (size_t i = 1; i < words.size(); ++i)
                frets.emplace_back(words[i].text);
            // "G  1 2 3 4" counts the beats of the chord.
            bool counting = true;
            for (size_t i = 0; i < frets.size() && counting; ++i)
                counting = frets[i] == std::to_string(i + 1);
            if (counting)
                return std::nullopt;
        }
        if (frets.size() < static_cast<size_t>(kMinSheetStrings) || frets.size() > static_cast<size_t>(kMaxSheetStrings)
            || !std::all_of(frets.begin(), frets.end(), isFret))
            return std::nullopt;
        std::string out = "{define: " + std::string(name) + " base-fret 1 frets";
        for (const std::string& fret : frets)
            out += " " + (fret == "X" ? std::string("x") : fret);
        return out + "}";
    }

    // Chord sites wrap chords in [ch]...[/ch] and a chords-and-words pair in [tab]...[/tab]; the
    // sheet is the text as the site shows it.
    std::string Unwrapped(std::string_view line)
    {
        constexpr std::array<std::string_view, 4> kTags { "[ch]", "[/ch]", "[tab]", "[/tab]" };
        std::string out;
        for (size_t at = 0; at < line.size();) {
            bool tag = false;
            for (std::string_view t : line[at] == '[' ? std::span(kTags) : std::span<const std::string_view>())
                if (line.size() - at >= t.size() && AsciiLower(line.substr(at, t.size())) == t) {
                    at += t.size();
                    tag = true;
                    break;
                }
            if (!tag)
                out += line[at++];
        }
        return out;
    }

    // Tabs up to the next stop of 8 columns, counted in characters.
    std::string ExpandTabs(std::string_view line)
    {
        if (line.find('\t') == std::string_view::npos)
            return std::string(line);
        std::string out;
        int column = 0;
        for (size_t at = 0; at < line.size();) {
            if (line[at] == '\t') {
                do {
                    out += ' ';
                    ++column;
                } while (column % kTabStop != 0);
                ++at;
                continue;
            }
            const size_t length = std::max<size_t>(1, Utf8SequenceLength(line, at));
            out += line.substr(at, length);
            at += length;
            ++column;
        }
        return out;
    }

    // The lines as the sheet shows them: site markup unwrapped, tabs expanded, line ends taken off.
    std::vector<std::string> SheetLines(std::string_view text)
    {
        std::vector<std::string> lines;
        for (const std::string_view line : SplitLines(text))
            lines.push_back(ExpandTabs(Unwrapped(line)));
        return lines;
    }

    bool IsDirective(std::string_view line)
    {
        const std::string_view trimmed = Trim(line);
        return trimmed.size() >= 2 && trimmed.starts_with('{') && trimmed.ends_with('}');
    }

    // The environment a directive opens whose lines are not lyrics (tab, grid, abc, textblock, ...),
    // and the directive that ends it; empty when it opens none.
    std::string VerbatimEnd(std::string_view line)
    {
        std::string name = AsciiLower(Trim(Trim(line).substr(1, Trim(line).size() - 2)));
        name = name.substr(0, name.find_first_of(": \t"));
        if (name == "sot" || name == "sog")
            name = name == "sot" ? "start_of_tab" : "start_of_grid";
        if (!name.starts_with("start_of_"))
            return {};
        const std::string kind
            = name.substr(9, name.find('-') == std::string::npos ? std::string::npos : name.find('-') - 9);
        if (kind == "verse" || kind == "chorus" || kind == "bridge")
            return {};
        return "end_of_" + kind;
    }

    bool EndsVerbatim(std::string_view line, const std::string& end)
    {
        std::string name = AsciiLower(Trim(Trim(line).substr(1, Trim(line).size() - 2)));
        name = name.substr(0, name.find_first_of(": \t"));
        return name == end || (end == "end_of_tab" && name == "eot") || (end == "end_of_grid" && name == "eog");
    }

    // A bracketed chord outside directives: the text is ChordPro with its chords in the words.
    bool HasInlineChord(std::string_view line)
    {
        // Chord names are short; the closing bracket found for one opening serves the ones before
        // it, so a line of brackets is read once.
        constexpr size_t kLongestName = 32;
        size_t close = 0;
        for (size_t open = line.find('['); open != std::string_view::npos; open = line.find('[', open + 1)) {
            if (close <= open)
                close = line.find(']', open);
            if (close == std::string_view::npos)
                break;
            if (close - open - 1 <= kLongestName && ReadSongChordName(line.substr(open + 1, close - open - 1)).chord)
                return true;
        }
        return false;
    }

} // namespace

bool IsChordLine(std::string_view line) { return IsChordLineWords(Words(ExpandTabs(line))); }

bool IsChordSheet(std::string_view text)
{
    const std::vector<std::string> lines = SheetLines(text);
    bool directives = false;
    bool chordLine = false;
    bool chordsOverWords = false;
    std::string verbatim; // the end of the environment being passed over
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (IsDirective(line)) {
            directives = true;
            if (!verbatim.empty() && EndsVerbatim(line, verbatim))
                verbatim.clear();
            else if (verbatim.empty())
                verbatim = VerbatimEnd(line);
            continue;
        }
        if (!verbatim.empty() || (directives && line.starts_with('#')))
            continue;
        if (HasInlineChord(line))
            return false;
        if (IsChordLine(line)) {
            chordLine = true;
            chordsOverWords = chordsOverWords
                || (i + 1 < lines.size() && !Blank(lines[i + 1]) && !IsDirective(lines[i + 1])
                    && !IsChordLine(lines[i + 1]));
        }
    }
    // With directives the file is ChordPro, and only chords written over its words make it a sheet.
    return directives ? chordsOverWords : chordLine;
}

ChordSheetConversion ConvertChordSheet(std::string_view text)
{
    const std::vector<std::string> lines = SheetLines(text);
    size_t i = 0;
    const bool directives
        = std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return IsDirective(l); });
    std::vector<std::string> out;
    std::vector<int> from; // per line written, the sheet's line it comes from
    // Written as coming from the line being read.
    const auto put = [&](std::string line) {
        out.push_back(std::move(line));
        from.push_back(static_cast<int>(std::min(i + 1, lines.size())));
    };
    std::string open; // the section's kind while one is open
    const auto close = [&] {
        if (!open.empty())
            put("{end_of_" + open + "}");
        open.clear();
    };
    const auto isWords = [&](std::string_view line) {
        return !Blank(line) && !IsDirective(line) && !IsChordLine(line) && !ReadHeader(line) && !IsTabLine(line)
            && !ReadMeta(line) && !ReadLegend(line);
    };

    while (i < lines.size() && Blank(lines[i]))
        ++i;
    if (!directives && i < lines.size() && isWords(lines[i])) {
        const bool by = i + 1 < lines.size() && Lower(Trim(lines[i + 1])).starts_with("by ");
        if (i + 1 == lines.size() || Blank(lines[i + 1]) || by) {
            put("{title: " + std::string(Trim(lines[i])) + "}");
            ++i;
            if (by) {
                put("{artist: " + std::string(Trim(Trim(lines[i]).substr(3))) + "}");
                ++i;
            }
        }
    }

    // Chords over the next line of words, or alone.
    const auto chordLine = [&](const std::vector<Word>& chords) {
        if (i + 1 < lines.size() && isWords(lines[i + 1])) {
            put(Merge(chords, lines[i + 1]));
            i += 2;
        } else {
            put(ChordsAlone(chords));
            ++i;
        }
    };

    while (i < lines.size()) {
        const std::string_view line = lines[i];
        if (IsDirective(line)) {
            close();
            put(std::string(line));
            ++i;
            // A tab, a grid or another program's block is copied as it stands.
            if (const std::string end = VerbatimEnd(line); !end.empty()) {
                for (; i < lines.size(); ++i) {
                    put(lines[i]);
                    if (IsDirective(lines[i]) && EndsVerbatim(lines[i], end)) {
                        ++i;
                        break;
                    }
                }
            }
        } else if (directives && line.starts_with('#')) {
            put(std::string(line));
            ++i;
        } else if (Blank(line)) {
            close();
            put({});
            ++i;
        } else if (const auto meta = ReadMeta(line)) {
            put(*meta);
            ++i;
        } else if (const auto legend = ReadLegend(line)) {
            put(*legend);
            ++i;
        } else if (const auto header = ReadHeader(line)) {
            close();
            open = header->kind;
            const char quote = header->label.find('"') == std::string::npos ? '"' : '\'';
            put("{start_of_" + open
                + (header->label.empty() ? std::string() : " label=" + std::string(1, quote) + header->label + quote)
                + "}");
            if (header->rest.empty()) {
                ++i;
            } else {
                // "Intro: D G" over words: the chords keep their columns, the label is the section's.
                std::string chords(line);
                const size_t rest = static_cast<size_t>(header->rest.data() - line.data());
                std::fill(chords.begin(), chords.begin() + static_cast<std::ptrdiff_t>(rest), ' ');
                chordLine(Words(chords));
            }
        } else if (IsTabLine(line)) {
            close();
            put("{start_of_tab}");
            for (; i < lines.size() && IsTabLine(lines[i]); ++i)
                put(lines[i]);
            put("{end_of_tab}");
        } else if (IsChordLine(line)) {
            chordLine(Words(line));
        } else {
            put(std::string(line));
            ++i;
        }
    }
    close();
    while (!out.empty() && out.back().empty()) {
        out.pop_back();
        from.pop_back();
    }
    ChordSheetConversion conversion;
    for (const std::string& line : out)
        conversion.chordPro += line + "\n";
    conversion.sheetLines = std::move(from);
    return conversion;
}

std::string ChordSheetToChordPro(std::string_view text) { return ConvertChordSheet(text).chordPro; }

void ChordSheetConversion::ToSheetLines(Song& song) const
{
    const auto sheetLine = [this](int& line) {
        if (line > 0 && static_cast<size_t>(line) <= sheetLines.size())
            line = sheetLines[static_cast<size_t>(line) - 1];
    };
    for (SongProblem& problem : song.problems)
        sheetLine(problem.line);
    for (SongLine& line : song.lines)
        sheetLine(line.source);
    for (SongSection& section : song.sections)
        sheetLine(section.line);
    for (ChordDefinition& definition : song.definitions)
        sheetLine(definition.line);
}

} // namespace corvane
