#include "theory/notation.h"

#include <algorithm>
#include <array>
#include <set>

#include "theory/chord_symbol.h"
#include "theory/interval_list.h"

namespace corvane {

namespace {

    struct NotationNames {
        Notation notation;
        std::string_view word;
        std::string_view caption;
    };
    constexpr std::array<NotationNames, 6> kNotationNames { {
        { Notation::Parts, "parts", "As this program writes them" },
        { Notation::LeadSheet, "lead-sheet", "Lead sheet" },
        { Notation::German, "german", "German" },
        { Notation::Latin, "latin", "Latin" },
        { Notation::Nashville, "nashville", "Nashville numbers" },
        { Notation::Roman, "roman", "Roman numerals" },
    } };

    constexpr std::string_view kSharpSign = "\u266f"; // ♯
    constexpr std::string_view kFlatSign = "\u266d"; // ♭

    // The Latin names of the seven notes, by pitch class, with the spellings typed for them.
    struct LatinNote {
        PitchClass pc;
        std::string_view written;
        std::array<std::string_view, 6> typed;
    };
    constexpr std::array<LatinNote, 7> kLatinNotes { {
        { 0, "Do", { "Do", "do", "DO", "Do", "do", "DO" } },
        { 2, "R\u00e9", { "R\u00e9", "r\u00e9", "R\u00c9", "Re", "re", "RE" } },
        { 4, "Mi", { "Mi", "mi", "MI", "Mi", "mi", "MI" } },
        { 5, "Fa", { "Fa", "fa", "FA", "Fa", "fa", "FA" } },
        { 7, "Sol", { "Sol", "sol", "SOL", "Sol", "sol", "SOL" } },
        { 9, "La", { "La", "la", "LA", "La", "la", "LA" } },
        { 11, "Si", { "Si", "si", "SI", "Si", "si", "SI" } },
    } };

    // The degrees of the chromatic scale over the tonic: as numbers, and as numerals in capitals.
    constexpr std::array<std::string_view, 12> kDegreeNumbers { "1", "b2", "2", "b3", "3", "4", "#4", "5", "b6", "6",
        "b7", "7" };
    constexpr std::array<std::string_view, 12> kDegreeNumerals { "I", "\u266dII", "II", "\u266dIII", "III", "IV",
        "\u266fIV", "V", "\u266dVI", "VI", "\u266dVII", "VII" };
    // The major scale's steps, degree 1 to 7.
    constexpr std::array<int, 7> kScaleSteps { 0, 2, 4, 5, 7, 9, 11 };
    // The numerals, longest first so that VII is not read as V.
    struct Numeral {
        std::string_view upper;
        std::string_view lower;
        int degree;
    };
    constexpr std::array<Numeral, 7> kNumerals { {
        { "VII", "vii", 7 },
        { "VI", "vi", 6 },
        { "V", "v", 5 },
        { "IV", "iv", 4 },
        { "III", "iii", 3 },
        { "II", "ii", 2 },
        { "I", "i", 1 },
    } };

    bool StartsWith(std::string_view text, std::string_view word) { return text.substr(0, word.size()) == word; }

    // An accidental at the start: +1, -1, or 0; `length` its bytes.
    int Accidental(std::string_view text, size_t& length)
    {
        length = 1;
        if (StartsWith(text, "#"))
            return 1;
        if (StartsWith(text, "b"))
            return -1;
        length = kSharpSign.size();
        if (StartsWith(text, kSharpSign))
            return 1;
        if (StartsWith(text, kFlatSign))
            return -1;
        length = 0;
        return 0;
    }

    // A note read at the start of a text of the notation.
    struct ReadNote {
        PitchClass pc = kNoPitch;
        Spelling spelling = Spelling::Sharp;
        size_t length = 0;
        bool lowerNumeral = false; // a Roman numeral in small letters: a minor chord
    };

    ReadNote WithAccidental(std::string_view text, int pc, size_t length)
    {
        ReadNote note { pc, Spelling::Sharp, length };
        size_t accidentalLength = 0;
        if (const int step = Accidental(text.substr(length), accidentalLength)) {
            note.pc = (pc + step + 12) % 12;
            note.spelling = step < 0 ? Spelling::Flat : Spelling::Sharp;
            note.length += accidentalLength;
        }
        return note;
    }

