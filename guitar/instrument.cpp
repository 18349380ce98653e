// The built-in instruments, their tunings and shapes, and tunings typed as notes.
#include "guitar/instrument.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "guitar/easy_shapes.h"
#include "theory/notes.h"
#include "theory/plain_text.h"

namespace corvane {

namespace {

    // MIDI numbers by name, C4 = 60.
    constexpr int C3 = 48, D3 = 50, G3 = 55, B3 = 59;
    constexpr int C4 = 60, D4 = 62, E4 = 64, Fs4 = 66, G4 = 67, A4 = 69, B4 = 71;
    constexpr int B1 = 35, E2 = 40, A2 = 45, E5 = 76;

    // The shapes of each instrument, as its players learn them, lowest string first as held. The
    // four-string instruments never carry barre marks: four fingers always suffice without one.
    // clang-format off
    constexpr std::string_view kUkuleleShapes =
        "0 0 0 3 , 2 0 0 0 , 2 0 1 0 , 0 2 3 2 , 2 2 1 0 , 0 4 3 2 , 2 2 2 0 , 2 1 0 0 , 1 2 0 2 , "
        "0 2 1 2 , 0 0 0 1 , 0 1 0 0 , 2 2 2 3 , 3 2 1 1 , 1 0 1 3 , 0 3 3 3 , 0 2 3 1 , 4 2 2 2 , "
        "2 3 2 2 , 0 0 0 0 , 2 2 1 3 , 0 2 0 2 , 0 0 0 2 , 4 4 4 2 , 1 1 1 4 , 0 3 3 1 , 2 1 2 0 ";
    constexpr std::string_view kBaritoneUkuleleShapes =
        "0 0 0 3 , 2 0 1 0 , 0 2 3 2 , 2 0 0 0 , 2 2 1 0 , 0 2 3 1 , 2 1 0 0 , 2 2 2 0 , 3 2 1 1 , "
        "4 4 3 2 , 0 2 1 2 , 0 0 0 1 , 2 2 2 3 , 0 1 0 0 , 2 3 1 3 , 2 2 1 3 , 0 0 0 0 , 3 2 1 0 , 1 2 0 2 ";
    constexpr std::string_view kTenorGuitarShapes =
        "0 0 2 3 , 0 2 3 0 , 2 0 0 2 , 2 2 4 5 , 0 2 2 0 , 1 2 2 0 , 4 0 2 2 , 2 2 3 5 , 4 1 2 2 ";
    constexpr std::string_view kMandolinShapes =
        "0 0 2 3 , 0 2 3 0 , 2 0 0 2 , 2 2 4 5 , 0 2 2 0 , 2 2 3 5 , 2 0 0 1 , 1 2 2 4 , 5 3 0 1 , "
        "4 0 2 2 , 0 0 2 1 , 2 0 3 2 , 2 2 4 3 , 3 0 1 1 , 0 0 1 3 , 0 1 3 3 , 2 4 4 2 , 2 2 4 0 , 1 2 2 0 ";
    // clang-format on

    // The seven-string guitar's shapes are the six-string guitar's with the low B muted.
    std::string_view SevenStringShapes()
    {
        static const std::string shapes = [] {
            std::string text;
            size_t at = 0;
            while (at < kEasyShapes.size()) {
                size_t end = kEasyShapes.find(',', at);
                if (end == std::string_view::npos)
                    end = kEasyShapes.size();
                std::string_view shape = kEasyShapes.substr(at, end - at);
                shape.remove_prefix(std::min(shape.find_first_not_of(' '), shape.size()));
                if (!shape.empty())
                    text += (text.empty() ? "99 " : ", 99 ") + std::string(shape);
                at = end + 1;
            }
            return text;
        }();
        return shapes;
    }

    std::string UsualCaption(std::string_view caption)
    {
        std::string text(caption);
        if (const size_t at = text.find("Tunning"); at != std::string::npos)
            text.replace(at, 7, "Tuning");
        return text;
    }

    std::vector<InstrumentTuning> GuitarTunings()
    {
        std::vector<InstrumentTuning> tunings;
        for (const TuningPreset& preset : kTuningPresets)
            tunings.push_back({ UsualCaption(preset.menuCaption), GuitarOpenStrings(preset.pitchClasses) });
        return tunings;
    }

    std::string Folded(std::string_view text)
    {
        std::string folded;
        for (char c : text)
            if (c != ' ' && c != '-' && c != '_')
                folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return folded;
    }

    struct NoteWord {
        PitchClass pc = 0;
        std::optional<int> midi; // when an octave was given
    };

    std::optional<NoteWord> ReadNoteWord(std::string_view word)
    {
        if (const auto pc = ParseNoteArgument(word))
            return NoteWord { *pc, std::nullopt };
        // A name followed by an octave 0..9.
        if (word.size() < 2 || !std::isdigit(static_cast<unsigned char>(word.back())))
            return std::nullopt;
        const std::string_view name = word.substr(0, word.size() - 1);
        if (name.empty() || std::isdigit(static_cast<unsigned char>(name.front())))
            return std::nullopt;
        const auto pc = ParseNoteArgument(name);
        if (!pc)
            return std::nullopt;
        const int octave = word.back() - '0';
        return NoteWord { *pc, (octave + 1) * 12 + *pc };
    }

