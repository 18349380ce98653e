#include "theory/catalogue.h"

#include "theory/interval_list.h"

namespace corvane {

// clang-format off
constexpr std::array<Extension, kExtensionCount> kExtensions { {
    { "",       "00 04 07" },
    { "m",      "00 03 07" },
    { "aug",    "508" },
    { "dim",    "00 03 06 09" },
    { "º",      "00 03 06 09" },
    { "2",      " 02" },
    { "4-",     " 04" },
    { "4",      " 05" },
    { "4+",     " 06" },
    { "5-",     "506" },
    { "5",      "00 07" },
    { "5+",     "508" },
    { "6-",     " 08" },
    { "6",      " 09" },
    { "6+",     " 10" },
    { "7",      " 10" },
    { "7+",     " 11" },
    { "9-",     " 01" },
    { "9",      " 02" },
    { "9+",     " 03" },
    { "11-",    " 04" },
    { "11",     " 05" },
    { "11+",    " 06" },
    { "13-",    " 08" },
    { "13",     " 09" },
    { "13+",    " 10" },
    { "add4-",  " 04" },
    { "add4",   " 05" },
    { "add4+",  " 06" },
    { "add6-",  " 08" },
    { "add6",   " 09" },
    { "add6+",  " 10" },
    { "add9-",  " 01" },
    { "add9",   " 02" },
    { "add9+",  " 03" },
    { "add11-", " 04" },
    { "add11",  " 05" },
    { "add11+", " 06" },
    { "add13-", " 08" },
    { "add13",  " 09" },
    { "add13+", " 10" },
    { "b4",     " 04" },
    { "b5",     "506" },
    { "b6",     " 08" },
    { "b9",     " 01" },
    { "b11",    " 04" },
    { "b13",    " 08" },
    { "sus2",   "302" },
    { "sus4",   "305" },
    { "sus9",   "302" },
    { "sus11",  "305" },
} };

const std::array<ChordType, kChordTypeCount> kChordTypes { {
    { " ",      "00 04 07" },
    { "º",      "00 03 06 09" },
    { "aug",    "00 04 08" },
    { "add4",   "00 04 05 07" },
    { "add9",   "00 02 04 07" },
    { "add11",  "00 04 05 07" },
    { "2",      "00 02 04 07" },
    { "4",      "00 05 07" },
    { "4/7",    "00 04 05 07 10" },
    { "5",      "00 07" },
    { "5-",     "00 04 06" },
    { "5+",     "00 04 08" },
    { "6",      "00 04 07 09" },
    { "6-",     "00 04 07 08" },
    { "6+",     "00 04 07 10" },
    { "7",      "00 04 07 10" },
    { "7/4",    "00 04 05 07 10" },
    { "7/9",    "00 02 04 07 10" },
    { "7/11",   "00 05 07 10" },
    { "7/sus4", "00 05 07 10" },
    { "7+",     "00 04 07 11" },
    { "9",      "00 02 04 07" },
    { "9/7",    "00 02 04 07 10" },
    { "11",     "00 05 07" },
    { "11/7",   "00 05 07 10" },
    { "sus2",   "00 02 07" },
    { "sus4",   "00 05 07" },
    { "sus4/7", "00 05 07 10" },
    { "sus9",   "00 02 07" },
    { "m7",     "00 03 07 10" },
    { "m7/5-",  "00 03 06 10" },
    { "m9",     "00 02 03 07" },
    { "m11",    "00 03 05 07" },
    { "m6",     "00 03 07 09" },
    { "m7/9",   "00 02 03 07 10" },
} };
// clang-format on

static_assert(kExtensions[kMajorItem].caption.empty() && kExtensions[kMinorItem].caption == "m"
    && kExtensions[kAugItem].caption == "aug" && kExtensions[kDimItem].caption == "dim"
    && kExtensions[kFlatFifthItem].caption == "5-" && kExtensions[kSharpFifthItem].caption == "5+"
    && kExtensions[kMajorSeventhItem].caption == "7+");

CodeKind KindOfCode(std::string_view code)
{
    if (code.size() > 3)
        return CodeKind::Full;
    if (!code.empty() && code.front() == '5')
        return CodeKind::Fifth;
    if (!code.empty() && code.front() == '3')
        return CodeKind::Third;
    return CodeKind::Add;
}

std::optional<int> FindExtension(std::string_view caption)
{
    for (int i = 0; i < kExtensionCount; ++i)
        if (kExtensions[static_cast<size_t>(i)].caption == caption)
            return i;
    return std::nullopt;
}

std::optional<int> FindChordType(std::string_view name)
{
    const std::string_view wanted = TrimBlanks(name);
    for (int i = 0; i < kChordTypeCount; ++i)
        if (TrimBlanks(kChordTypes[static_cast<size_t>(i)].name) == wanted)
            return i;
    return std::nullopt;
}

} // namespace corvane
