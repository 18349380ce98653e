#pragma once
// The dialogs of copying, exporting and printing: the file to save to, the printer and its preview,
// and the report of a failed write. The main window holds one of these; tests and the session
// driver put in their own, so that every menu item runs without a person to answer a dialog.

#include <QString>

#include <functional>
#include <optional>

class QPagedPaintDevice;
class QWidget;

namespace corvane {

enum class ExportFormat;

// A file chosen in a save dialog, with the filter that was selected when it was chosen.
struct SaveChoice {
    QString path;
    QString filter;
};

// The file to write and its format: a suffix that names a format decides it; otherwise the chosen
// filter does, and its suffix is added to the name. Nothing when neither names a format.
struct ExportTarget {
    QString path;
    ExportFormat format;
};
std::optional<ExportTarget> ExportTargetOf(const SaveChoice& choice);

// Where a save dialog for a file of this format opens: the folder of the last export while it
// exists; before any, the user's Pictures folder for an image and Documents for a PDF; the home
// folder when the desktop names neither.
QString ExportStartFolder(const QString& lastFolder, ExportFormat format);

// The folder of the last export, which every window's save dialogs share: the main window keeps it
// with the settings. Without `get` and `set`, a folder of the dialogs' own, starting empty.
struct ExportFolder {
    std::function<QString()> get;
    std::function<void(const QString& folder)> set;
};
ExportFolder OwnExportFolder();

class ExportDialogs {
public:
    // Paints the pages on the device; false when it could not be painted on.
    using PaintPages = std::function<bool(QPagedPaintDevice& device)>;

    virtual ~ExportDialogs() = default;

    // A save dialog over `owner`, opened on `suggestedPath` (the folder and the file name); nothing
    // when the user cancels.
    virtual std::optional<SaveChoice> saveFile(
        QWidget* owner, const QString& caption, const QString& suggestedPath, const QString& filters)
        = 0;

    // The print dialog; when the user accepts, paints on the printer chosen. Nothing when the user
    // cancels, else what the painting returned.
    virtual std::optional<bool> print(QWidget* owner, const PaintPages& paint) = 0;

    // The print preview, which paints as often as its settings change, until the user closes it.
    virtual void preview(QWidget* owner, const PaintPages& paint) = 0;

    // Tells the user that something could not be done.
    virtual void showError(QWidget* owner, const QString& title, const QString& message) = 0;
};

// The desktop's own: QFileDialog, QPrintDialog, QPrintPreviewDialog and QMessageBox.
class DesktopExportDialogs final : public ExportDialogs {
public:
    std::optional<SaveChoice> saveFile(
        QWidget* owner, const QString& caption, const QString& suggestedPath, const QString& filters) override;
    std::optional<bool> print(QWidget* owner, const PaintPages& paint) override;
    void preview(QWidget* owner, const PaintPages& paint) override;
    void showError(QWidget* owner, const QString& title, const QString& message) override;
};

} // namespace corvane
