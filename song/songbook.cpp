// The songbook's plan: contents, song pages, page turns.
#include "song/songbook.h"

#include <algorithm>
#include <map>

#include "song/ascii_text.h"

namespace corvane {

namespace {

    std::size_t Rows(std::size_t diagrams, const BookMetrics& metrics)
    {
        const auto columns = static_cast<std::size_t>(metrics.Columns());
        return (diagrams + columns - 1) / columns;
    }

    // A song's pages as if it began at `start` on a page: one piece per page.
    std::vector<BookPiece> LaySong(const SongSheetContent& sheet, int start, const BookMetrics& metrics, int& endY)
    {
        const int bottom = metrics.Bottom();
        const int room = bottom - metrics.top;
        // A strip taller than a page is cut to the rows that fit under the title.
        std::size_t diagrams = sheet.diagrams.size();
        const int bare = HeadingHeight(sheet, 0, metrics);
        const auto rowsThatFit = static_cast<std::size_t>(std::max(0, (room - bare) / metrics.cell));
        if (Rows(diagrams, metrics) > rowsThatFit)
            diagrams = rowsThatFit * static_cast<std::size_t>(metrics.Columns());

        std::vector<BookPiece> pieces;
        BookPiece page { 0, true, diagrams, 0, 0, start, start + HeadingHeight(sheet, diagrams, metrics) };
        int y = page.blocksTop;
        const auto empty = [&] { return !page.heading && page.end == page.first; };
        const auto newPage = [&](std::size_t first) {
            pieces.push_back(page);
            page = BookPiece { 0, false, 0, first, first, metrics.top, metrics.top };
            y = metrics.top;
        };
        const auto& blocks = sheet.blocks;
        std::size_t i = 0;
        while (i < blocks.size()) {
            std::size_t j = i;
            int height = 0;
            int leading = 0; // the gaps that open the part, left out at the top of a page
            while (j < blocks.size() && blocks[j].part == blocks[i].part) {
                const int h = BlockHeight(blocks[j], metrics);
                if (blocks[j].gap && height == leading)
                    leading += h;
                height += h;
                ++j;
            }
            if (empty()) {
                while (i < j && blocks[i].gap)
                    ++i;
                page.first = page.end = i;
                height -= leading;
            }
            if (y + height <= bottom) {
                y += height;
                page.end = j;
            } else if (height - leading <= room && !empty()) {
                // The part fits on a page of its own: it begins the next.
                std::size_t k = i;
                while (k < j && blocks[k].gap)
                    ++k;
                newPage(k);
                y += height - leading;
                page.end = j;
            } else {
                // Too long for any page: split between its lines.
                for (std::size_t k = i; k < j; ++k) {
                    const int h = BlockHeight(blocks[k], metrics);
                    if (y + h > bottom && !empty())
                        newPage(k);
                    if (empty() && blocks[k].gap) {
                        page.first = page.end = k + 1;
                        continue;
                    }
                    y += h;
                    page.end = k + 1;
                }
            }
            i = j;
        }
        pieces.push_back(page);
        endY = y;
        return pieces;
    }

