#include "theory/naming.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace corvane {

namespace {

    bool Contains(std::string_view text, std::string_view what) { return text.find(what) != std::string_view::npos; }

    std::string ReplaceFirst(std::string text, std::string_view what, std::string_view with)
    {
        const size_t at = text.find(what);
        if (at != std::string::npos)
            text.replace(at, what.size(), with);
        return text;
    }

    std::string_view ComponentOf(int interval)
    {
        switch (interval) {
        case 1:
            return "/add2-";
        case 2:
            return "/add2";
        case 5:
            return "/4";
        case 6:
            return "/4+";
        case 8:
            return "/6-";
        case 9:
            return "/6";
        case 10:
            return "/6+";
        case 11:
            return "/7+";
        default:
            return {};
        }
    }

    bool TakeFirst(std::vector<int>& list, int value)
    {
        const auto it = std::find(list.begin(), list.end(), value);
        if (it == list.end())
            return false;
        list.erase(it);
        return true;
    }

    // The renames after the suspended one, in the order they are tried: each replaces the first
    // occurrence of a component with another reading of the same interval.
    struct Rename {
        std::string_view from;
        std::string_view to;
    };
    constexpr Rename kRenames[] = {
        { "/6+", "/7" }, // seventh
        { "2", "9" }, // ninth
        { "/4", "/add11" }, // eleventh
        { "/6", "/add13" }, // thirteenth
    };

    struct Reading {
        std::string suffix;
        bool noThird = false;
        bool noFifth = false;
    };

    Reading ReadSuffix(std::vector<int> intervals)
    {
        Reading reading;
        const auto third = std::find_if(intervals.begin(), intervals.end(), [](int i) { return i == 3 || i == 4; });
        if (third == intervals.end()) {
            reading.noThird = true;
        } else {
            if (*third == 3)
                reading.suffix = "m";
            intervals.erase(third);
        }

        if (!TakeFirst(intervals, 7)) {
            const auto fifth = std::find_if(intervals.begin(), intervals.end(), [](int i) { return i == 6 || i == 8; });
            if (fifth == intervals.end()) {
                reading.noFifth = true;
            } else {
                reading.suffix += *fifth == 6 ? "/5-" : "/5+";
                intervals.erase(fifth);
            }
        }

        for (int interval : intervals)
            reading.suffix += ComponentOf(interval);
        return reading;
    }

    std::string StandardTail(const Reading& reading, std::string_view renamed)
    {
        std::string tail;
        if (reading.noThird && !Contains(renamed, "sus"))
            tail += " (no3)";
        if (reading.noFifth)
            tail += " (no5)";
        return tail;
    }

    std::string_view StripTrailingBlanks(std::string_view text)
    {
        while (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        return text;
    }

    // "m/5-/6" also reads as a diminished chord.
    bool ReadsAsDiminished(const std::string& suffix)
    {
        return suffix.rfind('m', 0) == 0 && Contains(suffix, "/5-") && Contains(suffix, "/6")
            && !Contains(suffix, "/5+") && !Contains(suffix, "/6+") && !Contains(suffix, "/6-");
    }

    // Every name of the notes read with `root` as the root; `slashBass` is empty or "/" and the bass.
    void AddNamesOn(int root, const std::vector<int>& noteSet, const std::string& rootName,
        const std::string& slashBass, bool ownRoot, std::vector<std::string>& names)
    {
        std::vector<int> intervals;
        for (int n : noteSet)
            intervals.push_back(((n - root) % 12 + 12) % 12);
        std::sort(intervals.begin(), intervals.end());

        const Reading reading = ReadSuffix(intervals);
        const std::string& suffix = reading.suffix;
        // The chord's own root is named without its bass.
        names.push_back(rootName + suffix + (ownRoot ? std::string() : slashBass) + StandardTail(reading, suffix));

        std::vector<std::string> work { suffix };
        if (ReadsAsDiminished(suffix)) {
            std::string dim = ReplaceFirst(suffix, "m", "");
            dim = ReplaceFirst(dim, "/5-", "");
            dim = "/dim" + ReplaceFirst(dim, "/6", "");
            names.push_back(rootName + dim + slashBass);
            work.push_back(dim);
        }

        // A suffix reached by several rename orders yields the same names each time; walking it once
        // gives the same list after duplicates are dropped.
        std::set<std::string> walked;
        for (size_t i = 0; i < work.size(); ++i) {
            const std::string s = work[i];
            if (!walked.insert(s).second)
                continue;
            auto emit = [&](std::string renamed, const std::string& ruleTail) {
                names.push_back(rootName + renamed + slashBass + ruleTail);
                work.push_back(std::move(renamed));
            };
            if (reading.noThird && Contains(s, "/4"))
                emit("/sus4" + ReplaceFirst(s, "/4", ""), reading.noFifth ? " (no5)" : " ");
            for (const Rename& rule : kRenames) {
                if (Contains(s, rule.from)) {
                    std::string renamed = ReplaceFirst(s, rule.from, rule.to);
                    emit(renamed, StandardTail(reading, renamed));
                }
            }
        }
    }

    // Sorted; a name equal to the one before but for trailing blanks is dropped, and every name
    // after the first loses its first slash.
    std::vector<std::string> AsListed(std::vector<std::string> names)
    {
        std::sort(names.begin(), names.end());
        std::vector<std::string> listed;
        if (names.empty())
            return listed;
        listed.push_back(names.front());
        std::string_view previous = StripTrailingBlanks(names.front());
        for (size_t i = 1; i < names.size(); ++i) {
            const std::string_view stripped = StripTrailingBlanks(names[i]);
            if (stripped == previous)
                continue;
            previous = stripped;
            listed.push_back(ReplaceFirst(names[i], "/", ""));
        }
        return listed;
    }

} // namespace

std::vector<std::string> ListChordNames(
    const std::vector<int>& chordTones, PitchClass bassIndex, const std::array<std::string, 12>& rootGridNames)
{
    auto nameOf = [&](int pc) -> std::string {
        return (pc >= 0 && pc < 12) ? rootGridNames[static_cast<size_t>(pc)] : std::string();
    };

    std::vector<int> noteSet = chordTones;
    if (std::find(noteSet.begin(), noteSet.end(), bassIndex) == noteSet.end())
        noteSet.push_back(bassIndex);

    std::vector<std::string> names;
    for (size_t c = 0; c < noteSet.size(); ++c) {
        const int r = noteSet[c];
        const std::string slashBass = bassIndex == r ? std::string() : "/" + nameOf(bassIndex);
        AddNamesOn(r, noteSet, nameOf(r), slashBass, c == 0, names);
    }
    return AsListed(std::move(names));
}

} // namespace corvane
