#include "sound/fluidsynth_port.h"

#include "sound/midi_constants.h"
#include "sound/short_message_reader.h"
#include "sound/sound_font_search.h"

#include <dlfcn.h>
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>

namespace corvane {

namespace {

    // TimGM6mb at FluidSynth's default gain is quiet next to other programs; six ringing strings at
    // this gain still stay clear of clipping.
    constexpr double kBaseGain = 0.5;

    struct SettingsDeleter {
        void operator()(fluid_settings_t* p) const { delete_fluid_settings(p); }
    };
    struct SynthDeleter {
        void operator()(fluid_synth_t* p) const { delete_fluid_synth(p); }
    };
    struct DriverDeleter {
        void operator()(fluid_audio_driver_t* p) const { delete_fluid_audio_driver(p); }
    };

    // FluidSynth logs to stderr by itself; while a port opens, its messages are kept instead, so a
    // failure is reported once, in our own line, with FluidSynth's last error as the reason.
    // Opening is serialised because the log functions are process-wide.
    class FluidLogCapture {
    public:
        FluidLogCapture()
        {
            for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
                fluid_set_log_function(level, &FluidLogCapture::keep, this);
        }
        ~FluidLogCapture()
        {
            for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
                fluid_set_log_function(level, fluid_default_log_function, nullptr);
        }
        FluidLogCapture(const FluidLogCapture&) = delete;
        FluidLogCapture& operator=(const FluidLogCapture&) = delete;

        std::string lastError() const { return m_lastError; }

    private:
        static void keep(int level, const char* message, void* data)
        {
            if (level <= FLUID_ERR && message)
                static_cast<FluidLogCapture*>(data)->m_lastError = message;
        }
        std::string m_lastError;
    };

    std::mutex& OpenMutex()
    {
        static std::mutex mutex;
        return mutex;
    }

    std::vector<std::string> OfferedAudioDrivers(fluid_settings_t* settings)
    {
        std::vector<std::string> names;
        fluid_settings_foreach_option(
            settings, "audio.driver", &names, [](void* data, const char*, const char* option) {
                static_cast<std::vector<std::string>*>(data)->emplace_back(option);
            });
        return names;
    }

    std::string WithReason(std::string what, std::string reason)
    {
        // The library's messages end as sentences; the reason is put inside one.
        while (!reason.empty() && (reason.back() == '.' || reason.back() == '\n'))
            reason.pop_back();
        if (!reason.empty())
            what += ": " + reason;
        return what;
    }

} // namespace

std::string SynthDefaultSoundFont()
{
    const std::lock_guard openLock(OpenMutex());
    FluidLogCapture log;
    const std::unique_ptr<fluid_settings_t, SettingsDeleter> settings(new_fluid_settings());
    char* path = nullptr;
    if (!settings || fluid_settings_getstr_default(settings.get(), "synth.default-soundfont", &path) != FLUID_OK
        || !path)
        return {};
    return path;
}

std::optional<std::string> FindSoundFont(std::string_view chosen)
{
    return FindSoundFont(chosen, SynthDefaultSoundFont(), IsSoundFontFile);
}

struct FluidSynthPort::Engine {
    struct Event {
        enum class Kind { Message, Volume };
        std::uint64_t frame;
        Kind kind;
        std::uint32_t value;
    };

    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings;
    std::unique_ptr<fluid_synth_t, SynthDeleter> synth;
    int sampleRate = kDefaultSampleRate;
    std::string driverName;
    std::string soundFont;

    // Touched only by whoever renders.
    ShortMessageReader reader;

    mutable std::mutex mutex;
    std::deque<Event> queue; // in frame order, since the cursor never goes back
    std::uint64_t cursor = 0; // the frame the next message is due at
    std::atomic<std::uint64_t> rendered { 0 };

    // Last, so that it is destroyed first: its thread calls back into the members above.
    std::unique_ptr<fluid_audio_driver_t, DriverDeleter> driver;

    // A message sent while the timeline is idle sounds at once; otherwise after those before it.
    std::uint64_t dueFrame()
    {
        cursor = std::max(cursor, rendered.load(std::memory_order_acquire));
        return cursor;
    }

    void schedule(Event::Kind kind, std::uint32_t value)
    {
        const std::lock_guard lock(mutex);
        queue.push_back({ dueFrame(), kind, value });
    }

    void advance(int milliseconds)
    {
        if (milliseconds <= 0)
            return;
        const std::lock_guard lock(mutex);
        dueFrame();
        cursor += static_cast<std::uint64_t>(milliseconds) * static_cast<std::uint64_t>(sampleRate) / 1000u;
    }

