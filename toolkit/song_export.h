#pragma once
// Song sheets on paper: the title, the key line and the strip of chord diagrams on the first page,
// then the song's lines in a monospace face with the chords in bold over the words. A line of
// chords and its words are never split across pages; the pages are numbered.

#include "song/song_sheet.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <cstddef>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
class QPainter;

namespace corvane {

class QtCanvas;

bool PaintSongSheet(QPagedPaintDevice& device, const SongSheetContent& sheet, bool leftHanded = false);

// The first page as an A4 image at the sheet's 96 pixels an inch times the ratio.
QImage SongSheetFirstPage(const SongSheetContent& sheet, qreal pixelRatio);

// A4 pages at 300 dots per inch.
bool WriteSongPdf(QIODevice& out, const SongSheetContent& sheet, bool leftHanded = false);
// Several songs, each from a new page with pages numbered of its own.
bool WriteSongPdf(QIODevice& out, const std::vector<SongSheetContent>& sheets, bool leftHanded = false);

// The sheet's first `count` diagrams (at most all), each under its chord's name, `columns` to a row
// from `origin`; a cell of `cell` holds the name's line and the diagram.
void PaintNamedDiagrams(QPainter& painter, QtCanvas& canvas, const SongSheetContent& sheet, std::size_t count,
    QPoint origin, int columns, QSize cell, bool leftHanded);

} // namespace corvane
