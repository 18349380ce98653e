#include "toolkit/song_export.h"

#include "drawing/chord_diagram.h"
#include "drawing/qt/picture_store.h"
#include "drawing/qt/qt_canvas.h"
#include "drawing/sheet_layout.h"
#include "toolkit/chord_export.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <functional>
#include <limits>

namespace corvane {

namespace {

    using namespace export_sheet;

    constexpr int kSubtitlePixels = 13;
    constexpr int kLyricPixels = 13;
    constexpr int kFooterPixels = 10;
    constexpr int kFooterHeight = 24;

    // Draws a line of text with the top of its box at y; returns the y under it.
    int Line(QPainter& painter, const QFont& font, int x, int y, const std::string& text)
    {
        painter.setFont(font);
        const QFontMetrics metrics = painter.fontMetrics();
        if (!text.empty())
            painter.drawText(QPoint(x, y + metrics.ascent()), FromUtf8(text));
        return y + metrics.lineSpacing();
    }

    // A line of words in a monospace face with its markup: each stretch in its own style, where the
    // plain line has it, so that the chords above stay over their characters.
    int StyledLine(
        QPainter& painter, const QFont& font, int x, int y, const std::string& text, const std::vector<StyledRun>& runs)
    {
        painter.setFont(font);
        const QFontMetrics metrics = painter.fontMetrics();
        const int baseline = y + metrics.ascent();
        const QString line = FromUtf8(text);
        const QList<uint> characters = line.toUcs4();
        const auto piece = [&](int from, int to) {
            from = std::clamp(from, 0, static_cast<int>(characters.size()));
            to = std::clamp(to, from, static_cast<int>(characters.size()));
            return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()) + from, to - from);
        };
        const auto draw = [&](int from, int to, const TextStyle& style) {
            if (to <= from)
                return;
            QFont styled = font;
            styled.setBold(font.bold() || style.bold);
            styled.setItalic(font.italic() || style.italic);
            styled.setUnderline(style.underline);
            styled.setStrikeOut(style.struck);
            if (!style.family.empty() && !style.monospace)
                styled.setFamily(FromUtf8(style.family));
            int pixels = std::max(1, font.pixelSize() * style.size / 100);
            if (style.rise != 0)
                pixels = std::max(1, pixels * 7 / 10);
            styled.setPixelSize(pixels);
            painter.setFont(styled);
            const QColor color(FromUtf8(style.color));
            painter.setPen(style.color.empty() || !color.isValid() ? QColor(Qt::black) : color);
            const int rise = style.rise > 0 ? -metrics.ascent() / 3 : style.rise < 0 ? metrics.descent() : 0;
            // Placed where the plain line would have the character, as the chords above are.
            const qreal left = x + QFontMetricsF(font).horizontalAdvance(piece(0, from));
            painter.drawText(QPointF(left, baseline + rise), piece(from, to));
        };
        int at = 0;
        for (const StyledRun& run : runs) {
            draw(at, run.from, TextStyle {});
            draw(std::max(at, run.from), run.to, run.style);
            at = std::max(at, run.to);
        }
        draw(at, static_cast<int>(characters.size()), TextStyle {});
        painter.setPen(Qt::black);
        painter.setFont(font);
        return y + metrics.lineSpacing();
    }

} // namespace

namespace {

    // The pages on a painter whose units are the sheet's pixels, `width` by `height` each;
    // `nextPage` ends a page and begins the next. Only the first `pageLimit` pages are painted.
    bool PaintPages(QPainter& painter, int width, int height, qreal pictureRatio, const SongSheetContent& sheet,
        bool leftHanded, const std::function<bool()>& nextPage, std::size_t pageLimit)
    {
        const int bottom = height - kFooterHeight;
        painter.setBackground(Qt::white);
        painter.setPen(Qt::black);

        const QFont base = QGuiApplication::font();
        QFont mono(QStringLiteral("monospace"));
        mono.setStyleHint(QFont::TypeWriter);
        const QFont words = Sized(mono, kLyricPixels, false);
        const QFont chords = Sized(mono, kLyricPixels, true);
        const QFont remark = Sized(mono, kLyricPixels, false, true);
        const QFont heading = Sized(base, kLyricPixels, true, true);
        painter.setFont(words);
        const int lineHeight = painter.fontMetrics().lineSpacing();
        const int charWidth = painter.fontMetrics().horizontalAdvance(QLatin1Char('M'));

        // The heading and the strip, on the first page only.
        int y = kTitleTop;
        y = Line(painter, Sized(base, kTitlePixels, true), kMargin, y, sheet.title);
        for (const std::string& subtitle : sheet.subtitles)
            y = Line(painter, Sized(base, kSubtitlePixels, false, true), kMargin, y, subtitle);
        if (!sheet.details.empty())
            y = Line(painter, Sized(base, kDetailPixels, false), kMargin, y, sheet.details);
        y += kMargin;
        const int columns = std::max(1, (width - 2 * kMargin) / kCellWidth);
        const PictureStore pictures(std::clamp(pictureRatio, 1.0, kHighestPaperRatio));
        QtCanvas canvas(painter, pictures);
        PaintNamedDiagrams(painter, canvas, sheet, sheet.diagrams.size(), QPoint(kMargin, y), columns,
            QSize(kCellWidth, kCellHeight + kNameHeight), leftHanded);
        if (!sheet.diagrams.empty()) {
            const auto rows
                = (sheet.diagrams.size() + static_cast<std::size_t>(columns) - 1) / static_cast<std::size_t>(columns);
            y += static_cast<int>(rows) * (kCellHeight + kNameHeight);
        }

        const std::vector<std::size_t> starts = PageStarts(sheet.blocks, lineHeight, y, kMargin, bottom);
        for (std::size_t page = 0; page < starts.size() && page < pageLimit; ++page) {
            if (page > 0) {
                if (!nextPage())
                    return false;
                y = kMargin;
            }
            const std::size_t end = page + 1 < starts.size() ? starts[page + 1] : sheet.blocks.size();
            for (std::size_t i = starts[page]; i < end; ++i) {
                const SheetBlock& block = sheet.blocks[i];
                if (block.gap) {
                    if (i != starts[page] || page == 0)
                        y += lineHeight;
                    continue;
                }
                const int x = kMargin + charWidth * block.indent;
                // A chorus is marked by a bar at its left.
                if (block.indent > 0)
                    painter.fillRect(QRect(kMargin, y, 2, block.Lines() * lineHeight), Qt::darkGray);
                if (!block.chords.empty())
                    y = Line(painter, chords, x, y, block.chords);
                const QFont& face = block.heading ? heading : block.remark ? remark : words;
                if (!block.styles.empty())
                    y = StyledLine(painter, face, x, y, block.words, block.styles);
                else if (!block.words.empty() || block.chords.empty())
                    y = Line(painter, face, x, y, block.words);
            }
            const QString number = QStringLiteral("%1 / %2").arg(page + 1).arg(starts.size());
            painter.setFont(Sized(base, kFooterPixels, false));
            painter.drawText(QRect(0, bottom, width, kFooterHeight), Qt::AlignCenter, number);
        }
        return true;
    }

} // namespace

