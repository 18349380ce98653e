#pragma once
// The program's sound as the window sees it: a MidiPort that is ready at once while the
// synthesizer starts on a worker thread, so that the window never waits for a sound font to load.
// What is sent before the synthesizer is there is kept and handed over in order, pauses included.
// Once started, the device says why it is silent, if it is.

#include "sound/midi_port.h"
#include "sound/recording_port.h"
#include "sound/short_message_reader.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace corvane {

inline constexpr std::string_view kNoSoundFontStatus = "Sound is off: no sound font found";
inline constexpr std::string_view kNoAudioOutputStatus = "Sound is off: no audio output";

struct StartedSound {
    std::unique_ptr<MidiPort> port; // null when silent
    std::string status; // empty with a port, else one of the texts above
    std::string detail; // the technical reason, for the log
    std::string soundFont; // the file in use
};

// The one line written to stderr when the sound is off: "Corvane Chords: Sound is off: no audio
// output (tried pulseaudio, jack)."
std::string SilenceMessage(const StartedSound& started);

// Starts a synthesizer with the sound font the user chose looked for first. Runs on the worker.
using SoundStarter = std::function<StartedSound(const std::string& chosenSoundFont)>;

// FluidSynth through the first audio output that opens, with the first sound font that loads.
StartedSound StartSynthesizer(const std::string& chosenSoundFont);

// Now, or when start() is called: loading a sound font competes with the window's own start-up
// (for the processor and for the dynamic loader), so the program waits until its window is painted.
enum class SoundStart { Now, WhenAsked };

class SoundDevice final : public MidiPort {
public:
    explicit SoundDevice(
        std::string chosenSoundFont = {}, SoundStarter start = StartSynthesizer, SoundStart when = SoundStart::Now);
    ~SoundDevice() override; // waits for a start in progress

    // Begins a start that was left for later; does nothing once one has begun.
    void start();

    void shortMessage(std::uint32_t message) override;
    void setVolume(std::uint32_t volume) override;
    void pause(int milliseconds) override;
    void watchStatus(StatusListener listener) override;

    // Starts again with this file looked for first. The current synthesizer keeps sounding until the
    // new one is there, which then takes over the chosen programs and volume. If nothing new starts,
    // the current one stays.
    void chooseSoundFont(std::string path);

    bool waitUntilStarted(std::chrono::milliseconds timeout) const;
    std::string status() const;
    std::string soundFont() const; // empty while starting or silent

private:
    void begin(std::string chosen);
    void finish(StartedSound started);
    void forward(const RecordingPort::Entry& entry);
    static void Forward(MidiPort& port, const RecordingPort::Entry& entry);
    void replayState(MidiPort& port) const;

    SoundStarter m_start;
    std::string m_deferredChoice;
    bool m_begun = false;
    std::thread m_worker;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_started;
    bool m_starting = true; // until the first start has ended
    bool m_announced = false; // the listener has been given the outcome of a start
    std::unique_ptr<MidiPort> m_port;
    RecordingPort m_pending; // sent while no synthesizer was there
    StartedSound m_state;
    StatusListener m_listener;
    // What a new synthesizer must be told to sound like the old one.
    ShortMessageReader m_reader;
    std::array<int, 16> m_programs;
    std::optional<std::uint32_t> m_volume;
};

} // namespace corvane
