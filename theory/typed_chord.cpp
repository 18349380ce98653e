#include "theory/typed_chord.h"

#include <algorithm>
#include <array>
#include <set>

#include "theory/interval_list.h"

namespace corvane {

namespace {

    using IntervalSet = std::set<int>;

    // A base of the extension list: its caption and its notes.
    struct Base {
        std::string_view caption;
        IntervalSet notes;
    };

    // A change of the base's fifth (replacing 7) or third (replacing 4), by its caption.
    struct Change {
        std::string_view caption;
        int from;
        int to;
    };

    bool Holds(const IntervalSet& notes, int interval) { return notes.count(interval) > 0; }

    // The caption that adds this interval, as the chord-type list writes it: with a seventh the
    // tones above it are extensions, without one they are added tones.
    std::string_view AddedCaption(int interval, bool seventh)
    {
        constexpr std::array<std::string_view, 12> kWithSeventh { "", "9-", "9", "9+", "11-", "11", "11+", "", "13-",
            "13", "7", "7+" };
        constexpr std::array<std::string_view, 12> kWithout { "", "add9-", "add9", "add9+", "add11-", "add11", "add11+",
            "", "6-", "6", "7", "7+" };
        return (seventh ? kWithSeventh : kWithout)[static_cast<size_t>(interval)];
    }

    // The order the added captions are written in: sevenths, sixths, then ninths, elevenths and
    // thirteenths.
    constexpr std::array kAddedOrder { 10, 11, 1, 2, 3, 4, 5, 6, 8, 9 };

    IntervalSet SetOf(const std::vector<int>& values)
    {
        IntervalSet out;
        for (int v : values)
            out.insert(((v % 12) + 12) % 12);
        return out;
    }

    bool ReadsCompletely(const NameReading& reading) { return reading.unread.empty() && reading.root != kNoPitch; }

    // The notes over the root of a state's chord, and whether they are the lead-sheet chord's.
    bool SameChord(const SelectionState& state, const LeadSheetChord& chord)
    {
        if (state.rootIndex != chord.root || state.bassIndex != chord.bass)
            return false;
        const auto values = IntervalValues(state.chordIntervals);
        return values && values->size() == chord.intervals.size() && SetOf(*values) == SetOf(chord.intervals);
    }

    std::string IntervalListText(const std::vector<int>& intervals)
    {
        std::string text;
        for (int v : intervals) {
            if (!text.empty())
                text += ' ';
            text += static_cast<char>('0' + v / 10);
            text += static_cast<char>('0' + v % 10);
        }
        return text;
    }

