#pragma once
// The fretted instruments: each is its strings' open notes, its frets, its tunings, the shapes its
// players know and what it offers beyond them. The six-string guitar is one of them, with the twelve
// presets of the tuning menu and the photographed necks. Every caller reaches an instrument's
// fingerings, names and choices through the same entry points (guitar/instrument_search.h,
// guitar/instrument_identify.h, guitar/instrument_progression.h), given its StringSet.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "guitar/frets.h"
#include "guitar/open_strings.h"
#include "guitar/tuning.h"

namespace corvane {

// "G4 C4 E4 A4" (C4 is MIDI 60).
OpenStrings MakeOpenStrings(std::initializer_list<int> notes);

struct InstrumentTuning {
    std::string name; // "Standard", "Low G", "Drop D"
    OpenStrings strings;
};

struct Instrument {
    std::string_view name; // as --instrument takes it: "ukulele"
    std::string_view caption; // "Ukulele"
    int frets = 0; // the last fret of the neck
    std::vector<InstrumentTuning> tunings; // the first is the instrument's own
    // Shapes its players learn first, as voicing texts ("0 0 0 3 ") separated by ", ". The first of
    // them among a chord's results is shown first.
    std::string_view easyShapes;
    // Inversions are how a four-string instrument plays its chords: its strings span little more than
    // an octave (or cross, on the re-entrant ukulele), so the C chord's shapes need not sound the C
    // lowest. Where this is set, a chord without a chosen bass may sound any of its tones lowest.
    bool freeInversions = false;
    // Its tunings are the tuning menu's twelve presets (kTuningPresets), with their button captions
    // and string labels, and a typed tuning is one of them or six pitch classes.
    bool tuningPresets = false;
    // Its neck is photographed (the Electric and Classic pictures), not drawn.
    bool neckPhotos = false;

    int Strings() const { return tunings.front().strings.count; }
    bool IsSixStringGuitar() const;
};

// The built-in instruments; the six-string guitar first.
const std::vector<Instrument>& Instruments();
const Instrument& SixStringGuitar();

// By name, letter case and the blanks, hyphens and underscores between words ignored
// ("Baritone ukulele", "baritone-ukulele"); nullptr when there is none.
const Instrument* FindInstrument(std::string_view name);

// The six-string guitar's open notes for a tuning of the window's kind.
OpenStrings GuitarOpenStrings(const Tuning& tuning);

// Reads the strings of a tuning typed as notes, lowest string first as held: a preset of `instrument`
// by name ("Low G"), or 4 to 8 note names or pitch-class numbers ("A D F# B"), each with an optional
// octave ("G4 C4 E4 A4"). A note without octave is tuned where it lies nearest to the string's pitch
// in the instrument's own tuning (6 semitones below it to 5 above, as the guitar's strings are), or,
// when the count of strings differs from the instrument's, just above the string before it, the
// first near the guitar's low E.
struct OpenStringsReading {
    std::optional<OpenStrings> strings;
    std::string error;
};
OpenStringsReading ReadOpenStrings(std::string_view text, const Instrument& instrument);

// The note a string of `instrument` sounds when tuned to `pitchClass`: where that pitch class lies
// nearest to the string's pitch in the instrument's own tuning, as ReadOpenStrings tunes a note given
// without octave. A tuning bar moved to G on the ukulele's first string gives G4, on its low-G tuning
// too.
int RetunedString(const Instrument& instrument, int string, int pitchClass);

// "G4 C4 E4 A4": the notes with their octaves, sharp names.
std::string OpenStringsText(const OpenStrings& strings);

// The instrument as a sheet's heading names it: "Ukulele (G4 C4 E4 A4)", with the name of a tuning
// other than its own: "Ukulele, Low G (G3 C4 E4 A4)".
std::string InstrumentDescription(const Instrument& instrument, const OpenStrings& strings);

} // namespace corvane
