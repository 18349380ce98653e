#pragma once
// Export and Print of the progression and song windows: the file and the format to write, asked
// through the window's dialogs, and the printer, with the window's message when a sheet fails.

#include "toolkit/chord_export.h"

#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace corvane {

struct ProgressionDialogs;

// The file to write: the dialog's answer, its format named by the suffix typed or, without one, by
// the filter chosen (whose suffix is added), `fallback` when the filter names none. Nothing when the
// user cancelled.
struct WindowExportTarget {
    QString path;
    ExportFormat format;
};
std::optional<WindowExportTarget> AskExportTarget(
    const ProgressionDialogs& dialogs, QWidget* owner, const QString& suggestedName, ExportFormat fallback);

// The printer dialog, then the sheet painted on the printer chosen; `failure` is said when it could
// not be. Nothing happens when the user cancels.
void PrintSheet(const ProgressionDialogs& dialogs, QWidget* owner, const std::function<bool(QPrinter&)>& paint,
    const QString& failure);

} // namespace corvane
