#pragma once
// Which tones a voicing may leave out when a chord has more tones than the instrument has strings.
// The rules, each one sentence:
//
//  1. Counting: the chord's tones after the omit options, and a chosen bass that is none of them.
//  2. Players leave out the perfect fifth; the root of a chord with a seventh (a rootless voicing);
//     and the 11th, then the 9th, of a 13th chord (a chord with a seventh and a 13th): the 9th goes
//     only with the 11th, or where there is none.
//  3. They never leave out the third or, without one, the suspended tone; the seventh; an altered
//     tone (b5, #5, b9, #9, #11, b13); the tone that names the chord (the 9 of a 9th chord, the 11 of
//     an 11th, the 6 of a 6th); nor a bass that must sound lowest.
//  4. A search offers every voicing that leaves out the fewest tones: as many as the strings are
//     short of, more only when no fingering leaves out that many (the instrument's search says
//     when these rules apply: StringSet::dropTones).

#include <string>
#include <vector>

namespace corvane {

// The tones rule 2 may leave out, as bits; a set of them is written in this order.
enum LeftOutTone : unsigned {
    kLeftOutFifth = 1u << 0,
    kLeftOutRoot = 1u << 1,
    kLeftOutEleventh = 1u << 2,
    kLeftOutNinth = 1u << 3,
};

struct LeftOut {
    unsigned tones = 0; // LeftOutTone bits
    unsigned pitches = 0; // their pitch classes, as a 12-bit mask
    int Count() const;
};

// The pitch classes of `tones` as a mask (duplicates once).
unsigned PitchMaskOf(const std::vector<int>& tones);

// Rule 1: how many tones the strings must sound, the bass included.
int ToneCount(const std::vector<int>& tones, int bass);

// Rules 2 and 3: every set of tones that may be left out of the chord (`tones` after the omit
// options, `root`, and `fixedBass`, the pitch class that must sound lowest or -1), the empty set
// first, then by count, each count in a fixed order.
std::vector<LeftOut> LeaveOutChoices(const std::vector<int>& tones, int root, int fixedBass);

// "5", "1", "11", "9": the record's words for what it leaves out, in the order of the bits.
std::vector<std::string> LeftOutWords(unsigned tones);

// "the 5th and the root".
std::string LeftOutPhrase(unsigned tones);

// "voicings without the 5th or without the root": what a sheet's heading adds.
std::string LeftOutSummary(const std::vector<unsigned>& offered);

// "Cmaj9 has 5 tones and the ukulele 4 strings: voicings without the 5th or without the root".
std::string LeftOutHeading(const std::string& chordName, int toneCount, const std::string& instrumentName, int strings,
    const std::vector<unsigned>& offered);

} // namespace corvane
