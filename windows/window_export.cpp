// The Export and Print buttons' dialogs, shared by the progression and song windows.
#include "windows/window_export.h"

#include "toolkit/chord_export.h"
#include "windows/progression_window.h"

#include <QPrinter>

namespace corvane {

std::optional<WindowExportTarget> AskExportTarget(
    const ProgressionDialogs& dialogs, QWidget* owner, const QString& suggestedName, ExportFormat fallback)
{
    QString filter;
    QString path = dialogs.saveFileName ? dialogs.saveFileName(owner, suggestedName, &filter) : QString();
    if (path.isEmpty())
        return std::nullopt;
    std::optional<ExportFormat> format = ExportFormatOfPath(path);
    if (!format) {
        format = ExportFormatOfFilter(filter).value_or(fallback);
        path += *format == ExportFormat::Png ? QStringLiteral(".png")
            : *format == ExportFormat::Svg   ? QStringLiteral(".svg")
                                             : QStringLiteral(".pdf");
    }
    return WindowExportTarget { path, *format };
}

void PrintSheet(const ProgressionDialogs& dialogs, QWidget* owner, const std::function<bool(QPrinter&)>& paint,
    const QString& failure)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(SheetPageLayout()); // the PDF's page and margins
    if (!dialogs.choosePrinter || !dialogs.choosePrinter(owner, printer))
        return;
    if (!paint(printer) && dialogs.warn)
        dialogs.warn(owner, failure);
}

} // namespace corvane
