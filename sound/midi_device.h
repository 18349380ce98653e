#pragma once
// Opening the MIDI output at start-up.

#include "sound/midi_port.h"

#include <memory>

namespace corvane {

// Device 0 is the program's own synthesizer (FluidSynth with the system's General MIDI soundfont,
// playing through the first audio output that opens). Any other identifier names no device. A
// device that cannot be opened is reported in one line on stderr and replaced by a SilentPort:
// the program starts and works, only without sound. Never returns null and never throws.
std::unique_ptr<MidiPort> OpenMidiDevice(int deviceId);

} // namespace corvane