    ReadNote ReadLetter(std::string_view text, bool german)
    {
        constexpr std::array<int, 8> kLetters { 9, 11, 0, 2, 4, 5, 7, 11 }; // A B C D E F G H
        if (text.empty() || text[0] < 'A' || text[0] > 'H')
            return {};
        if (german && text[0] == 'B') {
            // B is the B flat; B with an accidental moves from there.
            ReadNote note = WithAccidental(text, 10, 1);
            if (note.length == 1)
                note.spelling = Spelling::Flat;
            return note;
        }
        return WithAccidental(text, kLetters[static_cast<size_t>(text[0] - 'A')], 1);
    }

    ReadNote ReadLatin(std::string_view text)
    {
        // Longest first among the spellings of one note; the notes share no first letters that
        // would make one a prefix of another's.
        for (const LatinNote& note : kLatinNotes)
            for (std::string_view typed : note.typed)
                if (StartsWith(text, typed))
                    return WithAccidental(text, note.pc, typed.size());
        return {};
    }

    // A flattened degree is spelled with a flat (the flat seventh of C is Bb), a sharpened one with
    // a sharp, the scale's own degrees as the key spells them.
    Spelling SpellingOfStep(int step, const NotationKey& key)
    {
        return step < 0 ? Spelling::Flat : step > 0 ? Spelling::Sharp : key.spelling;
    }

    // An accidental, then a degree 1..7.
    ReadNote ReadDegree(std::string_view text, const NotationKey& key)
    {
        size_t length = 0;
        const int step = Accidental(text, length);
        const std::string_view rest = text.substr(length);
        if (rest.empty() || rest[0] < '1' || rest[0] > '7')
            return {};
        const int degree = rest[0] - '1';
        const PitchClass pc = (key.tonic + kScaleSteps[static_cast<size_t>(degree)] + step + 12) % 12;
        return { pc, SpellingOfStep(step, key), length + 1 };
    }

    ReadNote ReadNumeral(std::string_view text, const NotationKey& key)
    {
        size_t length = 0;
        const int step = Accidental(text, length);
        const std::string_view rest = text.substr(length);
        for (const Numeral& numeral : kNumerals) {
            const bool upper = StartsWith(rest, numeral.upper);
            if (!upper && !StartsWith(rest, numeral.lower))
                continue;
            const PitchClass pc = (key.tonic + kScaleSteps[static_cast<size_t>(numeral.degree - 1)] + step + 12) % 12;
            ReadNote note { pc, SpellingOfStep(step, key), length + numeral.upper.size() };
            note.lowerNumeral = !upper;
            return note;
        }
        return {};
    }

    ReadNote ReadRoot(std::string_view text, Notation notation, const std::optional<NotationKey>& key)
    {
        switch (notation) {
        case Notation::Parts:
        case Notation::LeadSheet:
            return ReadLetter(text, false);
        case Notation::German:
            return ReadLetter(text, true);
        case Notation::Latin:
            return ReadLatin(text);
        case Notation::Nashville:
            return key ? ReadDegree(text, *key) : ReadNote {};
        case Notation::Roman:
            return key ? ReadNumeral(text, *key) : ReadNote {};
        }
        return {};
    }

    // The bass of Nashville and Roman chords is a number: "I/3" and "1/3" stand on the third.
    ReadNote ReadBass(std::string_view text, Notation notation, const std::optional<NotationKey>& key)
    {
        if (notation == Notation::Roman)
            return key ? ReadDegree(text, *key) : ReadNote {};
        return ReadRoot(text, notation, key);
    }

    // A suffix in small-letter numerals: the minor "m" goes into the numeral's case, and the
    // diminished and half-diminished chords take their signs (vii°, viiø7).
    bool StartsMinor(std::string_view suffix) { return StartsWith(suffix, "m") && !StartsWith(suffix, "maj"); }

    std::string Lower(std::string_view numeral)
    {
        std::string out(numeral);
        for (char& c : out)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return out;
    }

    std::string RomanChord(PitchClass root, const std::string& suffix, const NotationKey& key)
    {
        const std::string_view numeral = kDegreeNumerals[static_cast<size_t>((root - key.tonic + 12) % 12)];
        if (StartsWith(suffix, "m7b5"))
            return Lower(numeral) + "\u00f87" + suffix.substr(4);
        if (StartsWith(suffix, "dim"))
            return Lower(numeral) + "\u00b0" + suffix.substr(3);
        if (StartsMinor(suffix))
            return Lower(numeral) + suffix.substr(1);
        if (StartsWith(suffix, "aug"))
            return std::string(numeral) + "+" + suffix.substr(3);
        return std::string(numeral) + suffix;
    }

