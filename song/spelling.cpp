#include "song/spelling.h"

#include <array>

namespace corvane {

namespace {

    constexpr std::array<PitchClass, 7> kNaturals { 0, 2, 4, 5, 7, 9, 11 };
    constexpr std::string_view kLetters = "CDEFGAB";

    // Steps of the scale from the tonic to each chromatic note: the b2, b3, #4, b6 and b7 take the
    // letter of the degree they alter.
    constexpr std::array<int, 12> kDegreeSteps { 0, 1, 1, 2, 2, 3, 3, 4, 5, 5, 6, 6 };

    // The names players give keys, by tonic.
    constexpr std::array<std::string_view, 12> kMajorKeys { "C", "Db", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb",
        "B" };
    constexpr std::array<std::string_view, 12> kMinorKeys { "C", "C#", "D", "Eb", "E", "F", "F#", "G", "G#", "A", "Bb",
        "B" };

    int Mod12(int value) { return ((value % 12) + 12) % 12; }

    // -1, 0 or +1 for "b", nothing or "#" after a letter: how far the name is from the natural.
    int Alteration(const MusicalKey& key)
    {
        return ((key.tonic - kNaturals[static_cast<size_t>(key.letter)] + 18) % 12) - 6;
    }

    // A note name at the start of the text: the letter, and one sharp or flat in ASCII or as the
    // music sign. Returns the bytes read, 0 when there is no note.
    size_t ReadNote(std::string_view text, PitchClass& pc, int& letter)
    {
        if (text.empty())
            return 0;
        const auto found = kLetters.find(text.front());
        if (found == std::string_view::npos)
            return 0;
        letter = static_cast<int>(found);
        pc = kNaturals[found];
        text.remove_prefix(1);
        if (text.starts_with('#')) {
            pc = Mod12(pc + 1);
            return 2;
        }
        if (text.starts_with('b')) {
            pc = Mod12(pc - 1);
            return 2;
        }
        if (text.starts_with("\u266F")) {
            pc = Mod12(pc + 1);
            return 1 + std::string_view("\u266F").size();
        }
        if (text.starts_with("\u266D")) {
            pc = Mod12(pc - 1);
            return 1 + std::string_view("\u266D").size();
        }
        return 1;
    }

    bool FlatSide(const MusicalKey& key)
    {
        if (Alteration(key) < 0)
            return true;
        if (Alteration(key) > 0)
            return false;
        // F major, and D, G, C and F minor, have flats though their tonics have none.
        const char letter = kLetters[static_cast<size_t>(key.letter)];
        return key.minor ? (letter == 'D' || letter == 'G' || letter == 'C' || letter == 'F') : letter == 'F';
    }

    MusicalKey KeyFromName(std::string_view name, bool minor)
    {
        MusicalKey key;
        key.minor = minor;
        ReadNote(name, key.tonic, key.letter);
        return key;
    }

} // namespace

std::optional<MusicalKey> ReadKey(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    MusicalKey key;
    const size_t used = ReadNote(text, key.tonic, key.letter);
    if (used == 0)
        return std::nullopt;
    std::string_view mode = text.substr(used);
    while (!mode.empty() && mode.front() == ' ')
        mode.remove_prefix(1);
    if (mode == "m" || mode == "min" || mode == "minor" || mode == "-")
        key.minor = true;
    else if (!(mode.empty() || mode == "maj" || mode == "major" || mode == "M"))
        return std::nullopt;
    return key;
}

std::optional<MusicalKey> KeyOfChord(std::string_view chordName)
{
    MusicalKey key;
    const size_t used = ReadNote(chordName, key.tonic, key.letter);
    if (used == 0)
        return std::nullopt;
    const std::string_view rest = chordName.substr(used);
    key.minor = (rest.starts_with('m') && !rest.starts_with("maj")) || rest.starts_with('-');
    return key;
}

std::string KeyName(const MusicalKey& key)
{
    std::string name(1, kLetters[static_cast<size_t>(key.letter)]);
    const int alteration = Alteration(key);
    if (alteration > 0)
        name.append(static_cast<size_t>(alteration), '#');
    else if (alteration < 0)
        name.append(static_cast<size_t>(-alteration), 'b');
    return key.minor ? name + "m" : name;
}

MusicalKey TransposeKey(const MusicalKey& key, int semitones)
{
    const auto tonic = static_cast<size_t>(Mod12(key.tonic + semitones));
    return KeyFromName(key.minor ? kMinorKeys[tonic] : kMajorKeys[tonic], key.minor);
}

std::string SpellNote(PitchClass pc, const MusicalKey& key)
{
    pc = Mod12(pc);
    const int steps = kDegreeSteps[static_cast<size_t>(Mod12(pc - key.tonic))];
    const auto letter = static_cast<size_t>((key.letter + steps) % 7);
    const int alteration = ((pc - kNaturals[letter] + 18) % 12) - 6;
    const char name = kLetters[letter];
    const bool odd
        = (alteration == 1 && (name == 'E' || name == 'B')) || (alteration == -1 && (name == 'C' || name == 'F'));
    if (alteration == 0)
        return std::string(1, name);
    if (alteration == 1 && !odd)
        return std::string(1, name) + "#";
    if (alteration == -1 && !odd)
        return std::string(1, name) + "b";
    return std::string(NoteName(pc, FlatSide(key) ? Spelling::Flat : Spelling::Sharp));
}

std::optional<ChordNameParts> SplitChordName(std::string_view name)
{
    ChordNameParts parts;
    int letter = 0;
    const size_t used = ReadNote(name, parts.root, letter);
    if (used == 0)
        return std::nullopt;
    parts.suffix = name.substr(used);
    const auto slash = parts.suffix.rfind('/');
    if (slash != std::string_view::npos) {
        PitchClass bass = kNoPitch;
        const std::string_view after = parts.suffix.substr(slash + 1);
        const size_t used = ReadNote(after, bass, letter);
        if (used > 0 && used == after.size()) {
            parts.bass = bass;
            parts.suffix = parts.suffix.substr(0, slash);
        }
    }
    return parts;
}

std::string TransposeChordName(std::string_view name, int semitones, const MusicalKey& key)
{
    const auto parts = SplitChordName(name);
    if (!parts)
        return std::string(name);
    std::string out = SpellNote(parts->root + semitones, key) + std::string(parts->suffix);
    if (parts->bass != kNoPitch)
        out += "/" + SpellNote(parts->bass + semitones, key);
    return out;
}

} // namespace corvane
