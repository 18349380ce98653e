#pragma once
// The exhaustive fingering search: for every bass position on the three lowest strings, a five-fret
// window slides along the neck and every combination of chord tones and muted strings above the
// bass is tried. Integers and tables only; the texts are made afterwards (see VoicingRecord).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "guitar/tuning.h"
#include "guitar/voicing.h"
#include "theory/notes.h"

namespace corvane {

struct SearchOptions {
    Tuning tuning = kStandardTuning;
    int fretLimit = 12; // "Up to fret": the bass may sit at frets 0..fretLimit-1
    int span = 5; // "Distance"
    bool omit3 = false;
    bool omit5 = false;
    bool noBarre = false;
    bool easy = false;
    // Capo fret 0..11: the search runs on the tuning raised by it, and the frets of the records, the
    // fret limit included, count from the capo.
    int capo = 0;
};

struct ChordToSearch {
    std::vector<int> chordTones; // root first, in interval-list order
    PitchClass rootIndex = 0;
    PitchClass bassIndex = 0;
    int thirdInterval = 4;
    int fifthInterval = 7;
};

// One accepted fingering. Its record text is the six-digit key, a blank and the voicing text;
// results sort by plain byte-wise comparison of that text. The text is made only when asked for.
struct VoicingRecord {
    int key = 0; // baseFret+10, shapeClass, topFret+10 as six decimal digits; 0 once promoted
    Voicing frets {};

    std::string Text() const;
    std::string VoicingPart() const { return VoicingText(frets); }
};

// The shape class of the key: 10, 20, 30 or 50.
int ShapeClass(const Voicing& v);

// Fingers needed; writes barre marks into v. Exposed for tests.
int CountFingers(Voicing& v, bool noBarre);

struct SearchResult {
    std::vector<int> chordTones; // less the tones removed by the omit options
    std::vector<VoicingRecord> records; // in the order found, texts formatted
};

// Runs the whole search. Records come out unsorted, in the order found, without duplicates.
SearchResult SearchVoicings(const ChordToSearch& chord, const SearchOptions& options);

} // namespace corvane
