#include "theory/key_guess.h"

#include <algorithm>
#include <array>

#include "theory/lead_sheet.h"

namespace corvane {

// How the key is guessed. Every one of the 24 keys scores the chords, and the best score wins:
//
// - Each note a chord sounds counts for the key when the key's scale holds it and against it when
//   it does not. The minor keys' scale is the natural minor with its raised seventh too, since
//   minor songs take their dominant major (E7 in A minor).
// - A chord on one of the key's main degrees counts more: the tonic chord (major in a major key,
//   minor in a minor key) most, then the dominant (major in both), then the subdominant, then the
//   chords on the other degrees of the scale with the scale's own quality.
// - Every chord counts by its length, and the first chord and, above all, the last count more,
//   since songs start and end at home. This is what tells a major key from its relative minor,
//   whose notes are the same.
//
// Ties go to the major key and then to the lower tonic, so the same chords always give the same key.

namespace {

    constexpr std::array<int, 7> kMajorScale { 0, 2, 4, 5, 7, 9, 11 };
    constexpr std::array<int, 8> kMinorScale { 0, 2, 3, 5, 7, 8, 10, 11 };

    constexpr double kInScale = 1.0;
    constexpr double kOutOfScale = -1.5;
    constexpr double kTonicChord = 3.0;
    constexpr double kDominantChord = 1.5;
    constexpr double kSubdominantChord = 1.0;
    constexpr double kDiatonicChord = 0.5;
    constexpr double kFirstChord = 1.5; // times the chord's own weight, added
    constexpr double kLastChord = 2.5;

    enum class Triad { Major, Minor, Other };

    Triad TriadOf(const SoundingChord& chord)
    {
        const auto holds = [&chord](int interval) {
            return std::find(chord.notes.begin(), chord.notes.end(), (chord.root + interval) % 12) != chord.notes.end();
        };
        if (holds(4) && !holds(3))
            return Triad::Major;
        if (holds(3) && !holds(4) && !holds(6))
            return Triad::Minor;
        if (holds(3) && holds(6))
            return Triad::Other;
        return holds(4) ? Triad::Major : Triad::Other;
    }

    bool InScale(int interval, bool minor)
    {
        if (minor)
            return std::find(kMinorScale.begin(), kMinorScale.end(), interval) != kMinorScale.end();
        return std::find(kMajorScale.begin(), kMajorScale.end(), interval) != kMajorScale.end();
    }

    // The quality of the scale's own triad on a degree, as the key's chords are commonly played.
    Triad DiatonicTriad(int degree, bool minor)
    {
        if (minor) {
            switch (degree) {
            case 0:
            case 5:
                return Triad::Minor;
            case 3:
            case 8:
            case 10:
            case 7:
                return Triad::Major;
            default:
                return Triad::Other;
            }
        }
        switch (degree) {
        case 0:
        case 5:
        case 7:
            return Triad::Major;
        case 2:
        case 4:
        case 9:
            return Triad::Minor;
        default:
            return Triad::Other;
        }
    }

    double Fit(const SoundingChord& chord, PitchClass tonic, bool minor)
    {
        double score = 0;
        for (PitchClass note : chord.notes)
            score += InScale((note - tonic + 12) % 12, minor) ? kInScale : kOutOfScale;
        const int degree = (chord.root - tonic + 12) % 12;
        const Triad triad = TriadOf(chord);
        if (degree == 0 && triad == (minor ? Triad::Minor : Triad::Major))
            score += kTonicChord;
        else if (degree == 7 && triad == Triad::Major)
            score += kDominantChord;
        else if (degree == 5 && triad == DiatonicTriad(5, minor))
            score += kSubdominantChord;
        else if (triad != Triad::Other && triad == DiatonicTriad(degree, minor))
            score += kDiatonicChord;
        return score;
    }

} // namespace

std::optional<NotationKey> GuessKey(const std::vector<SoundingChord>& chords)
{
    std::vector<const SoundingChord*> read;
    for (const SoundingChord& chord : chords)
        if (chord.root >= 0 && chord.root < 12 && !chord.notes.empty())
            read.push_back(&chord);
    if (read.empty())
        return std::nullopt;

    std::optional<NotationKey> best;
    double bestScore = 0;
    for (const bool minor : { false, true }) {
        for (PitchClass tonic = 0; tonic < 12; ++tonic) {
            double score = 0;
            for (size_t i = 0; i < read.size(); ++i) {
                double weight = read[i]->length;
                if (i == 0)
                    weight += kFirstChord * read[i]->length;
                if (i + 1 == read.size())
                    weight += kLastChord * read[i]->length;
                score += weight * Fit(*read[i], tonic, minor);
            }
            if (!best || score > bestScore + 1e-9) {
                best = KeyOf(tonic, minor);
                bestScore = score;
            }
        }
    }
    return best;
}

std::optional<NotationKey> GuessKeyOfNames(const std::vector<std::string>& names)
{
    std::vector<SoundingChord> chords;
    for (const std::string& name : names) {
        const LeadSheetChord chord = ReadLeadSheetChord(name);
        if (chord.root == kNoPitch)
            continue;
        chords.push_back({ chord.root, chord.PitchClasses(), 1 });
    }
    return GuessKey(chords);
}

} // namespace corvane
