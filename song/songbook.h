#pragma once
// A songbook's plan: the cover, the contents by title (and by artist when the songs have artists),
// then every song from a new page, each page numbered. The plan places each block of each song at
// its height on its page, keeping a section on one page when it fits, a two-page song on facing
// pages in a two-sided book, and, when asked, short songs together on a page. Plain geometry in the
// song sheet's pixels (96 an inch); every way of drawing the book paints from it.

#include <cstddef>
#include <string>
#include <vector>

#include "song/song_sheet.h"

namespace corvane {

// An A4 page less margins of 15 mm, in the song sheet's pixels; the painting uses the same figures.
struct BookMetrics {
    int width = 680;
    int height = 1009;
    int footer = 24; // the page number, under the page's body
    int top = 8; // where a page's body begins
    int line = 16; // a line of words or of chords
    int title = 24; // a song's title
    int subtitle = 18;
    int details = 16; // the artist and the key line
    int stripGap = 8; // under the details, over the strip
    int cell = 148; // a row of the strip: a diagram with its name above it
    int cellWidth = 100;
    int songGap = 32; // between two songs sharing a page
    int contentsHeading = 40; // "Contents" and "By artist" over their lines

    int Bottom() const { return height - footer; }
    int Columns() const { return width / cellWidth > 0 ? width / cellWidth : 1; }
};

// One song of the book, as it is printed.
struct BookSong {
    std::string title; // never empty: a song without a title goes by its file's name
    std::string artist;
    std::string file; // where it was read, as given
    SongSheetContent sheet;
};

struct BookOptions {
    std::string title = "Songbook";
    std::string subtitle;
    std::string date; // as printed on the cover
    bool twoSided = false; // odd pages on the right: a two-page song begins on a left (even) page
    bool compact = false; // a song that fits in what is left of a page follows the one before it
    bool keepOrder = false; // never move a one-page song forward to fill the page before a two-page song
    BookMetrics metrics {};
};

enum class BookPageKind { Cover, Contents, Song, Blank };

// What of a song one page holds: blocks [first, end) from `top`, under the song's heading when
// `heading` (its title, details and the first `diagrams` of its strip).
struct BookPiece {
    std::size_t song = 0; // index into the book's songs
    bool heading = false;
    std::size_t diagrams = 0;
    std::size_t first = 0;
    std::size_t end = 0;
    int top = 0; // where the heading, or else the first block, begins
    int blocksTop = 0; // where the first block begins
};

// One line of the contents: a song with its page, or an artist over their songs.
struct ContentsLine {
    std::string text;
    int page = 0; // 0 for an artist's line
    std::size_t song = 0;
    bool artist = false;
    bool byArtist = false; // in the second list
};

struct BookPage {
    BookPageKind kind = BookPageKind::Blank;
    int number = 0; // counted from 1, the cover being 1
    std::vector<BookPiece> pieces; // a song page
    std::size_t contentsFirst = 0; // a contents page: its lines [contentsFirst, contentsEnd)
    std::size_t contentsEnd = 0;
    bool contentsHeading = false; // the page begins a list: its heading first
    bool artistHeading = false; // the heading is "By artist"
};

// Where a song landed.
struct BookPlace {
    int firstPage = 0;
    int pages = 0;
};

struct BookPlan {
    std::string title;
    std::string subtitle;
    std::string date;
    std::vector<BookPage> pages;
    std::vector<std::size_t> order; // the songs in the order printed (a one-page song may move forward)
    std::vector<BookPlace> places; // per song, by index into the book's songs
    std::vector<ContentsLine> contents; // by title, then by artist when any song has one
    BookMetrics metrics; // of the pages laid out
};

BookPlan LayOutBook(const std::vector<BookSong>& songs, const BookOptions& options = {});

// The key a title sorts by: a leading "The", "A" or "An" left out, letters in lower case.
std::string TitleSortKey(const std::string& title);

// The height of a block of the song sheet.
int BlockHeight(const SheetBlock& block, const BookMetrics& metrics);

// The height of a song's heading with `diagrams` of its strip.
int HeadingHeight(const SongSheetContent& sheet, std::size_t diagrams, const BookMetrics& metrics);

} // namespace corvane
