#include "guitar/tuning.h"
#include "sound/fluidsynth_port.h"
#include "sound/midi_constants.h"
#include "sound/midi_device.h"
#include "sound/midi_player.h"
#include "sound/sound_device.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

#include <unistd.h>

namespace corvane {
namespace {

    constexpr Voicing kOpenLowE { 0, 99, 99, 99, 99, 99 };

    class SynthTest : public ::testing::Test {
    protected:
        void SetUp() override
        {
            const std::optional<std::string> soundFont = FindSoundFont();
            if (!soundFont)
                GTEST_SKIP()
                    << "no General MIDI soundfont installed (scripts/install-deps.sh installs timgm6mb-soundfont)";
            FluidSynthOpenResult opened = FluidSynthPort::openOffline(*soundFont);
            ASSERT_TRUE(opened.port) << opened.error;
            port = std::move(opened.port);
        }

        int frames(double seconds) const { return static_cast<int>(seconds * port->sampleRate()); }

        // Left plus right of the next `seconds` of audio.
        std::vector<float> renderMono(double seconds)
        {
            const std::vector<float> stereo = port->render(frames(seconds));
            std::vector<float> mono(stereo.size() / 2);
            for (std::size_t i = 0; i < mono.size(); ++i)
                mono[i] = stereo[2 * i] + stereo[2 * i + 1];
            return mono;
        }

        std::unique_ptr<FluidSynthPort> port;
    };

    double Rms(const std::vector<float>& x, std::size_t from = 0, std::size_t to = SIZE_MAX)
    {
        to = std::min(to, x.size());
        double sum = 0;
        for (std::size_t i = from; i < to; ++i)
            sum += double { x[i] } * x[i];
        return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
    }

    // Fundamental by normalised autocorrelation: the first peak that comes near the highest one, so
    // strong upper harmonics do not pass for the fundamental. 50 to 1000 Hz.
    double Fundamental(const std::vector<float>& x, std::size_t from, std::size_t to, int sampleRate)
    {
        const std::size_t minLag = static_cast<std::size_t>(sampleRate / 1000);
        const std::size_t maxLag = static_cast<std::size_t>(sampleRate / 50);
        std::vector<double> nsdf(maxLag + 2, 0.0);
        for (std::size_t lag = minLag; lag <= maxLag + 1; ++lag) {
            double cross = 0;
            double energy = 0;
            for (std::size_t i = from; i + lag < to; ++i) {
                cross += double { x[i] } * x[i + lag];
                energy += double { x[i] } * x[i] + double { x[i + lag] } * x[i + lag];
            }
            nsdf[lag] = energy > 0 ? 2 * cross / energy : 0;
        }
        double best = 0;
        for (std::size_t lag = minLag + 1; lag <= maxLag; ++lag)
            best = std::max(best, nsdf[lag]);
        for (std::size_t lag = minLag + 1; lag <= maxLag; ++lag) {
            if (nsdf[lag] >= 0.9 * best && nsdf[lag] >= nsdf[lag - 1] && nsdf[lag] >= nsdf[lag + 1]) {
                const double a = nsdf[lag - 1], b = nsdf[lag], c = nsdf[lag + 1];
                const double denominator = a - 2 * b + c;
                const double shift = denominator != 0 ? 0.5 * (a - c) / denominator : 0;
                return sampleRate / (static_cast<double>(lag) + shift);
            }
        }
        return 0;
    }

    TEST_F(SynthTest, StrummedStringSoundsAtItsPitch)
    {
        struct Row {
            const char* name;
            Voicing voicing;
            double hertz;
            Tuning tuning = kStandardTuning;
        };
        const Tuning openA { 4, 9, 4, 9, 1, 4 };
        const Tuning blues { 4, 9, 2, 7, 0, 5 };
        const Row rows[] = {
            { "open low E", kOpenLowE, 82.41 },
            { "open A", { 99, 0, 99, 99, 99, 99 }, 110.0 },
            { "barre on the third fret of the low string", { -3, 99, 99, 99, 99, 99 }, 98.0 },
            { "open high E", { 99, 99, 99, 99, 99, 0 }, 329.63 },
            // A B string tuned up a tone or down a semitone stays near B3, not an octave below.
            { "Open A: open second string is C#4", { 99, 99, 99, 99, 0, 99 }, 277.18, openA },
            { "Blues: open second string is C4", { 99, 99, 99, 99, 0, 99 }, 261.63, blues },
        };
        ASSERT_TRUE(ChangePatch(*port, 0));
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            PlayVoicing(*port, row.voicing, RebuildStringNotes(row.tuning), 2);
            const std::vector<float> audio = renderMono(0.5);
            const double found = Fundamental(audio, static_cast<std::size_t>(frames(0.1)),
                static_cast<std::size_t>(frames(0.4)), port->sampleRate());
            std::printf("[ measured ] %s: %.2f Hz (expected %.2f)\n", row.name, found, row.hertz);
            EXPECT_NEAR(found, row.hertz, row.hertz * 0.015);
            // Let the string die away before the next row.
            port->shortMessage(midi::kControlChange | 120u << 8);
            renderMono(0.2);
        }
    }