    Spelling SpellingOf(const std::array<std::string, 12>& rootGridNames)
    {
        return rootGridNames[1] == NoteName(1, Spelling::Flat) ? Spelling::Flat : Spelling::Sharp;
    }

    // The root a listed name starts with, in the grid's names; kNoPitch when it starts with none.
    PitchClass RootOfListed(std::string_view name, const std::array<std::string, 12>& rootGridNames)
    {
        PitchClass found = kNoPitch;
        size_t longest = 0;
        for (int pc = 0; pc < 12; ++pc) {
            const std::string& grid = rootGridNames[static_cast<size_t>(pc)];
            if (!grid.empty() && grid.size() > longest && StartsWith(name, grid)) {
                found = pc;
                longest = grid.size();
            }
        }
        return found;
    }

    std::vector<int> IntervalsOver(PitchClass root, const std::vector<int>& noteSet, PitchClass bass)
    {
        std::set<int> notes;
        for (int n : noteSet)
            notes.insert(((n - root) % 12 + 12) % 12);
        if (bass >= 0 && bass < 12)
            notes.insert(((bass - root) % 12 + 12) % 12);
        return { notes.begin(), notes.end() };
    }

} // namespace

std::string_view NotationWord(Notation notation)
{
    for (const NotationNames& names : kNotationNames)
        if (names.notation == notation)
            return names.word;
    return {};
}

std::optional<Notation> ParseNotation(std::string_view word)
{
    for (const NotationNames& names : kNotationNames)
        if (names.word == word)
            return names.notation;
    return std::nullopt;
}

std::string_view NotationCaption(Notation notation)
{
    for (const NotationNames& names : kNotationNames)
        if (names.notation == notation)
            return names.caption;
    return {};
}

NotationKey KeyOf(PitchClass tonic, bool minor)
{
    const PitchClass major = minor ? (tonic + 3) % 12 : tonic;
    const bool flat = major == 1 || major == 3 || major == 5 || major == 8 || major == 10;
    return { tonic, minor, flat ? Spelling::Flat : Spelling::Sharp };
}

std::string NoteIn(PitchClass pc, Notation notation, Spelling spelling, const std::optional<NotationKey>& key)
{
    if (pc < 0 || pc > 11)
        return {};
    switch (notation) {
    case Notation::Parts:
    case Notation::LeadSheet:
        return std::string(NoteName(pc, spelling));
    case Notation::German:
        if (pc == 11)
            return "H";
        if (pc == 10)
            return "B";
        return std::string(NoteName(pc, spelling));
    case Notation::Latin: {
        const auto natural = std::find_if(
            kLatinNotes.begin(), kLatinNotes.end(), [pc](const LatinNote& note) { return note.pc == pc; });
        if (natural != kLatinNotes.end())
            return std::string(natural->written);
        const PitchClass below = (pc + 11) % 12;
        const PitchClass above = (pc + 1) % 12;
        const auto find = [](PitchClass p) {
            return std::find_if(
                kLatinNotes.begin(), kLatinNotes.end(), [p](const LatinNote& note) { return note.pc == p; });
        };
        return spelling == Spelling::Sharp ? std::string(find(below)->written) + std::string(kSharpSign)
                                           : std::string(find(above)->written) + std::string(kFlatSign);
    }
    case Notation::Nashville:
        return key ? std::string(kDegreeNumbers[static_cast<size_t>((pc - key->tonic + 12) % 12)]) : std::string();
    case Notation::Roman:
        return key ? std::string(kDegreeNumerals[static_cast<size_t>((pc - key->tonic + 12) % 12)]) : std::string();
    }
    return {};
}

std::optional<std::string> WriteChordIn(PitchClass root, const std::vector<int>& intervals, PitchClass bass,
    Spelling spelling, Notation notation, const std::optional<NotationKey>& key)
{
    if (root < 0 || root > 11 || (CountsFromKey(notation) && !key))
        return std::nullopt;
    const auto suffix = LeadSheetSuffix(intervals);
    if (!suffix)
        return std::nullopt;
    std::string text = notation == Notation::Roman ? RomanChord(root, *suffix, *key)
                                                   : NoteIn(root, notation, spelling, key) + *suffix;
    if (bass >= 0 && bass <= 11 && bass != root) {
        const Notation bassNotation = notation == Notation::Roman ? Notation::Nashville : notation;
        text += "/" + NoteIn(bass, bassNotation, spelling, key);
    }
    return text;
}

std::optional<std::string> LettersOf(std::string_view text, Notation notation, const std::optional<NotationKey>& key)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    const ReadNote root = ReadRoot(text, notation, key);
    if (root.pc == kNoPitch)
        return std::nullopt;
    const Spelling letters = root.spelling;
    std::string_view body = text.substr(root.length);
    std::string bassText;
    if (const size_t slash = body.rfind('/'); slash != std::string_view::npos) {
        const std::string_view after = body.substr(slash + 1);
        const ReadNote bass = ReadBass(after, notation, key);
        if (bass.pc != kNoPitch && bass.length == after.size()) {
            bassText = "/" + std::string(NoteName(bass.pc, bass.spelling));
            body = body.substr(0, slash);
        }
    }
    std::string out(NoteName(root.pc, letters));
    if (root.lowerNumeral) {
        const bool signed_ = StartsWith(body, "\u00b0") || StartsWith(body, "\u00f8") || StartsWith(body, "o")
            || StartsWith(body, "h") || StartsWith(body, "dim");
        if (!signed_)
            out += "m";
    }
    return out + std::string(body) + bassText;
}

