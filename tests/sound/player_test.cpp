#include "guitar/tuning.h"
#include "sound/midi_constants.h"
#include "sound/midi_player.h"
#include "sound/patch_table.h"
#include "sound/recording_port.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

namespace corvane {
namespace {

    std::string Strum(const Voicing& voicing, int tempo = 2)
    {
        RecordingPort port;
        PlayVoicing(port, voicing, RebuildStringNotes(kStandardTuning), tempo);
        return port.text();
    }

    TEST(PatchTable, HasTheNineItemsWithGeneralMidiPrograms)
    {
        ASSERT_EQ(kPatches.size(), 9u);
        EXPECT_EQ(kPatches.front().itemText, "Nylon guitar");
        EXPECT_EQ(kPatches.back().itemText, "Chorused piano");
        std::set<std::string_view> texts;
        std::set<int> programs;
        for (const Patch& patch : kPatches) {
            EXPECT_GE(patch.program, 0) << patch.itemText;
            EXPECT_LE(patch.program, 127) << patch.itemText;
            texts.insert(patch.itemText);
            programs.insert(patch.program);
        }
        EXPECT_EQ(texts.size(), kPatches.size());
        EXPECT_EQ(programs.size(), kPatches.size());
    }

    TEST(ChangePatch, SendsStatusAloneThenProgramThenVolumeThenNoteOnStatus)
    {
        struct Row {
            const char* name;
            int index;
            const char* expected;
        };
        const Row rows[] = {
            { "nylon guitar", 0, "send 0x000000C0\nsend 0x00000018\nvolume 0x0000FFFF\nsend 0x00000090\n" },
            { "muted guitar", 3, "send 0x000000C0\nsend 0x0000001C\nvolume 0x0000FFFF\nsend 0x00000090\n" },
            { "acoustic grand piano", 4, "send 0x000000C0\nsend 0x00000000\nvolume 0x0000FFFF\nsend 0x00000090\n" },
            { "chorused piano", 8, "send 0x000000C0\nsend 0x00000004\nvolume 0x0000FFFF\nsend 0x00000090\n" },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            RecordingPort port;
            EXPECT_EQ(ChangePatch(port, row.index), kPatches[static_cast<std::size_t>(row.index)].program);
            EXPECT_EQ(port.text(), row.expected);
        }
    }

    TEST(ChangePatch, IndexWithoutAnItemSendsNothingAndKeepsTheSound)
    {
        for (int index : { -1, 9, -2147483647 - 1 }) {
            SCOPED_TRACE(index);
            RecordingPort port;
            EXPECT_EQ(ChangePatch(port, index), std::nullopt);
            EXPECT_TRUE(port.entries().empty()) << port.text();
        }
    }

    TEST(PlayVoicing, OpenLowStringIsNoteOnKey40Velocity100ThenThePause)
    {
        EXPECT_EQ(Strum({ 0, 99, 99, 99, 99, 99 }), "send 0x00642890\npause 75\n");
        EXPECT_EQ(NoteOnMessage(40), 0x00642890u);
    }

    TEST(PlayVoicing, StrumsLowestStringFirstSkippingMutedOnes)
    {
        // C major, lowest string muted: C3 E3 G3 C4 E4.
        EXPECT_EQ(Strum({ 99, 3, 2, 0, 1, 0 }),
            "send 0x00643090\npause 75\n"
            "send 0x00643490\npause 75\n"
            "send 0x00643790\npause 75\n"
            "send 0x00643C90\npause 75\n"
            "send 0x00644090\npause 75\n");
    }

    TEST(PlayVoicing, TwoMutedStringsGiveFourNotesAndFourPauses)
    {
        RecordingPort port;
        PlayVoicing(port, { 99, 99, 0, 2, 3, 2 }, RebuildStringNotes(kStandardTuning), 2);
        EXPECT_EQ(port.messages().size(), 4u);
        EXPECT_EQ(port.pauses(), (std::vector<int> { 75, 75, 75, 75 }));
        // Each pause follows its note: the entries alternate.
        for (std::size_t i = 0; i < port.entries().size(); ++i)
            EXPECT_EQ(port.entries()[i].kind, i % 2 ? RecordingPort::Kind::Pause : RecordingPort::Kind::Message) << i;
    }

    TEST(PlayVoicing, BarreMarkSoundsTheFretItMarks)
    {
        const StringNotes notes = RebuildStringNotes(kStandardTuning);
        RecordingPort port;
        PlayVoicing(port, { -3, 5, 5, 4, 3, 3 }, notes, 2);
        ASSERT_FALSE(port.messages().empty());
        EXPECT_EQ(port.messages().front(), NoteOnMessage(notes[0][3]));
        EXPECT_EQ(port.messages().front(), 0x00642B90u);
    }

