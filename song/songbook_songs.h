#pragma once
// The songs of a book: files and folders of song files (a file with {new_song} gives each of its
// songs), or a setlist's songs with their keys and capos, read and given their fingerings.

#include <string>
#include <vector>

#include "guitar/instrument_search.h"
#include "song/setlist.h"
#include "song/song_fingerings.h"
#include "song/songbook.h"
#include "theory/notation.h"

namespace corvane {

// A song file and how the player wants it.
struct BookSource {
    std::string file;
    SongSettings settings;
    std::string notes;
};

// The files given, each folder replaced by the song files under it in the order of their paths. A
// path that is neither is said in `problems` and left out.
std::vector<BookSource> BookSourcesOf(const std::vector<std::string>& paths, std::vector<std::string>& problems);

// A setlist's songs, their paths taken from the setlist's folder.
std::vector<BookSource> BookSourcesOf(const Setlist& setlist, const std::string& folder);

struct LoadedSong {
    Song song;
    BookSource source;
};

// Every song of every file. A file that cannot be read is said in `problems`, naming it, and the
// others are still read.
std::vector<LoadedSong> LoadBookSongs(const std::vector<BookSource>& sources, std::vector<std::string>& problems,
    int strings = kStrings, const std::string& instrument = "guitar");

// What the book prints of a song: its fingerings on `strings` (null: the six-string guitar in the
// search's tuning), and `line`, when not empty, naming the instrument after the key line.
struct BookInstrument {
    const StringSet* strings = nullptr;
    std::string line;
    SearchOptions search {};
    Notation notation = Notation::Parts; // how the chord names are written; the fingerings read letters
};
BookSong BookSongOf(const LoadedSong& loaded, const BookInstrument& instrument = {});

} // namespace corvane
