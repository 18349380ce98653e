#include "song/chordpro_reader.h"

#include "song/ascii_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "guitar/instrument_search.h"
#include "guitar/voicing_search.h"
#include "song/chord_sheet.h"
#include "song/song_chord.h"
#include "song/song_markup.h"
#include "song/spelling.h"
#include "song/text_decoding.h"
#include "theory/plain_text.h"

namespace corvane {

std::string SongProblem::Text() const { return line > 0 ? "line " + std::to_string(line) + ": " + message : message; }

namespace {

    // A file full of mistakes says the first of them; the rest are counted.
    constexpr size_t kMaxProblems = 100;
    constexpr int kMaxTranspose = 24;
    constexpr int kMaxCapo = 11;
    constexpr int kMaxBaseFret = 24;
    constexpr int kHighestFret = 27;

    std::string_view Trim(std::string_view text) { return TrimBlanks(text, " \t\f\v"); }

    std::string Lower(std::string_view text) { return AsciiLower(text); }

    std::optional<int> ReadInt(std::string_view text)
    {
        text = Trim(text);
        if (text.starts_with('+'))
            text.remove_prefix(1);
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || ec != std::errc {} || end != text.data() + text.size())
            return std::nullopt;
        return value;
    }

    std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

    // The long name of each short form.
    constexpr std::array<std::pair<std::string_view, std::string_view>, 22> kShortForms { {
        { "t", "title" },
        { "st", "subtitle" },
        { "c", "comment" },
        { "ci", "comment_italic" },
        { "cb", "comment_box" },
        { "soc", "start_of_chorus" },
        { "eoc", "end_of_chorus" },
        { "sov", "start_of_verse" },
        { "eov", "end_of_verse" },
        { "sob", "start_of_bridge" },
        { "eob", "end_of_bridge" },
        { "sot", "start_of_tab" },
        { "eot", "end_of_tab" },
        { "sog", "start_of_grid" },
        { "eog", "end_of_grid" },
        { "np", "new_page" },
        { "npp", "new_physical_page" },
        { "colb", "column_break" },
        { "col", "columns" },
        { "g", "grid" },
        { "ng", "no_grid" },
        { "highlight", "comment" },
    } };

    // Metadata this program keeps but does not use, besides title, subtitle, artist, key, capo,
    // tempo and time.
    constexpr std::array<std::string_view, 9> kOtherMetadata { "composer", "lyricist", "arranger", "album", "year",
        "copyright", "duration", "sorttitle", "meta" };

    // Environments whose lines are lyrics with chords; every other one is kept as written.
    constexpr std::array<std::string_view, 3> kLyricSections { "verse", "chorus", "bridge" };
    // Environments of fixed-width text that are drawn as they stand.
    constexpr std::array<std::string_view, 2> kFixedSections { "tab", "grid" };
    // An environment of plain lines, printed as words without chords.
    constexpr std::string_view kTextBlock = "textblock";

    std::string LongName(std::string_view name)
    {
        for (const auto& [shortName, longName] : kShortForms)
            if (name == shortName)
                return std::string(longName);
        return std::string(name);
    }