    TEST(PlayVoicing, FretsOutsideTheNoteTableAreSkippedNotRead)
    {
        EXPECT_EQ(Strum({ 30, -30, 2147483647, -2147483647 - 1, 99, 29 }), "send 0x00645D90\npause 75\n");
        EXPECT_EQ(Strum({ 99, 99, 99, 99, 99, 99 }), "");
    }

    TEST(PlayVoicing, TempoPositionsGive25To150Milliseconds)
    {
        const int expected[kTempoPositions] = { 25, 50, 75, 100, 125, 150 };
        for (int tempo = 0; tempo < kTempoPositions; ++tempo) {
            SCOPED_TRACE(tempo);
            RecordingPort port;
            PlayVoicing(port, { 0, 2, 2, 1, 0, 0 }, RebuildStringNotes(kStandardTuning), tempo);
            EXPECT_EQ(port.pauses(), std::vector<int>(6, expected[tempo]));
        }
        EXPECT_EQ(StrumDelayMs(-1), 25);
        EXPECT_EQ(StrumDelayMs(6), 150);
    }

    // On six strings the strum of any instrument is the guitar's own, note for note and pause for pause.
    TEST(PlayStrings, SixStringsStrumAsPlayVoicing)
    {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> fret(-3, 14);
        for (int round = 0; round < 500; ++round) {
            Voicing voicing {};
            for (int& value : voicing) {
                value = fret(random);
                value = value == -3 ? kMuted : value;
            }
            const Tuning& tuning = kTuningPresets[static_cast<size_t>(round % 12)].pitchClasses;
            RecordingPort guitar;
            PlayVoicing(guitar, voicing, RebuildStringNotes(tuning), round % kTempoPositions);
            RecordingPort strings;
            PlayStrings(strings, FretsOfVoicing(voicing), GuitarOpenStrings(tuning), 0, round % kTempoPositions);
            ASSERT_EQ(strings.text(), guitar.text()) << VoicingText(voicing);
        }
    }

    TEST(PlayStrings, StringOrderCapoAndTheEndsOfTheKeyboard)
    {
        const OpenStrings ukulele = FindInstrument("ukulele")->tunings.front().strings;
        const auto keys = [](const Frets& frets, const OpenStrings& strings, int capo) {
            RecordingPort port;
            PlayStrings(port, frets, strings, capo, 0);
            std::vector<int> sent;
            for (const std::uint32_t message : port.messages())
                sent.push_back(static_cast<int>(message >> 8 & 0xFF));
            return sent;
        };
        struct Row {
            const char* name;
            Frets frets;
            int capo;
            std::vector<int> keys;
        };
        const Row rows[] = {
            { "open C: G4 C4 E4 C5, the re-entrant G first", Frets { 4, { 0, 0, 0, 3 } }, 0, { 67, 60, 64, 72 } },
            { "capo 2 raises every string", Frets { 4, { 0, 0, 0, 3 } }, 2, { 69, 62, 66, 74 } },
            { "muted strings are skipped", Frets { 4, { 99, 0, 99, -2 } }, 0, { 60, 71 } },
            { "the capo adds to the highest fret too", Frets { 4, { 0, 27, 99, 99 } }, 11, { 78, 98 } },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(keys(row.frets, ukulele, row.capo), row.keys);
        }
        // Keys past 127 are skipped.
        const OpenStrings high = MakeOpenStrings({ 120, 124, 125, 126 });
        EXPECT_EQ(keys(Frets { 4, { 7, 3, 2, 2 } }, high, 0), (std::vector<int> { 127, 127, 127 }));
    }

    // The four-string instruments take the nylon guitar, the guitars keep what the user chose.
    TEST(PatchTable, EachInstrumentHasItsPatchOrKeepsTheUsers)
    {
        for (const Instrument& instrument : Instruments()) {
            SCOPED_TRACE(std::string(instrument.name));
            const std::optional<int> item = InstrumentPatchItem(instrument.name);
            if (instrument.Strings() >= 6) {
                EXPECT_EQ(item, std::nullopt);
                continue;
            }
            ASSERT_TRUE(item);
            EXPECT_EQ(PatchProgram(*item), 24);
        }
        EXPECT_EQ(InstrumentPatchItem("banjo"), std::nullopt);
    }

} // namespace
} // namespace corvane
