#pragma once
// Reading a song file: ChordPro, line by line as the format defines it, or a chord sheet as people
// paste it (chords on a line above the words), which is turned into ChordPro first. The readers
// never fail and never throw: what does not fit the format is kept as written and listed as a
// problem with its line.

#include <string>
#include <string_view>
#include <vector>

#include "song/song.h"

namespace corvane {

struct SongReading {
    Song song;
    // Why the bytes were not read as a song at all (a binary file, a file far too large, a file that
    // cannot be opened); empty when they were. A song read with problems is read.
    std::string refused;
    bool converted = false; // the text was a chord sheet of chords over words, read as its ChordPro
    std::vector<Song> others; // the songs after the first, each begun by {new_song}

    bool Read() const { return refused.empty(); }
};

// The text of a ChordPro file, already UTF-8, read for an instrument of `strings` strings (4 to 8):
// a {define} gives one fret per string, and one of any other count is passed over. Directives with
// a selector ({comment-ukulele: ...}) are read when it names `instrument` or an item with a value.
// The first song of the file; ReadChordProSongs gives every song that {new_song} begins, at least one.
Song ReadChordPro(std::string_view text, int strings = kStrings, const std::string& instrument = "guitar");
std::vector<Song> ReadChordProSongs(
    std::string_view text, int strings = kStrings, const std::string& instrument = "guitar");

// The bytes of a song file: the encoding is found (UTF-8, else Windows-1252 with a problem saying
// so), binary and oversized files are refused, and a chord sheet is converted.
SongReading ReadSongBytes(std::string_view bytes, int strings = kStrings, const std::string& instrument = "guitar");

SongReading ReadSongFile(const std::string& path, int strings = kStrings, const std::string& instrument = "guitar");

} // namespace corvane