LeadSheetChord ReadChordIn(std::string_view text, Notation notation, const std::optional<NotationKey>& key)
{
    if (notation == Notation::Parts || notation == Notation::LeadSheet)
        return ReadLeadSheetChord(text);
    const auto letters = LettersOf(text, notation, key);
    if (!letters) {
        LeadSheetChord unread;
        if (!TrimBlanks(text).empty())
            unread.unread.emplace_back(TrimBlanks(text));
        return unread;
    }
    return ReadLeadSheetChord(*letters);
}

std::vector<std::string> NamesIn(const std::vector<std::string>& listed, const std::vector<int>& noteSet,
    PitchClass bass, const std::array<std::string, 12>& rootGridNames, Notation notation,
    const std::optional<NotationKey>& key)
{
    if (notation == Notation::Parts)
        return listed;
    std::vector<std::string> out;
    std::vector<PitchClass> roots;
    for (const std::string& name : listed) {
        const PitchClass root = RootOfListed(name, rootGridNames);
        if (root == kNoPitch || std::find(roots.begin(), roots.end(), root) != roots.end())
            continue;
        roots.push_back(root);
        const auto written
            = WriteChordIn(root, IntervalsOver(root, noteSet, bass), bass, SpellingOf(rootGridNames), notation, key);
        out.push_back(written ? *written : name);
    }
    return out;
}

std::vector<std::string> NamesListIn(const std::vector<std::string>& listed, PitchClass root,
    const std::vector<int>& noteSet, PitchClass bass, const std::array<std::string, 12>& rootGridNames,
    Notation notation, const std::optional<NotationKey>& key)
{
    const auto named = [](PitchClass pc) { return pc >= 0 && pc <= 11; };
    if (!named(root) && !named(bass))
        return {};
    return NamesIn(listed, noteSet, bass, rootGridNames, notation, key);
}

std::string ListedNameIn(const std::vector<std::string>& listed, std::string_view name, const std::vector<int>& noteSet,
    PitchClass bass, const std::array<std::string, 12>& rootGridNames, Notation notation,
    const std::optional<NotationKey>& key)
{
    if (notation == Notation::Parts)
        return std::string(name);
    const PitchClass root = RootOfListed(name, rootGridNames);
    const auto first = std::find_if(listed.begin(), listed.end(),
        [&](const std::string& other) { return root != kNoPitch && RootOfListed(other, rootGridNames) == root; });
    return NameIn(first != listed.end() ? std::string_view(*first) : name, noteSet, bass, rootGridNames, notation, key);
}

std::string NameIn(std::string_view name, const std::vector<int>& noteSet, PitchClass bass,
    const std::array<std::string, 12>& rootGridNames, Notation notation, const std::optional<NotationKey>& key)
{
    if (notation == Notation::Parts)
        return std::string(name);
    const PitchClass root = RootOfListed(name, rootGridNames);
    if (root == kNoPitch)
        return std::string(name);
    const auto written
        = WriteChordIn(root, IntervalsOver(root, noteSet, bass), bass, SpellingOf(rootGridNames), notation, key);
    return written ? *written : std::string(name);
}

} // namespace corvane
