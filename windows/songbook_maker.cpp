// Making a songbook step by step under a progress dialog.
#include "windows/songbook_maker.h"

#include "toolkit/songbook_export.h"

#include <QApplication>
#include <QBuffer>
#include <QPagedPaintDevice>
#include <QProgressDialog>
#include <QSaveFile>

#include <functional>

namespace corvane {

namespace {

    // Draws the book's pages somewhere, telling each page to the progress; false when stopped or failed.
    using BookPainting
        = std::function<bool(const BookPlan& plan, const std::vector<BookSong>& songs, const BookProgress& progress)>;

    BookOutcome Make(QWidget* owner, const BookRequest& request, const BookStepHook& hook, const BookPainting& paint)
    {
        BookOutcome outcome;
        const int count = static_cast<int>(request.sources.size());
        QProgressDialog dialog(QStringLiteral("Reading the songs…"), QStringLiteral("Cancel"), 0, 2 * count + 1, owner);
        dialog.setObjectName(QStringLiteral("SongbookProgress"));
        dialog.setWindowTitle(QStringLiteral("Make songbook"));
        dialog.setAccessibleName(QStringLiteral("Making the songbook"));
        dialog.setWindowModality(Qt::WindowModal);
        dialog.setMinimumDuration(0);
        int step = 0;
        // Each step lets the window paint and take the Cancel click.
        const auto advance = [&](const QString& label) {
            dialog.setLabelText(label);
            dialog.setValue(std::min(step, dialog.maximum()));
            if (hook)
                hook(dialog, step);
            ++step;
            QApplication::processEvents();
            return !dialog.wasCanceled();
        };

        std::vector<std::string> problems;
        std::vector<BookSong> songs;
        const BookInstrument played = BookInstrumentOf(request.instrument, request.search);
        for (const BookSource& source : request.sources) {
            if (!advance(QStringLiteral("Reading %1…").arg(QString::fromStdString(source.file)))) {
                outcome.cancelled = true;
                return outcome;
            }
            for (const LoadedSong& loaded :
                LoadBookSongs({ source }, problems, request.instrument.strings.strings.count, request.instrument.name))
                songs.push_back(BookSongOf(loaded, played));
        }
        for (const std::string& problem : problems)
            outcome.problems << QString::fromStdString(problem);
        if (songs.empty()) {
            outcome.error = QStringLiteral("No song could be read; no songbook was made.");
            return outcome;
        }
        const BookPlan plan = LayOutBook(songs, request.options);
        dialog.setMaximum(count + static_cast<int>(plan.pages.size()) + 1);
        const bool painted = paint(plan, songs,
            [&](int page, int pages) { return advance(QStringLiteral("Page %1 of %2…").arg(page).arg(pages)); });
        if (!painted) {
            outcome.cancelled = dialog.wasCanceled();
            if (!outcome.cancelled)
                outcome.error = QStringLiteral("The songbook could not be drawn.");
            return outcome;
        }
        dialog.setValue(dialog.maximum());
        outcome.made = true;
        outcome.pages = static_cast<int>(plan.pages.size());
        return outcome;
    }

} // namespace

BookInstrument BookInstrumentOf(const HostInstrument& instrument, const SearchOptions& search)
{
    BookInstrument played;
    played.strings = &instrument.strings;
    played.line = instrument.description;
    played.search = search;
    return played;
}

BookOutcome MakeSongbook(QWidget* owner, const BookRequest& request, const BookStepHook& hook)
{
    QString error;
    BookOutcome outcome = Make(owner, request, hook,
        [&](const BookPlan& plan, const std::vector<BookSong>& songs, const BookProgress& progress) {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            if (!WriteSongbookPdf(buffer, plan, songs, progress))
                return false;
            QSaveFile file(request.out);
            if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.size() || !file.commit())
                error = QStringLiteral("Cannot write %1.").arg(request.out);
            return true;
        });
    if (!error.isEmpty()) {
        outcome.made = false;
        outcome.pages = 0;
        outcome.error = error;
    }
    return outcome;
}

BookOutcome PrintSongbook(
    QWidget* owner, const BookRequest& request, QPagedPaintDevice& printer, const BookStepHook& hook)
{
    // The pages are laid out for the printer's paper, in the sheet's pixels.
    constexpr qreal kSheetPixelsPerInch = 96.0;
    BookRequest fitted = request;
    const qreal scale = printer.logicalDpiX() / kSheetPixelsPerInch;
    fitted.options.metrics.width = static_cast<int>(printer.width() / scale);
    fitted.options.metrics.height = static_cast<int>(printer.height() / scale);
    return Make(owner, fitted, hook,
        [&](const BookPlan& plan, const std::vector<BookSong>& songs, const BookProgress& progress) {
            return PaintSongbook(printer, plan, songs, progress);
        });
}

} // namespace corvane
