#include "theory/selection.h"

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

    void RemoveFirst(std::string& text, std::string_view what)
    {
        const size_t at = text.find(what);
        if (at != std::string::npos)
            text.erase(at, what.size());
    }
}

std::string SelectionState::NoteList() const { return CurrentNoteList(chordIntervals, rootIndex, bassIndex); }

SelectionState StartupSelection()
{
    SelectionState s;
    s.checked.fill(false);
    s.checked[0] = true;
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
    std::string base;
    std::string added;

    // Major and minor exclude each other.
    if (currentItem == 0)
        checked[1] = !checked[0];
    else if (currentItem == 1)
        checked[0] = !checked[1];

    s.thirdInterval = (checked[3] || checked[1]) ? 3 : 4;
    s.fifthInterval = (checked[2] || checked[11]) ? 8 : (checked[9] || checked[3]) ? 6 : 7;

    s.typeSuffix.clear();

    for (int i = 0; i < kExtensionCount; ++i) {
        const auto k = static_cast<size_t>(i);
        if (KindOfCode(kExtensions[k].code) != CodeKind::Full || !checked[k])
            continue;
        base = std::string(kExtensions[k].code);
        if (i > 2 && !checked[0]) {
            checked[0] = true;
            checked[1] = false;
        }
    }

    const size_t limit = static_cast<size_t>(NoteLimit(s));
    for (int j = 1; j < kExtensionCount; ++j) {
        const auto k = static_cast<size_t>(j);
        if (!checked[k])
            continue;
        const std::string_view code = kExtensions[k].code;
        const CodeKind kind = KindOfCode(code);
        if (kind != CodeKind::Full && added.find(code) == std::string::npos) {
            std::string entry;
            if (kind == CodeKind::Fifth || kind == CodeKind::Third) {
                RemoveFirst(base, kind == CodeKind::Fifth ? " 07" : " 04");
                entry = " " + std::string(code.substr(1, 2));
            } else {
                entry = std::string(code);
            }
            if ((base + added).find(entry) == std::string::npos) {
                if (base.size() + added.size() < limit) {
                    (kind == CodeKind::Add ? added : base) += entry;
                } else {
                    // No room: the item is refused, and its caption stays out of the name.
                    checked[k] = false;
                    continue;
                }
            }
        }
        s.typeSuffix += "/";
        s.typeSuffix += kExtensions[k].caption;
    }

    // "C/b5" keeps its slash so it is not read as a flat root.
    if (s.typeSuffix.rfind("/b", 0) != 0 && !s.typeSuffix.empty())
        s.typeSuffix.erase(0, 1);

    s.chordIntervals = base + added;

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
