#include "theory/chord_symbol.h"

#include <algorithm>
#include <array>
#include <set>

#include "theory/lead_sheet.h"

namespace corvane {

namespace {

    using Notes = std::set<int>;

    // Takes the interval out of the notes; true when it was there.
    bool Take(Notes& notes, int interval) { return notes.erase(interval) > 0; }

    // The suffix as players spell it, built part by part: quality, the chord's number, sus, the
    // altered tones, the added tones, and what is left out. Whether it reads back is checked after.
    std::string Spelled(Notes notes)
    {
        const bool seventh = notes.count(10) > 0 || notes.count(11) > 0;
        std::string quality;
        bool minor = false;
        bool noThird = false;
        std::string sus;
        if (Take(notes, 4)) {
        } else if (Take(notes, 3)) {
            minor = true;
        } else if (notes.count(5) && !(notes.count(2) && !seventh && !notes.count(7))) {
            Take(notes, 5);
            sus = "sus4";
        } else if (Take(notes, 2)) {
            sus = "sus2";
        } else {
            noThird = true;
        }

        // The fifth: perfect, or a diminished or augmented triad, or an altered fifth.
        bool dim = false;
        bool aug = false;
        bool noFifth = false;
        std::string fifthAlteration;
        if (Take(notes, 7)) {
        } else if (minor && notes.count(6) && !notes.count(10) && !notes.count(11)) {
            Take(notes, 6);
            dim = true;
        } else if (!minor && sus.empty() && !noThird && notes.count(8) && !notes.count(10) && !notes.count(11)) {
            Take(notes, 8);
            aug = true;
        } else if (Take(notes, 6)) {
            fifthAlteration = "b5";
        } else if (Take(notes, 8)) {
            fifthAlteration = "#5";
        } else {
            noFifth = true;
        }

        std::string number;
        if (dim && Take(notes, 9)) {
            number = "7"; // dim7
        } else if (notes.count(10) && notes.count(11)) {
            return "?"; // no symbol holds both sevenths
        } else if (notes.count(10) || notes.count(11)) {
            const bool major = Take(notes, 11);
            Take(notes, 10);
            std::string extension = "7";
            if (Take(notes, 2)) {
                extension = "9";
                if (minor && Take(notes, 5))
                    extension = "11";
            } else if (notes.count(9) && !notes.count(5)) {
                Take(notes, 9);
                extension = "13";
            }
            number = major ? (minor ? "(maj" + extension + ")" : "maj" + extension) : extension;
        } else if (!dim && Take(notes, 9)) {
            number = Take(notes, 2) ? "6/9" : "6";
        }

        if (minor && !dim)
            quality = "m";
        if (dim)
            quality = "dim";
        if (aug)
            quality = "aug";

        // What is left: altered tones with a seventh, added tones without one.
        std::string alterations = fifthAlteration;
        std::string added;
        const auto alter = [&](int interval, std::string_view altered, std::string_view add) {
            if (Take(notes, interval))
                (seventh ? alterations : added) += seventh ? altered : add;
        };
        alter(1, "b9", "addb9");
        alter(2, "add9", "add9");
        alter(3, "#9", "add#9");
        alter(5, "add11", "add11");
        alter(6, "#11", "add#11");
        alter(8, "b13", "addb13");
        alter(9, "add13", "add13");
        if (!notes.empty() && !(notes.size() == 1 && notes.count(0)))
            return "?";

        std::string suffix = quality + number + sus;
        // Right after the root an alteration would read as the root's accidental: C(b5).
        if (suffix.empty() && !alterations.empty())
            alterations = "(" + alterations + ")";
        suffix += alterations + added;
        if (noThird && noFifth && suffix.empty() && number.empty())
            return "(no3)(no5)";
        if (noThird && !noFifth && suffix.empty())
            return "5";
        if (noThird)
            suffix += "(no3)";
        if (noFifth)
            suffix += "(no5)";
        return suffix;
    }

} // namespace

std::optional<std::string> LeadSheetSuffix(const std::vector<int>& intervals)
{
    Notes notes { 0 };
    for (int interval : intervals)
        notes.insert(((interval % 12) + 12) % 12);
    const std::string suffix = Spelled(notes);
    // Checked on C: the suffix stands for these notes only if the reader reads them back from it.
    const LeadSheetChord read = ReadLeadSheetChord("C" + suffix);
    if (!read.Complete() || Notes(read.intervals.begin(), read.intervals.end()) != notes
        || read.intervals.size() != notes.size())
        return std::nullopt;
    return suffix;
}

std::optional<std::string> LeadSheetSymbol(
    PitchClass root, const std::vector<int>& intervals, PitchClass bass, Spelling rootSpelling, Spelling bassSpelling)
{
    if (root < 0 || root > 11)
        return std::nullopt;
    const auto suffix = LeadSheetSuffix(intervals);
    if (!suffix)
        return std::nullopt;
    std::string symbol = std::string(NoteName(root, rootSpelling)) + *suffix;
    if (bass >= 0 && bass <= 11 && bass != root)
        symbol += "/" + std::string(NoteName(bass, bassSpelling));
    return symbol;
}

} // namespace corvane
