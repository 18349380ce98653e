#pragma once
// What the program plays: the patch change and the strum of a fingering, as messages and pauses on a
// MidiPort. The values and their order are fixed here; how they become sound is the port's business.

#include "guitar/frets.h"
#include "guitar/instrument.h"
#include "guitar/tuning.h"
#include "guitar/voicing.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace corvane {

class MidiPort;

constexpr int kTempoPositions = 6; // the tempo bar runs 0..5

// The pause after each strummed string: 25 ms per tempo step, 25 to 150 ms, 75 ms at the start-up
// position 2. Positions outside the bar's range are taken as its nearest end.
constexpr int StrumDelayMs(int tempoPosition) { return 25 * (std::clamp(tempoPosition, 0, kTempoPositions - 1) + 1); }

// Note On on channel 1 at the strum velocity: 0x90 + key * 0x100 + 100 * 0x10000. Only the low byte
// of the key is sent, as the one-byte message buffer does.
std::uint32_t NoteOnMessage(int key);

// Selects the sound of a patch box item: Program Change status alone, then the bare program number
// under running status, the volume at full, and a bare Note On status to leave running status there.
// Returns the program now playing. For -1 (the box typed over) or any index without an item nothing
// is sent and the current sound stays: the program would otherwise go out as 0xFF, which a device
// reads as a System Reset status rather than a program.
std::optional<int> ChangePatch(MidiPort& port, int itemIndex);

// Strums a fingering from string 0 upwards: one Note On per sounding string, each followed by the
// tempo pause, the last one included. Muted strings send nothing and take no pause; a barre mark
// sounds the fret it marks. No Note Off is sent: the notes ring out on their own. A fret beyond the
// note table is skipped like a muted string rather than read outside it.
void PlayVoicing(MidiPort& port, const Voicing& voicing, const StringNotes& stringNotes, int tempoPosition);

// The strum of a fingering on any instrument, by the rules of PlayVoicing: string 0 first as held, each
// sounding string's open note raised by the capo and its fret, the tempo pause after each. On a
// re-entrant tuning the notes go in string order, not in pitch order, as the hand strums them.
void PlayStrings(MidiPort& port, const Frets& frets, const OpenStrings& strings, int capo, int tempoPosition);

} // namespace corvane
