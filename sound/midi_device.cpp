#include "sound/midi_device.h"

#include "sound/fluidsynth_port.h"
#include "sound/midi_constants.h"

#include <cstdio>
#include <string>

namespace corvane {

namespace {

    std::unique_ptr<MidiPort> Silent(const std::string& reason)
    {
        std::fprintf(stderr, "Corvane Chords: sound is off: %s\n", reason.c_str());
        return std::make_unique<SilentPort>();
    }

} // namespace

std::unique_ptr<MidiPort> OpenMidiDevice(int deviceId)
{
    if (deviceId != midi::kDefaultDevice)
        return Silent("no MIDI output device " + std::to_string(deviceId));

    const std::optional<std::string> soundFont = FindSoundFont();
    if (!soundFont) {
        std::string looked;
        for (std::string_view candidate : kSoundFontCandidates)
            looked += (looked.empty() ? "" : ", ") + std::string(candidate);
        return Silent("no General MIDI soundfont found (looked for " + looked + ")");
    }

    FluidSynthOpenResult opened = FluidSynthPort::openRealtime(*soundFont);
    if (!opened.port)
        return Silent(opened.error);
    return std::move(opened.port);
}

} // namespace corvane
