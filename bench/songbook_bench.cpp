// A book of 100 songs, the test songs repeated and transposed: read and given their fingerings,
// laid out and written as a PDF, three times over; prints the time of each step and the peak memory
// after each round, which stays flat when nothing is kept from one book to the next.

#include "song/songbook_songs.h"
#include "toolkit/songbook_export.h"

#include <QBuffer>
#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>

using namespace corvane;

namespace {

long PeakKilobytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    std::vector<std::string> problems;
    std::vector<BookSource> folder = BookSourcesOf({ CORVANE_SONGS_DIR, CORVANE_BOOK_DIR }, problems);
    std::vector<BookSource> sources;
    for (int i = 0; sources.size() < 100; ++i) {
        BookSource source = folder[static_cast<std::size_t>(i) % folder.size()];
        source.settings.transpose = (i / static_cast<int>(folder.size())) % 12 - 5;
        sources.push_back(source);
    }
    for (int round = 1; round <= 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const std::vector<LoadedSong> loaded = LoadBookSongs(sources, problems);
        std::vector<BookSong> songs;
        for (const LoadedSong& song : loaded)
            songs.push_back(BookSongOf(song));
        const double read = Since(start);
        const auto laying = std::chrono::steady_clock::now();
        BookOptions options;
        options.twoSided = true;
        const BookPlan plan = LayOutBook(songs, options);
        const double laid = Since(laying);
        const auto writing = std::chrono::steady_clock::now();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!WriteSongbookPdf(buffer, plan, songs)) {
            std::fprintf(stderr, "songbook_bench: the book could not be written\n");
            return 1;
        }
        const double written = Since(writing);
        std::printf("round %d: %zu songs, %zu pages, %.1f MB of PDF; read and fingered %.2f s, laid out %.3f s, "
                    "written %.2f s, in all %.2f s; peak memory %ld MB\n",
            round, songs.size(), plan.pages.size(), static_cast<double>(buffer.size()) / 1e6, read, laid, written,
            Since(start), PeakKilobytes() / 1024);
    }
    return problems.empty() ? 0 : 1;
}
