// Diagrams and chord sheets out of the program: clipboard, PNG, SVG and PDF files, and printed pages.
#include "toolkit/chord_export.h"

#include "drawing/chord_diagram.h"
#include "drawing/qt/picture_store.h"
#include "drawing/qt/qt_canvas.h"
#include "drawing/svg_canvas.h"
#include "drawing/svg_sheet.h"
#include "guitar/fingering_text.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <ostream>
#include <streambuf>

namespace corvane {

namespace {

    using namespace export_sheet;

    void PreparePainter(QPainter& painter)
    {
        painter.setBackground(Qt::white);
        painter.setPen(Qt::black);
        painter.setFont(DiagramFont(QGuiApplication::font()));
    }

    void PaintHeading(QPainter& painter, const SheetHeading& heading)
    {
        const QFont diagramFont = painter.font();
        const auto line = [&](const std::string& text, int top, int pixels, bool bold) {
            if (text.empty())
                return;
            QFont font = diagramFont;
            font.setPixelSize(pixels);
            font.setBold(bold);
            painter.setFont(font);
            painter.drawText(QPoint(kMargin, top + painter.fontMetrics().ascent()), FromUtf8(text));
        };
        line(heading.title, kTitleTop, kTitlePixels, true);
        line(heading.details, kDetailsTop, kDetailPixels, false);
        painter.setFont(diagramFont);
    }

    bool Fail(QString* error, const QString& why)
    {
        if (error)
            *error = why;
        return false;
    }

    // Lets the plain C++ writers stream into a Qt file: bytes go out in blocks as they are written.
    class DeviceStreamBuffer final : public std::streambuf {
    public:
        explicit DeviceStreamBuffer(QIODevice& device)
            : m_device(device)
        {
            setp(m_block.data(), m_block.data() + m_block.size());
        }
        bool good() const { return m_good; }

    protected:
        int_type overflow(int_type c) override
        {
            if (!drain())
                return traits_type::eof();
            if (!traits_type::eq_int_type(c, traits_type::eof())) {
                *pptr() = traits_type::to_char_type(c);
                pbump(1);
            }
            return traits_type::not_eof(c);
        }
        int sync() override { return drain() ? 0 : -1; }

    private:
        bool drain()
        {
            const qint64 size = pptr() - pbase();
            m_good = m_good && m_device.write(pbase(), size) == size;
            setp(m_block.data(), m_block.data() + m_block.size());
            return m_good;
        }

        QIODevice& m_device;
        std::array<char, 1 << 16> m_block {};
        bool m_good = true;
    };

