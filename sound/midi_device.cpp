#include "sound/midi_device.h"

#include "sound/midi_constants.h"
#include "sound/sound_device.h"

#include <cstdio>
#include <string>

namespace corvane {

std::unique_ptr<MidiPort> OpenMidiDevice(int deviceId, std::string chosenSoundFont)
{
    if (deviceId != midi::kDefaultDevice) {
        std::fprintf(stderr, "Corvane Chords: sound is off: no MIDI output device %d\n", deviceId);
        return std::make_unique<SilentPort>();
    }
    return std::make_unique<SoundDevice>(std::move(chosenSoundFont));
}

} // namespace corvane
