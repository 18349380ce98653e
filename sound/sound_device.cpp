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
    std::string detail; // the status says it all when no font is found
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

std::string SilenceMessage(const StartedSound& started)
{
    std::string line = "Corvane Chords: " + started.status;
    if (!started.detail.empty())
        line += " (" + started.detail + ")";
    return line + ".\n";
}

SoundDevice::SoundDevice(std::string chosenSoundFont, SoundStarter start, SoundStart when)
    : m_start(std::move(start))
{
    m_programs.fill(-1);
    if (when == SoundStart::Now)
        begin(std::move(chosenSoundFont));
    else
        m_deferredChoice = std::move(chosenSoundFont);
}

void SoundDevice::start()
{
    if (!m_begun)
        begin(std::move(m_deferredChoice));
}

SoundDevice::~SoundDevice()
{
    if (m_worker.joinable())
        m_worker.join();
}

void SoundDevice::begin(std::string chosen)
{
    if (m_worker.joinable())
        m_worker.join();
    m_begun = true;
    {
        const std::lock_guard lock(m_mutex);
        m_starting = true;
    }
    m_worker = std::thread([this, chosen = std::move(chosen)] { finish(m_start(chosen)); });
}

void SoundDevice::finish(StartedSound started)
{
    if (!started.status.empty())
        std::fputs(SilenceMessage(started).c_str(), stderr);
    std::unique_ptr<MidiPort> retired;
    StatusListener listener;
    std::string status;
    {
        const std::lock_guard lock(m_mutex);
        if (started.port) {
            if (m_port)
                replayState(*started.port); // a new font: the old synthesizer's programs carry over
            for (const RecordingPort::Entry& entry : m_pending.entries())
                Forward(*started.port, entry);
            m_pending.clear();
            retired = std::exchange(m_port, std::move(started.port));
            m_state = std::move(started);
        } else if (!m_port) {
            m_pending.clear();
            m_state = std::move(started);
        }
        status = m_state.status;
        listener = m_listener;
        m_announced = true;
    }
    // Told before anyone waiting for the start goes on.
    if (listener)
        listener(status);
    {
        const std::lock_guard lock(m_mutex);
        if (!m_port)
            m_pending.clear();
        m_starting = false;
    }
    m_started.notify_all();
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
    const std::lock_guard lock(m_mutex);
    if (entry.kind == RecordingPort::Kind::Message) {
        if (const std::optional<ChannelMessage> m = m_reader.read(static_cast<std::uint32_t>(entry.value));
            m && m->type() == midi::kProgramChange)
            m_programs[static_cast<std::size_t>(m->channel())] = m->data1;
    } else if (entry.kind == RecordingPort::Kind::Volume) {
        m_volume = static_cast<std::uint32_t>(entry.value);
    }
    if (m_port) {
        Forward(*m_port, entry);
    } else if (m_starting) {
        Forward(m_pending, entry);
    }
}

void SoundDevice::replayState(MidiPort& port) const
{
    for (std::size_t channel = 0; channel < m_programs.size(); ++channel)
        if (m_programs[channel] >= 0)
            port.shortMessage(midi::kProgramChange | static_cast<std::uint32_t>(channel)
                | static_cast<std::uint32_t>(m_programs[channel]) << 8);
    if (m_volume)
        port.setVolume(*m_volume);
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
        const std::lock_guard lock(m_mutex);
        m_listener = listener;
        settled = m_announced;
        status = m_state.status;
    }
    if (listener && settled)
        listener(status);
}

void SoundDevice::chooseSoundFont(std::string path) { begin(std::move(path)); }

bool SoundDevice::waitUntilStarted(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_started.wait_for(lock, timeout, [this] { return !m_starting; });
}

std::string SoundDevice::status() const
{
    const std::lock_guard lock(m_mutex);
    return m_state.status;
}

std::string SoundDevice::soundFont() const
{
    const std::lock_guard lock(m_mutex);
    return m_state.soundFont;
}

} // namespace corvane
