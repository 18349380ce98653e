#pragma once
// A songbook made from the window: the songs read and given their fingerings, laid out and written
// as PDF, under a progress bar whose Cancel stops the work; the window keeps answering meanwhile.

#include "song/songbook_songs.h"
#include "windows/progression_window.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPagedPaintDevice;
class QProgressDialog;
class QWidget;

namespace corvane {

struct BookRequest {
    std::vector<BookSource> sources;
    BookOptions options;
    HostInstrument instrument = GuitarHost(kStandardTuning); // the songs are read and fingered for its strings
    SearchOptions search {};
    QString out; // the PDF's path
};

struct BookOutcome {
    bool made = false;
    bool cancelled = false;
    int pages = 0;
    QStringList problems; // each song that could not be read, named
    QString error; // why no book was written, when it was not cancelled
};

// How a book prints its songs on the instrument, which it points to and must outlive it.
BookInstrument BookInstrumentOf(const HostInstrument& instrument, const SearchOptions& search);

// Called at each step with the dialog, for tests to press Cancel where they want.
using BookStepHook = std::function<void(QProgressDialog& dialog, int step)>;

// Nothing is written when cancelled or when no song could be read; the file is replaced only once
// the whole book is written.
BookOutcome MakeSongbook(QWidget* owner, const BookRequest& request, const BookStepHook& hook = {});

// The same book printed, its pages laid out for the printer's paper; `out` is not used.
BookOutcome PrintSongbook(
    QWidget* owner, const BookRequest& request, QPagedPaintDevice& printer, const BookStepHook& hook = {});

} // namespace corvane
