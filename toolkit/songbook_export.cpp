// The songbook painted page by page, and its PDF with bookmarks and contents links.
#include "toolkit/songbook_export.h"

#include "drawing/chord_diagram.h"
#include "drawing/qt/picture_store.h"
#include "drawing/qt/qt_canvas.h"
#include "drawing/sheet_layout.h"
#include "toolkit/chord_export.h"
#include "toolkit/pdf_navigation.h"
#include "toolkit/song_export.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace corvane {

namespace {

    using namespace export_sheet;

    constexpr qreal kPointsPerPixel = 72.0 / kSheetPixelsPerInch;
    constexpr qreal kMarginMillimetres = 15.0;
    constexpr qreal kPointsPerMillimetre = 72.0 / 25.4;
    constexpr int kLyricPixels = 13;
    constexpr int kFooterPixels = 10;
    constexpr int kSongTitlePixels = 19;
    constexpr int kCoverTitlePixels = 40;
    constexpr int kCoverSubtitlePixels = 20;
    constexpr int kContentsHeadingPixels = 22;
    constexpr int kContentsPixels = 12;
    constexpr int kArtistIndent = 16;

    QFont Mono(int pixels, bool bold, bool italic = false)
    {
        QFont mono(QStringLiteral("monospace"));
        mono.setStyleHint(QFont::TypeWriter);
        return Sized(mono, pixels, bold, italic);
    }

    // Text in a box `height` high whose top is at y, set on the box's baseline as the plan counts it.
    void Text(QPainter& painter, const QFont& font, int x, int y, int height, const QString& text)
    {
        painter.setFont(font);
        const QFontMetrics metrics = painter.fontMetrics();
        const int baseline = y + (height + metrics.ascent() - metrics.descent()) / 2;
        painter.drawText(QPoint(x, baseline), text);
    }

    void PaintCover(QPainter& painter, const BookPlan& plan, const BookMetrics& metrics)
    {
        const QFont base = QGuiApplication::font();
        int y = metrics.height / 3;
        const auto centred = [&](const std::string& text, const QFont& font, int height) {
            painter.setFont(font);
            painter.drawText(QRect(0, y, metrics.width, height), Qt::AlignCenter | Qt::TextWordWrap, FromUtf8(text));
            y += height;
        };
        centred(plan.title, Sized(base, kCoverTitlePixels, true), 2 * kCoverTitlePixels);
        if (!plan.subtitle.empty())
            centred(plan.subtitle, Sized(base, kCoverSubtitlePixels, false, true), 2 * kCoverSubtitlePixels);
        if (!plan.date.empty())
            centred(plan.date, Sized(base, kLyricPixels, false), 2 * kLyricPixels);
    }

    void PaintContents(QPainter& painter, const BookPlan& plan, const BookPage& page, const BookMetrics& metrics)
    {
        const QFont base = QGuiApplication::font();
        int y = metrics.top;
        if (page.contentsHeading) {
            Text(painter, Sized(base, kContentsHeadingPixels, true), 0, y, metrics.contentsHeading,
                page.artistHeading ? QStringLiteral("By artist") : QStringLiteral("Contents"));
            y += metrics.contentsHeading;
        }
        const QFont title = Sized(base, kContentsPixels, false);
        const QFont artist = Sized(base, kContentsPixels, true);
        for (std::size_t i = page.contentsFirst; i < page.contentsEnd; ++i) {
            const ContentsLine& line = plan.contents[i];
            const int x = line.byArtist && !line.artist ? kArtistIndent : 0;
            Text(painter, line.artist ? artist : title, x, y, metrics.line, FromUtf8(line.text));
            if (!line.artist) {
                const QString number = QString::number(line.page);
                painter.setFont(title);
                const int width = painter.fontMetrics().horizontalAdvance(number);
                Text(painter, title, metrics.width - width, y, metrics.line, number);
            }
            y += metrics.line;
        }
    }

    void PaintPiece(
        QPainter& painter, const BookSong& song, const BookPiece& piece, const BookMetrics& metrics, qreal pictureRatio)
    {
        const QFont base = QGuiApplication::font();
        const SongSheetContent& sheet = song.sheet;
        if (piece.heading) {
            int y = piece.top;
            Text(painter, Sized(base, kSongTitlePixels, true), 0, y, metrics.title, FromUtf8(sheet.title));
            y += metrics.title;
            for (const std::string& subtitle : sheet.subtitles) {
                Text(painter, Sized(base, kLyricPixels, false, true), 0, y, metrics.subtitle, FromUtf8(subtitle));
                y += metrics.subtitle;
            }
            if (!sheet.details.empty()) {
                Text(painter, Sized(base, kDetailPixels, false), 0, y, metrics.details, FromUtf8(sheet.details));
                y += metrics.details;
            }
            y += metrics.stripGap;
            const PictureStore pictures(std::clamp(pictureRatio, 1.0, kHighestPaperRatio));
            QtCanvas canvas(painter, pictures);
            PaintNamedDiagrams(painter, canvas, sheet, piece.diagrams, QPoint(0, y), metrics.Columns(),
                QSize(metrics.cellWidth, metrics.cell), false);
        }
        const QFont words = Mono(kLyricPixels, false);
        const QFont chords = Mono(kLyricPixels, true);
        const QFont remark = Mono(kLyricPixels, false, true);
        const QFont heading = Sized(base, kLyricPixels, true, true);
        painter.setFont(words);
        const int charWidth = painter.fontMetrics().horizontalAdvance(QLatin1Char('M'));
        int y = piece.blocksTop;
        for (std::size_t i = piece.first; i < piece.end && i < sheet.blocks.size(); ++i) {
            const SheetBlock& block = sheet.blocks[i];
            const int height = BlockHeight(block, metrics);
            if (!block.gap) {
                const int x = charWidth * block.indent;
                if (block.indent > 0)
                    painter.fillRect(QRect(0, y, 2, height), Qt::darkGray);
                int line = y;
                if (!block.chords.empty()) {
                    Text(painter, chords, x, line, metrics.line, FromUtf8(block.chords));
                    line += metrics.line;
                }
                if (!block.words.empty() || block.chords.empty())
                    Text(painter,
                        block.heading      ? heading
                            : block.remark ? remark
                                           : words,
                        x, line, metrics.line, FromUtf8(block.words));
            }
            y += height;
        }
    }

} // namespace

