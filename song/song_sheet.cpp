#include "song/song_sheet.h"

#include "song/song_text.h"

namespace corvane {

SongSheetContent SongSheetOf(
    const ShownSong& shown, const std::vector<StringStripChord>& strip, const OpenStrings& strings)
{
    SongSheetContent sheet;
    sheet.strings = strings;
    sheet.title = shown.title;
    sheet.subtitles = shown.subtitles;
    sheet.details = shown.artist;
    if (const std::string keyLine = KeyLine(shown); !keyLine.empty())
        sheet.details += (sheet.details.empty() ? "" : " \u00B7 ") + keyLine;
    for (const StringStripChord& chord : strip) {
        if (chord.frets) {
            sheet.diagrams.push_back(*chord.frets);
            sheet.names.push_back(chord.name);
        }
    }

    auto& blocks = sheet.blocks;
    const auto gap = [&] {
        if (!blocks.empty() && !blocks.back().gap)
            blocks.push_back({ {}, {}, false, false, false, 0, true, {} });
    };
    const auto heading = [&](const std::string& text) {
        gap();
        blocks.push_back({ {}, text, true, false, false, 0, false, {} });
    };
    int section = -1;
    bool recalled = false;
    int part = 0;
    bool afterRecall = false;
    for (const ShownLine& line : shown.lines) {
        if (line.kind == SongLineKind::Kept)
            continue;
        const std::size_t before = blocks.size();
        const auto mark = [&] {
            for (std::size_t i = before; i < blocks.size(); ++i)
                blocks[i].part = part;
        };
        const bool blank = line.kind == SongLineKind::Lyrics && line.text.empty() && line.chords.empty();
        if (line.kind == SongLineKind::ChorusRecall
            || ((line.section != section || line.recalled != recalled) && !afterRecall)
            || (section < 0 && line.section < 0 && blank))
            ++part;
        afterRecall = line.kind == SongLineKind::ChorusRecall;
        if (line.kind == SongLineKind::ChorusRecall) {
            heading(line.text.empty() ? "Chorus" : line.text);
            section = -1;
            mark();
            continue;
        }
        if (line.section != section || line.recalled != recalled) {
            if (section >= 0)
                gap();
            section = line.section;
            recalled = line.recalled;
            if (section >= 0 && !recalled) {
                if (const std::string name = SectionHeading(shown.sections[static_cast<size_t>(section)]);
                    !name.empty())
                    heading(name);
                else
                    gap();
            }
        }
        const int indent = section >= 0 && shown.sections[static_cast<size_t>(section)].kind == "chorus" ? 2 : 0;
        switch (line.kind) {
        case SongLineKind::Lyrics: {
            const ChordsOverWords laid = LayOutChords(line);
            if (laid.chords.empty() && laid.words.empty())
                gap();
            else
                blocks.push_back({ laid.chords, laid.words, false, false, false, indent, false, laid.styles });
            break;
        }
        case SongLineKind::Fixed:
            blocks.push_back({ {}, line.text, false, false, true, 0, false, {} });
            break;
        case SongLineKind::Comment:
        case SongLineKind::CommentItalic:
        case SongLineKind::CommentBox:
            blocks.push_back({ {}, line.text, false, true, false, indent, false, line.styles });
            break;
        case SongLineKind::ChorusRecall:
        case SongLineKind::Kept:
            break;
        }
        mark();
    }
    while (!blocks.empty() && blocks.back().gap)
        blocks.pop_back();
    return sheet;
}

std::vector<std::size_t> PageStarts(
    const std::vector<SheetBlock>& blocks, int lineHeight, int firstTop, int top, int pageHeight)
{
    std::vector<std::size_t> starts { 0 };
    int y = firstTop;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const int height = blocks[i].Lines() * lineHeight;
        if (y + height > pageHeight && y > top) {
            // A gap at the top of a page is left out by the drawing; it still starts the page.
            starts.push_back(i);
            y = top;
        }
        y += height;
    }
    return starts;
}

} // namespace corvane
