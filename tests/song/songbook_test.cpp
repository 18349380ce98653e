// Songbooks laid out from the test songs, lengthened and shuffled at random: what a player needs of
// the page turns holds on every book; and setlists written, read back and made into books.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>

#include "song/chordpro_reader.h"
#include "song/setlist.h"
#include "song/songbook.h"
#include "song/songbook_songs.h"

namespace corvane {
namespace {

    namespace fs = std::filesystem;

    const std::vector<BookSong>& TestSongs()
    {
        static const std::vector<BookSong> songs = [] {
            std::vector<std::string> problems;
            std::vector<BookSong> out;
            for (const LoadedSong& loaded : LoadBookSongs(BookSourcesOf({ CORVANE_SONGS_DIR }, problems), problems))
                out.push_back(BookSongOf(loaded));
            EXPECT_TRUE(problems.empty());
            return out;
        }();
        return songs;
    }

    // The song's blocks `times` over, each copy's parts apart from the others'.
    BookSong Lengthened(BookSong song, int times)
    {
        const std::vector<SheetBlock> blocks = song.sheet.blocks;
        int parts = 0;
        for (const SheetBlock& block : blocks)
            parts = std::max(parts, block.part + 1);
        for (int copy = 1; copy < times; ++copy)
            for (SheetBlock block : blocks) {
                block.part += copy * parts;
                song.sheet.blocks.push_back(block);
            }
        return song;
    }

    std::vector<BookSong> RandomBook(std::mt19937& random)
    {
        const auto& songs = TestSongs();
        std::vector<BookSong> book;
        const int count = std::uniform_int_distribution(1, 24)(random);
        for (int i = 0; i < count; ++i) {
            BookSong song = songs[std::uniform_int_distribution<std::size_t>(0, songs.size() - 1)(random)];
            // Mostly short songs, some of two or three pages, a few far longer.
            const int times
                = std::discrete_distribution<int>({ 0, 50, 8, 8, 8, 6, 6, 4, 4, 2, 0, 0, 0, 0, 0, 0, 2 })(random);
            book.push_back(Lengthened(std::move(song), times));
        }
        return book;
    }

    struct Where {
        int page;
        std::size_t piece;
    };

    void CheckBook(const std::vector<BookSong>& songs, const BookOptions& options, const BookPlan& plan)
    {
        const BookMetrics& metrics = options.metrics;
        ASSERT_FALSE(plan.pages.empty());
        EXPECT_EQ(plan.pages.front().kind, BookPageKind::Cover);
        for (std::size_t i = 0; i < plan.pages.size(); ++i)
            ASSERT_EQ(plan.pages[i].number, static_cast<int>(i) + 1);

        // Where each block of each song is printed: every block once, in order, within the page.
        std::map<std::pair<std::size_t, std::size_t>, int> pageOfBlock;
        std::vector<std::size_t> nextBlock(songs.size(), 0);
        std::vector<int> firstPage(songs.size(), 0);
        for (const BookPage& page : plan.pages) {
            for (const BookPiece& piece : page.pieces) {
                const SongSheetContent& sheet = songs[piece.song].sheet;
                if (piece.heading) {
                    EXPECT_EQ(firstPage[piece.song], 0) << "song " << piece.song << " begins twice";
                    firstPage[piece.song] = page.number;
                }
                int y = piece.blocksTop;
                for (std::size_t b = nextBlock[piece.song]; b < piece.first; ++b)
                    EXPECT_TRUE(sheet.blocks[b].gap) << "a line left out, song " << piece.song << " block " << b;
                for (std::size_t b = piece.first; b < piece.end; ++b) {
                    pageOfBlock[{ piece.song, b }] = page.number;
                    y += BlockHeight(sheet.blocks[b], metrics);
                }
                if (piece.end > piece.first + 1) {
                    EXPECT_LE(y, metrics.Bottom()) << "page " << page.number;
                }
                nextBlock[piece.song] = piece.end;
            }
        }
        for (std::size_t s = 0; s < songs.size(); ++s) {
            EXPECT_EQ(nextBlock[s], songs[s].sheet.blocks.size()) << "song " << s << " not printed to its end";
            EXPECT_EQ(firstPage[s], plan.places[s].firstPage) << "song " << s;
        }

        // A part that fits on a page is on one page.
        const int room = metrics.Bottom() - metrics.top;
        for (std::size_t s = 0; s < songs.size(); ++s) {
            const auto& blocks = songs[s].sheet.blocks;
            std::size_t i = 0;
            while (i < blocks.size()) {
                std::size_t j = i;
                int height = 0;
                std::set<int> pages;
                while (j < blocks.size() && blocks[j].part == blocks[i].part) {
                    if (!blocks[j].gap || height > 0) {
                        height += BlockHeight(blocks[j], metrics);
                        pages.insert(pageOfBlock[{ s, j }]);
                    }
                    ++j;
                }
                if (height <= room) {
                    EXPECT_LE(pages.size(), 1u) << "song " << s << ": a part of " << height << " split";
                }
                i = j;
            }
        }

        // A two-page song faces itself in a two-sided book.
        for (std::size_t s = 0; s < songs.size() && options.twoSided; ++s) {
            if (plan.places[s].pages == 2) {
                EXPECT_EQ(plan.places[s].firstPage % 2, 0) << "song " << s << " begins on a right page";
            }
        }

        // The contents point at each song's first page and list every song once by title.
        std::size_t byTitle = 0;
        for (const ContentsLine& line : plan.contents) {
            if (line.artist)
                continue;
            EXPECT_EQ(line.page, firstPage[line.song]) << line.text;
            EXPECT_EQ(line.text, songs[line.song].title);
            byTitle += line.byArtist ? 0 : 1;
        }
        EXPECT_EQ(byTitle, songs.size());
    }

