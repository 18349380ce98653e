// The File menu's copy, export and print, and the name list's copy, through the real window with
// stand-ins for the file and print dialogs.

#include "drawing/qt/picture_store.h"
#include "main_window_fixture.h"
#include "toolkit/chord_export.h"
#include "windows/export_dialogs.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace corvane::test {
namespace {

    // What the stand-in answers and what it was asked.
    struct DialogScript {
        std::optional<SaveChoice> file; // nothing: the user cancels
        QPagedPaintDevice* printer = nullptr; // null: the user cancels
        QPagedPaintDevice* previewPrinter = nullptr;
        QString askedCaption;
        QString suggestedName;
        QString filters;
        std::optional<bool> painted;
        QStringList errors;
    };

    class StandInDialogs final : public ExportDialogs {
    public:
        explicit StandInDialogs(std::shared_ptr<DialogScript> script)
            : m_script(std::move(script))
        {
        }
        std::optional<SaveChoice> saveFile(
            QWidget*, const QString& caption, const QString& suggestedName, const QString& filters) override
        {
            m_script->askedCaption = caption;
            m_script->suggestedName = suggestedName;
            m_script->filters = filters;
            return m_script->file;
        }
        std::optional<bool> print(QWidget*, const PaintPages& paint) override
        {
            if (!m_script->printer)
                return std::nullopt;
            return m_script->painted = paint(*m_script->printer);
        }
        void preview(QWidget*, const PaintPages& paint) override
        {
            if (m_script->previewPrinter)
                m_script->painted = paint(*m_script->previewPrinter);
        }
        void showError(QWidget*, const QString&, const QString& message) override { m_script->errors << message; }

    private:
        std::shared_ptr<DialogScript> m_script;
    };