    TEST_F(SynthTest, RunningStatusProgramChangeSelectsThePatch)
    {
        ASSERT_EQ(ChangePatch(*port, 8), 4);
        EXPECT_EQ(port->pendingEvents(), 4u); // nothing reaches the synthesizer before it renders
        port->render(64);
        EXPECT_EQ(port->program(0), 4);
        ChangePatch(*port, 0);
        port->render(64);
        EXPECT_EQ(port->program(0), 24);
        EXPECT_EQ(ChangePatch(*port, -1), std::nullopt);
        port->render(64);
        EXPECT_EQ(port->program(0), 24);
    }

    TEST_F(SynthTest, PatchChangeChangesTheSound)
    {
        // A fresh synthesizer per strum: reverb and chorus keep state from one note to the next.
        const auto strumWith = [this](int item) {
            FluidSynthOpenResult opened = FluidSynthPort::openOffline(*FindSoundFont());
            if (!opened.port) {
                ADD_FAILURE() << opened.error;
                return std::vector<float>(static_cast<std::size_t>(frames(0.4)), 0.0f);
            }
            FluidSynthPort& fresh = *opened.port;
            ChangePatch(fresh, item);
            PlayVoicing(fresh, kOpenLowE, RebuildStringNotes(kStandardTuning), 2);
            const std::vector<float> stereo = fresh.render(frames(0.4));
            std::vector<float> mono(stereo.size() / 2);
            for (std::size_t i = 0; i < mono.size(); ++i)
                mono[i] = stereo[2 * i] + stereo[2 * i + 1];
            return mono;
        };
        const std::vector<float> nylon = strumWith(0);
        const std::vector<float> nylonAgain = strumWith(0);
        const std::vector<float> piano = strumWith(8);

        const auto relativeDifference = [](const std::vector<float>& a, const std::vector<float>& b) {
            std::vector<float> d(a.size());
            for (std::size_t i = 0; i < a.size(); ++i)
                d[i] = a[i] - b[i];
            return Rms(d) / Rms(a);
        };
        const double same = relativeDifference(nylon, nylonAgain);
        const double changed = relativeDifference(nylon, piano);
        std::printf("[ measured ] difference nylon/nylon %.4f, nylon/chorused piano %.3f\n", same, changed);
        EXPECT_LT(same, 0.01);
        EXPECT_GT(changed, 0.5);
        // Same key, another instrument: the pitch stays.
        const double pianoPitch = Fundamental(
            piano, static_cast<std::size_t>(frames(0.1)), static_cast<std::size_t>(frames(0.4)), port->sampleRate());
        std::printf("[ measured ] chorused piano low E: %.2f Hz\n", pianoPitch);
        EXPECT_NEAR(pianoPitch, 82.41, 82.41 * 0.015);
    }