    bool WriteImage(const QString& path, const QImage& image, QString* error)
    {
        if (image.isNull())
            return Fail(error, QStringLiteral("The image is too large to be made."));
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
            return Fail(error, file.errorString());
        return true;
    }

} // namespace

QFont DiagramFont(QFont base)
{
    // The fret numbers have 14 pixels before the grid; a small fixed size keeps two digits inside
    // them whatever the desktop font.
    base.setPixelSize(kDiagramTextPixels);
    return base;
}

QString ExportFileFilters() { return QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"); }

std::optional<ExportFormat> ExportFormatOfFilter(const QString& filter)
{
    if (filter.contains(QStringLiteral("*.png"), Qt::CaseInsensitive))
        return ExportFormat::Png;
    if (filter.contains(QStringLiteral("*.svg"), Qt::CaseInsensitive))
        return ExportFormat::Svg;
    if (filter.contains(QStringLiteral("*.pdf"), Qt::CaseInsensitive))
        return ExportFormat::Pdf;
    return std::nullopt;
}

std::optional<ExportFormat> ExportFormatOfPath(const QString& path)
{
    return ExportFormatOfFilter(QStringLiteral("*.") + QFileInfo(path).suffix().toLower());
}

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont Sized(QFont font, int pixels, bool bold, bool italic)
{
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QString FingeringClipboardText(const Frets& frets) { return FromUtf8(FingeringText(frets)); }

QMimeData* DiagramMimeData(
    const Frets& frets, const PictureStore& pictures, bool leftHanded, const OpenStrings& strings)
{
    auto* data = new QMimeData;
    data->setImageData(DiagramImage(frets, pictures, leftHanded, {}, strings));
    data->setText(FingeringClipboardText(frets));
    return data;
}

QImage DiagramImage(const Frets& frets, const PictureStore& pictures, bool leftHanded, const SheetHeading& heading,
    const OpenStrings& strings)
{
    return SheetImage(std::span<const Frets>(&frets, 1), heading, 1, pictures, leftHanded, strings);
}

namespace {

    // The diagrams of a sheet, what their open strings sound for the bass marks and, on a song sheet,
    // the names above them.
    struct Cells {
        std::span<const Frets> diagrams;
        OpenStrings openStrings {};
        bool named = false;
        std::span<const std::string> names {};

        std::size_t size() const { return diagrams.size(); }
    };

    void PaintCell(
        QPainter& painter, QtCanvas& canvas, const Cells& cells, std::size_t i, Placement cell, bool leftHanded)
    {
        int top = cell.top;
        if (cells.named) {
            if (i < cells.names.size() && !cells.names[i].empty()) {
                const QFont diagramFont = painter.font();
                QFont font = diagramFont;
                font.setPixelSize(kNamePixels);
                font.setBold(true);
                painter.setFont(font);
                painter.drawText(QPoint(cell.left + kNameLeft, top + kNameTop + painter.fontMetrics().ascent()),
                    FromUtf8(cells.names[i]));
                painter.setFont(diagramFont);
            }
            top += kNameHeight;
        }
        DrawStringsDiagram(canvas, cells.diagrams[i], top, cell.left, kDiagramNormal, leftHanded, cells.openStrings);
    }

    QImage PaintImage(
        const Cells& cells, const SheetHeading& heading, int columns, const PictureStore& pictures, bool leftHanded)
    {
        const SheetLayout layout(cells.size(), columns, heading, cells.named);
        const qreal ratio = pictures.devicePixelRatio();
        QImage image(static_cast<int>(std::lround(layout.width() * ratio)),
            static_cast<int>(std::lround(layout.height() * ratio)), QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            return image;
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        QPainter painter(&image);
        PreparePainter(painter);
        PaintHeading(painter, heading);
        QtCanvas canvas(painter, pictures);
        for (std::size_t i = 0; i < cells.size(); ++i)
            PaintCell(painter, canvas, cells, i, layout.cell(i), leftHanded);
        return image;
    }

    bool PaintPages(
        QPagedPaintDevice& device, const Cells& cells, const SheetHeading& heading, bool leftHanded, int columns)
    {
        QPainter painter;
        if (!painter.begin(&device))
            return false;
        // Painter units become sheet pixels; the page's printable area in those units decides the layout.
        const qreal scale = device.logicalDpiX() / kSheetPixelsPerInch;
        painter.scale(scale, scale);
        const PageLayout pages(cells.size(), static_cast<int>(device.width() / scale),
            static_cast<int>(device.height() / scale), heading, columns, cells.named);
        const PictureStore pictures(std::clamp(scale, 1.0, kHighestPaperRatio));
        PreparePainter(painter);
        QtCanvas canvas(painter, pictures);
        for (std::size_t page = 0; page < pages.pageCount(); ++page) {
            if (page > 0 && !device.newPage())
                return false;
            PaintHeading(painter, heading);
            const std::size_t first = pages.firstOnPage(page);
            const std::size_t last = std::min(cells.size(), first + pages.perPage());
            for (std::size_t i = first; i < last; ++i)
                PaintCell(painter, canvas, cells, i, pages.cell(i), leftHanded);
        }
        return painter.end();
    }

    bool WritePdf(QIODevice& out, const Cells& cells, const SheetHeading& heading, bool leftHanded, int columns)
    {
        QPdfWriter writer(&out);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(SheetPageLayout());
        writer.setTitle(FromUtf8(heading.title));
        writer.setCreator(QStringLiteral("Corvane Chords"));
        return PaintPages(writer, cells, heading, leftHanded, columns);
    }

    bool Export(const QString& path, ExportFormat format, const Cells& cells, const SheetHeading& heading, int columns,
        qreal pixelRatio, bool leftHanded, QString* error)
    {
        if (format == ExportFormat::Png)
            return WriteImage(path, PaintImage(cells, heading, columns, PictureStore(pixelRatio), leftHanded), error);

        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return Fail(error, file.errorString());
        if (format == ExportFormat::Svg) {
            DeviceStreamBuffer buffer(file);
            std::ostream out(&buffer);
            if (cells.named)
                WriteSvgSongSheet(out, cells.diagrams, cells.names, heading, columns, leftHanded, cells.openStrings);
            else
                WriteSvgSheet(out, cells.diagrams, heading, columns, leftHanded, cells.openStrings);
            out.flush();
            if (!buffer.good())
                return Fail(error, file.errorString());
        } else if (!WritePdf(file, cells, heading, leftHanded, columns)) {
            file.cancelWriting();
            return Fail(error, QStringLiteral("The PDF document could not be written."));
        }
        if (!file.commit())
            return Fail(error, file.errorString());
        return true;
    }

} // namespace

QString ExportFileName(QString name)
{
    name = name.trimmed();
    for (const QChar bad : { QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char(':'), QLatin1Char('*'), QLatin1Char('?'),
             QLatin1Char('"'), QLatin1Char('<'), QLatin1Char('>'), QLatin1Char('|') })
        name.replace(bad, QLatin1Char('-'));
    return name.isEmpty() ? QStringLiteral("chords") : name;
}

QPageLayout SheetPageLayout()
{
    return QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

QImage SheetImage(std::span<const Frets> diagrams, const SheetHeading& heading, int columns,
    const PictureStore& pictures, bool leftHanded, const OpenStrings& strings)
{
    return PaintImage({ diagrams, strings }, heading, columns, pictures, leftHanded);
}

bool PaintSheetPages(QPagedPaintDevice& device, std::span<const Frets> diagrams, const SheetHeading& heading,
    bool leftHanded, int columns, const OpenStrings& strings)
{
    return PaintPages(device, { diagrams, strings }, heading, leftHanded, columns);
}

bool WritePdfSheet(QIODevice& out, std::span<const Frets> diagrams, const SheetHeading& heading, bool leftHanded,
    int columns, const OpenStrings& strings)
{
    return WritePdf(out, { diagrams, strings }, heading, leftHanded, columns);
}

bool ExportSheet(const QString& path, ExportFormat format, std::span<const Frets> diagrams, const SheetHeading& heading,
    int columns, qreal pixelRatio, bool leftHanded, QString* error, const OpenStrings& strings)
{
    return Export(path, format, { diagrams, strings }, heading, columns, pixelRatio, leftHanded, error);
}

bool ExportDiagram(const QString& path, ExportFormat format, const Frets& frets, const SheetHeading& heading,
    qreal pixelRatio, bool leftHanded, QString* error, const OpenStrings& strings)
{
    return ExportSheet(
        path, format, std::span<const Frets>(&frets, 1), heading, 1, pixelRatio, leftHanded, error, strings);
}

QImage SongSheetImage(std::span<const Frets> diagrams, std::span<const std::string> names, const SheetHeading& heading,
    int columns, const PictureStore& pictures, bool leftHanded, const OpenStrings& strings)
{
    return PaintImage({ diagrams, strings, true, names }, heading, columns, pictures, leftHanded);
}

bool PaintSongPages(QPagedPaintDevice& device, std::span<const Frets> diagrams, std::span<const std::string> names,
    const SheetHeading& heading, bool leftHanded, int columns, const OpenStrings& strings)
{
    return PaintPages(device, { diagrams, strings, true, names }, heading, leftHanded, columns);
}

bool ExportSongSheet(const QString& path, ExportFormat format, std::span<const Frets> diagrams,
    std::span<const std::string> names, const SheetHeading& heading, int columns, qreal pixelRatio, bool leftHanded,
    QString* error, const OpenStrings& strings)
{
    return Export(path, format, { diagrams, strings, true, names }, heading, columns, pixelRatio, leftHanded, error);
}

} // namespace corvane
