#pragma once
// A song written back as ChordPro, as shown: the transposition applied, the capo's shapes with a
// {capo}, the file's own definitions and a {define} for every other chord given a fingering.
// Reading it back gives the same title, lines, chord positions and definitions.

#include <string>
#include <vector>

#include "song/song_fingerings.h"
#include "song/song_view.h"

namespace corvane {

// The file's own definitions are kept as written, and a {define} of one fret per string follows for
// every other chord given a fingering.
std::string WriteChordPro(const ShownSong& shown, const std::vector<StringStripChord>& strip);

// One definition as a directive, its frets counted from its base fret.
std::string DefinitionText(const ChordDefinition& definition);

// A fingering chosen in the program as a definition: the base fret and the fingers of its diagram,
// so that it is written as every other {define} this program writes.
ChordDefinition FingeringDefinition(const std::string& name, const Voicing& voicing);
// The same on any number of strings; six strings as above.
ChordDefinition FingeringDefinition(const std::string& name, const Frets& frets);

} // namespace corvane
