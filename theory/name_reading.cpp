#include "theory/name_reading.h"

#include <algorithm>
#include <string>

#include "theory/catalogue.h"
#include "theory/interval_build.h"
#include "theory/notes.h"
#include "theory/plain_text.h"

namespace corvane {

namespace {
    constexpr std::string_view kSeparators = "/\\,(). ";

    // "maj7" is how most people write the major seventh; the list calls it "7+".
    constexpr std::string_view kMajorSeventhWord = "maj7";

    bool IsSeparator(std::string_view character)
    {
        return character.size() == 1 && kSeparators.find(character.front()) != std::string_view::npos;
    }

    char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

    // ASCII letters only: every byte of a multi-byte character is above 0x7f and compares exactly.
    bool EqualIgnoringCase(std::string_view a, std::string_view b)
    {
        return a.size() == b.size()
            && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldCase(x) == FoldCase(y); });
    }

    // The characters [from, from + count), clipped to the text, as one string.
    std::string Join(const std::vector<std::string_view>& characters, size_t from, size_t count)
    {
        std::string text;
        for (size_t i = from; i < characters.size() && i - from < count; ++i)
            text += characters[i];
        return text;
    }

    // The item a token names, compared without letter case, and the text that stands for it in
    // the name and in the interval build.
    struct Recognised {
        int item = -1;
        std::string_view text;
    };

    Recognised Recognise(std::string_view token)
    {
        if (EqualIgnoringCase(token, kMajorSeventhWord))
            return { kMajorSeventhItem, kExtensions[static_cast<size_t>(kMajorSeventhItem)].caption };
        for (int i = 0; i < kExtensionCount; ++i)
            if (EqualIgnoringCase(token, kExtensions[static_cast<size_t>(i)].caption))
                return { i, token };
        return {};
    }
}

std::vector<std::string_view> SplitCharacters(std::string_view text)
{
    std::vector<std::string_view> characters;
    for (size_t at = 0; at < text.size();) {
        const size_t length = std::max<size_t>(1, Utf8SequenceLength(text, at));
        characters.push_back(text.substr(at, length));
        at += length;
    }
    return characters;
}

namespace {
    // The root is the longest accepted name at the start; returns where the type begins.
    size_t ReadRoot(const std::vector<std::string_view>& characters, PitchClass& root)
    {
        root = PitchClassOfName(Join(characters, 0, 2));
        if (root != kNoPitch)
            return 2;
        root = PitchClassOfName(Join(characters, 0, 1));
        return 1;
    }

    // "Cm7" is read as "Cm/7", so that "m" stands as a token of its own; "Cmaj7" is not minor.
    void SeparateMinorMark(std::vector<std::string_view>& characters, size_t typeStart)
    {
        const auto at = [&](size_t i) { return i < characters.size() ? characters[i] : std::string_view(); };
        if (at(typeStart) == "m" && typeStart + 1 < characters.size() && !IsSeparator(at(typeStart + 1))
            && !(EqualIgnoringCase(at(typeStart + 1), "a") && EqualIgnoringCase(at(typeStart + 2), "j")))
            characters.insert(characters.begin() + static_cast<std::ptrdiff_t>(typeStart + 1), "/");
    }
}

NameReading ReadChordName(std::string_view text)
{
    NameReading reading;
    // The blank closes the last token. Positions below count characters from 0.
    const std::string work = std::string(text) + " ";
    std::vector<std::string_view> characters = SplitCharacters(work);
    const size_t typeStart = ReadRoot(characters, reading.root);
    reading.rewritten = Join(characters, 0, typeStart);
    SeparateMinorMark(characters, typeStart);

    // Only recognised tokens reach the name, each with the separator that ended it. The last token,
    // recognised or not, decides the bass grid's spelling and may be the bass.
    std::string token;
    std::string lastToken;
    bool lastRecognised = false;
    for (size_t i = typeStart; i < characters.size(); ++i) {
        if (!IsSeparator(characters[i])) {
            token += characters[i];
            continue;
        }
        if (token.empty())
            continue;
        const Recognised found = Recognise(token);
        if (found.item >= 0) {
            // "C/b5", not "Cb5", which would read as a flat root.
            if (!found.text.empty() && found.text.front() == 'b')
                reading.rewritten += '/';
            reading.rewritten += found.text;
            reading.rewritten += characters[i];
            reading.recognised.push_back({ found.item, std::string(found.text) });
            lastToken = found.text;
        } else {
            reading.unread.push_back(token);
            lastToken = token;
        }
        lastRecognised = found.item >= 0;
        token.clear();
    }

    if (!lastToken.empty())
        reading.bassSpelling = lastToken.find('b') != std::string::npos ? Spelling::Flat : Spelling::Sharp;
    reading.rootSpelling
        = Join(characters, 0, typeStart + 1).find('b') != std::string::npos ? Spelling::Flat : Spelling::Sharp;

    // Only the last token can be the bass, and only when it is exactly an accepted name.
    reading.bass = lastRecognised ? kNoPitch : PitchClassOfName(lastToken);
    if (reading.bass == kNoPitch) {
        reading.bass = reading.root;
    } else {
        reading.unread.pop_back();
        reading.rewritten += NoteName(reading.bass, *reading.bassSpelling);
    }
    return reading;
}

void ApplyNameReading(SelectionState& state, const NameReading& reading)
{
    state.checked.fill(false);
    state.checked[kMajorItem] = true;
    state.enabled.fill(true);
    state.bassGridEnabled = true;

    // The interval build compares captions exactly: "SUS4" is checked but changes nothing.
    ExtensionFlags typedExactly {};
    state.typeSuffix.clear();
    for (const RecognisedToken& token : reading.recognised) {
        const auto item = static_cast<size_t>(token.item);
        state.checked[item] = true;
        typedExactly[item] = typedExactly[item] || token.text == kExtensions[item].caption;
        state.typeSuffix += "/" + token.text;
    }
    // The leading slash goes even before "b", where a check-list change keeps it.
    if (!state.typeSuffix.empty())
        state.typeSuffix.erase(0, 1);

    state.rootSpelling = reading.rootSpelling;
    if (reading.bassSpelling)
        state.bassSpelling = *reading.bassSpelling;
    state.editText = reading.rewritten;
    state.rootIndex = reading.root;
    state.bassIndex = reading.bass;

    const IntervalBuild build
        = BuildIntervals(typedExactly, kExtensions[kMajorItem].code, static_cast<size_t>(NoteLimit(state)));
    for (size_t item = 0; item < build.refused.size(); ++item)
        if (build.refused[item])
            state.checked[item] = false;
    state.chordIntervals = build.intervals;
}

void SearchChordName(SelectionState& state) { ApplyNameReading(state, ReadChordName(state.editText)); }

} // namespace corvane