void PaintNamedDiagrams(QPainter& painter, QtCanvas& canvas, const SongSheetContent& sheet, std::size_t count,
    QPoint origin, int columns, QSize cell, bool leftHanded)
{
    using namespace export_sheet;
    const QFont base = QGuiApplication::font();
    const auto perRow = static_cast<std::size_t>(std::max(1, columns));
    for (std::size_t i = 0; i < count && i < sheet.diagrams.size(); ++i) {
        const int left = origin.x() + static_cast<int>(i % perRow) * cell.width();
        const int top = origin.y() + static_cast<int>(i / perRow) * cell.height();
        painter.setFont(Sized(base, kNamePixels, true));
        painter.drawText(QPoint(left + kNameLeft, top + kNameTop + painter.fontMetrics().ascent()),
            i < sheet.names.size() ? FromUtf8(sheet.names[i]) : QString());
        painter.setFont(DiagramFont(base));
        DrawStringsDiagram(
            canvas, sheet.diagrams[i], top + kNameHeight, left, kDiagramNormal, leftHanded, sheet.strings);
    }
}

static bool PaintSongSheets(QPagedPaintDevice& device, const std::vector<SongSheetContent>& sheets, bool leftHanded)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const qreal scale = device.logicalDpiX() / kSheetPixelsPerInch;
    painter.scale(scale, scale);
    bool painted = true;
    for (std::size_t i = 0; i < sheets.size() && painted; ++i) {
        if (i > 0 && !device.newPage()) {
            painted = false;
            break;
        }
        painted = PaintPages(
            painter, static_cast<int>(device.width() / scale), static_cast<int>(device.height() / scale), scale,
            sheets[i], leftHanded, [&] { return device.newPage(); }, std::numeric_limits<std::size_t>::max());
    }
    return painter.end() && painted;
}

bool PaintSongSheet(QPagedPaintDevice& device, const SongSheetContent& sheet, bool leftHanded)
{
    return PaintSongSheets(device, { sheet }, leftHanded);
}

QImage SongSheetFirstPage(const SongSheetContent& sheet, qreal pixelRatio)
{
    // An A4 page at the sheet's 96 pixels an inch, with the PDF's margins of 15 mm.
    constexpr int kPageWidth = 794;
    constexpr int kPageHeight = 1123;
    constexpr int kPageMargin = 57;
    QImage image(static_cast<int>(kPageWidth * pixelRatio), static_cast<int>(kPageHeight * pixelRatio),
        QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(kPageMargin, kPageMargin);
    PaintPages(
        painter, kPageWidth - 2 * kPageMargin, kPageHeight - 2 * kPageMargin, pixelRatio, sheet, false,
        [] { return false; }, 1);
    return image;
}

bool WriteSongPdf(QIODevice& out, const SongSheetContent& sheet, bool leftHanded)
{
    return WriteSongPdf(out, std::vector<SongSheetContent> { sheet }, leftHanded);
}

bool WriteSongPdf(QIODevice& out, const std::vector<SongSheetContent>& sheets, bool leftHanded)
{
    if (sheets.empty())
        return false;
    const SongSheetContent& sheet = sheets.front();
    QPdfWriter writer(&out);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(SheetPageLayout());
    writer.setTitle(FromUtf8(sheet.title));
    writer.setCreator(QStringLiteral("Corvane Chords"));
    return PaintSongSheets(writer, sheets, leftHanded);
}

} // namespace corvane
