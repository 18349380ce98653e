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
#include "song/song_markup.h"

namespace corvane {

struct SongSettings {
    int transpose = 0; // semitones, on top of the file's own {transpose}
    std::optional<int> capo; // unset: the file's {capo}, or none
};

// What %{instrument}, %{tuning} and %{today} give in the song's texts.
struct PlayedOn {
    std::string instrument = "guitar";
    std::string tuning = "E2 A2 D3 G3 B3 E4";
    std::string today; // empty: the date of the day
};

struct ShownChord {
    int at = 0;
    std::string name; // the shape's name, or the annotation's text
    bool annotation = false;
    bool playable = false; // a chord the reader knows (not an annotation, not "N.C.", not an unknown name)
    std::string fingered; // the chord played when it is not `name`: "E" of "(E)", the chord of a display name
    std::string written; // the name written back when it is not `name`: the chord of a display name
    int writtenAt = -1; // the byte of ShownLine::written it stands before, when the line has one

    // The name the strip, the fingerings and the playing go by.
    const std::string& Played() const { return fingered.empty() ? name : fingered; }
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
    // The text as the file writes it (markup, substitutions unexpanded) when it is not `text`, which
    // is then the text shown: the tags taken out, the substitutions expanded. Empty otherwise.
    std::string written;
    std::vector<StyledRun> styles; // the markup's styles over `text`
    // A chorus recall: the semitones its chorus is moved by here, where another {transpose} is in
    // force than where the chorus was written.
    int shift = 0;

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
    std::vector<SongProblem> notes;
    // The heading and the sections' labels as the file writes them, for writing it back; the fields
    // above are shown, their substitutions expanded and their markup taken out.
    std::string writtenTitle;
    std::vector<std::string> writtenSubtitles;
    std::string writtenArtist;
    std::vector<std::string> writtenLabels; // one per section
};

ShownSong ShowSong(const Song& song, const SongSettings& settings = {}, const PlayedOn& on = {});

// "Key: E", "Key: E · capo 2, shapes of D", "Capo 2", with the tempo and the time when the file
// gives them; empty when it gives none of these.
std::string KeyLine(const ShownSong& shown);

// What a section is called where it starts: its label, else "Chorus" or "Bridge"; a verse without
// a label, and any other section, has no heading.
std::string SectionHeading(const SongSection& section);

} // namespace corvane