    TEST(Songbook, RandomBooksKeepTheirPageTurns)
    {
        std::mt19937 random(20261210);
        int facing = 0; // two-page songs in two-sided books: the books are not all short
        for (int round = 0; round < 300; ++round) {
            const std::vector<BookSong> songs = RandomBook(random);
            BookOptions options;
            options.twoSided = random() % 2 == 0;
            options.compact = random() % 2 == 0;
            options.keepOrder = random() % 3 == 0;
            SCOPED_TRACE("round " + std::to_string(round) + " of " + std::to_string(songs.size()) + " songs"
                + (options.twoSided ? ", two-sided" : "") + (options.compact ? ", compact" : "")
                + (options.keepOrder ? ", in order" : ""));
            const BookPlan plan = LayOutBook(songs, options);
            CheckBook(songs, options, plan);
            if (HasFatalFailure() || HasFailure())
                return;
            for (const BookPlace& place : plan.places)
                facing += options.twoSided && place.pages == 2 ? 1 : 0;
        }
        EXPECT_GT(facing, 100);
    }

    TEST(Songbook, ShortSongsSharePagesOnlyWhenCompact)
    {
        const std::vector<BookSong>& songs = TestSongs();
        BookOptions options;
        const BookPlan apart = LayOutBook(songs, options);
        for (std::size_t s = 0; s < songs.size(); ++s)
            EXPECT_EQ(apart.places[s].pages, 1) << songs[s].title;
        std::set<int> firstPages;
        for (const BookPlace& place : apart.places)
            firstPages.insert(place.firstPage);
        EXPECT_EQ(firstPages.size(), songs.size()) << "every song from a page of its own";

        options.compact = true;
        const BookPlan compact = LayOutBook(songs, options);
        EXPECT_LT(compact.pages.size(), apart.pages.size());
        CheckBook(songs, options, compact);
    }

    TEST(Songbook, TheGapBeforeATwoPageSongIsFilled)
    {
        std::vector<BookSong> book { Lengthened(TestSongs()[0], 4), TestSongs()[1], TestSongs()[2] };
        // The cover, one page of contents, then the two-page song would begin on page 3, a right page.
        for (BookSong& song : book)
            song.artist.clear();
        BookOptions options;
        options.twoSided = true;
        const BookPlan filled = LayOutBook(book, options);
        ASSERT_EQ(filled.places[0].pages, 2);
        EXPECT_EQ(filled.places[1].firstPage, 3) << "the short song moved forward";
        EXPECT_EQ(filled.places[0].firstPage, 4);
        EXPECT_EQ(filled.order, (std::vector<std::size_t> { 1, 0, 2 }));

        options.keepOrder = true;
        const BookPlan blank = LayOutBook(book, options);
        EXPECT_EQ(blank.pages[2].kind, BookPageKind::Blank);
        EXPECT_EQ(blank.places[0].firstPage, 4);
        EXPECT_EQ(blank.order, (std::vector<std::size_t> { 0, 1, 2 }));

        options.twoSided = false;
        EXPECT_EQ(LayOutBook(book, options).places[0].firstPage, 3);
    }

