#pragma once
// Naming what is played: from the six frets of a hand on the neck, the notes that sound, the bass,
// the chord tones and every name of the chord, by the same naming as the names list, and which of
// them a guitarist says.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "guitar/tuning.h"
#include "guitar/voicing.h"
#include "theory/best_name.h"
#include "theory/notes.h"

namespace corvane {

// Six frets as a player gives them, string 0 (lowest) first: -1 muted, 0 open, 1..24 stopped.
// With a capo the frets count from the capo.
using Fingering = std::array<int, kStrings>;
constexpr int kFingeringMuted = -1;
constexpr int kFingeringTopFret = 24;

// A fingering of muted strings only.
constexpr Fingering kAllMuted { -1, -1, -1, -1, -1, -1 };

// The frets of a search result: muted (99) becomes -1 and a barre mark its fret.
Fingering FingeringOfVoicing(const Voicing& voicing);
// The same frets in the form the drawing and the strum take: muted becomes 99.
Voicing VoicingOfFingering(const Fingering& fingering);

// Reads six frets separated by blanks (or commas): "x" or "-1" muted, "0" open, "1".."24"; or six
// characters written together, each x or a fret 0..9 ("x02210").
struct PlayedFretsReading {
    std::optional<Fingering> fingering;
    std::string error; // one line naming the value that could not be read
};
PlayedFretsReading ReadPlayedFrets(std::string_view text);

// The words of typed frets: what blanks, tabs and commas separate.
std::vector<std::string_view> FretTokens(std::string_view text);

struct Identification {
    std::string error; // the fingering or the capo is out of range; nothing else is set
    std::vector<PitchClass> notes; // pitch class of every sounding string, string 0 first
    std::vector<int> midiNotes; // the same strings as the strum sounds them
    std::optional<PitchClass> bass; // the lowest sounding string
    std::vector<PitchClass> chordTones; // distinct, the bass first, then in string order
    std::vector<std::string> names; // as the names list shows them
    std::vector<std::string> namesBestFirst; // the same names, the one a guitarist says first
    std::string best; // that one, written as players write it ("D/F#"); the name to say
    std::string noName; // why names is empty when the fingering was read
};

// rootGridNames: the twelve note names in the spelling the names list uses.
Identification Identify(
    const Fingering& fingering, const Tuning& tuning, int capo, const std::array<std::string, 12>& rootGridNames);

// The names of id's chord tones, the bass first, best-first as `naming` reads the bass; or, for fewer
// than two notes, why there is none (noName). Every instrument's naming ends here.
void NameChordTones(
    Identification& id, const std::array<std::string, 12>& rootGridNames, BassNaming naming = BassNaming::Lowest);

} // namespace corvane
