#include "song/song_chord.h"

#include <array>

#include "theory/name_reading.h"
#include "theory/selection.h"

namespace corvane {

namespace {

    std::string_view Trimmed(std::string_view text)
    {
        const auto first = text.find_first_not_of(" \t");
        if (first == std::string_view::npos)
            return {};
        return text.substr(first, text.find_last_not_of(" \t") - first + 1);
    }

    // Lead sheets write a bar without harmony in these ways.
    bool IsNoChord(std::string_view name)
    {
        constexpr std::array kNoChord { "N.C.", "N.C", "NC", "n.c.", "N/C", "no chord", "-" };
        for (std::string_view word : kNoChord)
            if (name == word)
                return true;
        return false;
    }

} // namespace

// For now the name box's reader; the lead-sheet reader takes its place once it is on main.
SongChordReading ReadSongChord(std::string_view name)
{
    SongChordReading out;
    const std::string_view text = Trimmed(name);
    if (IsNoChord(text)) {
        out.noChord = true;
        return out;
    }
    if (text.empty()) {
        out.problem = "an empty chord name";
        return out;
    }
    const NameReading reading = ReadChordName(text);
    if (reading.root == kNoPitch) {
        out.problem = "not a chord name: it does not start with a note";
        return out;
    }
    if (!reading.unread.empty()) {
        out.problem = "a chord name with a part that names nothing: \"" + reading.unread.front() + "\"";
        return out;
    }
    SelectionState state = StartupSelection();
    ApplyNameReading(state, reading);
    out.chord = true;
    out.root = state.rootIndex;
    out.bass = state.bassIndex;
    out.intervals = state.chordIntervals;
    return out;
}

} // namespace corvane