void PaintBookPage(
    QPainter& painter, const BookPlan& plan, const std::vector<BookSong>& songs, std::size_t index, qreal pictureRatio)
{
    if (index >= plan.pages.size())
        return;
    const BookMetrics& metrics = plan.metrics;
    const BookPage& page = plan.pages[index];
    painter.setPen(Qt::black);
    switch (page.kind) {
    case BookPageKind::Cover:
        PaintCover(painter, plan, metrics);
        return; // the cover has no number
    case BookPageKind::Contents:
        PaintContents(painter, plan, page, metrics);
        break;
    case BookPageKind::Song:
        for (const BookPiece& piece : page.pieces)
            if (piece.song < songs.size())
                PaintPiece(painter, songs[piece.song], piece, metrics, pictureRatio);
        break;
    case BookPageKind::Blank:
        break;
    }
    painter.setFont(Sized(QGuiApplication::font(), kFooterPixels, false));
    painter.drawText(
        QRect(0, metrics.Bottom(), metrics.width, metrics.footer), Qt::AlignCenter, QString::number(page.number));
}

bool PaintSongbook(
    QPagedPaintDevice& device, const BookPlan& plan, const std::vector<BookSong>& songs, const BookProgress& progress)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const qreal scale = device.logicalDpiX() / kSheetPixelsPerInch;
    painter.scale(scale, scale);
    const int count = static_cast<int>(plan.pages.size());
    for (std::size_t page = 0; page < plan.pages.size(); ++page) {
        if ((progress && !progress(static_cast<int>(page) + 1, count)) || (page > 0 && !device.newPage())) {
            painter.end();
            return false;
        }
        PaintBookPage(painter, plan, songs, page, scale);
    }
    return painter.end();
}

bool WriteSongbookPdf(
    QIODevice& out, const BookPlan& plan, const std::vector<BookSong>& songs, const BookProgress& progress)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
            QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
            QPageLayout::Millimeter));
        writer.setTitle(FromUtf8(plan.title));
        writer.setCreator(QStringLiteral("Corvane Chords"));
        if (!PaintSongbook(writer, plan, songs, progress))
            return false;
    }

    // A bookmark for the contents and each song; a link from each contents line to its song.
    std::vector<PdfBookmark> bookmarks;
    std::vector<PdfLink> links;
    const BookMetrics& metrics = plan.metrics;
    const qreal margin = kMarginMillimetres * kPointsPerMillimetre;
    for (std::size_t i = 0; i < plan.pages.size(); ++i) {
        const BookPage& page = plan.pages[i];
        if (page.kind == BookPageKind::Contents && page.contentsHeading)
            bookmarks.push_back({ page.artistHeading ? "By artist" : "Contents", static_cast<int>(i) });
        if (page.kind != BookPageKind::Contents)
            continue;
        int y = metrics.top + (page.contentsHeading ? metrics.contentsHeading : 0);
        for (std::size_t line = page.contentsFirst; line < page.contentsEnd; ++line, y += metrics.line)
            if (!plan.contents[line].artist && plan.contents[line].page > 0)
                links.push_back({ static_cast<int>(i), margin, margin + y * kPointsPerPixel,
                    metrics.width * kPointsPerPixel, metrics.line * kPointsPerPixel, plan.contents[line].page - 1 });
    }
    for (std::size_t song : plan.order)
        if (song < songs.size())
            bookmarks.push_back({ songs[song].title, plan.places[song].firstPage - 1 });
    std::sort(
        bookmarks.begin(), bookmarks.end(), [](const PdfBookmark& a, const PdfBookmark& b) { return a.page < b.page; });

    std::string pdf(buffer.data().constData(), static_cast<std::size_t>(buffer.data().size()));
    // A PDF the navigation cannot be added to is still a good book.
    AddPdfNavigation(pdf, bookmarks, links);
    return out.write(pdf.data(), static_cast<qint64>(pdf.size())) == static_cast<qint64>(pdf.size());
}

} // namespace corvane