    struct Placed {
        std::vector<BookPiece> pieces;
        int endY = 0;
    };

} // namespace

int BlockHeight(const SheetBlock& block, const BookMetrics& metrics) { return block.Lines() * metrics.line; }

int HeadingHeight(const SongSheetContent& sheet, std::size_t diagrams, const BookMetrics& metrics)
{
    int height = metrics.title + static_cast<int>(sheet.subtitles.size()) * metrics.subtitle
        + (sheet.details.empty() ? 0 : metrics.details) + metrics.stripGap;
    return height + static_cast<int>(Rows(diagrams, metrics)) * metrics.cell;
}

std::string TitleSortKey(const std::string& title)
{
    std::string key = AsciiLower(title);
    const std::size_t begin = key.find_first_not_of(" \t\"'");
    key.erase(0, begin == std::string::npos ? key.size() : begin);
    for (const char* article : { "the ", "a ", "an " }) {
        const std::string prefix = article;
        if (key.size() > prefix.size() && key.starts_with(prefix)) {
            key.erase(0, prefix.size());
            break;
        }
    }
    return key;
}

BookPlan LayOutBook(const std::vector<BookSong>& songs, const BookOptions& options)
{
    const BookMetrics& metrics = options.metrics;
    BookPlan plan;
    plan.title = options.title;
    plan.subtitle = options.subtitle;
    plan.date = options.date;
    plan.metrics = metrics;
    plan.places.resize(songs.size());

    // The contents: every song by title, then, when any has an artist, the artists in order with
    // their songs under them.
    std::vector<std::size_t> byTitle(songs.size());
    for (std::size_t i = 0; i < songs.size(); ++i)
        byTitle[i] = i;
    std::vector<std::string> keys;
    keys.reserve(songs.size());
    for (const BookSong& song : songs)
        keys.push_back(TitleSortKey(song.title));
    std::stable_sort(byTitle.begin(), byTitle.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    for (std::size_t song : byTitle)
        plan.contents.push_back({ songs[song].title, 0, song, false, false });
    const std::size_t titleLines = plan.contents.size();
    std::map<std::string, std::vector<std::size_t>> artists; // by the artist's name in lower case
    std::map<std::string, std::string> artistNames;
    for (std::size_t song : byTitle) {
        if (songs[song].artist.empty())
            continue;
        const std::string key = AsciiLower(songs[song].artist);
        artists[key].push_back(song);
        artistNames.emplace(key, songs[song].artist);
    }
    for (const auto& [key, list] : artists) {
        plan.contents.push_back({ artistNames[key], 0, list.front(), true, true });
        for (std::size_t song : list)
            plan.contents.push_back({ songs[song].title, 0, song, false, true });
    }

    plan.pages.push_back({ BookPageKind::Cover, 1, {}, 0, 0, false, false });
    const auto contentsPages = [&](std::size_t first, std::size_t end, bool artist) {
        const int perPage = std::max(1, (metrics.Bottom() - metrics.top) / metrics.line);
        const int firstPage = std::max(1, (metrics.Bottom() - metrics.top - metrics.contentsHeading) / metrics.line);
        std::size_t line = first;
        bool opening = true;
        while (line < end || opening) {
            const auto count = static_cast<std::size_t>(opening ? firstPage : perPage);
            const std::size_t last = std::min(end, line + count);
            plan.pages.push_back({ BookPageKind::Contents, 0, {}, line, last, opening, artist && opening });
            line = last;
            opening = false;
        }
    };
    if (!songs.empty())
        contentsPages(0, titleLines, false);
    if (titleLines < plan.contents.size())
        contentsPages(titleLines, plan.contents.size(), true);

    // Every song laid from the top of a page, to know its length.
    std::vector<Placed> fresh(songs.size());
    for (std::size_t i = 0; i < songs.size(); ++i)
        fresh[i].pieces = LaySong(songs[i].sheet, metrics.top, metrics, fresh[i].endY);

    std::vector<std::size_t> pending(songs.size());
    for (std::size_t i = 0; i < songs.size(); ++i)
        pending[i] = i;
    int lastY = 0; // how far the last song page is filled
    bool lastIsSong = false;
    const auto place = [&](std::size_t song, const std::vector<BookPiece>& pieces) {
        plan.places[song] = { static_cast<int>(plan.pages.size()) + 1, static_cast<int>(pieces.size()) };
        for (BookPiece piece : pieces) {
            piece.song = song;
            plan.pages.push_back({ BookPageKind::Song, 0, { piece }, 0, 0, false, false });
        }
        plan.order.push_back(song);
        lastY = fresh[song].endY;
        lastIsSong = true;
    };
    std::size_t next = 0;
    while (next < pending.size()) {
        const std::size_t song = pending[next];
        const std::vector<BookPiece>& pieces = fresh[song].pieces;
        if (options.compact && lastIsSong && pieces.size() == 1) {
            int endY = 0;
            std::vector<BookPiece> shared = LaySong(songs[song].sheet, lastY + metrics.songGap, metrics, endY);
            if (shared.size() == 1 && shared.front().heading) {
                shared.front().song = song;
                plan.pages.back().pieces.push_back(shared.front());
                plan.places[song] = { static_cast<int>(plan.pages.size()), 1 };
                plan.order.push_back(song);
                lastY = endY;
                ++next;
                continue;
            }
        }
        const bool rightPage = (plan.pages.size() + 1) % 2 == 1;
        if (options.twoSided && pieces.size() == 2 && rightPage) {
            // The page before a two-page song: a later one-page song fills it, or it stays blank.
            std::size_t filler = pending.size();
            if (!options.keepOrder)
                for (std::size_t k = next + 1; k < pending.size() && filler == pending.size(); ++k)
                    if (fresh[pending[k]].pieces.size() == 1)
                        filler = k;
            if (filler < pending.size()) {
                const std::size_t moved = pending[filler];
                pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(filler));
                place(moved, fresh[moved].pieces);
            } else {
                plan.pages.push_back({ BookPageKind::Blank, 0, {}, 0, 0, false, false });
                lastIsSong = false;
            }
            continue;
        }
        place(song, pieces);
        ++next;
    }

    for (std::size_t i = 0; i < plan.pages.size(); ++i)
        plan.pages[i].number = static_cast<int>(i) + 1;
    for (ContentsLine& line : plan.contents)
        if (!line.artist)
            line.page = plan.places[line.song].firstPage;
    return plan;
}

} // namespace corvane
