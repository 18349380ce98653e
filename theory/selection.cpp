#include "theory/selection.h"

#include "theory/interval_build.h"
#include "theory/interval_list.h"

namespace corvane {

namespace {
    constexpr size_t kLimitSameBass = 17;
    constexpr size_t kLimitSeparateBass = 14;

    bool IsAddCode(int item) { return KindOfCode(kExtensions[static_cast<size_t>(item)].code) == CodeKind::Add; }

    // With room, every item is enabled; without, the unchecked add items are greyed.
    void ApplyRoom(SelectionState& s, bool room)
    {
        for (int i = 0; i < kExtensionCount; ++i) {
            const auto k = static_cast<size_t>(i);
            s.enabled[k] = room || s.checked[k] || !IsAddCode(i);
        }
    }
}

SelectionState StartupSelection()
{
    SelectionState s;
    s.checked.fill(false);
    s.checked[kMajorItem] = true;
    s.enabled.fill(true);
    return s;
}

int NoteLimit(const SelectionState& s)
{
    return static_cast<int>(s.bassIndex == s.rootIndex ? kLimitSameBass : kLimitSeparateBass);
}

void PickRoot(SelectionState& s, int row)
{
    s.rootIndex = row;
    s.bassIndex = row;
    s.rootRow = row;
    // Moving the bass grid's selection runs its own pick, which re-applies the room check.
    if (s.bassRow != row)
        PickBass(s, row);
    s.rootName = std::string(NoteName(row, s.bassSpelling));
    s.bassSuffix.clear();
    s.editText = s.ShownName();
}

bool PickBass(SelectionState& s, int row)
{
    if (row != s.rootIndex && s.chordIntervals.size() >= kLimitSameBass)
        return false;
    s.bassRow = row;
    s.bassIndex = row;
    s.bassSuffix = (s.bassIndex == s.rootIndex) ? std::string() : "/" + std::string(NoteName(row, s.bassSpelling));
    s.editText = s.ShownName();
    ApplyRoom(s, static_cast<int>(s.chordIntervals.size()) < NoteLimit(s));
    return true;
}

void PickChordType(SelectionState& s, int row)
{
    const ChordType& type = kChordTypes[static_cast<size_t>(row)];
    s.chordIntervals = std::string(type.intervals);
    s.typeSuffix = std::string(TrimBlanks(type.name));
    s.editText = s.ShownName();
}

void ChangeExtensions(SelectionState& s, int currentItem)
{
    auto& checked = s.checked;
    const auto isChecked = [&](int item) { return checked[static_cast<size_t>(item)]; };

    // Major and minor exclude each other.
    if (currentItem == kMajorItem)
        checked[kMinorItem] = !checked[kMajorItem];
    else if (currentItem == kMinorItem)
        checked[kMajorItem] = !checked[kMinorItem];

    s.thirdInterval = (isChecked(kDimItem) || isChecked(kMinorItem)) ? 3 : 4;
    s.fifthInterval = (isChecked(kAugItem) || isChecked(kSharpFifthItem)) ? 8
        : (isChecked(kFlatFifthItem) || isChecked(kDimItem))              ? 6
                                                                          : 7;

    // A whole chord past "aug" ("dim", "º", "5") brings the major item back in place of the minor.
    for (int i = kDimItem; i < kExtensionCount; ++i) {
        if (isChecked(i) && KindOfCode(kExtensions[static_cast<size_t>(i)].code) == CodeKind::Full
            && !checked[kMajorItem]) {
            checked[kMajorItem] = true;
            checked[kMinorItem] = false;
        }
    }

    const size_t limit = static_cast<size_t>(NoteLimit(s));
    const IntervalBuild build = BuildIntervals(checked, "", limit);
    s.chordIntervals = build.intervals;

    // A refused item is unchecked, and its caption stays out of the name.
    s.typeSuffix.clear();
    for (size_t k = kMinorItem; k < checked.size(); ++k) {
        if (build.refused[k])
            checked[k] = false;
        if (checked[k])
            s.typeSuffix += "/" + std::string(kExtensions[k].caption);
    }

    // "C/b5" keeps its slash so it is not read as a flat root.
    if (s.typeSuffix.rfind("/b", 0) != 0 && !s.typeSuffix.empty())
        s.typeSuffix.erase(0, 1);

    const bool room = s.chordIntervals.size() < limit;
    s.bassGridEnabled = room;
    ApplyRoom(s, room);

    s.editText = s.ShownName();
}

bool ToggleExtension(SelectionState& s, int item)
{
    if (item < 0 || item >= kExtensionCount || !s.enabled[static_cast<size_t>(item)])
        return false;
    s.checked[static_cast<size_t>(item)] = !s.checked[static_cast<size_t>(item)];
    ChangeExtensions(s, item);
    return true;
}

} // namespace corvane
