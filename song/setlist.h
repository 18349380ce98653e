#pragma once
// A setlist: songs in the order played, each with the key and capo the player wants and a note, kept
// as a small text file whose song paths are relative to the file's own folder.
//
//     corvane-setlist 1
//     title Friday at the Anchor
//     song songs/oh_susanna.cho
//       transpose 2
//       capo 1
//       notes Sara sings it a tone up
//     song swing_low.cho
//
// A line is a word and its value; an indented line belongs to the song above it. Lines beginning
// with # are comments. Reading never fails: a line it cannot use is listed with its number.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "song/song.h"

namespace corvane {

struct SetlistSong {
    std::string path; // as the file writes it: relative to the setlist's folder, or absolute
    int transpose = 0; // -24..24
    std::optional<int> capo; // 0..11; unset: the song's own
    std::string notes; // one line

    bool operator==(const SetlistSong&) const = default;
};

struct Setlist {
    std::string title;
    std::vector<SetlistSong> songs;

    bool operator==(const Setlist&) const = default;
};

struct SetlistReading {
    Setlist setlist;
    std::vector<SongProblem> problems;
    std::string refused; // the file could not be read at all
};

SetlistReading ReadSetlist(std::string_view text);
std::string WriteSetlist(const Setlist& setlist);

SetlistReading ReadSetlistFile(const std::string& path);
// False when the file cannot be written.
bool WriteSetlistFile(const std::string& path, const Setlist& setlist);

// A song's path as the setlist in `folder` writes it (relative with / when it lies in or under the
// folder's tree, else absolute), and the file it names.
std::string SetlistPathOf(const std::string& folder, const std::string& file);
std::string SetlistFileOf(const std::string& folder, const std::string& path);

} // namespace corvane
