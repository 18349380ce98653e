#pragma once
// A song as a player sees it: moved to another key, with a capo, the chorus repeated where
// {chorus} says, and each chord named as it is played.
//
// The chords of a file are the shapes played with the file's own {capo}. With the song's capo C0,
// a transposition T, the file's {transpose} F in effect at a chord and the capo C that the player
// puts on, the chord sounds W + F + T + C0 and is played as the shape W + F + T + C0 - C.

#include <optional>
#include <string>
#include <vector>

#include "song/song.h"

namespace corvane {

struct SongSettings {
    int transpose = 0; // semitones, on top of the file's own {transpose}
    std::optional<int> capo; // unset: the file's {capo}, or none
};

struct ShownChord {
    int at = 0;
    std::string name; // the shape's name, or the annotation's text
    bool annotation = false;
    bool playable = false; // a chord the reader knows (not an annotation, not "N.C.", not an unknown name)

    bool operator==(const ShownChord&) const = default;
};

struct ShownLine {
    SongLineKind kind = SongLineKind::Lyrics;
    std::string text;
    std::vector<ShownChord> chords;
    int section = -1; // index into ShownSong::sections
    // A chorus recall is followed by the recalled lines, each marked here, in their own section.
    bool recalled = false;
    int source = 0;

    bool operator==(const ShownLine&) const = default;
};

struct ShownSong {
    std::string title;
    std::vector<std::string> subtitles;
    std::string artist;
    std::string key; // the key of the shapes shown; empty when the file names none
    std::string soundingKey; // the key heard: with a capo, higher than `key`
    bool keyGuessed = false; // the file names no key: `key` is guessed from the chords
    int capo = 0;
    int transpose = 0;
    std::string tempo;
    std::string time;
    std::vector<std::pair<std::string, std::string>> metadata;
    std::vector<SongSection> sections;
    std::vector<ShownLine> lines;
    std::vector<ChordDefinition> definitions;
    std::vector<std::string> chords; // each playable chord once, in the order first played
    std::vector<std::string> played; // every playable chord in playing order, repeated choruses included
    std::vector<SongProblem> problems;
};

ShownSong ShowSong(const Song& song, const SongSettings& settings = {});

// "Key: E", "Key: E · capo 2, shapes of D", "Capo 2", with the tempo and the time when the file
// gives them; empty when it gives none of these.
std::string KeyLine(const ShownSong& shown);

// What a section is called where it starts: its label, else "Chorus" or "Bridge"; a verse without
// a label, and any other section, has no heading.
std::string SectionHeading(const SongSection& section);

} // namespace corvane
