// The main window's copy, export and print: the File menu's items, the name list's copy, and the
// reading of the controls these need. The drawing and the file formats are the export library's.

#include "app/main_window.h"

#include "ui_main_window.h"

#include "drawing/qt/picture_store.h"
#include "guitar/result_list.h"
#include "toolkit/chord_export.h"
#include "toolkit/copyable_list.h"
#include "toolkit/result_sheet.h"
#include "windows/export_dialogs.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>

namespace corvane {

void TForm1::SetUpExport()
{
    m_exportDialogs = std::make_unique<DesktopExportDialogs>();

    const auto item = [this](const char* name, const QString& caption, auto handler) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QLatin1StringView(name));
        connect(action, &QAction::triggered, this, handler);
        ui->File1->insertAction(ui->Sair1, action);
        return action;
    };
    m_copyDiagram = item("CopyDiagram1", QStringLiteral("Copy diagram"), &TForm1::CopyDiagramClick);
    m_copyDiagram->setShortcut(QKeySequence::Copy);
    ui->File1->insertSeparator(ui->Sair1);
    m_exportDiagram = item("ExportDiagram1", QStringLiteral("Export diagram…"), &TForm1::ExportDiagramClick);
    item("ExportSheet1", QStringLiteral("Export sheet…"), &TForm1::ExportSheetClick);
    ui->File1->insertSeparator(ui->Sair1);
    item("Print1", QStringLiteral("Print…"), &TForm1::PrintClick)->setShortcut(QKeySequence::Print);
    item("PrintPreview1", QStringLiteral("Print preview"), &TForm1::PrintPreviewClick);
    ui->File1->insertSeparator(ui->Sair1);

    MakeListCopyable(ui->ListBox1);
}

void TForm1::setExportDialogs(std::unique_ptr<ExportDialogs> dialogs)
{
    if (dialogs)
        m_exportDialogs = std::move(dialogs);
}

// With no diagram on the sheet there is nothing to copy or export on its own; the sheet itself can
// still be exported and printed, its heading saying that nothing was found.
void TForm1::ShowExportEnabled()
{
    const bool any = ui->Image1->count() > 0;
    m_copyDiagram->setEnabled(any);
    m_exportDiagram->setEnabled(any);
}

// The diagram last clicked; after a refresh, which forgets the click, the first one.
int TForm1::ExportedDiagram() const
{
    if (ui->Image1->count() == 0)
        return -1;
    return std::max(0, ui->Image1->selectedCell());
}

// "Standard Tuning (E A D G B E)" while the strings are as the button's preset tunes them, else the
// strings' names alone.
std::string TForm1::TuningText() const
{
    // Another instrument: "Ukulele, Low G (G3 C4 E4 A4)".
    if (!m_instrument->tuningPresets) {
        std::string text = std::string(m_instrument->caption);
        const auto& presets = m_instrument->tunings;
        if (m_stringsPreset > 0 && m_stringsPreset < static_cast<int>(presets.size())
            && presets[static_cast<size_t>(m_stringsPreset)].strings == m_openStrings)
            text += ", " + presets[static_cast<size_t>(m_stringsPreset)].name;
        return text + " (" + OpenStringsText(m_openStrings) + ")";
    }
    const std::array<QLabel*, kStrings> labels { ui->lbAfinacaoCorda1, ui->lbAfinacaoCorda2, ui->lbAfinacaoCorda3,
        ui->lbAfinacaoCorda4, ui->lbAfinacaoCorda5, ui->lbAfinacaoCorda6 };
    QStringList names;
    for (const QLabel* label : labels)
        names << label->text();
    const QString strings = names.join(QLatin1Char(' '));
    const QString caption = ui->ToolButton5->text();
    for (const TuningPreset& preset : kTuningPresets) {
        if (QString::fromUtf8(preset.buttonCaption.data(), static_cast<qsizetype>(preset.buttonCaption.size()))
                == caption
            && preset.pitchClasses == m_tuning)
            return (caption + QStringLiteral(" (") + strings + QLatin1Char(')')).toStdString();
    }
    return strings.toStdString();
}

SheetHeading TForm1::ExportHeading(std::optional<size_t> count) const
{
    SheetHeading heading;
    heading.title = ShownChordName(ui->EditAcorde->text().trimmed().toStdString());
    heading.details = count ? SheetDetails(TuningText(), *count) : TuningText();
    if (!m_leftOut.empty())
        heading.details += ", " + LeftOutSummary(m_leftOut);
    return heading;
}