    TEST(Songbook, ContentsByTitleAndByArtist)
    {
        const std::pair<const char*, const char*> keys[]
            = { { "The House of the Rising Sun", "house of the rising sun" }, { "A Hard Rain", "hard rain" },
                  { "An Old Song", "old song" }, { "Another Day", "another day" }, { "Theme", "theme" },
                  { "the", "the" }, { "Oh! Susanna", "oh! susanna" } };
        for (const auto& [title, key] : keys)
            EXPECT_EQ(TitleSortKey(title), key) << title;

        std::vector<BookSong> songs(4);
        songs[0].title = "The Water Is Wide";
        songs[1].title = "Amazing Grace";
        songs[1].artist = "John Newton";
        songs[2].title = "A Bicycle Made for Two";
        songs[2].artist = "Harry Dacre";
        songs[3].title = "Wayfaring Stranger";
        songs[3].artist = "john newton";
        const BookPlan plan = LayOutBook(songs);
        std::vector<std::string> lines;
        for (const ContentsLine& line : plan.contents)
            lines.push_back((line.artist ? "* " : "") + line.text);
        EXPECT_EQ(lines,
            (std::vector<std::string> { "Amazing Grace", "A Bicycle Made for Two", "The Water Is Wide",
                "Wayfaring Stranger", "* Harry Dacre", "A Bicycle Made for Two", "* John Newton", "Amazing Grace",
                "Wayfaring Stranger" }));
        ASSERT_EQ(plan.pages.size(), 1u + 2u + 4u);
        EXPECT_TRUE(plan.pages[2].artistHeading);

        // Without artists there is one list; without songs, only the cover.
        for (BookSong& song : songs)
            song.artist.clear();
        EXPECT_EQ(LayOutBook(songs).contents.size(), 4u);
        EXPECT_EQ(LayOutBook({}).pages.size(), 1u);
    }

    TEST(Songbook, LongContentsRunOverPages)
    {
        std::vector<BookSong> songs(200);
        for (std::size_t i = 0; i < songs.size(); ++i)
            songs[i].title = "Song " + std::to_string(1000 + i);
        const BookOptions options;
        const BookPlan plan = LayOutBook(songs, options);
        int contentsPages = 0;
        for (const BookPage& page : plan.pages)
            contentsPages += page.kind == BookPageKind::Contents ? 1 : 0;
        EXPECT_GT(contentsPages, 1);
        EXPECT_EQ(plan.places.front().firstPage, 2 + contentsPages);
        CheckBook(songs, options, plan);
    }

    TEST(Songbook, FilesFoldersAndSeveralSongsInOneFile)
    {
        const fs::path dir = fs::temp_directory_path() / "corvane_songbook_files";
        fs::remove_all(dir);
        fs::create_directories(dir / "more");
        std::ofstream(dir / "two.cho") << "{title: One}\n[C]one\n{new_song}\n{title: Two}\n[G]two\n";
        std::ofstream(dir / "more" / "three.chopro") << "[D]no title here\n";
        std::ofstream(dir / "notes.pdf") << "not a song";
        std::vector<std::string> problems;
        const auto sources = BookSourcesOf({ dir.string(), (dir / "missing.cho").string() }, problems);
        ASSERT_EQ(sources.size(), 2u);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_NE(problems.front().find("missing.cho"), std::string::npos);
        const auto loaded = LoadBookSongs(sources, problems);
        ASSERT_EQ(loaded.size(), 3u);
        EXPECT_EQ(BookSongOf(loaded[0]).title, "three") << "a song without a title goes by its file";
        EXPECT_EQ(BookSongOf(loaded[1]).title, "One");
        EXPECT_EQ(BookSongOf(loaded[2]).title, "Two");
        fs::remove_all(dir);
    }

    // The book's strip and words name the chords in the notation; the fingerings are the letters' own.
    TEST(Songbook, ChordNamesInTheNotationAskedFor)
    {
        LoadedSong loaded;
        loaded.song = ReadChordPro("{title: Names}\n{key: E}\n[E]one [B7]two\n");
        BookInstrument german;
        german.notation = Notation::German;
        const BookSong plain = BookSongOf(loaded);
        const BookSong written = BookSongOf(loaded, german);
        EXPECT_EQ(plain.sheet.names, (std::vector<std::string> { "E", "B7" }));
        EXPECT_EQ(written.sheet.names, (std::vector<std::string> { "E", "H7" }));
        EXPECT_EQ(written.sheet.diagrams, plain.sheet.diagrams);
        const auto words = std::find_if(written.sheet.blocks.begin(), written.sheet.blocks.end(),
            [](const SheetBlock& block) { return !block.chords.empty(); });
        ASSERT_NE(words, written.sheet.blocks.end());
        EXPECT_NE(words->chords.find("H7"), std::string::npos) << words->chords;
        BookInstrument nashville;
        nashville.notation = Notation::Nashville;
        EXPECT_EQ(BookSongOf(loaded, nashville).sheet.names, (std::vector<std::string> { "1", "57" }));
    }

