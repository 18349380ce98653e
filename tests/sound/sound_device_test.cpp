#include "sound/midi_constants.h"
#include "sound/sound_device.h"
#include "sound/sound_font_search.h"

#include <gtest/gtest.h>

#include <set>

namespace corvane {
namespace {

    using namespace std::chrono_literals;

    // ---- Where the sound font is looked for ----

    FileExists Present(std::set<std::string> files)
    {
        return [files = std::move(files)](const std::string& path) { return files.contains(path); };
    }

    constexpr const char* kTim = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    constexpr const char* kFluid = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
    constexpr const char* kOtherTim = "/usr/share/soundfonts/TimGM6mb.sf2";
    constexpr const char* kOtherFluid = "/usr/share/soundfonts/FluidR3_GM.sf2";
    constexpr const char* kDebian = "/usr/share/sounds/sf2/default-GM.sf2";

    TEST(SoundFontSearch, TakesTheFirstPresentInOrderOfPreference)
    {
        const std::string chosen = "/home/player/fonts/Grand.sf2";
        const std::string synthDefault = "/usr/local/share/sf2/default.sf2";
        struct Row {
            const char* name;
            std::set<std::string> present;
            std::optional<std::string> expected;
        };
        const Row rows[] = {
            { "the user's file over everything", { chosen, synthDefault, kDebian, kTim }, chosen },
            { "the synthesizer's default next", { synthDefault, kDebian, kTim }, synthDefault },
            { "then Debian's alternative", { kDebian, kTim, kFluid }, kDebian },
            { "then TimGM6mb", { kTim, kFluid, kOtherTim }, kTim },
            { "then FluidR3", { kFluid, kOtherTim }, kFluid },
            { "then the other folder", { kOtherTim, kOtherFluid }, kOtherTim },
            { "its FluidR3 last", { kOtherFluid }, kOtherFluid },
            { "nothing", {}, std::nullopt },
            { "unrelated files do not count", { "/usr/share/sounds/sf2/other.sf2" }, std::nullopt },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(FindSoundFont(chosen, synthDefault, Present(row.present)), row.expected);
        }
    }

    TEST(SoundFontSearch, ListsEachPlaceOnceAndSkipsEmptyChoices)
    {
        // No choice, and a synthesizer whose default is Debian's alternative, as on Debian itself.
        const std::vector<std::string> expected { kDebian, kTim, kFluid, kOtherTim, kOtherFluid };
        EXPECT_EQ(SoundFontCandidates("", kDebian), expected);
        EXPECT_EQ(SoundFontCandidates(kTim, ""),
            (std::vector<std::string> { kTim, kDebian, kFluid, kOtherTim, kOtherFluid }));
        EXPECT_EQ(ExistingSoundFonts("", "", Present({ kOtherFluid, kTim })),
            (std::vector<std::string> { kTim, kOtherFluid }));
    }

    TEST(SoundFontSearch, OnlyReadableFilesCount)
    {
        EXPECT_FALSE(IsSoundFontFile(""));
        EXPECT_FALSE(IsSoundFontFile("/nonexistent/none.sf2"));
        EXPECT_FALSE(IsSoundFontFile("/usr")); // a folder
    }

    // ---- The device that starts its synthesizer on a worker ----

    // A starter the test lets go when it wants, handing out a recording port or a silence.
    struct Gate {
        std::mutex mutex;
        std::condition_variable opened;
        bool open = false;
        std::vector<std::string> asked; // the chosen font of each start
        RecordingPort* port = nullptr; // the last port handed out

        SoundStarter starter(std::string silence = {})
        {
            return [this, silence](const std::string& chosen) {
                std::unique_lock lock(mutex);
                asked.push_back(chosen);
                opened.wait(lock, [this] { return open; });
                if (!silence.empty())
                    return StartedSound { nullptr, silence, "test", {} };
                auto recording = std::make_unique<RecordingPort>();
                port = recording.get();
                return StartedSound { std::move(recording), {}, {}, chosen.empty() ? "default.sf2" : chosen };
            };
        }
        void release()
        {
            {
                const std::lock_guard lock(mutex);
                open = true;
            }
            opened.notify_all();
        }
        void hold()
        {
            const std::lock_guard lock(mutex);
            open = false;
        }
    };

