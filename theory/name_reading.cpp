#include "theory/name_reading.h"

#include <algorithm>
#include <string>

#include "theory/catalogue.h"
#include "theory/notes.h"

namespace corvane {

namespace {
    constexpr std::string_view kSeparators = "/\\,(). ";

    // "maj7" is how most people write the major seventh; the list calls it "7+".
    constexpr std::string_view kMajorSeventhWord = "maj7";
    constexpr int kMajorSeventhItem = 16;

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

    // Length of the well-formed UTF-8 sequence starting at `at`, or 1 when there is none.
    size_t SequenceLength(std::string_view text, size_t at)
    {
        const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
        const unsigned char lead = byte(at);
        size_t length = 1;
        unsigned char low = 0x80; // allowed range of the second byte; the others are always 80..bf
        unsigned char high = 0xbf;
        if (lead < 0x80)
            return 1;
        if (lead >= 0xc2 && lead <= 0xdf) {
            length = 2;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            length = 3;
            if (lead == 0xe0)
                low = 0xa0; // overlong
            if (lead == 0xed)
                high = 0x9f; // surrogates
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4;
            if (lead == 0xf0)
                low = 0x90; // overlong
            if (lead == 0xf4)
                high = 0x8f; // above U+10FFFF
        } else {
            return 1;
        }
        if (length > text.size() - at)
            return 1;
        for (size_t k = 1; k < length; ++k) {
            const unsigned char c = byte(at + k);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xbf))
                return 1;
        }
        return length;
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

    void RemoveFirst(std::string& text, std::string_view what)
    {
        const size_t at = text.find(what);
        if (at != std::string::npos)
            text.erase(at, what.size());
    }
}

std::vector<std::string_view> SplitCharacters(std::string_view text)
{
    std::vector<std::string_view> characters;
    for (size_t at = 0; at < text.size();) {
        const size_t length = SequenceLength(text, at);
        characters.push_back(text.substr(at, length));
        at += length;
    }
    return characters;
}

void SearchChordName(SelectionState& state)
{
    state.typeSuffix.clear();
    state.bassGridEnabled = true;
    state.checked.fill(false);
    state.checked[0] = true;
    state.enabled.fill(true);

    // The blank closes the last token. Positions below count characters from 0.
    const std::string work = state.editText + " ";
    std::vector<std::string_view> characters = SplitCharacters(work);

    // The root is the longest accepted name at the start; `typeStart` is where the type begins.
    size_t typeStart = 2;
    PitchClass root = PitchClassOfName(Join(characters, 0, 2));
    if (root == kNoPitch) {
        root = PitchClassOfName(Join(characters, 0, 1));
        typeStart = 1;
    }
    std::string rewritten = Join(characters, 0, typeStart);

    // "Cm7" is read as "Cm/7", so that "m" stands as a token of its own; "Cmaj7" is not minor.
    const auto at = [&](size_t i) { return i < characters.size() ? characters[i] : std::string_view(); };
    if (at(typeStart) == "m" && typeStart + 1 < characters.size() && !IsSeparator(at(typeStart + 1))
        && !(EqualIgnoringCase(at(typeStart + 1), "a") && EqualIgnoringCase(at(typeStart + 2), "j")))
        characters.insert(characters.begin() + static_cast<std::ptrdiff_t>(typeStart + 1), "/");

    // Every token is kept for the bass and the spelling; only recognised ones reach the name, each
    // with the separator that ended it.
    std::vector<std::string> tokens;
    std::string token;
    for (size_t i = typeStart; i < characters.size(); ++i) {
        if (!IsSeparator(characters[i])) {
            token += characters[i];
            continue;
        }
        if (!token.empty()) {
            const Recognised found = Recognise(token);
            if (found.item >= 0) {
                // "C/b5", not "Cb5", which would read as a flat root.
                if (!found.text.empty() && found.text.front() == 'b')
                    rewritten += '/';
                rewritten += found.text;
                rewritten += characters[i];
                state.checked[static_cast<size_t>(found.item)] = true;
                state.typeSuffix += '/';
                state.typeSuffix += found.text;
                tokens.emplace_back(found.text);
            } else {
                tokens.push_back(token);
            }
        }
        token.clear();
    }

    if (!tokens.empty())
        state.bassSpelling = tokens.back().find('b') != std::string::npos ? Spelling::Flat : Spelling::Sharp;
    state.rootSpelling
        = Join(characters, 0, typeStart + 1).find('b') != std::string::npos ? Spelling::Flat : Spelling::Sharp;

    // Only the last token can be the bass, and only when it is exactly an accepted name.
    PitchClass bass = tokens.empty() ? kNoPitch : PitchClassOfName(tokens.back());
    if (bass == kNoPitch) {
        bass = root;
    } else {
        tokens.pop_back();
        rewritten += NoteName(bass, state.bassSpelling);
    }

    state.editText = std::move(rewritten);
    state.rootIndex = root;
    state.bassIndex = bass;

    // The interval build compares captions exactly: "SUS4" is checked above but changes nothing.
    const auto typed
        = [&](std::string_view caption) { return std::find(tokens.begin(), tokens.end(), caption) != tokens.end(); };
    std::string base = "00 04 07";
    std::string added;
    for (const Extension& extension : kExtensions)
        if (KindOfCode(extension.code) == CodeKind::Full && typed(extension.caption))
            base = std::string(extension.code);

    const size_t limit = static_cast<size_t>(NoteLimit(state));
    for (int item = 1; item < kExtensionCount; ++item) {
        const Extension& extension = kExtensions[static_cast<size_t>(item)];
        const CodeKind kind = KindOfCode(extension.code);
        if (kind == CodeKind::Full || !typed(extension.caption))
            continue;
        std::string entry;
        if (kind == CodeKind::Add) {
            entry = std::string(extension.code);
        } else {
            RemoveFirst(base, kind == CodeKind::Fifth ? " 07" : " 04");
            entry = " " + std::string(extension.code.substr(1, 2));
        }
        const std::string chord = base + added;
        if (chord.find(entry) != std::string::npos)
            continue;
        if (chord.size() < limit)
            (kind == CodeKind::Add ? added : base) += entry;
        else
            state.checked[static_cast<size_t>(item)] = false;
    }
    state.chordIntervals = base + added;

    // The leading slash goes even before "b", where a check-list change keeps it.
    if (!state.typeSuffix.empty())
        state.typeSuffix.erase(0, 1);
}

} // namespace corvane