    TEST_F(SynthTest, VolumeLowWordSetsBothChannels)
    {
        struct Row {
            const char* name;
            std::uint32_t volume;
            double ratio; // of the full-volume level, on each channel
        };
        const Row rows[] = {
            { "full", midi::kFullVolume, 1.0 },
            { "half", 0x00007FFF, 0.5 },
            { "high word ignored", 0x0000FFFF | 0x12340000, 1.0 },
            { "low word zero", 0xFFFF0000, 0.0 },
        };
        ChangePatch(*port, 0);
        double fullLeft = 0;
        double fullRight = 0;
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            port->setVolume(row.volume);
            PlayVoicing(*port, kOpenLowE, RebuildStringNotes(kStandardTuning), 2);
            const std::vector<float> stereo = port->render(frames(0.3));
            std::vector<float> left, right;
            for (std::size_t i = 0; i + 1 < stereo.size(); i += 2) {
                left.push_back(stereo[i]);
                right.push_back(stereo[i + 1]);
            }
            if (row.volume == midi::kFullVolume) {
                fullLeft = Rms(left);
                fullRight = Rms(right);
                ASSERT_GT(fullLeft, 0.005);
                ASSERT_GT(fullRight, 0.005) << "the right channel is silent";
            }
            EXPECT_NEAR(Rms(left) / fullLeft, row.ratio, 0.05);
            EXPECT_NEAR(Rms(right) / fullRight, row.ratio, 0.05);
            port->shortMessage(midi::kControlChange | 120u << 8);
            port->render(frames(0.2));
        }
    }

    TEST_F(SynthTest, NotesSoundAtThePauseOffsetsWithoutHoldingTheCaller)
    {
        ChangePatch(*port, 0);
        port->pause(200);
        const auto start = std::chrono::steady_clock::now();
        PlayVoicing(
            *port, { 0, 2, 2, 1, 0, 0 }, RebuildStringNotes(kStandardTuning), 5); // six strings, 900 ms of pauses
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took, std::chrono::milliseconds(50));
        EXPECT_EQ(port->pendingEvents(), 4u + 6u);

        const std::vector<float> audio = renderMono(0.3);
        const auto onset = static_cast<std::size_t>(frames(0.2));
        const std::size_t block = 64; // the synthesizer's own step
        // Reverb keeps a tiny offset against denormals; anything audible would be far above it.
        EXPECT_LT(Rms(audio, 0, onset - block), 1e-5) << "sound before the pause ended";
        EXPECT_GT(Rms(audio, onset + block, onset + static_cast<std::size_t>(frames(0.05))), 0.005);
        EXPECT_EQ(port->pendingEvents(), 5u) << "the second string is due 150 ms after the first";

        renderMono(0.8);
        EXPECT_EQ(port->pendingEvents(), 0u);
    }

    TEST_F(SynthTest, ClockFollowsARenderingThread)
    {
        // The audio driver's part played by a thread that renders in small steps at about real time.
        std::atomic<bool> stop { false };
        std::thread audio([&] {
            while (!stop) {
                port->render(frames(0.01));
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
        const auto start = std::chrono::steady_clock::now();
        ChangePatch(*port, 0);
        PlayVoicing(*port, { 0, 2, 2, 1, 0, 0 }, RebuildStringNotes(kStandardTuning), 0); // 150 ms of strum
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
        while (port->pendingEvents() > 0 && std::chrono::steady_clock::now() - start < std::chrono::seconds(2))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        stop = true;
        audio.join();
        EXPECT_EQ(port->pendingEvents(), 0u);
    }

    TEST(SynthOpening, MissingSoundFontIsAnErrorNotAPort)
    {
        const FluidSynthOpenResult opened = FluidSynthPort::openOffline("/nonexistent/none.sf2");
        EXPECT_FALSE(opened.port);
        EXPECT_NE(opened.error.find("/nonexistent/none.sf2"), std::string::npos) << opened.error;
    }

    TEST(SynthOpening, DeviceOpensOrFallsSilentAndNeverHoldsTheCaller)
    {
        for (int device : { 0, 1 }) {
            SCOPED_TRACE(device);
            const std::unique_ptr<MidiPort> port = OpenMidiDevice(device);
            ASSERT_TRUE(port);
            const auto start = std::chrono::steady_clock::now();
            PlayVoicing(*port, { 99, 99, 99, 99, 99, 99 }, RebuildStringNotes(kStandardTuning), 5); // sends nothing
            ChangePatch(*port, 0);
            port->pause(150);
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
        }
        EXPECT_TRUE(dynamic_cast<SilentPort*>(OpenMidiDevice(1).get()));
    }

    // What the process writes to stderr while it lives.
    class StderrCapture {
    public:
        StderrCapture()
            : m_file(std::tmpfile())
        {
            std::fflush(stderr);
            m_saved = dup(STDERR_FILENO);
            dup2(fileno(m_file), STDERR_FILENO);
        }
        ~StderrCapture() { Text(), std::fclose(m_file); }
        StderrCapture(const StderrCapture&) = delete;
        StderrCapture& operator=(const StderrCapture&) = delete;
        std::string Text()
        {
            if (m_saved >= 0) {
                std::fflush(stderr);
                dup2(m_saved, STDERR_FILENO);
                close(m_saved);
                m_saved = -1;
            }
            std::string text;
            std::rewind(m_file);
            for (int c = std::fgetc(m_file); c != EOF; c = std::fgetc(m_file))
                text += static_cast<char>(c);
            return text;
        }

    private:
        std::FILE* m_file;
        int m_saved = -1;
    };

    // Starting without a sound server: the libraries below say nothing of their own, and the one line
    // the program writes says each thing once.
    TEST(SynthOpening, WithoutSoundOneClearSentenceAndNothingElse)
    {
        StderrCapture capture;
        const StartedSound started = StartSynthesizer({});
        EXPECT_EQ(capture.Text(), "");
        if (started.port)
            GTEST_SUCCEED() << "this machine has sound";
        else {
            const std::string line = SilenceMessage(started);
            EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
            EXPECT_EQ(line.rfind(started.status), line.find(started.status)) << line;
            const std::string_view doubled[] = { "no audio output", "sound font", "Sound is off" };
            for (std::string_view words : doubled)
                EXPECT_EQ(line.find(words), line.rfind(words)) << line;
        }
    }

} // namespace
} // namespace corvane