void TForm1::CopyDiagramClick()
{
    const int index = ExportedDiagram();
    if (index < 0)
        return;
    QGuiApplication::clipboard()->setMimeData(
        DiagramMimeData(ui->Image1->diagram(index), *m_pictures, ui->Image1->leftHanded(), ui->Image1->openStrings()));
}

void TForm1::ExportDiagramClick()
{
    const int index = ExportedDiagram();
    if (index < 0)
        return;
    const Frets frets = ui->Image1->diagram(index);
    const QString title = QStringLiteral("Export diagram");
    const QString name = ExportFileName(QString::fromStdString(ShownChordName(ui->EditAcorde->text().toStdString())))
        + QLatin1Char(' ') + ExportFileName(FingeringClipboardText(frets));
    const std::optional<ExportTarget> target = AskExportTarget(title, name);
    if (!target)
        return;
    QString error;
    // One diagram's heading names its chord and tuning; a count of one would say nothing.
    if (!ExportDiagram(target->path, target->format, frets, ExportHeading(std::nullopt), m_pictures->devicePixelRatio(),
            ui->Image1->leftHanded(), &error, ui->Image1->openStrings()))
        m_exportDialogs->showError(this, title, WriteFailure(target->path, error));
}

void TForm1::ExportSheetClick()
{
    const QString title = QStringLiteral("Export sheet");
    const std::optional<ExportTarget> target = AskExportTarget(
        title, ExportFileName(QString::fromStdString(ShownChordName(ui->EditAcorde->text().toStdString()))));
    if (!target)
        return;
    QString error;
    const std::vector<Frets>& diagrams = ui->Image1->diagrams();
    if (!ExportSheet(target->path, target->format, diagrams, ExportHeading(diagrams.size()),
            sheet::Columns(ui->Image1->width()), m_pictures->devicePixelRatio(), ui->Image1->leftHanded(), &error,
            ui->Image1->openStrings()))
        m_exportDialogs->showError(this, title, WriteFailure(target->path, error));
}

void TForm1::PrintClick()
{
    const std::optional<bool> printed = m_exportDialogs->print(this, SheetPainter());
    if (printed && !*printed)
        m_exportDialogs->showError(
            this, QStringLiteral("Print"), QStringLiteral("The sheet could not be sent to the printer."));
}

void TForm1::PrintPreviewClick() { m_exportDialogs->preview(this, SheetPainter()); }

// The pages as the PDF export makes them: the sheet's columns, as many rows as a page holds. The
// pages hold their own copy of the diagrams, whatever the window does while a preview is open.
ExportDialogs::PaintPages TForm1::SheetPainter() const
{
    return [diagrams = ui->Image1->diagrams(), heading = ExportHeading(ui->Image1->diagrams().size()),
               columns = sheet::Columns(ui->Image1->width()), leftHanded = ui->Image1->leftHanded(),
               open = ui->Image1->openStrings()](QPagedPaintDevice& device) {
        return PaintSheetPages(device, diagrams, heading, leftHanded, columns, open);
    };
}

std::optional<ExportTarget> TForm1::AskExportTarget(const QString& title, const QString& suggestedName)
{
    const QString filters = ExportFileFilters();
    // The dialog offers PNG first.
    const QString start
        = QDir(ExportStartFolder(m_exportFolder, ExportFormat::Png)).filePath(suggestedName + QStringLiteral(".png"));
    const std::optional<SaveChoice> choice
        = m_exportDialogs->saveFile(this, title + QStringLiteral("…"), start, filters);
    if (!choice)
        return std::nullopt;
    std::optional<ExportTarget> target = ExportTargetOf(*choice);
    if (target)
        m_exportFolder = QFileInfo(target->path).absolutePath();
    else
        m_exportDialogs->showError(this, title,
            QStringLiteral("\"%1\" names no format to write: choose a .png, .svg or .pdf file.").arg(choice->path));
    return target;
}

QString TForm1::WriteFailure(const QString& path, const QString& why)
{
    QString message = QStringLiteral("\"%1\" could not be written.").arg(path);
    if (!why.isEmpty())
        message += QLatin1Char('\n') + why;
    return message;
}

} // namespace corvane
