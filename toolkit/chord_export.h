#pragma once
// Diagrams and chord sheets out of the program: the text and image of one diagram for the clipboard,
// image, SVG and PDF files, and paged painting for printers. Free of any window: the main window
// reads its controls and calls these. Every format draws through DrawStringsDiagram, on a QtCanvas
// or on an SvgCanvas, so an exported diagram is the sheet's diagram, for any number of strings.

#include "drawing/sheet_layout.h"
#include "guitar/frets.h"
#include "guitar/open_strings.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QString>

#include <optional>
#include <span>
#include <string>

class QIODevice;
class QMimeData;
class QPagedPaintDevice;
class QPainter;

namespace corvane {

class PictureStore;

enum class ExportFormat { Png, Svg, Pdf };

namespace export_sheet {
    // The sheet's pixels on paper: 96 to the inch, as on a plain screen.
    constexpr qreal kSheetPixelsPerInch = 96.0;
    constexpr int kPdfResolution = 300;
    // Pictures for paper are rendered at most this many times their size; finer adds only bytes.
    constexpr qreal kHighestPaperRatio = 4.0;
}

// A chord name made fit for a file name: "C/E" becomes "C-E"; "chords" for an empty name.
QString ExportFileName(QString name);

// For the file dialogs: "PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)".
QString ExportFileFilters();
// The format a dialog's chosen filter names, or a file name's suffix (letter case ignored).
std::optional<ExportFormat> ExportFormatOfFilter(const QString& filter);
std::optional<ExportFormat> ExportFormatOfPath(const QString& path);

// "x32010"; "x 10 12 12 11 10" once a fret has two digits; "0003" on four strings.
QString FingeringClipboardText(const Frets& frets);

// Every diagram below is drawn by DrawStringsDiagram, its bass mark under the string that sounds
// lowest on the open `strings`; without them (the six-string guitar), under the first string sounding.

// The image (at the pictures' pixel ratio) and the fingering text of one diagram, for the clipboard,
// which takes ownership.
QMimeData* DiagramMimeData(
    const Frets& frets, const PictureStore& pictures, bool leftHanded, const OpenStrings& strings = {});

// One diagram in its 100 x 130 cell, drawn as the result sheet draws it, at the pictures' pixel
// ratio; with the heading above it when there is one.
QImage DiagramImage(const Frets& frets, const PictureStore& pictures, bool leftHanded, const SheetHeading& heading = {},
    const OpenStrings& strings = {});

// A whole sheet as one image: the heading, then the diagrams in `columns` columns (an empty span
// draws the heading alone).
QImage SheetImage(std::span<const Frets> diagrams, const SheetHeading& heading, int columns,
    const PictureStore& pictures, bool leftHanded, const OpenStrings& strings = {});

// Text the core writes in UTF-8, for Qt.
QString FromUtf8(const std::string& text);
// The font at a size in pixels, bold or not, italic or not.
QFont Sized(QFont font, int pixels, bool bold, bool italic = false);

// The page every sheet is laid out on, printed or written as PDF: A4 upright, 15 mm margins. A
// printer starts on it, so that the printed pages are the PDF's; the user may choose another.
QPageLayout SheetPageLayout();

// Pages on a printer or a PDF writer: each page has the heading and as many whole rows as fit, the
// diagrams following on in sheet order. Each page is painted and handed to the device before the
// next one is begun. `columns` 0 fits as many as the page allows. False when the device could not be
// painted on.
bool PaintSheetPages(QPagedPaintDevice& device, std::span<const Frets> diagrams, const SheetHeading& heading,
    bool leftHanded, int columns = 0, const OpenStrings& strings = {});

// A4 pages at 300 dots per inch, written to `out` as they are painted.
bool WritePdfSheet(QIODevice& out, std::span<const Frets> diagrams, const SheetHeading& heading, bool leftHanded,
    int columns = 0, const OpenStrings& strings = {});

// Writes a file in the format; PNG at `pixelRatio`. On failure returns false and says why in *error.
bool ExportSheet(const QString& path, ExportFormat format, std::span<const Frets> diagrams, const SheetHeading& heading,
    int columns, qreal pixelRatio, bool leftHanded, QString* error = nullptr, const OpenStrings& strings = {});
// One diagram, in one column; a one-page PDF.
bool ExportDiagram(const QString& path, ExportFormat format, const Frets& frets, const SheetHeading& heading,
    qreal pixelRatio, bool leftHanded, QString* error = nullptr, const OpenStrings& strings = {});

// Song sheets: the diagrams in order, each with its chord's name above it; `names` holds one name per
// diagram. Otherwise as the plain sheets above.
QImage SongSheetImage(std::span<const Frets> diagrams, std::span<const std::string> names, const SheetHeading& heading,
    int columns, const PictureStore& pictures, bool leftHanded, const OpenStrings& strings = {});
bool PaintSongPages(QPagedPaintDevice& device, std::span<const Frets> diagrams, std::span<const std::string> names,
    const SheetHeading& heading, bool leftHanded, int columns = 0, const OpenStrings& strings = {});
bool ExportSongSheet(const QString& path, ExportFormat format, std::span<const Frets> diagrams,
    std::span<const std::string> names, const SheetHeading& heading, int columns, qreal pixelRatio, bool leftHanded,
    QString* error = nullptr, const OpenStrings& strings = {});

// The fret numbers' font: the application font at the pixel size the diagrams leave room for.
QFont DiagramFont(QFont base);

} // namespace corvane
