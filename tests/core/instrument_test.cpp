#include <gtest/gtest.h>

#include <set>

#include "guitar/instrument.h"
#include "guitar/instrument_identify.h"
#include "guitar/instrument_search.h"

using namespace corvane;

TEST(Instruments, TableShape)
{
    std::set<std::string_view> names;
    for (const Instrument& instrument : Instruments()) {
        SCOPED_TRACE(std::string(instrument.name));
        EXPECT_TRUE(names.insert(instrument.name).second);
        EXPECT_EQ(FindInstrument(instrument.name), &instrument);
        EXPECT_EQ(FindInstrument(instrument.caption), &instrument);
        ASSERT_FALSE(instrument.tunings.empty());
        EXPECT_GE(instrument.Strings(), kMinInstrumentStrings);
        EXPECT_LE(instrument.Strings(), kMaxInstrumentStrings);
        for (const InstrumentTuning& tuning : instrument.tunings)
            EXPECT_EQ(tuning.strings.count, instrument.Strings()) << tuning.name;
        // Every easy shape is a fingering of this instrument, barre marks as the finger rules set them.
        std::string_view shapes = instrument.easyShapes;
        int count = 0;
        for (size_t at = 0; at < shapes.size();) {
            const size_t end = std::min(shapes.find(',', at), shapes.size());
            const std::string_view shape = shapes.substr(at, end - at);
            at = end + 1;
            const auto frets = ReadFretsText(shape);
            ASSERT_TRUE(frets) << shape;
            EXPECT_EQ(frets->count, instrument.Strings()) << shape;
            Frets unmarked = *frets;
            for (int s = 0; s < unmarked.count; ++s)
                unmarked[s] = std::abs(unmarked[s]);
            Frets marked = unmarked;
            EXPECT_LE(CountStringFingers(marked, false), 4) << shape;
            if (!instrument.IsSixStringGuitar()) {
                EXPECT_EQ(FretsText(marked), FretsText(*frets)) << shape;
            }
            ++count;
        }
        EXPECT_GE(count, 9);
    }
    EXPECT_EQ(SixStringGuitar().tunings.size(), kTuningPresets.size());
    EXPECT_EQ(SixStringGuitar().tunings[7].name, "Drop D");
    EXPECT_EQ(SixStringGuitar().tunings[0].strings, MakeOpenStrings({ 40, 45, 50, 55, 59, 64 }));
    EXPECT_EQ(OpenStringsText(FindInstrument("ukulele")->tunings[0].strings), "G4 C4 E4 A4");
    EXPECT_EQ(OpenStringsText(FindInstrument("7-string guitar")->tunings[0].strings), "B1 E2 A2 D3 G3 B3 E4");
    EXPECT_EQ(OpenStringsText(FindInstrument("Mandolin")->tunings[0].strings), "G3 D4 A4 E5");
    EXPECT_EQ(OpenStringsText(FindInstrument("baritone_ukulele")->tunings[0].strings), "D3 G3 B3 E4");
    EXPECT_EQ(OpenStringsText(FindInstrument("tenor guitar")->tunings[0].strings), "C3 G3 D4 A4");
    EXPECT_EQ(FindInstrument("banjo"), nullptr);
}

