#include "song/song_text.h"

#include <algorithm>

#include "guitar/fingering_text.h"
#include "song/text_decoding.h"

namespace corvane {

namespace {

    constexpr std::string_view kChorusIndent = "  ";

    bool Blank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

    class Writer {
    public:
        explicit Writer(const ShownSong& shown)
            : m_shown(shown)
        {
        }

        void Heading(const std::vector<StringStripChord>& strip)
        {
            if (!m_shown.title.empty())
                Put(m_shown.title);
            for (const std::string& subtitle : m_shown.subtitles)
                Put(subtitle);
            if (!m_shown.artist.empty())
                Put(m_shown.artist);
            if (const std::string keyLine = KeyLine(m_shown); !keyLine.empty())
                Put(keyLine);
            if (!strip.empty()) {
                Gap();
                std::string line;
                for (const StringStripChord& chord : strip)
                    line += (line.empty() ? "" : "   ") + chord.name + " " + StripFrets(chord);
                Put(line);
            }
        }

        void Lines()
        {
            int section = -1;
            bool recalled = false;
            std::string recallHeading;
            for (const ShownLine& line : m_shown.lines) {
                if (line.kind == SongLineKind::Kept)
                    continue;
                if (line.kind == SongLineKind::ChorusRecall) {
                    Leave(section);
                    section = -1;
                    recallHeading = line.text.empty() ? "Chorus" : line.text;
                    // A recall with nothing to repeat still says where the chorus goes.
                    Gap();
                    Put(recallHeading);
                    continue;
                }
                if (line.section != section || line.recalled != recalled) {
                    Leave(section);
                    section = line.section;
                    recalled = line.recalled;
                    if (section >= 0 && !recalled)
                        Enter(m_shown.sections[static_cast<size_t>(section)]);
                }
                const bool chorus = section >= 0 && m_shown.sections[static_cast<size_t>(section)].kind == "chorus";
                Line(line, chorus ? kChorusIndent : "");
            }
        }

        std::string Take() { return std::move(m_out); }

    private:
        void Put(std::string_view text)
        {
            m_out += text;
            m_out += '\n';
        }

        // An empty line, unless the text is at its start or already ends in one.
        void Gap()
        {
            if (!m_out.empty() && !m_out.ends_with("\n\n"))
                m_out += '\n';
        }

        void Enter(const SongSection& section)
        {
            Gap();
            if (const std::string heading = SectionHeading(section); !heading.empty())
                Put(heading + ":");
        }

        void Leave(int section)
        {
            if (section >= 0)
                Gap();
        }

        void Line(const ShownLine& line, std::string_view indent)
        {
            const std::string in(indent);
            switch (line.kind) {
            case SongLineKind::Lyrics: {
                const ChordsOverWords laid = LayOutChords(line);
                if (laid.chords.empty() && laid.words.empty()) {
                    Gap(); // a paragraph break; several in a row, or one after a section, read as one
                    break;
                }
                if (!laid.chords.empty())
                    Put(in + laid.chords);
                if (!laid.words.empty())
                    Put(in + laid.words);
                break;
            }
            case SongLineKind::Comment:
            case SongLineKind::CommentItalic:
                Put(in + "(" + line.text + ")");
                break;
            case SongLineKind::CommentBox:
                Put(in + "[" + line.text + "]");
                break;
            case SongLineKind::Fixed:
                Put(line.text);
                break;
            case SongLineKind::ChorusRecall:
            case SongLineKind::Kept:
                break;
            }
        }

        const ShownSong& m_shown;
        std::string m_out;
    };

} // namespace

ChordsOverWords LayOutChords(const ShownLine& line)
{
    ChordsOverWords out;
    const std::string& text = line.text;
    int chordWidth = 0;
    int wordsWidth = 0; // the words' width so far, blanks let in included
    int column = 0; // of the text, where the words have reached
    size_t byte = 0;
    std::vector<int> columnOf; // where each column of the text went in the words
    for (const ShownChord& chord : line.chords) {
        // The characters up to the chord's column.
        while (column < chord.at && byte < text.size()) {
            const size_t length = std::max<size_t>(1, Utf8SequenceLength(text, byte));
            out.words.append(text, byte, length);
            byte += length;
            ++column;
            columnOf.push_back(wordsWidth++);
        }
        if (chordWidth > wordsWidth) {
            out.words.append(static_cast<size_t>(chordWidth - wordsWidth), ' ');
            wordsWidth = chordWidth;
        }
        out.chords.append(static_cast<size_t>(wordsWidth - chordWidth), ' ');
        out.chords += chord.name;
        out.chords += ' ';
        chordWidth = wordsWidth + CharacterCount(chord.name) + 1;
    }
    out.words.append(text, std::min(byte, text.size()));
    if (!line.styles.empty()) {
        const int rest = CharacterCount(std::string_view(text).substr(std::min(byte, text.size())));
        for (int k = 0; k <= rest; ++k)
            columnOf.push_back(wordsWidth + k);
        out.styles = MovedRuns(line.styles, columnOf);
    }
    while (out.chords.ends_with(' '))
        out.chords.pop_back();
    if (Blank(out.words))
        out.words.clear();
    return out;
}

std::string StripFrets(const StringStripChord& chord) { return chord.frets ? FingeringText(*chord.frets) : "-"; }

std::string SongText(const ShownSong& shown, const std::vector<StringStripChord>& strip)
{
    Writer writer(shown);
    writer.Heading(strip);
    writer.Lines();
    return writer.Take();
}

} // namespace corvane
