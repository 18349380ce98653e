// The six-string tuning presets and the MIDI note of every string and fret.
#include "guitar/tuning.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace corvane {

// clang-format off
const std::array<TuningPreset, 12> kTuningPresets { {
    { "StandardTunning1",  "Standard Tunning", { 4, 9, 2, 7, 11, 4 }, "Standard Tuning", { "E", "A", "D", "G", "B", "E" } },
    { "EADGCF1",           "Open E",           { 4, 11, 4, 8, 11, 4 }, "Open E",         { "E", "B", "E", "G#", "B", "E" } },
    { "OpenA1",            "Open A",           { 4, 9, 4, 9, 1, 4 },  "Open A",          { "E", "A", "E", "A", "C#", "E" } },
    { "AfinaoLute1",       "Lute Tunning",     { 4, 9, 2, 6, 11, 4 }, "Afinação Lute",   { "E", "A", "D", "F#", "B", "E" } },
    // The fourth string keeps its stored G: the label names what sounds.
    { "AfinaodeBlues1",    "Blues Tunning",    { 4, 9, 2, 7, 0, 5 },  "Afinação Blues",  { "E", "A", "D", "G", "C", "F" } },
    { "RainSong1",         "Rain Song",        { 2, 7, 0, 7, 0, 2 },  "Rain Song",       { "D", "G", "C", "G", "C", "D" } },
    { "OpenD1",            "Open D",           { 2, 9, 2, 6, 9, 2 },  "Open D",          { "D", "A", "D", "F#", "A", "D" } },
    { "DropD1",            "Drop D",           { 2, 9, 2, 7, 11, 4 }, "Drop D",          { "D", "A", "D", "G", "B", "E" } },
    { "OpenG1",            "Open G",           { 2, 7, 2, 7, 11, 2 }, "Open G",          { "D", "G", "D", "G", "B", "D" } },
    { "C6th1",             "C 6th",            { 0, 7, 0, 7, 9, 4 },  "C 6th",           { "C", "G", "C", "G", "A", "E" } },
    { "Afinaoemsolmenor1", "G Minor Tunning",  { 7, 10, 2, 7, 10, 2 }, "G minor tuning", { "G", "Bb", "D", "G", "Bb", "D" } },
    { "Venmora1",          "Venmora",          { 2, 9, 2, 7, 9, 2 },  "Venmora",         { "D", "A", "D", "G", "A", "D" } },
} };
// clang-format on

StringNotes RebuildStringNotes(const Tuning& tuning)
{
    StringNotes notes {};
    for (size_t s = 0; s < 6; ++s) {
        const int open = OpenStringNote(static_cast<int>(s), tuning[s]);
        for (int f = 0; f < kNeckFrets; ++f)
            notes[s][static_cast<size_t>(f)] = open + f;
    }
    return notes;
}

Tuning CapoTuning(const Tuning& tuning, int capo)
{
    const int k = std::clamp(capo, 0, kMaxCapo);
    Tuning raised {};
    for (size_t s = 0; s < raised.size(); ++s)
        raised[s] = (tuning[s] + k) % 12;
    return raised;
}

StringNotes CapoStringNotes(const StringNotes& stringNotes, int capo)
{
    const int k = std::clamp(capo, 0, kMaxCapo);
    StringNotes shifted {};
    for (size_t s = 0; s < 6; ++s) {
        for (int f = 0; f < kNeckFrets; ++f) {
            const int from = f + k;
            shifted[s][static_cast<size_t>(f)] = from < kNeckFrets
                ? stringNotes[s][static_cast<size_t>(from)]
                : stringNotes[s][kNeckFrets - 1] + (from - (kNeckFrets - 1));
        }
    }
    return shifted;
}

} // namespace corvane
