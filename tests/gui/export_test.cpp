// Diagrams and sheets out of the program: an exported diagram is the sheet's drawing of that cell,
// the SVG draws what the PNG shows, PDF and printer pages flow in sheet order, files of each format.

#include "drawing/qt/picture_store.h"
#include "drawing/svg_sheet.h"
#include "guitar/refresh.h"
#include "theory/interval_list.h"
#include "toolkit/chord_export.h"
#include "toolkit/result_sheet.h"

#include <QBuffer>
#include <QFile>
#include <QMimeData>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace corvane {
namespace {

    const Frets kOpenC = FretsOfVoicing({ 99, 3, 2, 0, 1, 0 });
    const Frets kBarreF = FretsOfVoicing({ -1, 3, 3, 2, 1, 1 });

    std::vector<Frets> CMajorSheet()
    {
        const RefreshInput input = ChordInput("00 04 07", 0, 0);
        std::vector<Frets> diagrams;
        for (const VoicingRecord& record : ComputeRefresh(input).records)
            diagrams.push_back(FretsOfVoicing(record.frets));
        return diagrams;
    }

    QImage Device(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32_Premultiplied); }

    // The sheet's own paint of a cell, at a pixel ratio.
    QImage SheetCell(const ResultSheet& sheet, int index, qreal ratio)
    {
        QImage image(sheet.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::red);
        const_cast<ResultSheet&>(sheet).render(&image);
        const QRect cell = sheet.cellRect(index);
        QImage copy = image.copy(QRect(cell.topLeft() * ratio, cell.size() * ratio));
        copy.setDevicePixelRatio(1);
        return Device(copy);
    }

    QImage Plain(QImage image)
    {
        image.setDevicePixelRatio(1);
        return Device(image);
    }

    TEST(Export, ADiagramIsPixelForPixelTheSheetsCell)
    {
        const std::vector<Frets> diagrams = CMajorSheet();
        for (const qreal ratio : { 1.0, 2.0 }) {
            for (const bool leftHanded : { false, true }) {
                SCOPED_TRACE(testing::Message() << "ratio " << ratio << (leftHanded ? ", left-handed" : ""));
                const PictureStore pictures(ratio);
                ResultSheet sheet;
                sheet.setPictures(&pictures);
                sheet.setLeftHanded(leftHanded);
                sheet.showDiagrams(diagrams, 650);
                const SheetHeading heading { "C", "Standard Tuning (E A D G B E), 165 diagrams" };
                const QImage whole = Plain(SheetImage(diagrams, heading, 6, pictures, leftHanded));
                for (const int index : { 0, 2, 7, 164 }) {
                    SCOPED_TRACE(index);
                    const QImage cell = SheetCell(sheet, index, ratio);
                    const QImage exported
                        = Plain(DiagramImage(diagrams[static_cast<size_t>(index)], pictures, leftHanded));
                    ASSERT_EQ(exported.size(), cell.size());
                    EXPECT_TRUE(exported == cell);
                    // The exported sheet draws the same cell below its heading.
                    const QRect inSheet(QPoint(100 * (index % 6), 46 + 130 * (index / 6)) * ratio, cell.size());
                    EXPECT_TRUE(whole.copy(inSheet) == cell);
                }
            }
        }
    }

    // The SVG is drawn from the same pictures by <use>: rendered, it is the PNG, except inside the
    // fret numbers, whose glyphs come from different text engines.
    TEST(Export, SvgRendersAsThePngOutsideTheFretNumbers)
    {
        const std::vector<Frets> diagrams { kOpenC, kBarreF, FretsOfVoicing({ 99, -7, 9, 9, 8, 7 }),
            FretsOfVoicing({ 3, 2, 0, 0, 3, 3 }) };
        std::ostringstream svg;
        WriteSvgSheet(svg, diagrams, {}, 2, false);
        QSvgRenderer renderer(QByteArray::fromStdString(svg.str()));
        ASSERT_TRUE(renderer.isValid());
        QImage rendered(200, 260, QImage::Format_ARGB32_Premultiplied);
        rendered.fill(Qt::red);
        {
            QPainter painter(&rendered);
            renderer.render(&painter, QRectF(0, 0, 200, 260));
        }
        const PictureStore pictures(1.0);
        const QImage png = Device(SheetImage(diagrams, {}, 2, pictures, false));
        ASSERT_EQ(png.size(), rendered.size());
        int differing = 0;
        for (int y = 0; y < 260; ++y) {
            for (int x = 0; x < 200; ++x) {
                const bool fretNumber = x % 100 < 24 && y % 130 < 20;
                if (!fretNumber && png.pixel(x, y) != rendered.pixel(x, y))
                    ++differing;
            }
        }
        EXPECT_EQ(differing, 0);
    }

    int PdfPages(const QByteArray& pdf)
    {
        return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ")
            + pdf.count("/Type /Page/"));
    }

    TEST(Export, PdfAndPrinterPagesFlowInSheetOrder)
    {
        std::vector<Frets> diagrams;
        for (int i = 0; i < 100; ++i)
            diagrams.push_back(i % 2 ? kBarreF : kOpenC);
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        ASSERT_TRUE(WritePdfSheet(pdf, diagrams, { "C", "100 diagrams" }, false));
        EXPECT_TRUE(pdf.data().startsWith("%PDF"));
        // A4 with 15 mm margins holds six columns of seven rows: 42 a page.
        EXPECT_EQ(PdfPages(pdf.data()), 3) << pdf.data().left(2000).constData();

        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
        printer.setPageLayout(QPageLayout(
            QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        ASSERT_TRUE(PaintSheetPages(printer, diagrams, { "C", "100 diagrams" }, false));
        QFile printed(printer.outputFileName());
        ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
        EXPECT_EQ(PdfPages(printed.readAll()), 3);
    }

    TEST(Export, FilesOfEachFormat)
    {
        QTemporaryDir dir;
        const std::vector<Frets> diagrams { kOpenC, kBarreF };
        const SheetHeading heading { "C", "2 diagrams" };
        QString error;
        ASSERT_TRUE(ExportSheet(
            dir.filePath(QStringLiteral("s.png")), ExportFormat::Png, diagrams, heading, 6, 2.0, false, &error))
            << error.toStdString();
        const QImage png(dir.filePath(QStringLiteral("s.png")));
        EXPECT_EQ(png.size(), QSize(1200, 2 * (46 + 130)));

        ASSERT_TRUE(ExportSheet(
            dir.filePath(QStringLiteral("s.svg")), ExportFormat::Svg, diagrams, heading, 6, 1.0, false, &error));
        EXPECT_TRUE(QSvgRenderer(dir.filePath(QStringLiteral("s.svg"))).isValid());

        ASSERT_TRUE(ExportDiagram(
            dir.filePath(QStringLiteral("d.pdf")), ExportFormat::Pdf, kBarreF, { "F", "" }, 1.0, false, &error));
        QFile pdf(dir.filePath(QStringLiteral("d.pdf")));
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_EQ(PdfPages(pdf.readAll()), 1);

        error.clear();
        EXPECT_FALSE(ExportSheet(dir.filePath(QStringLiteral("no/such/dir/s.svg")), ExportFormat::Svg, diagrams,
            heading, 6, 1.0, false, &error));
        EXPECT_FALSE(error.isEmpty());
    }

    TEST(Export, ClipboardHoldsTheImageAndTheFingering)
    {
        const PictureStore pictures(2.0);
        const std::unique_ptr<QMimeData> data(DiagramMimeData(kOpenC, pictures, false));
        EXPECT_EQ(data->text(), QStringLiteral("x32010"));
        const QImage image = qvariant_cast<QImage>(data->imageData());
        EXPECT_EQ(image.size(), QSize(200, 260));
        EXPECT_TRUE(Plain(image) == Plain(DiagramImage(kOpenC, pictures, false)));
        EXPECT_EQ(
            FingeringClipboardText(FretsOfVoicing({ 99, -10, 12, 12, 11, 10 })), QStringLiteral("x 10 12 12 11 10"));
    }

    // Another instrument's sheet takes the same road: one diagram is the sheet's cell, a whole sheet
    // draws it below the heading, and every format is written.
    TEST(Export, AnotherInstrumentsDiagramsAsTheSheetDrawsThem)
    {
        const std::vector<Frets> diagrams { { 4, { 0, 0, 0, 3 } }, { 4, { 2, 0, 1, 0 } }, { 4, { -2, 2, 2, 5 } } };
        const PictureStore pictures(2.0);
        ResultSheet sheet;
        sheet.setPictures(&pictures);
        sheet.showDiagrams(diagrams, 650);
        const QImage whole = Plain(SheetImage(diagrams, { "C", "3 diagrams" }, 6, pictures, false));
        for (const int index : { 0, 2 }) {
            const QImage cell = SheetCell(sheet, index, 2.0);
            EXPECT_TRUE(Plain(DiagramImage(diagrams[static_cast<size_t>(index)], pictures, false)) == cell);
            EXPECT_TRUE(whole.copy(QRect(QPoint(100 * index, 46) * 2, cell.size())) == cell);
        }
        const std::unique_ptr<QMimeData> data(DiagramMimeData(diagrams[0], pictures, false));
        EXPECT_EQ(data->text(), QStringLiteral("0003"));

        QTemporaryDir dir;
        QString error;
        for (const QString& name : { QStringLiteral("u.png"), QStringLiteral("u.svg"), QStringLiteral("u.pdf") }) {
            const ExportFormat format = *ExportFormatOfPath(name);
            ASSERT_TRUE(ExportDiagram(dir.filePath(name), format, diagrams[1], { "F", "" }, 1.0, false, &error))
                << error.toStdString();
            EXPECT_GT(QFile(dir.filePath(name)).size(), 0);
        }
        EXPECT_EQ(QImage(dir.filePath(QStringLiteral("u.png"))).size(), QSize(100, 46 + 130));
        EXPECT_TRUE(QSvgRenderer(dir.filePath(QStringLiteral("u.svg"))).isValid());

        std::vector<Frets> many(100, diagrams[2]);
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        ASSERT_TRUE(WritePdfSheet(pdf, many, { "D", "100 diagrams" }, false));
        EXPECT_EQ(PdfPages(pdf.data()), 3);
    }

    TEST(Export, FormatOfFilterOrSuffix)
    {
        const QStringList filters = ExportFileFilters().split(QStringLiteral(";;"));
        ASSERT_EQ(filters.size(), 3);
        EXPECT_EQ(ExportFormatOfFilter(filters[0]), ExportFormat::Png);
        EXPECT_EQ(ExportFormatOfFilter(filters[1]), ExportFormat::Svg);
        EXPECT_EQ(ExportFormatOfFilter(filters[2]), ExportFormat::Pdf);
        EXPECT_EQ(ExportFormatOfPath(QStringLiteral("/tmp/C.PDF")), ExportFormat::Pdf);
        EXPECT_EQ(ExportFormatOfPath(QStringLiteral("/tmp/C.jpeg")), std::nullopt);
        EXPECT_EQ(ExportFormatOfPath(QStringLiteral("/tmp/C")), std::nullopt);
    }

} // namespace
} // namespace corvane
