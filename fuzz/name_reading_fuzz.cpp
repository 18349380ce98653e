// Arbitrary bytes typed into the chord name box, then the search button: the reading must never
// crash, and it must leave a chord that the rest of the program can take.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "fuzz/fuzz_support.h"
#include "fuzz/notation_input.h"
#include "guitar/refresh.h"
#include "theory/interval_list.h"
#include "theory/name_reading.h"
#include "theory/naming.h"
#include "theory/typed_chord.h"

namespace {

using namespace corvane;

using fuzz::Require;

// Notes handed to the search: the chord tones and a separate bass.
int NoteCount(const SelectionState& s)
{
    const RefreshInput input = FromSelection(s, {});
    return static_cast<int>(input.chordTones.size()) + (input.bassIndex == input.rootIndex ? 0 : 1);
}

void CheckReading(const SelectionState& s)
{
    Require(s.rootIndex >= 0 && s.rootIndex <= kNoPitch, "root in 0..12");
    Require(s.bassIndex >= 0 && s.bassIndex <= kNoPitch, "bass in 0..12");
    Require(s.bassIndex == s.rootIndex || s.bassIndex != kNoPitch, "a separate bass is a note");
    Require(IsIntervalList(s.chordIntervals), "well-formed interval list");
    const auto values = IntervalValues(s.chordIntervals);
    Require(values.has_value(), "interval values");
    Require(std::set<int>(values->begin(), values->end()).size() == values->size(), "no interval twice");
    Require(IntervalCount(s.chordIntervals) <= (s.bassIndex == s.rootIndex ? 6 : 5), "six notes at most");
    Require(s.checked[kMajorItem], "the major item checked");
    Require(s.bassGridEnabled, "bass grid enabled");
    for (bool enabled : s.enabled)
        Require(enabled, "every item enabled");

    Require(NoteCount(s) <= kMaxNoteListLength, "note list within the search's limit");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const corvane::fuzz::NotationInput input = corvane::fuzz::ReadNotationInput(data, size);
    SelectionState s = StartupSelection();
    s.editText = input.text;
    // As the window does: the notation's reader first, the box's words for what it read.
    if (input.notation != Notation::Parts) {
        const LeadSheetChord chord = ReadChordIn(input.text, input.notation, input.key);
        if (chord.Complete()) {
            const SongChord read = ReadSongChord(chord.canonical);
            if (read.Understood() && !read.nameBoxText.empty())
                s.editText = read.nameBoxText;
        }
    }
    SearchChordName(s);
    CheckReading(s);

    // The names list in the notation names at most the notes' roots, and nothing over no note.
    const RefreshInput refresh = FromSelection(s, {});
    const auto grid = GridNames(s.rootSpelling);
    const auto names = NamesListIn(ListChordNames(refresh.chordTones, refresh.bassIndex, grid), refresh.rootIndex,
        refresh.chordTones, refresh.bassIndex, grid, input.notation, input.key);
    Require(input.notation == Notation::Parts || names.size() <= 12, "one name per root at most");
    Require(!names.empty() || (refresh.rootIndex == kNoPitch && refresh.bassIndex == kNoPitch),
        "a chord with a note has a name");

    // Every bass the grid then accepts keeps the chord searchable.
    for (int row = 0; row < 12; ++row) {
        SelectionState picked = s;
        if (PickBass(picked, row))
            Require(NoteCount(picked) <= kMaxNoteListLength, "a picked bass keeps six notes at most");
    }

    // Pressing the button again reads the rewritten text.
    SearchChordName(s);
    CheckReading(s);
    return 0;
}
