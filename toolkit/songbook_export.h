#pragma once
// A songbook on paper, painted from its plan: the cover, the contents with a link from each line to
// its song, the songs with their strips, each page numbered; in a PDF, a bookmark for each song.

#include <QtGlobal>

#include <functional>

#include "song/songbook.h"

class QIODevice;
class QPagedPaintDevice;
class QPainter;

namespace corvane {

// Told the page about to be painted (1-based) and the count; returning false stops the painting.
using BookProgress = std::function<bool(int page, int pages)>;

// One page of the book on a painter whose units are the sheet's pixels, the page's body at 0, 0.
void PaintBookPage(QPainter& painter, const BookPlan& plan, const std::vector<BookSong>& songs, std::size_t page,
    qreal pictureRatio = 1.0);

// Every page on a paged device (a printer, a PDF writer), its units scaled to the sheet's pixels.
// False when the painting failed or was stopped.
bool PaintSongbook(QPagedPaintDevice& device, const BookPlan& plan, const std::vector<BookSong>& songs,
    const BookProgress& progress = {});

// A4 pages at 300 dots per inch, margins of 15 mm. False when the writing failed or was stopped, in
// which case nothing is written to `out`.
bool WriteSongbookPdf(
    QIODevice& out, const BookPlan& plan, const std::vector<BookSong>& songs, const BookProgress& progress = {});

} // namespace corvane