    template <size_t N> bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words)
    {
        return std::find(words.begin(), words.end(), word) != words.end();
    }

    struct Directive {
        std::string name; // lower case, long form, without a selector
        std::string selector; // "piano" of {textsize-piano: 12}; empty when none
        bool notFor = false; // {comment-guitar!: ...}: for every instrument but the selector's
        std::string value; // trimmed
    };

    // The inside of "{name: value}", "{name value}" or "{name}".
    Directive ParseDirective(std::string_view inside)
    {
        inside = Trim(inside);
        Directive d;
        const auto end = inside.find_first_of(": \t");
        std::string name = Lower(inside.substr(0, end));
        std::string_view rest = end == std::string_view::npos ? std::string_view() : inside.substr(end);
        rest = Trim(rest);
        if (rest.starts_with(':'))
            rest = Trim(rest.substr(1));
        d.value = std::string(rest);
        // A selector follows the last dash; start_of_x-y keeps the underscores of its name.
        if (const auto dash = name.rfind('-'); dash != std::string::npos && dash > 0) {
            d.selector = name.substr(dash + 1);
            name.erase(dash);
            if (d.selector.ends_with('!')) {
                d.selector.pop_back();
                d.notFor = true;
            }
        }
        d.name = LongName(name);
        return d;
    }

    // label="Verse 1", label='Verse 1', label=Verse, or the whole value.
    std::string SectionLabel(std::string_view value)
    {
        const auto at = value.find("label=");
        if (at == std::string_view::npos || (at > 0 && value[at - 1] != ' '))
            return std::string(value);
        std::string_view rest = value.substr(at + 6);
        if (!rest.empty() && (rest.front() == '"' || rest.front() == '\'')) {
            const char quote = rest.front();
            rest.remove_prefix(1);
            return std::string(rest.substr(0, rest.find(quote)));
        }
        return std::string(rest.substr(0, rest.find(' ')));
    }

    // Where the brace that opens the text is closed, counting the braces of %{...} inside; npos when
    // it is not.
    size_t ClosingBrace(std::string_view text)
    {
        int depth = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '{')
                ++depth;
            else if (text[i] == '}' && --depth == 0)
                return i;
        }
        return std::string_view::npos;
    }

    // [(E)] is an optional E: the name inside the parentheses is the chord.
    std::string_view Unbracketed(std::string_view name)
    {
        if (name.size() > 2 && name.front() == '(' && name.back() == ')')
            return name.substr(1, name.size() - 2);
        return name;
    }

    // The words of a definition; the quoted name after display ("Am(7) ") is one word, without its
    // quotes.
    std::vector<std::string> DefinitionWords(std::string_view text)
    {
        std::vector<std::string> words;
        for (size_t at = 0; at < text.size();) {
            if (text[at] == ' ' || text[at] == '\t') {
                ++at;
                continue;
            }
            const bool afterDisplay = !words.empty() && Lower(words.back()) == "display";
            if (afterDisplay && (text[at] == '"' || text[at] == '\'')) {
                const size_t close = text.find(text[at], at + 1);
                const size_t end = close == std::string_view::npos ? text.size() : close;
                words.emplace_back(text.substr(at + 1, end - at - 1));
                at = end + 1;
                continue;
            }
            const size_t end = std::min(text.find_first_of(" \t", at), text.size());
            words.emplace_back(text.substr(at, end - at));
            at = end;
        }
        return words;
    }

    class Reader {
    public:
        Reader(int strings, std::string instrument)
            : m_strings(std::clamp(strings, kMinInstrumentStrings, kMaxInstrumentStrings))
            , m_instrument(AsciiLower(instrument))
        {
        }

        // A selector that names an item holds for the whole song, wherever the item is given: the
        // songs are read once for their items, then for good.
        std::vector<Song> Read(std::string_view text)
        {
            Reader first(m_strings, m_instrument);
            first.m_prescan = true;
            for (const Song& song : first.ReadLines(text))
                m_known.push_back(ItemsWithValue(song));
            return ReadLines(text);
        }

    private:
        static std::set<std::string> ItemsWithValue(const Song& song)
        {
            std::set<std::string> items;
            const auto add = [&](const std::string& name, bool given) {
                if (given)
                    items.insert(name);
            };
            add("title", !song.title.empty());
            add("subtitle", !song.subtitles.empty());
            add("artist", !song.artist.empty());
            add("key", !song.key.empty());
            add("capo", song.capo.has_value());
            add("tempo", !song.tempo.empty());
            add("time", !song.time.empty());
            for (const auto& [name, value] : song.metadata) {
                if (name != "meta")
                    add(name, !value.empty());
                else if (const size_t blank = value.find_first_of(" \t"); blank != std::string::npos)
                    add(Lower(value.substr(0, blank)), !Trim(std::string_view(value).substr(blank)).empty());
            }
            return items;
        }

        std::vector<Song> ReadLines(std::string_view text)
        {
            if (text.starts_with("\xEF\xBB\xBF"))
                text.remove_prefix(3);
            int number = 0;
            for (const std::string_view line : SplitLines(text))
                Line(line, ++number);
            Finish();
            return std::move(m_songs);
        }

        // The song read so far joins the list, and the reader starts afresh on the next.
        void Finish()
        {
            if (m_open >= 0 && m_skipping.empty()) {
                const SongSection& open = m_song.sections[static_cast<size_t>(m_open)];
                Problem(open.line, "{start_of_" + open.kind + "} is never ended by {end_of_" + open.kind + "}");
            }
            if (m_dropped > 0)
                m_song.problems.push_back({ 0, "and " + std::to_string(m_dropped) + " more problems" });
            // The environments this program does not draw, said once; one without lines says nothing.
            std::string notDrawn;
            for (size_t k = 0; k < m_song.sections.size(); ++k) {
                const SongSection& section = m_song.sections[k];
                if (!m_notDrawn.contains(static_cast<int>(k)))
                    continue;
                if (std::any_of(m_song.lines.begin(), m_song.lines.end(),
                        [&](const SongLine& line) { return line.section == static_cast<int>(k); }))
                    notDrawn
                        += (notDrawn.empty() ? "" : ", ") + section.kind + " at line " + std::to_string(section.line);
            }
            if (!notDrawn.empty())
                m_song.notes.push_back({ 0, "not drawn, kept as written: " + notDrawn });
            m_songs.push_back(std::move(m_song));
            const int strings = m_strings;
            std::string instrument = std::move(m_instrument);
            std::vector<Song> songs = std::move(m_songs);
            std::vector<std::set<std::string>> known = std::move(m_known);
            const bool prescan = m_prescan;
            *this = Reader(strings, std::move(instrument));
            m_songs = std::move(songs);
            m_known = std::move(known);
            m_prescan = prescan;
        }

        bool Empty() const
        {
            return m_song.title.empty() && m_song.lines.empty() && m_song.definitions.empty() && m_song.metadata.empty()
                && m_song.subtitles.empty() && m_song.artist.empty() && m_song.key.empty() && !m_song.capo
                && m_song.problems.empty();
        }

        // A selector names the instrument in use, or a metadata item that has a value.
        bool Applies(const Directive& d) const
        {
            if (d.selector.empty())
                return true;
            const size_t song = m_songs.size();
            const bool named = d.selector == m_instrument
                || (!m_prescan && song < m_known.size() && m_known[song].contains(d.selector));
            return named != d.notFor;
        }

        void Problem(int line, std::string message)
        {
            if (m_song.problems.size() < kMaxProblems)
                m_song.problems.push_back({ line, std::move(message) });
            else
                ++m_dropped;
        }

        void Line(std::string_view line, int number)
        {
            const std::string_view trimmed = Trim(line);
            const size_t closing = trimmed.starts_with('{') ? ClosingBrace(trimmed) : std::string_view::npos;
            const bool directive = closing != std::string_view::npos && closing == trimmed.size() - 1;

            // A section for another instrument is kept as written, its end too.
            if (!m_skipping.empty()) {
                Add(SongLineKind::Kept, std::string(line), number);
                if (directive && ParseDirective(trimmed.substr(1, trimmed.size() - 2)).name == "end_of_" + m_skipping)
                    m_skipping.clear();
                return;
            }
            if (m_open >= 0 && m_verbatim) {
                if (directive && IsEnd(ParseDirective(trimmed.substr(1, trimmed.size() - 2)), number))
                    return;
                if (!line.starts_with('#'))
                    Add(m_fixed ? SongLineKind::Fixed : SongLineKind::Kept, std::string(line), number);
                return;
            }
            if (line.starts_with('#'))
                return;
            if (directive) {
                Handle(ParseDirective(trimmed.substr(1, trimmed.size() - 2)), trimmed, number);
                return;
            }
            if (trimmed.starts_with('{') && closing == std::string_view::npos)
                Problem(number, "\"{\" is not closed by \"}\"; the line is kept as words");
            if (m_textBlock) {
                Words(Add(SongLineKind::Lyrics, {}, number), line, {});
                return;
            }
            Lyrics(line, number);
        }

        // The line's words as written (chords taken out), read for their markup.
        void Words(SongLine& line, std::string_view written, std::vector<size_t> chordBytes)
        {
            if (!HasMarkup(written)) {
                line.text = std::string(written);
                return;
            }
            MarkupReading markup = ReadMarkup(written);
            line.text = std::move(markup.plain);
            line.written = std::string(written);
            for (size_t k = 0; k < line.chords.size() && k < chordBytes.size(); ++k) {
                line.chords[k].at = markup.columnOfByte[chordBytes[k]];
                line.chords[k].writtenAt = static_cast<int>(chordBytes[k]);
            }
        }

        SongLine& Add(SongLineKind kind, std::string text, int number)
        {
            SongLine line;
            line.kind = kind;
            line.text = std::move(text);
            line.section = m_open;
            line.source = number;
            // A chorus is the one {chorus} repeats once it holds a line: an empty one writes nothing.
            if (m_open >= 0 && m_song.sections[static_cast<size_t>(m_open)].kind == "chorus" && !m_verbatim)
                m_lastChorus = m_open;
            // So is the first section of a kind that [^] takes its chords from.
            if (m_open >= 0 && !m_verbatim && !m_textBlock) {
                const std::string& kind = m_song.sections[static_cast<size_t>(m_open)].kind;
                if (!m_remembered.contains(kind)) {
                    m_remembered[kind];
                    m_recording = true;
                }
            }
            m_song.lines.push_back(std::move(line));
            return m_song.lines.back();
        }

        void Lyrics(std::string_view text, int number)
        {
            SongLine& line = Add(SongLineKind::Lyrics, {}, number);
            std::string written; // the words without the chords
            std::vector<size_t> chordBytes; // where each chord stands in them
            int columns = 0;
            const auto append = [&](std::string_view part) {
                written += part;
                columns += CharacterCount(part);
            };
            for (size_t at = 0; at < text.size();) {
                const size_t open = text.find('[', at);
                if (open == std::string_view::npos) {
                    append(text.substr(at));
                    break;
                }
                append(text.substr(at, open - at));
                const size_t close = text.find(']', open + 1);
                if (close == std::string_view::npos) {
                    Problem(number,
                        "\"[\" at column " + std::to_string(columns + 1)
                            + " is not closed by \"]\"; the rest of the line is kept as words");
                    append(text.substr(open));
                    break;
                }
                const std::string_view inside = text.substr(open + 1, close - open - 1);
                at = close + 1;
                if (inside.empty()) {
                    append("[]");
                    continue;
                }
                PlacedChord chord;
                chord.at = columns;
                chord.annotation = inside.starts_with('*');
                chord.name = chord.annotation ? std::string(inside.substr(1)) : std::string(inside);
                chord.shift = m_transpose.empty() ? 0 : m_transpose.back();
                if (!chord.annotation)
                    Remember(chord, columns, number);
                chordBytes.push_back(written.size());
                line.chords.push_back(std::move(chord));
            }
            if (Trim(text).empty() && m_open < 0)
                EndParagraph();
            Words(line, written, std::move(chordBytes));
        }

        // [^] is the chord at the same count from the start in the first section of its kind; the
        // first one's chords are remembered for it. Outside sections, the first paragraph with
        // chords is remembered.
        void Remember(PlacedChord& chord, int column, int number)
        {
            const std::string kind = m_open >= 0 ? m_song.sections[static_cast<size_t>(m_open)].kind : std::string();
            if (m_open < 0 && !m_remembered.contains(kind)) {
                m_remembered[kind];
                m_recording = true;
            }
            const size_t count = m_counted++;
            if (chord.name == "^") {
                const std::vector<std::string>& first = m_remembered[kind];
                if (!m_recording && count < first.size()) {
                    chord.name = first[count];
                } else {
                    Problem(number,
                        "[^] at column " + std::to_string(column + 1) + " has no chord to repeat: the first "
                            + (kind.empty() ? std::string("paragraph") : kind) + " has " + std::to_string(first.size())
                            + " chords");
                    return;
                }
            } else {
                CheckChord(std::string(Unbracketed(chord.name)), number);
            }
            if (m_recording)
                m_remembered[kind].push_back(chord.name);
        }

        void EndParagraph()
        {
            const auto paragraph = m_remembered.find(std::string());
            if (m_recording && paragraph != m_remembered.end() && !paragraph->second.empty())
                m_recording = false;
            m_counted = 0;
        }

        void CheckChord(const std::string& name, int number)
        {
            // A {define} before it declares the name valid.
            if (std::any_of(m_song.definitions.begin(), m_song.definitions.end(),
                    [&](const ChordDefinition& d) { return d.name == name; }))
                return;
            auto found = m_readings.find(name);
            if (found == m_readings.end())
                found = m_readings.emplace(name, ReadSongChordName(name).problem).first;
            if (!found->second.empty())
                Problem(number, "chord " + Quoted(name) + " is kept as written: " + found->second);
        }

        // Ends the open section when the directive is its end.
        bool IsEnd(const Directive& d, int number)
        {
            if (!d.name.starts_with("end_of_"))
                return false;
            const std::string kind = d.name.substr(7);
            if (m_open < 0 || m_song.sections[static_cast<size_t>(m_open)].kind != kind) {
                if (!m_verbatim)
                    Problem(number, "{" + d.name + "} ends no {start_of_" + kind + "}; it is passed over");
                return !m_verbatim;
            }
            m_open = -1;
            m_verbatim = false;
            m_fixed = false;
            m_textBlock = false;
            m_recording = false;
            m_counted = 0;
            return true;
        }

        void Open(const Directive& d, std::string_view written, int number)
        {
            SongSection section;
            section.kind = d.name.substr(9);
            section.label = SectionLabel(d.value);
            section.line = number;
            const bool lyrics = IsOneOf(section.kind, kLyricSections);
            m_fixed = IsOneOf(section.kind, kFixedSections);
            m_textBlock = section.kind == kTextBlock;
            if (!lyrics && !m_fixed)
                section.opening = std::string(written);
            if (!lyrics && !m_fixed && !m_textBlock)
                m_notDrawn.insert(static_cast<int>(m_song.sections.size()));
            EndParagraph();
            m_recording = false;
            if (m_open >= 0) {
                const std::string& open = m_song.sections[static_cast<size_t>(m_open)].kind;
                Problem(
                    number, "{start_of_" + section.kind + "} before {end_of_" + open + "}; the " + open + " ends here");
            }
            m_song.sections.push_back(std::move(section));
            m_open = static_cast<int>(m_song.sections.size()) - 1;
            m_verbatim = !lyrics && !m_textBlock;
        }

        void Handle(const Directive& d, std::string_view written, int number)
        {
            // Settings for another instrument are not for us, and a name of other characters than
            // letters, digits and underscores is no directive we know; keep them as written.
            const bool wellFormed = std::all_of(d.name.begin(), d.name.end(),
                [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'; });
            if (!Applies(d) || !wellFormed) {
                // A section for another instrument ends the one open, as any section start does.
                if (wellFormed && d.name.starts_with("start_of_") && d.name.size() > 9) {
                    if (m_open >= 0) {
                        const std::string open = m_song.sections[static_cast<size_t>(m_open)].kind;
                        Problem(number,
                            "{" + d.name + "-" + d.selector + "} before {end_of_" + open + "}; the " + open
                                + " ends here");
                        IsEnd(Directive { "end_of_" + open, {}, false, {} }, number);
                    }
                    m_skipping = d.name.substr(9);
                }
                Add(SongLineKind::Kept, std::string(written), number);
                return;
            }
            const std::string& name = d.name;
            if (name == "new_song" || name == "ns") {
                if (!Empty())
                    Finish();
                return;
            }
            if (name == "meta") {
                // {meta: NAME VALUE} is the same as {NAME: VALUE} for the items this program knows.
                const std::string_view value = d.value;
                const size_t blank = value.find_first_of(" \t");
                Directive item;
                item.name = Lower(value.substr(0, blank));
                item.value
                    = std::string(Trim(blank == std::string_view::npos ? std::string_view() : value.substr(blank)));
                if (IsMetadata(item.name) && item.name != "meta") {
                    Handle(item, written, number);
                } else if (!item.name.empty()) {
                    m_song.metadata.emplace_back("meta", d.value);
                }
                return;
            }
            if (name == "title") {
                if (!m_titled) {
                    m_song.title = d.value;
                    m_titled = true;
                } else {
                    m_song.metadata.emplace_back(name, d.value);
                }
            } else if (name == "subtitle") {
                m_song.subtitles.push_back(d.value);
            } else if (name == "artist") {
                if (m_song.artist.empty())
                    m_song.artist = d.value;
                else
                    m_song.metadata.emplace_back(name, d.value);
            } else if (name == "key") {
                if (!ReadKey(d.value))
                    Problem(number, "{key: " + d.value + "} names no key; it is shown as written");
                if (m_song.key.empty())
                    m_song.key = d.value;
                else
                    m_song.metadata.emplace_back(name, d.value);
            } else if (name == "capo") {
                const auto capo = ReadInt(d.value);
                if (!capo || *capo < 0 || *capo > kMaxCapo)
                    Problem(number,
                        "{capo: " + d.value + "} is not a fret 0.." + std::to_string(kMaxCapo) + "; passed over");
                else
                    m_song.capo = *capo;
            } else if (name == "tempo") {
                m_song.tempo = d.value;
            } else if (name == "time") {
                m_song.time = d.value;
            } else if (IsOneOf(name, kOtherMetadata)) {
                m_song.metadata.emplace_back(name, d.value);
            } else if (name == "comment") {
                Words(Add(SongLineKind::Comment, {}, number), d.value, {});
            } else if (name == "comment_italic") {
                Words(Add(SongLineKind::CommentItalic, {}, number), d.value, {});
            } else if (name == "comment_box") {
                Words(Add(SongLineKind::CommentBox, {}, number), d.value, {});
            } else if (name.starts_with("start_of_") && name.size() > 9) {
                Open(d, written, number);
            } else if (name.starts_with("end_of_") && name.size() > 7) {
                IsEnd(d, number);
            } else if (name == "chorus") {
                SongLine& line = Add(SongLineKind::ChorusRecall, d.value, number);
                line.recalls = m_lastChorus;
                line.shift = m_transpose.empty() ? 0 : m_transpose.back();
                if (m_lastChorus < 0)
                    Problem(number, "{chorus} comes before any chorus; there is nothing to repeat");
            } else if (name == "define" || name == "chord") {
                Define(d, name == "chord", number);
            } else if (name == "transpose") {
                Transpose(d, number);
            } else {
                Add(SongLineKind::Kept, std::string(written), number);
            }
        }

        void Transpose(const Directive& d, int number)
        {
            if (d.value.empty()) {
                if (m_transpose.empty())
                    Problem(number, "{transpose} ends no transposition");
                else
                    m_transpose.pop_back();
                return;
            }
            const auto steps = ReadInt(d.value);
            if (!steps || *steps < -kMaxTranspose || *steps > kMaxTranspose) {
                Problem(number,
                    "{transpose: " + d.value + "} is not a number of semitones -" + std::to_string(kMaxTranspose) + ".."
                        + std::to_string(kMaxTranspose) + "; passed over");
                return;
            }
            m_transpose.push_back((m_transpose.empty() ? 0 : m_transpose.back()) + *steps);
        }

        // {define: NAME base-fret B frets F1..FN [fingers N1..NN]}, or the older NAME B F1..FN, with
        // one fret and one finger for each of the strings the song is read for.
        void Define(const Directive& d, bool shown, int number)
        {
            const std::vector<std::string> w = DefinitionWords(d.value);
            if (w.empty()) {
                Problem(number, "{" + std::string(shown ? "chord" : "define") + "} without a chord name; passed over");
                return;
            }
            ChordDefinition def;
            def.name = w[0];
            def.shown = shown;
            def.line = number;
            const auto bad = [&](const std::string& why) {
                Problem(number, "the definition of " + Quoted(def.name) + " " + why + "; passed over");
            };
            const auto isKeyword = [](const std::string& word) {
                const std::string lower = Lower(word);
                return lower == "fingers" || lower == "frets" || lower == "base-fret" || lower == "keys"
                    || lower == "display" || lower == "copy" || lower == "copyall";
            };

            std::vector<std::string> frets;
            std::vector<std::string> fingers;
            std::optional<int> base;
            for (size_t i = 1; i < w.size(); ++i) {
                const std::string key = Lower(w[i]);
                if (key == "keys" || key == "format")
                    return; // a keyboard chord, or a form this program does not draw: the name stays declared
                if ((key == "display" || key == "copy" || key == "copyall") && i + 1 < w.size()) {
                    (key == "display" ? def.display : def.copy) = w[++i];
                } else if (key == "base-fret" && i + 1 < w.size()) {
                    base = ReadInt(w[++i]);
                    if (!base) {
                        bad("has base-fret " + w[i] + ", not a number");
                        return;
                    }
                } else if (key == "frets" || key == "fingers" || (i == 1 && ReadInt(w[i]))) {
                    // The older form is the base fret, then the frets.
                    if (key != "frets" && key != "fingers")
                        base = ReadInt(w[i]);
                    auto& list = key == "fingers" ? fingers : frets;
                    while (i + 1 < w.size() && !isKeyword(w[i + 1]))
                        list.push_back(w[++i]);
                } else {
                    bad("has " + Quoted(w[i]) + ", which it does not know");
                    return;
                }
            }
            def.baseFret = base.value_or(1);
            if (def.baseFret < 1 || def.baseFret > kMaxBaseFret) {
                bad("has base-fret " + std::to_string(def.baseFret) + ", not 1.." + std::to_string(kMaxBaseFret));
                return;
            }
            const auto countWrong = [&](const std::vector<std::string>& list, const char* what) {
                if (list.empty() || list.size() == static_cast<size_t>(m_strings))
                    return false;
                bad("gives " + std::to_string(list.size()) + " " + what + ", not one for each of the "
                    + std::to_string(m_strings) + " strings");
                return true;
            };
            if (countWrong(frets, "frets"))
                return;
            if (!frets.empty()) {
                Frets read;
                for (const std::string& f : frets) {
                    const std::string lower = Lower(f);
                    if (lower == "x" || lower == "n" || lower == "-1") {
                        read[read.count++] = kMuted;
                        continue;
                    }
                    const auto fret = ReadInt(f);
                    if (!fret || *fret < 0 || (*fret > 0 && *fret + def.baseFret - 1 > kHighestFret)) {
                        bad("has fret " + Quoted(f) + ", not x or a fret 0.." + std::to_string(kHighestFret));
                        return;
                    }
                    read[read.count++] = *fret == 0 ? 0 : *fret + def.baseFret - 1;
                }
                // The barres are found by the finger rules of the search for that many strings.
                if (m_strings == kStrings) {
                    Voicing voicing = VoicingOfFrets(read);
                    CountFingers(voicing, false);
                    def.frets = voicing;
                } else {
                    CountStringFingers(read, false);
                    def.stringFrets = read;
                }
            }
            if (countWrong(fingers, "fingers"))
                return;
            if (!fingers.empty()) {
                std::vector<int> numbers;
                for (const std::string& finger : fingers) {
                    const std::string lower = Lower(finger);
                    const auto n
                        = lower == "x" || lower == "n" || lower == "-" ? std::optional<int>(0) : ReadInt(finger);
                    if (!n || *n < 0 || *n > 5) {
                        bad("has finger " + Quoted(finger) + ", not 0..5");
                        return;
                    }
                    numbers.push_back(*n);
                }
                if (m_strings == kStrings) {
                    def.fingers.emplace();
                    std::copy(numbers.begin(), numbers.end(), def.fingers->begin());
                } else {
                    def.stringFingers = std::move(numbers);
                }
            }
            // Frets of its own win over a copy.
            if (!frets.empty() || !fingers.empty())
                def.copy.clear();
            if (!def.copy.empty()) {
                // The fingering of the copied chord, when the file defined it before.
                const auto& defs = m_song.definitions;
                const auto source = std::find_if(defs.rbegin(), defs.rend(),
                    [&](const ChordDefinition& other) { return other.name == def.copy && other.AnyFrets(); });
                if (source != defs.rend()) {
                    def.baseFret = source->baseFret;
                    def.frets = source->frets;
                    def.fingers = source->fingers;
                    def.stringFrets = source->stringFrets;
                    def.stringFingers = source->stringFingers;
                }
            }
            m_song.definitions.push_back(std::move(def));
        }

        bool IsMetadata(const std::string& name) const
        {
            return name == "title" || name == "subtitle" || name == "artist" || name == "key" || name == "capo"
                || name == "tempo" || name == "time" || IsOneOf(name, kOtherMetadata);
        }

        int m_strings = kStrings; // one fret and one finger each in a definition
        bool m_prescan = false; // reading for the items alone, a selector naming an item holds for none
        std::vector<std::set<std::string>> m_known; // per song, the items given a value
        std::string m_instrument; // "guitar", "ukulele": the one selectors are read for
        std::vector<Song> m_songs; // those before {new_song}
        Song m_song;
        int m_open = -1; // the section being read
        bool m_verbatim = false; // its lines are kept as written
        bool m_fixed = false; // ... as tab or grid
        bool m_textBlock = false; // its lines are words without chords
        std::string m_skipping; // the kind of a section for another instrument, until its end
        std::set<int> m_notDrawn; // the sections kept but not drawn
        std::map<std::string, std::vector<std::string>> m_remembered; // chords of each kind's first section
        bool m_recording = false; // the section being read is the first of its kind
        size_t m_counted = 0; // chords since its start
        int m_lastChorus = -1;
        bool m_titled = false;
        std::vector<int> m_transpose; // the stack of {transpose}, each entry the running total
        std::map<std::string, std::string> m_readings; // chord name to its problem, read once
        size_t m_dropped = 0;
    };

} // namespace

std::vector<Song> ReadChordProSongs(std::string_view text, int strings, const std::string& instrument)
{
    return Reader(strings, instrument).Read(text);
}

Song ReadChordPro(std::string_view text, int strings, const std::string& instrument)
{
    std::vector<Song> songs = ReadChordProSongs(text, strings, instrument);
    return std::move(songs.front());
}

SongReading ReadSongBytes(std::string_view bytes, int strings, const std::string& instrument)
{
    SongReading out;
    DecodedText decoded = DecodeSongBytes(bytes);
    if (!decoded.refused.empty()) {
        out.refused = std::move(decoded.refused);
        return out;
    }
    std::vector<Song> songs;
    if (IsChordSheet(decoded.text)) {
        out.converted = true;
        const ChordSheetConversion sheet = ConvertChordSheet(decoded.text);
        songs = ReadChordProSongs(sheet.chordPro, strings, instrument);
        sheet.ToSheetLines(songs.front());
    } else {
        songs = ReadChordProSongs(decoded.text, strings, instrument);
    }
    out.song = std::move(songs.front());
    out.others.assign(std::make_move_iterator(songs.begin() + 1), std::make_move_iterator(songs.end()));
    if (decoded.firstNonUtf8Line > 0)
        out.song.problems.insert(out.song.problems.begin(),
            { decoded.firstNonUtf8Line, "not UTF-8; the file is read as Latin-1 (Windows-1252)" });
    return out;
}

SongReading ReadSongFile(const std::string& path, int strings, const std::string& instrument)
{
    SongReading out;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        out.refused = "cannot open " + path;
        return out;
    }
    // Read one byte past the limit, so that a file too large is known without reading all of it.
    std::string bytes(kMaxSongBytes + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(file.gcount()));
    if (file.bad()) {
        out.refused = "cannot read " + path;
        return out;
    }
    if (bytes.size() > kMaxSongBytes) {
        file.clear();
        file.seekg(0, std::ios::end);
        const auto size = static_cast<std::streamoff>(file.tellg());
        out.refused = DecodeSongBytes(bytes, size > 0 ? static_cast<size_t>(size) : bytes.size()).refused;
        return out;
    }
    return ReadSongBytes(bytes, strings, instrument);
}

} // namespace corvane
