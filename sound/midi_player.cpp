#include "sound/midi_player.h"

#include "sound/midi_constants.h"
#include "sound/midi_port.h"
#include "sound/patch_table.h"

namespace corvane {

namespace {

    // The fret a voicing entry sounds, if the note table has it.
    std::optional<int> SoundingFret(int entry)
    {
        if (entry == kMuted || entry <= -kNeckFrets || entry >= kNeckFrets)
            return std::nullopt;
        return entry < 0 ? -entry : entry;
    }

} // namespace

std::uint32_t NoteOnMessage(int key)
{
    const auto keyByte = static_cast<std::uint32_t>(key) & 0xFFu;
    return midi::kNoteOn | keyByte << 8 | std::uint32_t { midi::kStrumVelocity } << 16;
}

std::optional<int> ChangePatch(MidiPort& port, int itemIndex)
{
    const std::optional<int> program = PatchProgram(itemIndex);
    if (!program)
        return std::nullopt;

    // The status goes alone (a device reads its zero byte 1 as program 0 for an instant) and the
    // program follows as a bare data byte that the device takes under running status. No note
    // sounds in between, so only the second program is ever heard.
    port.shortMessage(midi::kProgramChange);
    port.shortMessage(static_cast<std::uint32_t>(*program) & 0xFFu);
    port.setVolume(midi::kFullVolume);
    port.shortMessage(midi::kNoteOn);
    return program;
}

void PlayVoicing(MidiPort& port, const Voicing& voicing, const StringNotes& stringNotes, int tempoPosition)
{
    const int delay = StrumDelayMs(tempoPosition);
    for (std::size_t s = 0; s < voicing.size(); ++s) {
        const std::optional<int> fret = SoundingFret(voicing[s]);
        if (!fret)
            continue;
        port.shortMessage(NoteOnMessage(stringNotes[s][static_cast<std::size_t>(*fret)]));
        port.pause(delay);
    }
}

void PlayStrings(MidiPort& port, const Frets& frets, const OpenStrings& strings, int capo, int tempoPosition)
{
    const int delay = StrumDelayMs(tempoPosition);
    for (int s = 0; s < std::min(frets.count, strings.count); ++s) {
        const std::optional<int> fret = SoundingFret(frets[s]);
        const int key = fret ? strings[s] + std::max(capo, 0) + *fret : -1;
        if (key < 0 || key > 127)
            continue;
        port.shortMessage(NoteOnMessage(key));
        port.pause(delay);
    }
}

} // namespace corvane