    void apply(const Event& event)
    {
        fluid_synth_t* s = synth.get();
        if (event.kind == Event::Kind::Volume) {
            const double level = static_cast<double>(event.value & midi::kVolumeWordMax) / midi::kVolumeWordMax;
            fluid_synth_set_gain(s, static_cast<float>(kBaseGain * level));
            return;
        }
        const std::optional<ChannelMessage> m = reader.read(event.value);
        if (!m)
            return;
        const int channel = m->channel();
        switch (m->type()) {
        case midi::kNoteOff:
            fluid_synth_noteoff(s, channel, m->data1);
            break;
        case midi::kNoteOn:
            // Velocity 0 is a Note Off by MIDI's own rule (the bare 0x90 status falls here).
            if (m->data2 == 0)
                fluid_synth_noteoff(s, channel, m->data1);
            else
                fluid_synth_noteon(s, channel, m->data1, m->data2);
            break;
        case midi::kPolyPressure:
            fluid_synth_key_pressure(s, channel, m->data1, m->data2);
            break;
        case midi::kControlChange:
            fluid_synth_cc(s, channel, m->data1, m->data2);
            break;
        case midi::kProgramChange:
            fluid_synth_program_change(s, channel, m->data1);
            break;
        case midi::kChannelPressure:
            fluid_synth_channel_pressure(s, channel, m->data1);
            break;
        case midi::kPitchBend:
            fluid_synth_pitch_bend(s, channel, m->data1 | m->data2 << 7);
            break;
        default:
            break;
        }
    }

    // Renders in pieces that end where the next event is due, so each message takes effect at its
    // own frame (to FluidSynth's internal block of 64 frames).
    void renderInto(float* left, float* right, int frames)
    {
        int done = 0;
        while (done < frames) {
            const std::uint64_t now = rendered.load(std::memory_order_relaxed);
            int piece = frames - done;
            for (;;) {
                std::optional<Event> due;
                {
                    const std::lock_guard lock(mutex);
                    if (!queue.empty()) {
                        if (queue.front().frame <= now) {
                            due = queue.front();
                            queue.pop_front();
                        } else {
                            piece = static_cast<int>(std::min<std::uint64_t>(piece, queue.front().frame - now));
                        }
                    }
                }
                if (!due)
                    break;
                apply(*due);
            }
            // Reverb and chorus are mixed into the dry output: no driver here has separate effect buffers.
            float* dry[2] = { left + done, right + done };
            float* effects[4] = { left + done, right + done, left + done, right + done };
            fluid_synth_process(synth.get(), piece, 4, effects, 2, dry);
            done += piece;
            rendered.store(now + static_cast<std::uint64_t>(piece), std::memory_order_release);
        }
    }

    static int audioCallback(void* data, int frames, int, float*[], int outputs, float* out[])
    {
        // The driver hands zeroed buffers, so leaving them is silence.
        if (outputs >= 2 && frames > 0)
            static_cast<Engine*>(data)->renderInto(out[0], out[1], frames);
        return FLUID_OK;
    }
};

FluidSynthPort::FluidSynthPort(std::unique_ptr<Engine> engine)
    : m_engine(std::move(engine))
{
}

FluidSynthPort::~FluidSynthPort() = default;

FluidSynthOpenResult FluidSynthPort::openOffline(const std::string& soundFontPath, int sampleRate)
{
    return open(soundFontPath, sampleRate, std::nullopt);
}

FluidSynthOpenResult FluidSynthPort::openRealtime(const std::string& soundFontPath, AudioBuffering buffering)
{
    return open(soundFontPath, kDefaultSampleRate, buffering);
}

namespace {

    bool HasSetting(fluid_settings_t* settings, const char* name)
    {
        return fluid_settings_get_type(settings, name) != FLUID_NO_TYPE;
    }

    // What the desktop's mixer shows. The PulseAudio library takes the application's name and icon
    // from these variables over the name FluidSynth gives its connection; a JACK client is named by
    // FluidSynth itself.
    void NameTheAudioStream(fluid_settings_t* settings)
    {
        const std::string name(kAudioStreamName);
        setenv("PULSE_PROP_OVERRIDE_application.name", name.c_str(), 1);
        setenv("PULSE_PROP_OVERRIDE_application.icon_name", "corvane-chords", 1);
        if (HasSetting(settings, "audio.pulseaudio.media-role"))
            fluid_settings_setstr(settings, "audio.pulseaudio.media-role", "music");
        if (HasSetting(settings, "audio.pipewire.media-role"))
            fluid_settings_setstr(settings, "audio.pipewire.media-role", "Music");
        if (HasSetting(settings, "audio.jack.id"))
            fluid_settings_setstr(settings, "audio.jack.id", name.c_str());
        // Unconnected JACK ports are silent; a JACK server is never started just for us.
        if (HasSetting(settings, "audio.jack.autoconnect"))
            fluid_settings_setint(settings, "audio.jack.autoconnect", 1);
        setenv("JACK_NO_START_SERVER", "1", 1);
    }

