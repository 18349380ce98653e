// Which tones players leave out of a chord too large for the strings.
#include "guitar/tone_dropping.h"

#include <algorithm>
#include <bit>

namespace corvane {

namespace {

    struct Named {
        unsigned tone;
        const char* word;
        const char* ordinal;
    };
    constexpr Named kNames[] = {
        { kLeftOutFifth, "5", "the 5th" },
        { kLeftOutRoot, "1", "the root" },
        { kLeftOutEleventh, "11", "the 11th" },
        { kLeftOutNinth, "9", "the 9th" },
    };

    bool Has(unsigned mask, int interval) { return (mask >> interval & 1u) != 0; }

} // namespace

int LeftOut::Count() const { return std::popcount(tones); }

unsigned PitchMaskOf(const std::vector<int>& tones)
{
    unsigned mask = 0;
    for (int tone : tones)
        if (tone >= 0 && tone < 12)
            mask |= 1u << tone;
    return mask;
}

int ToneCount(const std::vector<int>& tones, int bass)
{
    unsigned mask = PitchMaskOf(tones);
    if (bass >= 0 && bass < 12)
        mask |= 1u << bass;
    return std::popcount(mask);
}

std::vector<LeftOut> LeaveOutChoices(const std::vector<int>& tones, int root, int fixedBass)
{
    std::vector<LeftOut> choices { LeftOut {} };
    if (root < 0 || root > 11)
        return choices;
    // The chord as intervals above its root.
    unsigned intervals = 0;
    for (int tone : tones)
        if (tone >= 0 && tone < 12)
            intervals |= 1u << ((tone - root + 12) % 12);
    const bool third = Has(intervals, 3) || Has(intervals, 4);
    const bool seventh = Has(intervals, 10) || Has(intervals, 11);
    const bool thirteenth = seventh && Has(intervals, 9);
    // Without a third, the 4th (or else the 2nd) is the suspended tone.
    const bool eleventhIsSus = !third;
    const bool ninthIsSus = !third && !Has(intervals, 5);

    unsigned droppable = 0;
    if (Has(intervals, 7))
        droppable |= kLeftOutFifth;
    if (seventh && Has(intervals, 0))
        droppable |= kLeftOutRoot;
    if (thirteenth && Has(intervals, 5) && !eleventhIsSus)
        droppable |= kLeftOutEleventh;
    if (thirteenth && Has(intervals, 2) && !ninthIsSus)
        droppable |= kLeftOutNinth;
    const auto intervalOf = [](unsigned tone) {
        switch (tone) {
        case kLeftOutFifth:
            return 7;
        case kLeftOutRoot:
            return 0;
        case kLeftOutEleventh:
            return 5;
        default:
            return 2;
        }
    };
    // A bass that must sound lowest stays.
    if (fixedBass >= 0 && fixedBass < 12)
        for (const Named& named : kNames)
            if ((root + intervalOf(named.tone)) % 12 == fixedBass)
                droppable &= ~named.tone;

    const bool eleventhPresent = Has(intervals, 5) && !eleventhIsSus;
    for (unsigned set = 1; set < 16; ++set) {
        if ((set & ~droppable) != 0)
            continue;
        if ((set & kLeftOutNinth) != 0 && eleventhPresent && (set & kLeftOutEleventh) == 0)
            continue;
        LeftOut choice;
        choice.tones = set;
        for (const Named& named : kNames)
            if ((set & named.tone) != 0)
                choice.pitches |= 1u << ((root + intervalOf(named.tone)) % 12);
        choices.push_back(choice);
    }
    // Fewest first; within a count, the fifth before the root before the 11th before the 9th.
    std::stable_sort(
        choices.begin(), choices.end(), [](const LeftOut& a, const LeftOut& b) { return a.Count() < b.Count(); });
    return choices;
}

std::vector<std::string> LeftOutWords(unsigned tones)
{
    std::vector<std::string> words;
    for (const Named& named : kNames)
        if ((tones & named.tone) != 0)
            words.emplace_back(named.word);
    return words;
}

std::string LeftOutPhrase(unsigned tones)
{
    std::string phrase;
    for (const Named& named : kNames) {
        if ((tones & named.tone) == 0)
            continue;
        const unsigned later = tones & ~(named.tone | (named.tone - 1));
        if (!phrase.empty())
            phrase += later == 0 ? " and " : ", ";
        phrase += named.ordinal;
    }
    return phrase;
}

std::string LeftOutSummary(const std::vector<unsigned>& offered)
{
    std::string summary = "voicings";
    for (size_t i = 0; i < offered.size(); ++i)
        summary += std::string(i == 0 ? "" : " or") + " without " + LeftOutPhrase(offered[i]);
    return summary;
}

std::string LeftOutHeading(const std::string& chordName, int toneCount, const std::string& instrumentName, int strings,
    const std::vector<unsigned>& offered)
{
    return chordName + " has " + std::to_string(toneCount) + " tones and the " + instrumentName + " "
        + std::to_string(strings) + " strings: " + LeftOutSummary(offered);
}

} // namespace corvane
