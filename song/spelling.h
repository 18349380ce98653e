#pragma once
// Keys, and chord names moved to another key and spelled for it: E A B7 in E, Eb Ab Bb7 in Eb.

#include <optional>
#include <string>
#include <string_view>

#include "theory/notes.h"

namespace corvane {

struct MusicalKey {
    PitchClass tonic = 0;
    int letter = 0; // the tonic's letter, 0..6 for C D E F G A B
    bool minor = false;

    bool operator==(const MusicalKey&) const = default;
};

// "D", "Em", "F#m", "Bb", "C#min", "Ab major": a key as a {key} directive writes it.
std::optional<MusicalKey> ReadKey(std::string_view text);

// The key a chord suggests when the song names none: its root, minor when the chord is.
std::optional<MusicalKey> KeyOfChord(std::string_view chordName);

// "Eb", "C#m".
std::string KeyName(const MusicalKey& key);

// The key a number of semitones away, under the name players use for it (Bb, not A#; F#m, not Gbm).
MusicalKey TransposeKey(const MusicalKey& key, int semitones);

// The name of a note in a key: the scale's own letters where they exist, the chromatic notes as
// the key's degrees (the flat seventh of C is Bb, the sharp fourth F#); a name such as E# or Cb,
// or a double sharp or flat, gives way to the plain sharp or flat name of the key's side.
std::string SpellNote(PitchClass pc, const MusicalKey& key);

// A chord name in parts: the root note, what follows it, and a bass note after the last slash.
struct ChordNameParts {
    PitchClass root = kNoPitch;
    std::string_view suffix; // "m7" of "Am7/G"
    PitchClass bass = kNoPitch; // kNoPitch without a slash bass
};
std::optional<ChordNameParts> SplitChordName(std::string_view name);

// The chord moved by `semitones`, its notes spelled for `key` (the key after the move). A name that
// does not start with a note is returned as written.
std::string TransposeChordName(std::string_view name, int semitones, const MusicalKey& key);

} // namespace corvane
