#include "theory/interval_build.h"

namespace corvane {

namespace {
    void RemoveFirst(std::string& text, std::string_view what)
    {
        const size_t at = text.find(what);
        if (at != std::string::npos)
            text.erase(at, what.size());
    }
}

IntervalBuild BuildIntervals(const ExtensionFlags& ticked, std::string_view base, size_t limit)
{
    IntervalBuild build;
    std::string chord(base);
    for (size_t i = 0; i < kExtensions.size(); ++i)
        if (ticked[i] && KindOfCode(kExtensions[i].code) == CodeKind::Full)
            chord = std::string(kExtensions[i].code);

    // Added intervals go after every replaced fifth and third: "sus4" with "7" gives 00 07 05 10.
    std::string added;
    for (size_t i = kMinorItem; i < kExtensions.size(); ++i) {
        const std::string_view code = kExtensions[i].code;
        const CodeKind kind = KindOfCode(code);
        if (!ticked[i] || kind == CodeKind::Full)
            continue;
        std::string entry;
        if (kind == CodeKind::Add) {
            entry = std::string(code);
        } else {
            RemoveFirst(chord, kind == CodeKind::Fifth ? " 07" : " 04");
            entry = " " + std::string(code.substr(1, 2));
        }
        // Every entry after the first is a blank and two digits, so a plain search finds exactly it.
        if ((chord + added).find(entry) != std::string::npos)
            continue;
        if (chord.size() + added.size() < limit)
            (kind == CodeKind::Add ? added : chord) += entry;
        else
            build.refused[i] = true;
    }
    build.intervals = chord + added;
    return build;
}

} // namespace corvane
