#include "windows/export_dialogs.h"

#include "toolkit/chord_export.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>

#include <memory>

namespace corvane {

namespace {

    QString SuffixOf(ExportFormat format)
    {
        switch (format) {
        case ExportFormat::Png:
            return QStringLiteral("png");
        case ExportFormat::Svg:
            return QStringLiteral("svg");
        case ExportFormat::Pdf:
            return QStringLiteral("pdf");
        }
        return {};
    }

} // namespace

std::optional<ExportTarget> ExportTargetOf(const SaveChoice& choice)
{
    if (choice.path.isEmpty())
        return std::nullopt;
    if (const std::optional<ExportFormat> format = ExportFormatOfPath(choice.path))
        return ExportTarget { choice.path, *format };
    // Desktop dialogs that do not add the filter's suffix leave it to us.
    if (const std::optional<ExportFormat> format = ExportFormatOfFilter(choice.filter))
        return ExportTarget { choice.path + QLatin1Char('.') + SuffixOf(*format), *format };
    return std::nullopt;
}

QString ExportStartFolder(const QString& lastFolder, ExportFormat format)
{
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir())
        return lastFolder;
    const QString usual = QStandardPaths::writableLocation(
        format == ExportFormat::Pdf ? QStandardPaths::DocumentsLocation : QStandardPaths::PicturesLocation);
    return usual.isEmpty() ? QDir::homePath() : usual;
}

ExportFolder OwnExportFolder()
{
    auto folder = std::make_shared<QString>();
    return { [folder] { return *folder; }, [folder](const QString& chosen) { *folder = chosen; } };
}

std::optional<SaveChoice> DesktopExportDialogs::saveFile(
    QWidget* owner, const QString& caption, const QString& suggestedPath, const QString& filters)
{
    QString filter;
    const QString path = QFileDialog::getSaveFileName(owner, caption, suggestedPath, filters, &filter);
    if (path.isEmpty())
        return std::nullopt;
    return SaveChoice { path, filter };
}

std::optional<bool> DesktopExportDialogs::print(QWidget* owner, const PaintPages& paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(SheetPageLayout());
    QPrintDialog dialog(&printer, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return paint(printer);
}

void DesktopExportDialogs::preview(QWidget* owner, const PaintPages& paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(SheetPageLayout());
    QPrintPreviewDialog dialog(&printer, owner);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* shown) {
        if (shown)
            paint(*shown);
    });
    dialog.exec();
}

void DesktopExportDialogs::showError(QWidget* owner, const QString& title, const QString& message)
{
    QMessageBox::warning(owner, title, message);
}

} // namespace corvane
