#pragma once
// A shown song's chord names written in another notation, counted from the key of its shapes.

#include <optional>
#include <string>
#include <string_view>

#include "song/song_view.h"
#include "theory/notation.h"

namespace corvane {

// The key the numbers and numerals of a shown song count from: the key of its shapes.
std::optional<NotationKey> ShapeKeyOf(const ShownSong& shown);

// A key as typed ("G", "Bb", "F#m"), its notes spelled as its name spells them; nothing when the
// text names no key.
std::optional<NotationKey> NotationKeyOf(std::string_view keyName);

// The key's name in letters: "G", "Bbm".
std::string NotationKeyName(const NotationKey& key);

// A typed chord in letters: a number or numeral counted from the key when one is given and the text
// reads as one (the notes of "6m" in G are "Em"), else the text as typed.
std::string ChordInLetters(std::string_view typed, const std::optional<NotationKey>& key);

// A chord name of a song (lead-sheet symbols) in the notation; a name no reader reads, or one no
// symbol of the notation holds, stays as written.
std::string SongChordIn(std::string_view name, Notation notation, const std::optional<NotationKey>& key);

// Every chord name of the shown song in the notation (annotations stay as written).
void WriteSongIn(ShownSong& shown, Notation notation);

} // namespace corvane