    // The JACK library prints its own failures (five lines when no server runs) on stderr. FluidSynth
    // reports the failure through its log, which is kept; the library's own words are dropped. It is
    // loaded with FluidSynth when FluidSynth was built with JACK, and only then is there anything to
    // quiet.
    void QuietJackLibrary()
    {
        void* jack = dlopen("libjack.so.0", RTLD_LAZY | RTLD_NOLOAD);
        if (!jack)
            return;
        using Handler = void (*)(const char*);
        using SetHandler = void (*)(Handler);
        for (const char* name : { "jack_set_error_function", "jack_set_info_function" })
            if (void* found = dlsym(jack, name))
                reinterpret_cast<SetHandler>(found)([](const char*) {});
        dlclose(jack);
    }

} // namespace

FluidSynthOpenResult FluidSynthPort::open(
    const std::string& soundFontPath, int sampleRate, const std::optional<AudioBuffering>& realtime)
{
    using Failure = FluidSynthOpenResult::Failure;
    std::error_code fileError;
    if (!std::filesystem::is_regular_file(soundFontPath, fileError))
        return { nullptr, Failure::SoundFont, "no soundfont at " + soundFontPath };
    if (sampleRate < 8000 || sampleRate > 192000)
        return { nullptr, Failure::Synthesizer, "unsupported sample rate " + std::to_string(sampleRate) };

    const std::lock_guard openLock(OpenMutex());
    FluidLogCapture log;

    auto engine = std::make_unique<Engine>();
    engine->sampleRate = sampleRate;
    engine->soundFont = soundFontPath;
    engine->settings.reset(new_fluid_settings());
    if (!engine->settings)
        return { nullptr, Failure::Synthesizer,
            WithReason("FluidSynth could not create its settings", log.lastError()) };
    fluid_settings_t* settings = engine->settings.get();
    fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
    fluid_settings_setnum(settings, "synth.gain", kBaseGain);

    engine->synth.reset(new_fluid_synth(settings));
    if (!engine->synth)
        return { nullptr, Failure::Synthesizer, WithReason("FluidSynth could not start", log.lastError()) };
    if (fluid_synth_sfload(engine->synth.get(), soundFontPath.c_str(), 1) == FLUID_FAILED)
        return { nullptr, Failure::SoundFont, WithReason("cannot load soundfont " + soundFontPath, log.lastError()) };

    if (realtime) {
        fluid_settings_setint(settings, "audio.period-size", realtime->periodSize);
        fluid_settings_setint(settings, "audio.periods", realtime->periods);
        NameTheAudioStream(settings);
        QuietJackLibrary();
        const std::vector<std::string> offered = OfferedAudioDrivers(settings);
        std::string tried;
        for (std::string_view name : kAudioDrivers) {
            if (std::find(offered.begin(), offered.end(), name) == offered.end())
                continue;
            // Without a sound card the ALSA library prints pages of configuration errors of its own.
            std::error_code error;
            if (name == "alsa" && !std::filesystem::exists("/dev/snd", error))
                continue;
            tried += tried.empty() ? "" : ", ";
            tried += name;
            fluid_settings_setstr(settings, "audio.driver", std::string(name).c_str());
            engine->driver.reset(new_fluid_audio_driver2(settings, &Engine::audioCallback, engine.get()));
            if (engine->driver) {
                engine->driverName = name;
                break;
            }
        }
        if (!engine->driver) {
            // The caller says that there is no audio output; this says what was tried.
            const std::string what = tried.empty() ? "the sound library offers no audio driver" : "tried " + tried;
            return { nullptr, Failure::AudioOutput, WithReason(what, log.lastError()) };
        }
    }
    return { std::unique_ptr<FluidSynthPort>(new FluidSynthPort(std::move(engine))), Failure::None, {} };
}

void FluidSynthPort::shortMessage(std::uint32_t message) { m_engine->schedule(Engine::Event::Kind::Message, message); }

void FluidSynthPort::setVolume(std::uint32_t volume) { m_engine->schedule(Engine::Event::Kind::Volume, volume); }

void FluidSynthPort::pause(int milliseconds) { m_engine->advance(milliseconds); }

std::vector<float> FluidSynthPort::render(int frames)
{
    if (m_engine->driver || frames <= 0)
        return {};
    const auto count = static_cast<std::size_t>(frames);
    std::vector<float> left(count, 0.0f);
    std::vector<float> right(count, 0.0f);
    m_engine->renderInto(left.data(), right.data(), frames);
    std::vector<float> interleaved(2 * count);
    for (std::size_t i = 0; i < count; ++i) {
        interleaved[2 * i] = left[i];
        interleaved[2 * i + 1] = right[i];
    }
    return interleaved;
}

int FluidSynthPort::sampleRate() const { return m_engine->sampleRate; }

std::string FluidSynthPort::audioDriver() const { return m_engine->driverName; }

std::string FluidSynthPort::soundFont() const { return m_engine->soundFont; }

std::uint64_t FluidSynthPort::renderedFrames() const { return m_engine->rendered.load(std::memory_order_acquire); }

std::size_t FluidSynthPort::pendingEvents() const
{
    const std::lock_guard lock(m_engine->mutex);
    return m_engine->queue.size();
}

int FluidSynthPort::program(int channel) const
{
    int soundFont = 0;
    int bank = 0;
    int preset = 0;
    if (fluid_synth_get_program(m_engine->synth.get(), channel, &soundFont, &bank, &preset) != FLUID_OK)
        return -1;
    return preset;
}

} // namespace corvane