TEST(Instruments, ReadOpenStrings)
{
    const Instrument& ukulele = *FindInstrument("ukulele");
    const Instrument& guitar = SixStringGuitar();
    struct Row {
        const char* name;
        const Instrument& instrument;
        const char* text;
        const char* strings;
    };
    const Row rows[] = {
        { "preset by name", ukulele, "low g", "G3 C4 E4 A4" },
        { "D tuning", ukulele, "D Tuning", "A4 D4 F#4 B4" },
        { "notes near the own tuning", ukulele, "A D F# B", "A4 D4 F#4 B4" },
        { "octaves given", ukulele, "G3 C4 E4 A4", "G3 C4 E4 A4" },
        { "numbers", ukulele, "7 0 4 9", "G4 C4 E4 A4" },
        { "guitar preset", guitar, "Drop D", "D2 A2 D3 G3 B3 E4" },
        { "five strings rise from the low E", guitar, "B E A D G", "B1 E2 A2 D3 G3" },
        { "eight strings", guitar, "F# B E A D G B E", "F#2 B2 E3 A3 D4 G4 B4 E5" },
        { "four strings with commas", guitar, "E1, A1, D2, G2", "E1 A1 D2 G2" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const OpenStringsReading reading = ReadOpenStrings(row.text, row.instrument);
        ASSERT_TRUE(reading.strings) << reading.error;
        EXPECT_EQ(OpenStringsText(*reading.strings), row.strings);
    }
    for (const char* bad : { "G C E", "C D E F G A B C D", "G C E H#", "", "G C E A9x" }) {
        SCOPED_TRACE(bad);
        const OpenStringsReading reading = ReadOpenStrings(bad, ukulele);
        EXPECT_FALSE(reading.strings);
        EXPECT_FALSE(reading.error.empty());
    }
}

// A tuning bar's note follows the rule of a typed note without octave, on every string of every
// instrument: the own tuning's notes written as numbers, one of them replaced by the bar's.
TEST(Instruments, RetunedStringIsTheTypedNoteWithoutOctave)
{
    for (const Instrument& instrument : Instruments()) {
        const OpenStrings& own = instrument.tunings.front().strings;
        for (int string = 0; string < own.count; ++string) {
            for (int pitchClass = 0; pitchClass < 12; ++pitchClass) {
                std::string typed;
                for (int s = 0; s < own.count; ++s)
                    typed += std::to_string(s == string ? pitchClass : own[s] % 12) + " ";
                const OpenStringsReading reading = ReadOpenStrings(typed, instrument);
                ASSERT_TRUE(reading.strings) << typed;
                EXPECT_EQ(RetunedString(instrument, string, pitchClass), (*reading.strings)[string])
                    << instrument.name << " string " << string << " to " << pitchClass;
            }
        }
    }
    // The low-G tuning's string is retuned from the instrument's own G4, not from its G3.
    EXPECT_EQ(RetunedString(*FindInstrument("ukulele"), 0, 9), 69);
}

TEST(Instruments, IdentifyOnStrings)
{
    const auto names = GridNames(Spelling::Sharp);
    const OpenStrings ukulele = FindInstrument("ukulele")->tunings[0].strings;
    struct Row {
        const char* frets;
        int capo;
        const char* bass;
        const char* tones;
        const char* first;
    };
    const Row rows[] = {
        { "0003", 0, "C", "C G E", "C" },
        // Re-entrant: the open C string is below the G string's A.
        { "2 0 0 0", 0, "C", "C A E", "Am/C" },
        { "x x 0 0", 0, "E", "E A", "A/E (no3)" },
        { "0003", 2, "D", "D A F#", nullptr },
        { "x 0 x x", 0, "C", "C", "" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.frets);
        const StringFretsReading reading = ReadStringFrets(row.frets, 4);
        ASSERT_TRUE(reading.fingering) << reading.error;
        const Identification id = IdentifyOnStrings(*reading.fingering, ukulele, row.capo, 18, names);
        ASSERT_TRUE(id.error.empty()) << id.error;
        EXPECT_EQ(id.bass ? names[static_cast<size_t>(*id.bass)] : "", row.bass);
        std::string tones;
        for (PitchClass pc : id.chordTones)
            tones += (tones.empty() ? "" : " ") + names[static_cast<size_t>(pc)];
        EXPECT_EQ(tones, row.tones);
        if (row.first) {
            EXPECT_EQ(id.names.empty() ? "" : id.names.front(), row.first);
        }
    }
    for (const char* bad : { "000", "0 0 0 3 0", "0 0 0 q", "0 0 0 25", "00003" }) {
        SCOPED_TRACE(bad);
        const StringFretsReading reading = ReadStringFrets(bad, 4);
        EXPECT_FALSE(reading.fingering);
        EXPECT_FALSE(reading.error.empty());
    }
    // Past the neck's last fret, counted with the capo.
    EXPECT_FALSE(IdentifyOnStrings({ 0, 0, 0, 17 }, ukulele, 2, 18, names).error.empty());
}