    TEST(SoundDevice, WhatIsSentWhileStartingReachesTheSynthesizerInOrder)
    {
        Gate gate;
        SoundDevice device({}, gate.starter());
        std::vector<std::string> statuses;
        std::mutex statusMutex;
        device.watchStatus([&](const std::string& text) {
            const std::lock_guard lock(statusMutex);
            statuses.push_back(text);
        });
        device.shortMessage(midi::kProgramChange);
        device.shortMessage(0x18);
        device.setVolume(midi::kFullVolume);
        device.pause(75);
        EXPECT_FALSE(device.waitUntilStarted(10ms));

        gate.release();
        ASSERT_TRUE(device.waitUntilStarted(5s));
        device.shortMessage(0x00642890);
        ASSERT_TRUE(gate.port);
        EXPECT_EQ(
            gate.port->text(), "send 0x000000C0\nsend 0x00000018\nvolume 0x0000FFFF\npause 75\nsend 0x00642890\n");
        EXPECT_EQ(device.soundFont(), "default.sf2");
        const std::lock_guard lock(statusMutex);
        EXPECT_EQ(statuses, std::vector<std::string> { "" });
    }

    TEST(SoundDevice, SaysWhyItIsSilentAndDropsWhatIsSent)
    {
        for (std::string_view why : { kNoSoundFontStatus, kNoAudioOutputStatus }) {
            SCOPED_TRACE(why);
            Gate gate;
            SoundDevice device({}, gate.starter(std::string(why)));
            device.shortMessage(0x00642890);
            gate.release();
            ASSERT_TRUE(device.waitUntilStarted(5s));
            EXPECT_EQ(device.status(), why);
            device.shortMessage(0x00642890); // goes nowhere, and does not pile up
            device.pause(150);
            // A listener that comes late is told at once.
            std::string told = "unset";
            device.watchStatus([&told](const std::string& text) { told = text; });
            EXPECT_EQ(told, why);
        }
    }

    TEST(SoundDevice, AChosenFontTakesOverWithTheProgramAndVolumeInUse)
    {
        Gate gate;
        gate.release();
        SoundDevice device("/first.sf2", gate.starter());
        ASSERT_TRUE(device.waitUntilStarted(5s));
        RecordingPort* first = gate.port;
        device.shortMessage(midi::kProgramChange); // the patch change under running status
        device.shortMessage(0x04);
        device.setVolume(0x00007FFF);
        device.shortMessage(midi::kNoteOn);

        gate.hold();
        device.chooseSoundFont("/second.sf2");
        device.shortMessage(0x00643090); // the old synthesizer plays on meanwhile
        EXPECT_EQ(first->messages().back(), 0x00643090u);
        gate.release();
        ASSERT_TRUE(device.waitUntilStarted(5s));
        EXPECT_EQ(gate.asked, (std::vector<std::string> { "/first.sf2", "/second.sf2" }));
        EXPECT_EQ(device.soundFont(), "/second.sf2");
        EXPECT_EQ(gate.port->text(), "send 0x000004C0\nvolume 0x00007FFF\nsend 0x00000090\n");
    }

    TEST(SoundDevice, ALaterStartWaitsToBeAskedAndKeepsWhatIsSent)
    {
        Gate gate;
        gate.release();
        SoundDevice device("/chosen.sf2", gate.starter(), SoundStart::WhenAsked);
        device.shortMessage(midi::kProgramChange);
        device.shortMessage(0x18);
        EXPECT_FALSE(device.waitUntilStarted(20ms));
        EXPECT_TRUE(gate.asked.empty());
        device.start();
        device.start(); // once only
        ASSERT_TRUE(device.waitUntilStarted(5s));
        EXPECT_EQ(gate.asked, std::vector<std::string> { "/chosen.sf2" });
        EXPECT_EQ(gate.port->text(), "send 0x000000C0\nsend 0x00000018\n");
    }

} // namespace
} // namespace corvane