    int PdfPages(const QByteArray& pdf)
    {
        return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ")
            + pdf.count("/Type /Page/"));
    }

    QImage Plain(QImage image)
    {
        image.setDevicePixelRatio(1);
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }

    class ExportMenuTest : public MainWindowTest {
    protected:
        ExportMenuTest()
        {
            window->setExportDialogs(std::make_unique<StandInDialogs>(script));
            QGuiApplication::clipboard()->clear();
        }

        QAction* Item(const char* name) const { return Find<QAction>(name); }
        QString FilePath(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
        QString Filter(int index) const { return ExportFileFilters().split(QStringLiteral(";;")).at(index); }

        std::shared_ptr<DialogScript> script = std::make_shared<DialogScript>();
        QTemporaryDir dir;
    };

    TEST_F(ExportMenuTest, FileMenuHoldsTheNewItemsBeforeClose)
    {
        QStringList captions;
        for (const QAction* item : Find<QMenu>("File1")->actions())
            captions << item->text();
        EXPECT_EQ(captions.join(QLatin1Char('|')).toStdString(),
            "Open song…|Recent songs|Progression…|Setlist…|Make songbook…|Copy diagram||Export diagram…|Export "
            "sheet…||Print…|Print "
            "preview||&Sound font…|"
            "&Restore defaults||&Close");
        EXPECT_EQ(Item("CopyDiagram1")->shortcut(), QKeySequence(QKeySequence::Copy));
        EXPECT_EQ(Item("Print1")->shortcut(), QKeySequence(QKeySequence::Print));
    }

    // Ctrl+C on the sheet copies the clicked diagram as image and text; after a refresh, which forgets
    // the click, the first one.
    TEST_F(ExportMenuTest, CopyDiagramPutsTheImageAndTheFingeringOnTheClipboard)
    {
        ClickSheet(Sheet()->cellRect(2).center());
        QTest::keyClick(Sheet(), Qt::Key_C, Qt::ControlModifier);
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        ASSERT_NE(copied, nullptr);
        EXPECT_EQ(copied->text().toStdString(), "x35553");
        ASSERT_TRUE(copied->hasImage());
        const PictureStore pictures(window->devicePixelRatioF());
        EXPECT_TRUE(Plain(qvariant_cast<QImage>(copied->imageData()))
            == Plain(DiagramImage(Sheet()->diagram(2), pictures, false)));

        Click("CheckBoxOmit5");
        Item("CopyDiagram1")->trigger();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), FingeringClipboardText(Sheet()->diagram(0)));
    }

    TEST_F(ExportMenuTest, CtrlCInTheNameListCopiesTheSelectedNames)
    {
        auto* names = Find<QListWidget>("ListBox1");
        ASSERT_GE(names->count(), 3);
        QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, names->visualItemRect(names->item(2)).center());
        QTest::mouseClick(
            names->viewport(), Qt::LeftButton, Qt::ControlModifier, names->visualItemRect(names->item(0)).center());
        ASSERT_TRUE(names->hasFocus());
        QTest::keyClick(names, Qt::Key_C, Qt::ControlModifier);
        const QString expected = names->item(0)->text() + QLatin1Char('\n') + names->item(2)->text();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
        EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasImage()) << "the diagram was copied instead";

        QGuiApplication::clipboard()->clear();
        QAction* copy = nullptr;
        for (QAction* action : names->actions())
            if (action->text() == QStringLiteral("Copy"))
                copy = action;
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(names->contextMenuPolicy(), Qt::ActionsContextMenu);
        copy->trigger();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
    }

    TEST_F(ExportMenuTest, ExportWritesTheFileOfTheChosenFilter)
    {
        // A name typed without a suffix takes the filter's; a suffix that names a format wins.
        const struct {
            const char* chosen;
            int filter;
            const char* written;
            const char* starts;
        } rows[] = {
            { "sheet", 0, "sheet.png", "\x89PNG" },
            { "sheet", 1, "sheet.svg", "<?xml" },
            { "sheet", 2, "sheet.pdf", "%PDF" },
            { "named.svg", 2, "named.svg", "<?xml" },
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(row.written);
            script->file = SaveChoice { FilePath(row.chosen), Filter(row.filter) };
            Item("ExportSheet1")->trigger();
            QFile written(FilePath(row.written));
            ASSERT_TRUE(written.open(QIODevice::ReadOnly));
            EXPECT_TRUE(written.readAll().startsWith(row.starts));
            QFile::remove(FilePath(row.written));
        }
        EXPECT_EQ(script->filters, ExportFileFilters());
        EXPECT_EQ(QFileInfo(script->suggestedName).fileName().toStdString(), "C.png");
        EXPECT_TRUE(script->errors.isEmpty()) << script->errors.join(QLatin1Char('\n')).toStdString();

        // The whole sheet, every diagram, under the name box's text, the tuning and the count.
        script->file = SaveChoice { FilePath("all.svg"), Filter(1) };
        Item("ExportSheet1")->trigger();
        QFile svg(FilePath("all.svg"));
        ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
        const QByteArray text = svg.readAll();
        EXPECT_TRUE(text.contains(">C<"));
        EXPECT_TRUE(text.contains("Standard Tuning (E A D G B E), 165 diagrams"));

        // Cancelled, nothing is written.
        script->file.reset();
        Item("ExportDiagram1")->trigger();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }

    // The dialogs open where the last export went, across a restart; before any, in Pictures.
    TEST_F(ExportMenuTest, ExportDialogsOpenInTheLastExportFolder)
    {
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        Item("ExportSheet1")->trigger();
        EXPECT_EQ(QFileInfo(script->suggestedName).absolutePath(), QFileInfo(pictures).absoluteFilePath());
        EXPECT_EQ(ExportStartFolder({}, ExportFormat::Pdf),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));

        const QString settingsPath = dir.filePath(QStringLiteral("settings.ini"));
        window->UseSettings(std::make_unique<QSettings>(settingsPath, QSettings::IniFormat));
        QDir(dir.path()).mkdir(QStringLiteral("songs"));
        const QString songs = dir.filePath(QStringLiteral("songs"));
        script->file = SaveChoice { songs + QStringLiteral("/first.svg"), Filter(1) };
        Item("ExportDiagram1")->trigger();
        script->file.reset();
        Item("ExportSheet1")->trigger();
        EXPECT_EQ(script->suggestedName, songs + QStringLiteral("/C.png"));
        window->close();

        TForm1 reopened([](int) { return std::make_unique<RecordingPort>(); });
        reopened.UseSettings(std::make_unique<QSettings>(settingsPath, QSettings::IniFormat));
        auto again = std::make_shared<DialogScript>();
        reopened.setExportDialogs(std::make_unique<StandInDialogs>(again));
        reopened.findChild<QAction*>(QStringLiteral("ExportSheet1"))->trigger();
        EXPECT_EQ(again->suggestedName, songs + QStringLiteral("/C.png"));
        // A folder since removed gives way to the usual one.
        QDir(songs).removeRecursively();
        reopened.findChild<QAction*>(QStringLiteral("ExportSheet1"))->trigger();
        EXPECT_EQ(QFileInfo(again->suggestedName).absolutePath(), QFileInfo(pictures).absoluteFilePath());
    }

    // The exported diagram, below its heading, is the sheet's own drawing of the cell.
    TEST_F(ExportMenuTest, AnExportedDiagramIsTheSheetsDrawingOfItsCell)
    {
        script->file = SaveChoice { FilePath("first"), Filter(0) };
        Item("ExportDiagram1")->trigger();
        const QImage exported(FilePath("first.png"));
        ASSERT_FALSE(exported.isNull());
        const QRect cell = Sheet()->cellRect(0);
        QImage drawn(Sheet()->size(), QImage::Format_ARGB32_Premultiplied);
        Sheet()->render(&drawn);
        const int headingHeight = exported.height() - cell.height();
        EXPECT_EQ(headingHeight, export_sheet::kHeadingHeight);
        EXPECT_TRUE(Plain(exported.copy(QRect(QPoint(0, headingHeight), cell.size()))) == Plain(drawn.copy(cell)));
    }

    TEST_F(ExportMenuTest, AFileThatCannotBeWrittenIsReported)
    {
        script->file = SaveChoice { FilePath("no/such/folder/C.pdf"), Filter(2) };
        Item("ExportSheet1")->trigger();
        ASSERT_EQ(script->errors.size(), 1);
        EXPECT_TRUE(script->errors[0].contains(FilePath("no/such/folder/C.pdf")));

        QPdfWriter unwritable(FilePath("no/such/folder/printed.pdf"));
        script->printer = &unwritable;
        Item("Print1")->trigger();
        EXPECT_EQ(script->painted, false);
        EXPECT_EQ(script->errors.size(), 2);
    }

    // A printer starts on the page of the PDF export, at its own resolution, and gets the whole sheet in
    // the same pages; the preview paints the same.
    TEST_F(ExportMenuTest, PrintAndPreviewPaintThePagesOfThePdf)
    {
        TypeName("Am");
        script->file = SaveChoice { FilePath("sheet.pdf"), Filter(2) };
        Item("ExportSheet1")->trigger();
        QFile exported(FilePath("sheet.pdf"));
        ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
        const int pages = PdfPages(exported.readAll());
        EXPECT_GT(pages, 1);

        for (const bool preview : { false, true }) {
            SCOPED_TRACE(preview ? "preview" : "print");
            // What the desktop's dialogs hand over, printing to a file.
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(FilePath("printed.pdf"));
            printer.setPageLayout(SheetPageLayout());
            (preview ? script->previewPrinter : script->printer) = &printer;
            if (preview)
                Item("PrintPreview1")->trigger();
            else
                QTest::keyClick(Sheet(), Qt::Key_P, Qt::ControlModifier);
            EXPECT_EQ(script->painted, true);
            QFile printed(FilePath("printed.pdf"));
            ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
            EXPECT_EQ(PdfPages(printed.readAll()), pages);
            script->painted.reset();
            script->printer = script->previewPrinter = nullptr;
        }
        // Cancelled, nothing is painted and nothing reported.
        Item("Print1")->trigger();
        EXPECT_FALSE(script->painted.has_value());
        EXPECT_TRUE(script->errors.isEmpty());
    }

    // With no diagram there is nothing to copy or export alone; a refresh brings them back.
    TEST_F(ExportMenuTest, AnEmptySheetHasNoDiagramToCopyOrExport)
    {
        Find<QPushButton>("Button2")->click();
        EXPECT_FALSE(Item("CopyDiagram1")->isEnabled());
        EXPECT_FALSE(Item("ExportDiagram1")->isEnabled());
        EXPECT_TRUE(Item("ExportSheet1")->isEnabled());
        QTest::keyClick(Sheet(), Qt::Key_C, Qt::ControlModifier);
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        EXPECT_TRUE(!copied || copied->formats().isEmpty());

        Click("CheckBoxOmit3");
        EXPECT_TRUE(Item("CopyDiagram1")->isEnabled());
        EXPECT_TRUE(Item("ExportDiagram1")->isEnabled());
    }

} // namespace
} // namespace corvane::test
