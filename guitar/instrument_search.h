#pragma once
// The fingering search for an instrument of any number of strings (4 to 8), beside the six-string
// guitar's own (guitar/voicing_search.h), which stays as it is. It is that search's rules said for N
// strings, as plain rules rather than as a walk of windows; each rule is one sentence here:
//
//  1. Strings are counted 0 .. N-1 across the neck, lowest string first as held. A string is muted
//     (99), open (0) or stopped at a fret; a barre mark (-f) is written as on six strings.
//  2. The bass is the lowest sounding pitch, not the lowest string, so that a re-entrant tuning (the
//     ukulele's high G) is read right. The strings sounding that pitch play the bass note; every
//     other sounding string plays a chord tone. With a bass chosen apart from the root, or on an
//     instrument of five strings or more, the lowest sounding pitch is the bass note; a plain chord on
//     a four-string instrument may sound any of its tones lowest (Instrument::freeInversions).
//  3. Every chord tone sounds, once the omit options have taken the third or the fifth away.
//  4. At least max(3, N - 2) strings sound: four of six, as on the six-string guitar.
//  5. Distance: the highest stopped fret less the lowest is below the Distance; open strings do not
//     count.
//  6. Up to fret: the bass string's fret is below it; with an open bass, every stopped fret is.
//     No stopped fret lies beyond the instrument's last fret (counted from the capo).
//  7. Fingers: at most four, counted as on six strings (CountStringFingers), barres included; "No
//     barre chords" refuses a barre at the lowest fret.
//  8. Easy chords: only the N - 4 lowest strings as held may be muted (two of six).
//  9. Records: the six-digit key (base fret + 10, shape class, top fret + 10, as on six strings, the
//     shape class counted from the highest string: all N sounding 30, N - 1 with string 0 muted 20,
//     N - 2 with strings 0 and 1 muted 10, else 50), a blank, then the N values, each followed by
//     one blank: "113030 0 0 0 3 " is the ukulele's open C. Sorted byte-wise, as on six strings.
// 10. The instrument's first easy shape (in its list's order) found among the results takes the key
//     000000 and so stands first.
// 11. Leaving tones out (guitar/tone_dropping.h): where StringSet::dropTones is set and the chord has
//     more tones than the strings, the search is run once for each set of tones players leave out,
//     fewest first; the records of the first count that finds any are the results, each saying what
//     it leaves out. The six-string guitar's own rules take the chord so reduced as any other.
// 12. A search that finds nothing says why in one line: too many tones for the strings, nothing
//     within "Up to fret" and "Distance", a bass the strings cannot sound below the chord.

#include <array>
#include <string>
#include <vector>

#include "guitar/frets.h"
#include "guitar/instrument.h"
#include "guitar/refresh.h"
#include "guitar/tone_dropping.h"
#include "guitar/voicing.h"
#include "guitar/voicing_search.h"

namespace corvane {

// Fingers needed, by the six-string rules on N strings; writes barre marks into the frets. The pair
// of the two highest strings at one fret saves a finger where strings 4 and 5 do on six strings.
int CountStringFingers(Frets& frets, bool noBarre);

// 10, 20, 30 or 50 as rule 9 says.
int StringShapeClass(const Frets& frets);

struct InstrumentRecord {
    int key = 0; // 0 once promoted
    Frets frets;
    unsigned leftOut = 0; // the LeftOutTone bits of the tones it leaves out (rule 11)

    std::string Text() const;
    std::string VoicingPart() const { return FretsText(frets); }
};

// Six-string records as records of any count: the same keys and frets, so the same texts.
std::vector<InstrumentRecord> RecordsOf(const std::vector<VoicingRecord>& records);

// What to search on: the strings, the neck's last fret and the shapes of the instrument.
struct StringSet {
    OpenStrings strings;
    int lastFret = 24;
    std::string_view easyShapes;
    bool freeInversions = false;
    // The six-string guitar's own rules behind the same entry points: its exhaustive walk of
    // five-fret windows, its easy-shape promotion, its reading and naming of played frets and its
    // fingering cost, which give its results in their long-standing order. The strings are then its
    // six in one of its tunings, and only their pitch classes are read.
    bool sixStringRules = false;
    // Rule 11 applies: every instrument but the six-string guitar, whose main window and typed names
    // keep its own search; progressions and songs set it on every instrument.
    bool dropTones = false;
    std::string_view caption {}; // the instrument's, for the words saying what was left out
};

StringSet StringSetOf(const Instrument& instrument, const OpenStrings& strings);
// The six-string guitar's strings tuned to these pitch classes (GuitarOpenStrings).
StringSet GuitarStrings(const Tuning& tuning = kStandardTuning);

// The open notes a diagram marks the bass by (LowestSoundingString): none with sixStringRules, whose
// bass is the lowest string that sounds.
OpenStrings BassMarkStrings(const StringSet& strings);

// The pitch classes of six strings, as the six-string guitar's search takes its tuning.
Tuning PitchClassesOf(const OpenStrings& strings);

struct InstrumentSearchResult {
    std::vector<int> chordTones; // less the tones removed by the omit options
    std::vector<InstrumentRecord> records; // in the order found
};

// The search of rules 1 to 9; options.tuning is not read (the strings say it).
InstrumentSearchResult SearchInstrumentVoicings(
    const ChordToSearch& chord, const SearchOptions& options, const StringSet& strings);

// Rule 10: returns the index of the promoted record, or -1.
int PromoteInstrumentEasyShape(std::vector<InstrumentRecord>& records, std::string_view easyShapes);

void SortInstrumentRecords(std::vector<InstrumentRecord>& records);

struct InstrumentRefreshResult {
    std::vector<InstrumentRecord> records; // sorted: the sheet's order
    std::vector<int> chordTones;
    std::vector<std::string> names;
    std::string error;
    int toneCount = 0; // the tones to sound, the bass included (rule 11)
    std::vector<unsigned> leftOut; // what the results leave out, one LeftOutTone set each (rule 11)
    std::string emptyReason; // rule 12: set when there is no record and no error
};

// The strings' instrument in words: "ukulele", "7-string guitar"; "instrument" when it has no name.
std::string InstrumentWords(const StringSet& strings);

// "Cmaj9 has 5 tones and the ukulele 4 strings: voicings without the 5th or without the root", or
// empty when nothing was left out.
std::string LeftOutHeadingOf(
    const InstrumentRefreshResult& result, const std::string& chordName, const StringSet& strings);

// What a window's status bar says after a refresh: what the voicings leave out, or why there are
// none ("G7/9/13: ..."); nothing under the six-string guitar's own rules, whose refresh leaves the
// status bar alone.
std::string SearchStatusMessage(
    const InstrumentRefreshResult& result, const std::string& chordName, const StringSet& strings);

// The refresh for any strings: search, promote, sort, name. Every caller's way to a chord's fingerings;
// with sixStringRules, the six-string guitar's ComputeRefresh answers.
InstrumentRefreshResult ComputeInstrumentRefresh(const RefreshInput& input, const StringSet& strings);

} // namespace corvane
