#pragma once
// The program's own MIDI device: FluidSynth playing a General MIDI soundfont.
//
// Every message, volume change and pause goes onto a timeline counted in audio frames. Whoever
// renders the audio (the audio driver's thread in real time, the owner's render() calls offline)
// applies each message at its frame. So a strum returns to its caller at once and its notes still
// sound at the pause offsets, in the order they were sent.

#include "sound/midi_port.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// FluidSynth's own idea of the default sound font (synth.default-soundfont); empty if it has none.
std::string SynthDefaultSoundFont();

// The first sound font present, in the usual order, headed by the one the user chose, if any.
std::optional<std::string> FindSoundFont(std::string_view chosen = {});

// The audio drivers tried in turn for real-time output. PulseAudio also reaches a PipeWire desktop
// through its PulseAudio service; JACK only when a JACK server already runs.
inline constexpr std::array<std::string_view, 4> kAudioDrivers { "pulseaudio", "pipewire", "jack", "alsa" };

// The name the desktop's mixer shows for the program's audio stream.
inline constexpr std::string_view kAudioStreamName = "Corvane Chords";

// How much audio waits in the driver's buffers: periods of periodSize frames. Fewer and smaller
// periods let a note be heard sooner after it is sent, at the risk of gaps on a busy machine. At
// 44.1 kHz, 512 frames is 11.6 ms: a click is heard about 16 ms later through PulseAudio (which keeps
// about one period whatever the count), and the stream ran dry 5 to 54 times a minute on a two-core
// machine; 64 frames gave 3 ms but ran dry thirty times a second, a crackle. Two periods bound the
// ALSA driver's buffer to 23 ms.
struct AudioBuffering {
    int periodSize = 512;
    int periods = 2;
};

class FluidSynthPort;

struct FluidSynthOpenResult {
    enum class Failure { None, SoundFont, AudioOutput, Synthesizer };
    std::unique_ptr<FluidSynthPort> port;
    Failure failure = Failure::None;
    std::string error; // why there is no port
};

class FluidSynthPort final : public MidiPort {
public:
    static constexpr int kDefaultSampleRate = 44100;

    // No audio driver: sound is made only by render(), and time passes only as it renders.
    static FluidSynthOpenResult openOffline(const std::string& soundFontPath, int sampleRate = kDefaultSampleRate);

    // An audio driver renders on its own thread and time passes with the audio clock.
    static FluidSynthOpenResult openRealtime(const std::string& soundFontPath, AudioBuffering buffering = {});

    ~FluidSynthPort() override;

    // Decoded as a MIDI device reads its input, running status included.
    void shortMessage(std::uint32_t message) override;
    // One volume for both channels, taken from the low word: this device has no separate right
    // volume, so the high word is ignored.
    void setVolume(std::uint32_t volume) override;
    // Moves the timeline on; never sleeps.
    void pause(int milliseconds) override;

    // Offline only: the next frames of audio, interleaved left and right. Empty with an audio driver,
    // which owns the clock.
    std::vector<float> render(int frames);

    int sampleRate() const;
    std::string audioDriver() const; // empty offline
    std::string soundFont() const;
    // Frames rendered so far: the audio timeline's clock.
    std::uint64_t renderedFrames() const;
    std::size_t pendingEvents() const; // sent but not yet reached by the rendering
    int program(int channel) const; // as the synthesizer reports it; -1 if it cannot

private:
    struct Engine;
    explicit FluidSynthPort(std::unique_ptr<Engine> engine);
    static FluidSynthOpenResult open(
        const std::string& soundFontPath, int sampleRate, const std::optional<AudioBuffering>& realtime);

    std::unique_ptr<Engine> m_engine;
};

} // namespace corvane
