#pragma once
// A song as a ChordPro file holds it: metadata, lines of lyrics with chords at their columns,
// comments, sections, fixed-width tab and grid text, chord definitions, and what the file says that
// this program does not draw, kept as written. Only what the file says: transposing, the capo and the
// fingerings come later (song_view.h, song_fingerings.h).

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "guitar/frets.h"
#include "guitar/voicing.h"

namespace corvane {

// Something in the file that was not what the format expects; the rest is still read.
struct SongProblem {
    int line = 0; // 1-based line in the file, 0 for the file as a whole
    std::string message;

    // "line 12: ..." (or the message alone for the whole file).
    std::string Text() const;
    bool operator==(const SongProblem&) const = default;
};

enum class SongLineKind {
    Lyrics, // words with chords; may be empty (a paragraph break) or hold chords only
    Comment, // {comment}
    CommentItalic, // {comment_italic}
    CommentBox, // {comment_box}
    Fixed, // a line of a tab or grid section: fixed-width text, no chords read
    ChorusRecall, // {chorus}: the most recent chorus again
    Kept, // a directive or an environment's line that is not drawn, as written
};

struct PlacedChord {
    int at = 0; // column in the line's text, in characters, of the character it stands above
    std::string name; // as written between the brackets (for an annotation, without the star)
    bool annotation = false; // [*text]: printed where a chord would be, but not a chord
    int shift = 0; // semitones of {transpose} in effect where it stands
    int writtenAt = -1; // the byte of SongLine::written it stands before, when the line has one

    bool operator==(const PlacedChord&) const = default;
};

// One stretch between {start_of_X} and {end_of_X}.
struct SongSection {
    std::string kind; // "verse", "chorus", "bridge", "tab", "grid", or the X of any other start_of_X
    std::string label; // label="Verse 1" or the directive's value; may be empty
    std::string opening; // the opening directive as written, for environments this program keeps
    int line = 0; // where it starts

    bool operator==(const SongSection&) const = default;
};

struct SongLine {
    SongLineKind kind = SongLineKind::Lyrics;
    std::string text; // the words without chords, the comment, the fixed-width text, or the kept line
    std::vector<PlacedChord> chords; // lyric lines only, in column order
    int section = -1; // index into Song::sections, -1 outside any
    int recalls = -1; // a chorus recall: the section it repeats, -1 when no chorus came before
    int source = 0; // 1-based line in the file
    // The text as the file writes it, without the chords, when its markup makes it differ from `text`
    // (which is then the text without tags); empty otherwise. Substitutions stay unexpanded in both.
    std::string written;
    int shift = 0; // a chorus recall: semitones of {transpose} in effect where it stands

    bool operator==(const SongLine&) const = default;
};

// {define: NAME base-fret B frets F1 .. FN fingers N1 .. NN}: the fingering the author wants, one fret
// per string of the instrument the song is read for. Six strings fill `frets` and `fingers`, as the
// six-string guitar has always read them; any other count fills `stringFrets` and `stringFingers`.
struct ChordDefinition {
    std::string name;
    int baseFret = 1;
    std::optional<Voicing> frets; // counted from the nut (kMuted, 0 open); unset: only declares the name
    std::optional<std::array<int, kStrings>> fingers;
    bool shown = false; // {chord: ...}, which also asks for the diagram at that place
    int line = 0;
    std::optional<Frets> stringFrets; // the same on 4, 5, 7 or 8 strings
    std::optional<std::vector<int>> stringFingers;
    std::string display; // display "...": the name shown for the chord; empty to show its own
    std::string copy; // copy Y: fingered as chord Y (Y's definition, when the file gave one before)

    // The frets on however many strings, or unset when the definition gives none.
    std::optional<Frets> AnyFrets() const { return frets ? std::optional<Frets>(FretsOfVoicing(*frets)) : stringFrets; }
    bool operator==(const ChordDefinition&) const = default;
};

struct Song {
    std::string title; // the first {title}
    std::vector<std::string> subtitles;
    std::string artist; // the first {artist}
    std::string key; // the key the chords are written in, as written
    std::optional<int> capo; // the capo the author intends: the chords are the shapes played with it
    std::string tempo;
    std::string time;
    // Every other metadata directive in order, its name in the long form: composer, album, year, a
    // second title...
    std::vector<std::pair<std::string, std::string>> metadata;
    std::vector<SongSection> sections;
    std::vector<SongLine> lines;
    std::vector<ChordDefinition> definitions;
    std::vector<SongProblem> problems;
    // What the reader says that is no fault of the file: the environments it does not draw.
    std::vector<SongProblem> notes;
};

} // namespace corvane
