// The six-string guitar's refresh: search, promote one easy shape, sort, name.
#include "guitar/refresh.h"

#include "guitar/result_list.h"
#include "theory/interval_list.h"
#include "theory/naming.h"

namespace corvane {

namespace {
    // The numbers of the note list: the bass, then the chord tones less the root when it is the bass.
    std::vector<int> NoteNumbers(const RefreshInput& input)
    {
        std::vector<int> numbers { input.bassIndex };
        const size_t firstTone = input.bassIndex == input.rootIndex ? 1 : 0;
        for (size_t i = firstTone; i < input.chordTones.size(); ++i)
            numbers.push_back(input.chordTones[i]);
        return numbers;
    }
}

RefreshInput FromSelection(const SelectionState& selection, const SearchOptions& options)
{
    RefreshInput input;
    input.rootIndex = selection.rootIndex;
    input.bassIndex = selection.bassIndex;
    input.chordTones = TransposeIntervals(TrimBlanks(selection.chordIntervals), selection.rootIndex);
    if (selection.bassIndex == selection.rootIndex) {
        if (input.chordTones.empty())
            input.chordTones.push_back(selection.bassIndex);
        else
            input.chordTones.front() = selection.bassIndex;
    }
    input.thirdInterval = selection.thirdInterval;
    input.fifthInterval = selection.fifthInterval;
    input.options = options;
    input.rootGridNames = GridNames(selection.rootSpelling);
    return input;
}

RefreshInput ChordInput(const std::string& intervals, PitchClass root, PitchClass bass, const SearchOptions& options)
{
    SelectionState selection = StartupSelection();
    selection.chordIntervals = intervals;
    selection.rootIndex = root;
    selection.bassIndex = bass;
    return FromSelection(selection, options);
}

std::string NoteListText(const RefreshInput& input)
{
    std::string text;
    for (int number : NoteNumbers(input))
        text += (text.empty() ? "" : " ") + std::to_string(number);
    return text;
}

std::string RefreshInputError(const RefreshInput& input)
{
    const std::vector<int> numbers = NoteNumbers(input);
    if (static_cast<int>(numbers.size()) > kMaxNoteListLength)
        return "a chord of " + std::to_string(numbers.size()) + " notes is more than the "
            + std::to_string(kMaxNoteListLength) + " the search accepts";
    for (int value : numbers)
        if (value < 0 || value > kNoPitch)
            return "not a pitch class: " + std::to_string(value);
    return {};
}

ChordToSearch ChordToSearchOf(const RefreshInput& input)
{
    ChordToSearch chord;
    chord.rootIndex = input.rootIndex;
    chord.bassIndex = input.bassIndex;
    chord.thirdInterval = input.thirdInterval;
    chord.fifthInterval = input.fifthInterval;
    chord.chordTones = input.chordTones;
    return chord;
}

RefreshResult ComputeRefresh(const RefreshInput& input)
{
    RefreshResult result;
    result.error = RefreshInputError(input);
    if (!result.error.empty())
        return result;
    const ChordToSearch chord = ChordToSearchOf(input);
    SearchResult found = SearchVoicings(chord, input.options);
    PromoteEasyShape(found.records);
    SortRecords(found.records);

    result.records = std::move(found.records);
    result.chordTones = std::move(found.chordTones);
    result.names = ListChordNames(result.chordTones, input.bassIndex, input.rootGridNames);
    return result;
}

} // namespace corvane
