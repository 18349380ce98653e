// Arbitrary bytes read as a lead-sheet chord symbol: the reading must never crash, must give a chord
// the search can take, and what it reads in full it must read again, as the same chord, from its own
// canonical spelling.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "fuzz/notation_input.h"
#include "theory/lead_sheet.h"
#include "theory/typed_chord.h"

namespace {

using namespace corvane;

using fuzz::Require;

std::set<int> Notes(const LeadSheetChord& chord)
{
    const auto pcs = chord.PitchClasses();
    return { pcs.begin(), pcs.end() };
}

// A chord read in another notation is the lead-sheet reading of its letters; written back in that
// notation, it reads as the same chord.
void CheckNotation(const corvane::fuzz::NotationInput& input)
{
    const LeadSheetChord chord = ReadChordIn(input.text, input.notation, input.key);
    Require(chord.root >= 0 && chord.root <= kNoPitch, "root in 0..12 in any notation");
    if (!chord.Complete())
        return;
    Require(chord.bass != kNoPitch && !chord.intervals.empty(), "a read chord has a bass and notes");
    const auto written
        = WriteChordIn(chord.root, chord.intervals, chord.bass, chord.spelling, input.notation, input.key);
    if (!written)
        return;
    const LeadSheetChord again = ReadChordIn(*written, input.notation, input.key);
    Require(again.Complete(), "a written name reads in full");
    Require(again.root == chord.root && again.bass == chord.bass, "a written name keeps root and bass");
    Require(Notes(again) == Notes(chord), "a written name keeps the notes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const corvane::fuzz::NotationInput input = corvane::fuzz::ReadNotationInput(data, size);
    if (input.notation != Notation::Parts) {
        CheckNotation(input);
        return 0;
    }
    const std::string& text = input.text;
    const LeadSheetChord chord = ReadLeadSheetChord(text);
    Require(chord.root >= 0 && chord.root <= kNoPitch, "root in 0..12");
    Require(chord.bass >= 0 && chord.bass <= kNoPitch, "bass in 0..12");
    for (const std::string& piece : chord.unread)
        Require(!piece.empty() && text.find(piece) != std::string::npos, "unread pieces are pieces of the text");
    if (chord.root == kNoPitch)
        return 0;
    Require(chord.bass != kNoPitch, "a read root gives a bass");
    Require(!chord.intervals.empty() && chord.intervals.front() == 0, "the root first");
    Require(std::all_of(chord.intervals.begin(), chord.intervals.end(), [](int i) { return i >= 0 && i < 12; }),
        "intervals in 0..11");
    Require(std::set<int>(chord.intervals.begin(), chord.intervals.end()).size() == chord.intervals.size(),
        "no interval twice");

    if (!chord.Complete())
        return 0;
    const LeadSheetChord again = ReadLeadSheetChord(chord.canonical);
    Require(again.Complete(), "the canonical spelling is read in full");
    Require(again.root == chord.root && again.bass == chord.bass, "the canonical spelling keeps root and bass");
    Require(Notes(again) == Notes(chord), "the canonical spelling keeps the notes");
    Require(again.canonical == chord.canonical, "the canonical spelling is its own");

    // Where the name box can show the chord, its box name gives exactly these notes.
    if (const auto boxText = NameBoxText(chord)) {
        SelectionState state = StartupSelection();
        state.editText = *boxText;
        const NameBoxSearch search = SearchTypedChord(state);
        Require(search.Understood() && !search.byLeadSheet, "the box name is the box's own notation");
        Require(state.rootIndex == chord.root && state.bassIndex == chord.bass, "the box name keeps root and bass");
    }
    return 0;
}
