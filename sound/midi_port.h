#pragma once
// The one door to a MIDI output: what the player sends goes through here unchanged, so a recording
// port can check it byte for byte and a synthesizer port can sound it.

#include <cstdint>
#include <functional>
#include <string>

namespace corvane {

class MidiPort {
public:
    MidiPort() = default;
    MidiPort(const MidiPort&) = delete;
    MidiPort& operator=(const MidiPort&) = delete;
    virtual ~MidiPort() = default;

    // A short message as one 32-bit value, byte 0 least significant: the status byte, or under running
    // status the first data byte, then the data bytes. Unused high bytes are ignored.
    virtual void shortMessage(std::uint32_t message) = 0;

    // Low word: left (or only) channel volume, high word: right channel; 0xFFFF is full.
    virtual void setVolume(std::uint32_t volume) = 0;

    // The messages sent after a pause sound that many milliseconds after the ones before it.
    // A real-time port keeps that spacing without holding its caller for the time.
    virtual void pause(int milliseconds) = 0;

    // Whoever shows the state of the sound is told of it at once and again each time it changes,
    // possibly from another thread: an empty text while the port sounds or is still getting ready,
    // otherwise why it is silent, in words for the user. A port that cannot tell never calls.
    using StatusListener = std::function<void(const std::string& text)>;
    virtual void watchStatus(StatusListener) { }
};

// The output when no device could be opened: every message is dropped and no pause takes any time,
// so the program works on without sound.
class SilentPort final : public MidiPort {
public:
    void shortMessage(std::uint32_t) override { }
    void setVolume(std::uint32_t) override { }
    void pause(int) override { }
};

} // namespace corvane
