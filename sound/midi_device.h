#pragma once
// Opening the MIDI output at start-up.

#include "sound/midi_port.h"

#include <memory>
#include <string>

namespace corvane {

// Device 0 is the program's own synthesizer (FluidSynth with a General MIDI sound font, the one
// the user chose looked for first, playing through the first audio output that opens). It starts
// on a worker thread and takes what is sent meanwhile; when it cannot start, the program goes on
// silent and the device's status says why. Any other identifier names no device and gives a
// SilentPort. Never returns null and never throws.
std::unique_ptr<MidiPort> OpenMidiDevice(int deviceId, std::string chosenSoundFont = {});

} // namespace corvane
