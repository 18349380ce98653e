#include "sound/sound_device.h"

#include "sound/fluidsynth_port.h"
#include "sound/midi_constants.h"
#include "sound/sound_font_search.h"

#include <cstdio>
#include <utility>

namespace corvane {

StartedSound StartSynthesizer(const std::string& chosenSoundFont)
{
    const std::vector<std::string> fonts
        = ExistingSoundFonts(chosenSoundFont, SynthDefaultSoundFont(), IsSoundFontFile);
    std::string detail = "no General MIDI sound font found";
    for (const std::string& font : fonts) {
        FluidSynthOpenResult opened = FluidSynthPort::openRealtime(font);
        if (opened.port)
            return { std::move(opened.port), {}, {}, font };
        detail = opened.error;
        // A damaged file is passed over for the next one; without an audio output no font helps.
        if (opened.failure != FluidSynthOpenResult::Failure::SoundFont)
            return { nullptr, std::string(kNoAudioOutputStatus), detail, {} };
    }
    return { nullptr, std::string(kNoSoundFontStatus), detail, {} };
}

SoundDevice::SoundDevice(std::string chosenSoundFont, SoundStarter start, SoundStart when)
    : start_(std::move(start))
{
    programs_.fill(-1);
    if (when == SoundStart::Now)
        begin(std::move(chosenSoundFont));
    else
        deferredChoice_ = std::move(chosenSoundFont);
}

void SoundDevice::start()
{
    if (!begun_)
        begin(std::move(deferredChoice_));
}

SoundDevice::~SoundDevice()
{
    if (worker_.joinable())
        worker_.join();
}

void SoundDevice::begin(std::string chosen)
{
    if (worker_.joinable())
        worker_.join();
    begun_ = true;
    {
        const std::lock_guard lock(mutex_);
        starting_ = true;
    }
    worker_ = std::thread([this, chosen = std::move(chosen)] { finish(start_(chosen)); });
}

void SoundDevice::finish(StartedSound started)
{
    if (!started.detail.empty())
        std::fprintf(stderr, "Corvane Chords: %s: %s\n", started.status.c_str(), started.detail.c_str());
    std::unique_ptr<MidiPort> retired;
    StatusListener listener;
    std::string status;
    {
        const std::lock_guard lock(mutex_);
        if (started.port) {
            if (port_)
                replayState(*started.port); // a new font: the old synthesizer's programs carry over
            for (const RecordingPort::Entry& entry : pending_.entries())
                Forward(*started.port, entry);
            pending_.clear();
            retired = std::exchange(port_, std::move(started.port));
            state_ = std::move(started);
        } else if (!port_) {
            pending_.clear();
            state_ = std::move(started);
        }
        status = state_.status;
        listener = listener_;
        announced_ = true;
    }
    // Told before anyone waiting for the start goes on.
    if (listener)
        listener(status);
    {
        const std::lock_guard lock(mutex_);
        if (!port_)
            pending_.clear();
        starting_ = false;
    }
    started_.notify_all();
}

void SoundDevice::Forward(MidiPort& port, const RecordingPort::Entry& entry)
{
    switch (entry.kind) {
    case RecordingPort::Kind::Message:
        port.shortMessage(static_cast<std::uint32_t>(entry.value));
        break;
    case RecordingPort::Kind::Volume:
        port.setVolume(static_cast<std::uint32_t>(entry.value));
        break;
    case RecordingPort::Kind::Pause:
        port.pause(static_cast<int>(entry.value));
        break;
    }
}

void SoundDevice::forward(const RecordingPort::Entry& entry)
{
    const std::lock_guard lock(mutex_);
    if (entry.kind == RecordingPort::Kind::Message) {
        if (const std::optional<ChannelMessage> m = reader_.read(static_cast<std::uint32_t>(entry.value));
            m && m->type() == midi::kProgramChange)
            programs_[static_cast<std::size_t>(m->channel())] = m->data1;
    } else if (entry.kind == RecordingPort::Kind::Volume) {
        volume_ = static_cast<std::uint32_t>(entry.value);
    }
    if (port_) {
        Forward(*port_, entry);
    } else if (starting_) {
        Forward(pending_, entry);
    }
}

void SoundDevice::replayState(MidiPort& port) const
{
    for (std::size_t channel = 0; channel < programs_.size(); ++channel)
        if (programs_[channel] >= 0)
            port.shortMessage(midi::kProgramChange | static_cast<std::uint32_t>(channel)
                | static_cast<std::uint32_t>(programs_[channel]) << 8);
    if (volume_)
        port.setVolume(*volume_);
    // Leaves running status where the sender left it.
    port.shortMessage(midi::kNoteOn);
}

void SoundDevice::shortMessage(std::uint32_t message)
{
    forward({ RecordingPort::Kind::Message, static_cast<std::int64_t>(message) });
}

void SoundDevice::setVolume(std::uint32_t volume)
{
    forward({ RecordingPort::Kind::Volume, static_cast<std::int64_t>(volume) });
}

void SoundDevice::pause(int milliseconds) { forward({ RecordingPort::Kind::Pause, milliseconds }); }

void SoundDevice::watchStatus(StatusListener listener)
{
    std::string status;
    bool settled = false;
    {
        const std::lock_guard lock(mutex_);
        listener_ = listener;
        settled = announced_;
        status = state_.status;
    }
    if (listener && settled)
        listener(status);
}

void SoundDevice::chooseSoundFont(std::string path) { begin(std::move(path)); }

bool SoundDevice::waitUntilStarted(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return started_.wait_for(lock, timeout, [this] { return !starting_; });
}

std::string SoundDevice::status() const
{
    const std::lock_guard lock(mutex_);
    return state_.status;
}

std::string SoundDevice::soundFont() const
{
    const std::lock_guard lock(mutex_);
    return state_.soundFont;
}

} // namespace corvane