    SelectionState Searched(SelectionState state, const std::string& text)
    {
        state.editText = text;
        SearchChordName(state);
        return state;
    }

} // namespace

std::optional<std::string> NameBoxText(const LeadSheetChord& chord)
{
    if (!chord.Complete() || chord.intervals.empty())
        return std::nullopt;
    const IntervalSet wanted = SetOf(chord.intervals);
    const bool seventh = Holds(wanted, 10) || Holds(wanted, 11);
    // The bases with the chord's own third first: E7#9 is E7/9+, not Em/7/11-.
    const Base diminished { "\u00ba", { 0, 3, 6, 9 } };
    const Base minor { "m", { 0, 3, 7 } };
    const Base major { "", { 0, 4, 7 } };
    const Base power { "5", { 0, 7 } };
    const std::array<Base, 4> bases = chord.third == 3 ? std::array { diminished, minor, major, power }
                                                       : std::array { major, power, minor, diminished };
    const std::array<std::optional<Change>, 3> fifths { std::nullopt, Change { "5-", 7, 6 }, Change { "5+", 7, 8 } };
    const std::array<std::optional<Change>, 3> thirds { std::nullopt, Change { "sus4", 4, 5 },
        Change { "sus2", 4, 2 } };

    for (const Base& base : bases) {
        for (const auto& fifth : fifths) {
            for (const auto& third : thirds) {
                IntervalSet notes = base.notes;
                for (const auto& change : { fifth, third }) {
                    if (change) {
                        notes.erase(change->from);
                        notes.insert(change->to);
                    }
                }
                if (!std::includes(wanted.begin(), wanted.end(), notes.begin(), notes.end()))
                    continue;

                std::vector<std::string_view> captions;
                if (fifth && base.caption.empty() && fifth->to == 8)
                    captions.emplace_back("aug");
                else
                    captions.push_back(base.caption);
                for (int interval : kAddedOrder)
                    if (Holds(wanted, interval) && !Holds(notes, interval))
                        captions.push_back(AddedCaption(interval, seventh));
                if (fifth && !(base.caption.empty() && fifth->to == 8))
                    captions.push_back(fifth->caption);
                if (third)
                    captions.push_back(third->caption);

                // Every caption after a slash: "C/b5", since "Cb5" would read as a flat root.
                const std::string rootName(NoteName(chord.root, chord.spelling));
                std::string text = rootName;
                for (const std::string_view caption : captions) {
                    if (caption.empty())
                        continue;
                    const bool joined = text == rootName && caption.front() != 'b';
                    text += joined ? "" : "/";
                    text += caption;
                }
                if (chord.bass != chord.root)
                    text += "/" + std::string(NoteName(chord.bass, chord.bassSpelling));

                const NameReading reading = ReadChordName(text);
                if (ReadsCompletely(reading) && SameChord(Searched(StartupSelection(), text), chord))
                    return text;
            }
        }
    }
    return std::nullopt;
}

std::string UnreadText(const std::vector<std::string>& unread)
{
    std::string text;
    for (const std::string& piece : unread)
        text += (text.empty() ? "" : " ") + piece;
    return text;
}

std::string NameBoxSearch::Problem() const
{
    if (Understood())
        return {};
    if (!rootRead)
        return "Not understood: \"" + typed + "\" does not start with a note name";
    if (!byLeadSheet && !leadSheet.empty())
        return "Not understood: " + UnreadText(unread) + " (the extension list cannot show " + leadSheet + ")";
    return "Not understood: " + UnreadText(unread);
}

NameBoxSearch SearchTypedChord(SelectionState& state)
{
    NameBoxSearch search;
    search.typed = state.editText;
    const NameReading reading = ReadChordName(search.typed);
    ApplyNameReading(state, reading);
    if (ReadsCompletely(reading) || TrimBlanks(search.typed).empty())
        return search;

    const LeadSheetChord chord = ReadLeadSheetChord(search.typed);
    if (chord.Complete()) {
        if (const auto boxText = NameBoxText(chord)) {
            // As if the box name had been typed over the same selection.
            state.editText = *boxText;
            SearchChordName(state);
            search.byLeadSheet = true;
            search.leadSheet = chord.canonical;
            return search;
        }
    }
    search.rootRead = reading.root != kNoPitch;
    search.unread = reading.unread;
    // Read, but not to be shown as another chord: the box's reading stays, and says why.
    if (chord.Complete())
        search.leadSheet = chord.canonical;
    return search;
}

SongChord ReadSongChord(std::string_view text)
{
    SongChord song;
    const LeadSheetChord chord = ReadLeadSheetChord(text);
    const NameReading box = ReadChordName(text);
    const auto take = [&song](const std::string& boxText, const NameReading& reading) {
        song.nameBoxText = boxText;
        song.read = reading;
        song.state = StartupSelection();
        ApplyNameReading(song.state, reading);
    };

    if (chord.Complete()) {
        if (ReadsCompletely(box)) {
            take(std::string(text), box);
            if (SameChord(song.state, chord))
                return song;
        }
        if (const auto boxText = NameBoxText(chord)) {
            take(*boxText, ReadChordName(*boxText));
            return song;
        }
        // The extension list cannot hold it; the search can.
        take(chord.canonical, ReadChordName(""));
        song.read.root = chord.root;
        song.read.bass = chord.bass;
        song.read.unread.clear();
        song.read.rewritten = chord.canonical;
        SelectionState& s = song.state;
        s.rootIndex = chord.root;
        s.bassIndex = chord.bass;
        s.chordIntervals = IntervalListText(chord.intervals);
        s.typeSuffix = chord.canonical.substr(NoteName(chord.root, chord.spelling).size());
        s.editText = chord.canonical;
        s.rootSpelling = chord.spelling;
        s.bassSpelling = chord.bassSpelling;
        if (chord.third == 3 || chord.third == 4)
            s.thirdInterval = chord.third;
        if (chord.fifth != 0)
            s.fifthInterval = chord.fifth;
        return song;
    }
    take(std::string(text), box);
    if (ReadsCompletely(box))
        return song;
    song.rootRead = chord.root != kNoPitch || box.root != kNoPitch;
    song.unread = chord.root != kNoPitch ? chord.unread : box.unread;
    song.read.unread = song.unread;
    return song;
}

} // namespace corvane
