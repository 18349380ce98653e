#pragma once
// Fingerings for a whole progression: one per chord, taken from that chord's own result list, chosen
// so that the hand moves as little as it can and the shapes stay easy. The choice is a shortest
// path through the layers of results (one layer per chord), so it is exact, not greedy.

#include <optional>
#include <string>
#include <vector>

#include "guitar/progression_text.h"
#include "guitar/voicing_search.h"
#include "theory/name_reading.h"
#include "theory/selection.h"
#include "theory/typed_chord.h"

namespace corvane {

// What the choice weighs, all in one unit. A move is the change from one fingering to the next; a
// fingering's own cost is paid once per chord. The fingering's terms make the path take the shapes a
// teacher writes: a shape from the charts (guitar/easy_shapes.h) over any other, the open shapes over
// the barres, low on the neck over high, whole groups of sounding strings over gaps, and no open
// string under a hand high on the neck. The root in the bass needs no weight: the search puts the
// chord's bass on the lowest sounding string of every fingering.
struct CostWeights {
    // A finger that slides along a string it keeps stopped costs this much per fret it travels.
    int fretMove = 1;
    // A string that goes from muted, open or stopped to another of the three means lifting or placing
    // a finger, or changing the strum; each costs this much.
    int stringChange = 1;
    // The hand's position is its lowest stopped fret; moving it costs this much per fret, on top of
    // the fingers' own travel, because the whole arm moves.
    int positionShift = 1;
    // Every finger the fingering needs (a barre counts as one finger) costs this much to place.
    int finger = 2;
    // The stretch between the lowest and the highest stopped fret costs this much times the square
    // of its frets: two frets apart is ordinary, four is a reach.
    int spanFret = 1;
    // A barre tires the hand more than its one finger says; this is paid on top.
    int barre = 3;
    // A muted string below the lowest sounding one thins the chord; the strum starts above it.
    int bassMute = 4;
    // A muted string above the highest sounding one is harder: the strum has to stop short of it.
    int trebleMute = 5;
    // A muted string between two sounding ones has to be damped by a finger while the others ring,
    // and no strum can avoid it: much harder than placing a finger. Every chord with a chart shape
    // has one without such a gap, so this also keeps the gaps out wherever a shape without one exists.
    int innerMute = 12;
    // A fingering that is on no chord chart, not even as a movable form moved up the neck, costs this
    // much: a player has to read it string by string. It outweighs the moves of an ordinary change, so
    // a chart shape loses only to a much shorter way.
    int offChart = 20;
    // The hand's position costs this much per fret above the first: the charts a player learns from
    // start at the nut, and a higher shape is harder to find.
    int height = 1;
    // From this position on (the lowest stopped fret) the hand is high on the neck ...
    int highPosition = 5;
    // ... and every open string ringing under it costs this much: it sounds far below or apart from
    // the stopped notes, a thin and strange chord.
    int openUnderHand = 8;
    // With "start near", the first chord's position costs this much per fret above the nut, on top of
    // the height every chord pays.
    int startFret = 2;
    // With "keep a position", a stopped fret outside the window costs this much per fret it lies out.
    int outsideFret = 4;
    // On the other instruments, whose chart shapes are all movable (guitar/instrument_progression.h),
    // a shape moved up the neck costs this much more than the shape where players learn it: they find
    // it by counting frets. (The six-string guitar's movable forms are barre chords and pay as such.)
    int movedShape = 2;
    // When a capo is suggested, each of its frets costs this much once per song: a higher capo makes
    // the guitar thinner and its frets narrower, so it has to buy easier shapes, not just other ones.
    int capoFret = 2;
};

constexpr CostWeights kCostWeights {};

// The frets the hand should stay within, both included.
struct FretWindow {
    int lowest = 1;
    int highest = 5;
};

struct ProgressionOptions {
    // Every chord's result list is searched with these, as the sheet would search it. A new search
    // option (a capo, say) is added to SearchOptions and reaches every chord from here.
    SearchOptions search;
    bool startNear = true; // the first chord prefers low positions
    std::optional<FretWindow> keepPosition; // the path should stay within these frets
    bool loop = false; // the last chord moves back to the first
    CostWeights weights = kCostWeights;
};

// The cost of one fingering on its own: fingers, stretch, barre, muted strings, its shape and its height.
int FingeringCost(const Voicing& v, const CostWeights& w = kCostWeights);

// The cost of the move from fingering a to fingering b.
int MoveCost(const Voicing& a, const Voicing& b, const CostWeights& w = kCostWeights);

// The path through layers of fingerings. Empty layers are passed over: the path joins the layers on
// either side of them. `pinned`, when not empty, holds per layer the index the path must take there
// (-1: free); a pin out of range is ignored.
struct PathSettings {
    bool startNear = true;
    std::optional<FretWindow> keepPosition;
    bool loop = false;
    CostWeights weights = kCostWeights;
    std::vector<int> pinned;
};

struct Path {
    std::vector<int> chosen; // per layer the index taken, -1 for an empty layer
    std::vector<int> costs; // per layer: the fingering's cost plus the move into it, 0 when empty
    long long total = 0; // the sum of the costs
};

Path ChoosePath(const std::vector<std::vector<Voicing>>& layers, const PathSettings& settings);

// How one chord of a progression was read and what was chosen for it. `Record` is the search's
// result: VoicingRecord on the six-string guitar, InstrumentRecord on any other instrument.
template <class Record> struct ChordChoiceOf {
    std::string text; // as written
    int beats = 4;
    NameReading read; // what the reader made of the text: root, bass, items, unread tokens
    SelectionState reading; // the name box after reading the text: rewritten name, root, bass, intervals
    std::string nameBoxText; // typed into the name box, it shows this chord (the text itself, or its box name)
    std::string noteList;
    std::vector<Record> results; // the chord's sorted result list, as the sheet shows it
    int chosen = -1; // index into results, -1 when the chord has none
    int cost = 0;
    std::string problem; // why nothing was chosen; empty otherwise

    const Record* Chosen() const { return chosen < 0 ? nullptr : &results[static_cast<size_t>(chosen)]; }
};

template <class Record> struct ProgressionChoiceOf {
    std::vector<ChordChoiceOf<Record>> chords;
    long long total = 0;
    std::vector<std::string> problems; // one line per chord left out, with its place and its text
};

using ChordChoice = ChordChoiceOf<VoicingRecord>;
using ProgressionChoice = ProgressionChoiceOf<VoicingRecord>;

// Reads every chord lead-sheet first (ReadSongChord), searches its fingerings with
// the options, and chooses the path. `pinned` as in PathSettings, indexes into each chord's results.
ProgressionChoice ChooseProgression(
    const std::vector<ProgressionEntry>& entries, const ProgressionOptions& options, std::vector<int> pinned = {});

// The capo frets a suggestion tries: from none to the 7th fret, where a capo still leaves a guitar
// that sounds like one.
constexpr int kSuggestedCapoHighest = 7;

// What a player feels of one fingering: a barre chord (a movable chart shape moved up the neck, or any
// other fingering with a barre), a shape on no chart, a hand high on the neck (its lowest stopped
// fret at CostWeights::highPosition or above, counted from the capo). None of them: an open shape.
struct FingeringFeel {
    bool barre = false;
    bool offChart = false;
    bool high = false;

