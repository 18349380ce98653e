#include "guitar/refresh.h"

#include "guitar/result_list.h"
#include "theory/interval_list.h"
#include "theory/naming.h"

namespace corvane {

RefreshResult ComputeRefresh(const RefreshInput& input)
{
    RefreshResult result;
    NoteListReading reading = ReadNoteList(input.noteList);
    if (!reading.error.empty()) {
        result.error = reading.error;
        return result;
    }
    if (static_cast<int>(reading.values.size()) > kMaxNoteListLength) {
        result.error = "a chord of " + std::to_string(reading.values.size()) + " notes is more than the "
            + std::to_string(kMaxNoteListLength) + " the search accepts";
        return result;
    }
    for (int value : reading.values) {
        if (value > 12) {
            result.error = "not a pitch class: " + std::to_string(value);
            return result;
        }
    }

    ChordToSearch chord;
    chord.rootIndex = input.rootIndex;
    chord.bassIndex = input.bassIndex;
    chord.thirdInterval = input.thirdInterval;
    chord.fifthInterval = input.fifthInterval;
    const size_t firstTone = input.bassIndex == input.rootIndex ? 0 : 1;
    for (size_t i = firstTone; i < reading.values.size(); ++i)
        chord.chordTones.push_back(reading.values[i]);

    SearchResult found = SearchVoicings(chord, input.options);
    PromoteEasyShape(found.records);
    SortRecords(found.records);

    result.records = std::move(found.records);
    result.chordTones = std::move(found.chordTones);
    result.names = ListChordNames(result.chordTones, input.bassIndex, input.rootGridNames);
    return result;
}

} // namespace corvane