    TEST(Setlist, WrittenAndReadBack)
    {
        Setlist setlist;
        setlist.title = "Friday at the Anchor";
        setlist.songs = { { "songs/oh_susanna.cho", 2, 1, "Sara sings it a tone up" }, { "swing_low.cho", 0, {}, "" },
            { "/abs/path/with spaces.cho", -3, 0, "" }, { "x.cho", 24, 11, "capo: 3 # not a comment" } };
        const std::string text = WriteSetlist(setlist);
        const SetlistReading reading = ReadSetlist(text);
        EXPECT_TRUE(reading.problems.empty());
        EXPECT_EQ(reading.setlist, setlist);
        EXPECT_EQ(WriteSetlist(reading.setlist), text);

        // Notes of several lines are kept on one.
        setlist.songs[1].notes = "first\nsecond";
        EXPECT_EQ(ReadSetlist(WriteSetlist(setlist)).setlist.songs[1].notes, "first second");
    }

    TEST(Setlist, LinesItCannotUseAreNamed)
    {
        const SetlistReading reading = ReadSetlist("corvane-setlist 1\r\n"
                                                   "capo 2\n"
                                                   "song a.cho\n"
                                                   "  transpose 30\n"
                                                   "  capo two\n"
                                                   "  # a comment\n"
                                                   "\n"
                                                   "tempo 120\n"
                                                   "song\n"
                                                   "song b.cho\r\n"
                                                   "  capo +3");
        ASSERT_EQ(reading.setlist.songs.size(), 2u);
        EXPECT_EQ(reading.setlist.songs[0].transpose, 0);
        EXPECT_EQ(reading.setlist.songs[1].path, "b.cho");
        EXPECT_EQ(reading.setlist.songs[1].capo, 3);
        std::vector<int> lines;
        for (const SongProblem& problem : reading.problems)
            lines.push_back(problem.line);
        EXPECT_EQ(lines, (std::vector<int> { 2, 4, 5, 8, 9 }));
    }

    TEST(Setlist, PathsFollowTheSetlistsFolder)
    {
        const fs::path dir = fs::temp_directory_path() / "corvane_setlist_paths";
        fs::remove_all(dir);
        fs::create_directories(dir / "songs");
        EXPECT_EQ(SetlistPathOf(dir.string(), (dir / "songs" / "a.cho").string()), "songs/a.cho");
        EXPECT_EQ(SetlistPathOf(dir.string(), "/elsewhere/b.cho"), "/elsewhere/b.cho");
        EXPECT_EQ(SetlistFileOf(dir.string(), "songs/a.cho"), (dir / "songs" / "a.cho").string());
        EXPECT_EQ(SetlistFileOf(dir.string(), "/elsewhere/b.cho"), "/elsewhere/b.cho");

        // The folder moved with its songs: the book is still made, and a missing song is named.
        fs::copy_file(fs::path(CORVANE_SONGS_DIR) / "swing_low.cho", dir / "songs" / "swing_low.cho");
        Setlist setlist;
        setlist.songs = { { "songs/swing_low.cho", 2, 3, "up a tone" }, { "songs/gone.cho", 0, {}, "" } };
        ASSERT_TRUE(WriteSetlistFile((dir / "gig.setlist").string(), setlist));
        const fs::path moved = fs::temp_directory_path() / "corvane_setlist_moved";
        fs::remove_all(moved);
        fs::rename(dir, moved);
        const SetlistReading reading = ReadSetlistFile((moved / "gig.setlist").string());
        ASSERT_EQ(reading.setlist, setlist);
        std::vector<std::string> problems;
        const auto loaded = LoadBookSongs(BookSourcesOf(reading.setlist, moved.string()), problems);
        ASSERT_EQ(loaded.size(), 1u);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_NE(problems.front().find("gone.cho"), std::string::npos);
        const BookSong song = BookSongOf(loaded.front());
        EXPECT_NE(song.sheet.details.find("capo 3"), std::string::npos) << song.sheet.details;
        EXPECT_NE(song.sheet.details.find("transposed +2"), std::string::npos) << song.sheet.details;
        EXPECT_EQ(song.sheet.subtitles.back(), "up a tone");
        EXPECT_FALSE(ReadSetlistFile((moved / "none.setlist").string()).refused.empty());
        fs::remove_all(moved);
    }

} // namespace
} // namespace corvane
