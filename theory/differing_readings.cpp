#include "theory/differing_readings.h"

#include <algorithm>
#include <array>
#include <set>

#include "theory/chord_symbol.h"
#include "theory/interval_list.h"
#include "theory/lead_sheet.h"
#include "theory/name_reading.h"

namespace corvane {

namespace {

    // The letter steps above the root a player spells each interval with: the minor seventh is a
    // seventh (Bb over C), the augmented fourth a fourth (F# over C).
    constexpr std::array<int, 12> kLetterSteps { 0, 1, 1, 2, 2, 3, 3, 4, 5, 5, 6, 6 };
    constexpr std::array<int, 7> kNaturals { 0, 2, 4, 5, 7, 9, 11 }; // C D E F G A B
    constexpr std::array<char, 7> kLetters { 'C', 'D', 'E', 'F', 'G', 'A', 'B' };

    int LetterOf(std::string_view name)
    {
        for (size_t i = 0; i < kLetters.size(); ++i)
            if (!name.empty() && name.front() == kLetters[i])
                return static_cast<int>(i);
        return 0;
    }

} // namespace

std::string SpelledNotes(PitchClass root, Spelling rootSpelling, const std::vector<int>& intervals)
{
    const int rootLetter = LetterOf(NoteName(root, rootSpelling));
    std::string text;
    for (int interval : intervals) {
        const PitchClass pc = (root + interval) % 12;
        const int letter = (rootLetter + kLetterSteps[static_cast<size_t>(interval % 12)]) % 7;
        const int offset = ((pc - kNaturals[static_cast<size_t>(letter)]) % 12 + 12) % 12;
        std::string name(1, kLetters[static_cast<size_t>(letter)]);
        if (offset == 1)
            name += "\u266f";
        else if (offset == 11)
            name += "\u266d";
        else if (offset != 0)
            name = std::string(NoteName(pc, rootSpelling)); // a double sharp or flat: the plain name
        text += (text.empty() ? "" : " ") + name;
    }
    return text;
}

std::optional<std::string> DifferingReadings(std::string_view typed)
{
    const std::string name(TrimBlanks(typed));
    const NameReading box = ReadChordName(name);
    const LeadSheetChord lead = ReadLeadSheetChord(name);
    if (!box.unread.empty() || box.root == kNoPitch || !lead.Complete())
        return std::nullopt;
    SelectionState state = StartupSelection();
    ApplyNameReading(state, box);
    const auto values = IntervalValues(state.chordIntervals);
    if (!values)
        return std::nullopt;
    std::vector<int> boxIntervals;
    for (int v : *values)
        if (std::find(boxIntervals.begin(), boxIntervals.end(), v) == boxIntervals.end())
            boxIntervals.push_back(v);
    const std::set<int> boxSet(boxIntervals.begin(), boxIntervals.end());
    const std::set<int> leadSet(lead.intervals.begin(), lead.intervals.end());
    if (state.rootIndex == lead.root && state.bassIndex == lead.bass && boxSet == leadSet)
        return std::nullopt;
    const auto boxSymbol
        = LeadSheetSymbol(state.rootIndex, boxIntervals, state.bassIndex, state.rootSpelling, state.bassSpelling);
    return name + " read as " + boxSymbol.value_or(box.rewritten) + " ("
        + SpelledNotes(state.rootIndex, state.rootSpelling, boxIntervals) + "); on a lead sheet " + name + " is "
        + SpelledNotes(lead.root, lead.spelling, lead.intervals) + ": use Lead-sheet names?";
}

} // namespace corvane
