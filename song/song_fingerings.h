#pragma once
// The fingerings of a song: one per chord, chosen by the progression core over the whole song as it
// is played, so that the hand moves as little as it can. A {define} in the file wins.

#include <optional>
#include <string>
#include <vector>

#include "guitar/frets.h"
#include "guitar/instrument_search.h"
#include "guitar/progression.h"
#include "guitar/voicing_search.h"
#include "song/song_view.h"

namespace corvane {

// More different chords than a player could read off a strip; the rest get no diagram.
constexpr size_t kMaxStripChords = 128;
// The chords played that the choice looks at; a longer song is chosen on its beginning.
constexpr size_t kMaxPlayedChords = 4096;

// One chord of the strip, its fingering one fret per string of the instrument.
template <class Fingering> struct StripChordOf {
    std::string name;
    std::optional<Fingering> frets; // unset when the chord has no fingering
    bool defined = false; // the file's {define} gave it
    std::string problem; // why there is no fingering

    bool operator==(const StripChordOf&) const = default;
};
using StringStripChord = StripChordOf<Frets>;

// One entry per chord of shown.chords, in that order, chosen on `strings` as a progression is
// (guitar/instrument_progression.h). The search options are the sheet's; the capo is already in the
// shapes' names, so the frets count from it. A {define} wins when it gives one fret per string (the
// song read for these strings); one for another count is not used.
std::vector<StringStripChord> ChooseInstrumentSongFingerings(
    const ShownSong& shown, const StringSet& strings, const SearchOptions& options = {});

// The capo a teacher would suggest for the song as it sounds after `transpose` on `strings`, by the
// progression's suggestion (guitar/instrument_progression.h), and why (song/capo_reason.h); 0 for a
// song without chords.
struct CapoAdvice {
    int capo = 0;
    std::string reason;
};
CapoAdvice AdviseInstrumentSongCapo(
    const Song& song, int transpose, const StringSet& strings, const ProgressionOptions& options = {});

} // namespace corvane