    // The note of the pitch class from 6 semitones below `near` to 5 above.
    int Nearest(PitchClass pc, int near)
    {
        const int lowest = near - 6;
        return lowest + ((pc - lowest) % 12 + 12) % 12;
    }

} // namespace

OpenStrings MakeOpenStrings(std::initializer_list<int> notes)
{
    OpenStrings strings;
    for (int note : notes)
        strings.notes[static_cast<size_t>(strings.count++)] = note;
    return strings;
}

OpenStrings GuitarOpenStrings(const Tuning& tuning)
{
    OpenStrings strings;
    strings.count = 6;
    for (int s = 0; s < 6; ++s)
        strings.notes[static_cast<size_t>(s)] = OpenStringNote(s, tuning[static_cast<size_t>(s)]);
    return strings;
}

bool Instrument::IsSixStringGuitar() const { return name == SixStringGuitar().name; }

const std::vector<Instrument>& Instruments()
{
    static const std::vector<Instrument> instruments {
        { "guitar", "Guitar", 24, GuitarTunings(), kEasyShapes, false, true, true },
        { "7-string-guitar", "7-string guitar", 24, { { "Standard", MakeOpenStrings({ B1, E2, A2, D3, G3, B3, E4 }) } },
            SevenStringShapes(), false },
        { "ukulele", "Ukulele", 18,
            { { "Standard", MakeOpenStrings({ G4, C4, E4, A4 }) }, { "Low G", MakeOpenStrings({ G3, C4, E4, A4 }) },
                { "D tuning", MakeOpenStrings({ A4, D4, Fs4, B4 }) } },
            kUkuleleShapes, true },
        { "baritone-ukulele", "Baritone ukulele", 19, { { "Standard", MakeOpenStrings({ D3, G3, B3, E4 }) } },
            kBaritoneUkuleleShapes, true },
        { "tenor-guitar", "Tenor guitar", 22, { { "Standard", MakeOpenStrings({ C3, G3, D4, A4 }) } },
            kTenorGuitarShapes, true },
        { "mandolin", "Mandolin", 20, { { "Standard", MakeOpenStrings({ G3, D4, A4, E5 }) } }, kMandolinShapes, true },
    };
    return instruments;
}

const Instrument& SixStringGuitar() { return Instruments().front(); }

const Instrument* FindInstrument(std::string_view name)
{
    const std::string wanted = Folded(name);
    for (const Instrument& instrument : Instruments())
        if (Folded(instrument.name) == wanted || Folded(instrument.caption) == wanted)
            return &instrument;
    if (wanted == "sixstringguitar" || wanted == "6stringguitar")
        return &SixStringGuitar();
    if (wanted == "sevenstringguitar")
        return &Instruments()[1];
    return nullptr;
}

OpenStringsReading ReadOpenStrings(std::string_view text, const Instrument& instrument)
{
    OpenStringsReading reading;
    for (const InstrumentTuning& tuning : instrument.tunings) {
        if (Folded(tuning.name) == Folded(text)) {
            reading.strings = tuning.strings;
            return reading;
        }
    }
    const auto words = SplitWords(text, " ,\t");
    if (words.size() < kMinInstrumentStrings || words.size() > kMaxInstrumentStrings) {
        reading.error = "a tuning has " + std::to_string(kMinInstrumentStrings) + " to "
            + std::to_string(kMaxInstrumentStrings) + " notes, lowest string first; \"" + std::string(text) + "\" has "
            + std::to_string(words.size());
        return reading;
    }
    const OpenStrings& own = instrument.tunings.front().strings;
    const bool sameCount = static_cast<int>(words.size()) == own.count;
    OpenStrings strings;
    for (std::string_view word : words) {
        const auto note = ReadNoteWord(word);
        if (!note) {
            reading.error = "unknown note \"" + std::string(word) + "\" in the tuning \"" + std::string(text)
                + "\" (a name such as G, F#, Bb, with an octave if wanted: G4; or 0..11)";
            return reading;
        }
        int midi = 0;
        if (note->midi)
            midi = *note->midi;
        else if (sameCount)
            midi = Nearest(note->pc, own[strings.count]);
        else if (strings.count == 0)
            midi = Nearest(note->pc, E2);
        else
            midi = strings[strings.count - 1] + ((note->pc - strings[strings.count - 1]) % 12 + 12) % 12;
        if (midi < 0 || midi > 127 - 30) {
            reading.error = "the note \"" + std::string(word) + "\" is out of range";
            return reading;
        }
        strings.notes[static_cast<size_t>(strings.count++)] = midi;
    }
    reading.strings = strings;
    return reading;
}

int RetunedString(const Instrument& instrument, int string, int pitchClass)
{
    const OpenStrings& own = instrument.tunings.front().strings;
    return Nearest(((pitchClass % 12) + 12) % 12, own[std::clamp(string, 0, own.count - 1)]);
}

std::string OpenStringsText(const OpenStrings& strings)
{
    std::string text;
    for (int note : strings.Notes()) {
        if (!text.empty())
            text += ' ';
        text += std::string(NoteName(note % 12, Spelling::Sharp)) + std::to_string(note / 12 - 1);
    }
    return text;
}

std::string InstrumentDescription(const Instrument& instrument, const OpenStrings& strings)
{
    std::string tuning;
    for (const InstrumentTuning& preset : instrument.tunings)
        if (preset.strings == strings && &preset != &instrument.tunings.front())
            tuning = ", " + preset.name;
    return std::string(instrument.caption) + tuning + " (" + OpenStringsText(strings) + ")";
}

} // namespace corvane
