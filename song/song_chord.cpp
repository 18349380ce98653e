#include "song/song_chord.h"

#include <array>

#include "theory/typed_chord.h"

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

SongChordReading ReadSongChordName(std::string_view name)
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
    SongChord read = ReadSongChord(text);
    if (!read.rootRead || read.state.rootIndex == kNoPitch) {
        out.problem = "not a chord name: it does not start with a note";
        return out;
    }
    if (!read.unread.empty()) {
        std::string parts;
        for (const std::string& part : read.unread)
            parts += (parts.empty() ? "\"" : ", \"") + part + "\"";
        out.problem = "not understood: " + parts;
        return out;
    }
    out.chord = true;
    out.selection = std::move(read.state);
    return out;
}

} // namespace corvane