    int Hard() const { return int(barre) + int(offChart) + int(high); }
};
FingeringFeel FeelOf(const Voicing& v, const CostWeights& w = kCostWeights);

// What a song's chords ask of the hand with one capo: each chord written counted once, by the easiest
// fingering of its result list.
struct CapoEase {
    int left = 0; // chords with no fingering at all
    int barres = 0;
    int offChart = 0;
    int high = 0;

    int Hard() const { return barres + offChart + high; }
    bool AllOpen() const { return left == 0 && Hard() == 0; }
    bool operator==(const CapoEase&) const = default;
};

template <class Record> struct CapoSuggestionOf {
    int capo = 0;
    ProgressionChoiceOf<Record> choice; // chosen with that capo
    CapoEase ease; // the song with that capo
    CapoEase withoutCapo; // the song with none
};
using CapoSuggestion = CapoSuggestionOf<VoicingRecord>;

// The capo a teacher would suggest, from none to kSuggestedCapoHighest (the other options as given):
// the one that leaves the fewest chords out, then asks the fewest barre chords, shapes off the charts
// and chords high on the neck together, then is the lowest. A capo has to make the song easier in a
// way the player feels; a song of open shapes keeps none, and a song in B flat is played with the
// open shapes of G, capo 3.
CapoSuggestion SuggestCapo(const std::vector<ProgressionEntry>& entries, const ProgressionOptions& options);

// The chords that have a fingering, in order, with their names as written: what a song sheet shows.
struct SongSheet {
    std::vector<Voicing> diagrams;
    std::vector<std::string> names;
};
SongSheet SongSheetOf(const ProgressionChoice& choice);

} // namespace corvane
