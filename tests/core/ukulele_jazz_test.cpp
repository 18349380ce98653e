// Ukulele voicings of five- and six-tone chords from players' charts, each found when asked by its
// lead-sheet symbol; and the changes of a jazz standard fingered through on the ukulele and guitar.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "guitar/instrument_progression.h"
#include "guitar/instrument_search.h"
#include "guitar/progression_text.h"
#include "theory/typed_chord.h"

using namespace corvane;

namespace {

struct Grip {
    const char* symbol;
    const char* frets; // G C E A, as a record writes them
    unsigned leftOut;
};

// Frets from ukulele jazz charts: rootless grips and grips without the fifth.
constexpr Grip kUkuleleGrips[] = {
    { "C9", "0 2 0 1 ", kLeftOutRoot },
    { "C9", "3 2 0 3 ", kLeftOutFifth },
    { "G9", "2 2 1 2 ", kLeftOutRoot },
    { "D9", "2 4 2 3 ", kLeftOutRoot },
    { "A9", "0 1 0 2 ", kLeftOutRoot },
    { "E9", "1 2 2 2 ", kLeftOutRoot },
    { "F9", "2 3 3 3 ", kLeftOutRoot },
    { "Bb9", "1 2 1 3 ", kLeftOutRoot },
    { "Eb9", "0 1 1 1 ", kLeftOutRoot },
    { "B9", "2 3 2 4 ", kLeftOutRoot },
    { "Cmaj9", "0 2 0 2 ", kLeftOutRoot },
    { "Cmaj9", "4 2 0 3 ", kLeftOutFifth },
    { "Fmaj9", "0 0 0 0 ", kLeftOutRoot },
    { "Gmaj9", "2 2 2 2 ", kLeftOutRoot },
    { "Dmaj9", "2 4 2 4 ", kLeftOutRoot },
    { "Amaj9", "1 1 0 2 ", kLeftOutRoot },
    { "Bbmaj9", "2 2 1 3 ", kLeftOutRoot },
    { "Emaj9", "1 3 2 2 ", kLeftOutRoot },
    { "Cm9", "3 3 3 5 ", kLeftOutRoot },
    { "Am9", "4 4 3 3 ", kLeftOutRoot },
    { "Dm9", "5 5 0 0 ", kLeftOutRoot },
    { "Em9", "0 2 2 2 ", kLeftOutRoot },
    { "Gm9", "2 2 1 1 ", kLeftOutRoot },
    { "Fm9", "1 3 3 3 ", kLeftOutRoot },
    { "Bm9", "2 2 2 4 ", kLeftOutRoot },
    { "C7b9", "3 4 3 4 ", kLeftOutRoot },
    { "D7b9", "2 3 2 3 ", kLeftOutRoot },
    { "A7b9", "0 1 0 1 ", kLeftOutRoot },
    { "E7b9", "1 2 1 2 ", kLeftOutRoot },
    { "G7b9", "1 2 1 2 ", kLeftOutRoot },
    { "E7#9", "1 2 3 2 ", kLeftOutRoot },
    { "A7#9", "0 1 0 3 ", kLeftOutRoot },
    { "G7#9", "4 2 1 1 ", kLeftOutRoot },
    { "B7#9", "2 3 2 5 ", kLeftOutRoot },
    { "C13", "2 0 0 1 ", kLeftOutFifth },
    { "C13", "3 0 0 0 ", kLeftOutFifth },
    { "A13", "0 1 2 0 ", kLeftOutFifth },
    { "D13", "2 0 2 2 ", kLeftOutRoot },
    { "F13", "2 3 1 5 ", kLeftOutFifth },
    { "E13", "1 2 0 4 ", kLeftOutFifth },
    { "B13", "1 3 2 0 ", kLeftOutRoot },
    { "C6/9", "2 2 0 3 ", kLeftOutFifth },
    { "C9#11", "3 4 2 5 ", kLeftOutFifth | kLeftOutRoot },
    { "G9#11", "4 5 5 4 ", kLeftOutFifth | kLeftOutRoot },
    { "F9#11", "2 3 3 2 ", kLeftOutFifth | kLeftOutRoot },
    { "Bb9#11", "1 0 0 5 ", kLeftOutFifth | kLeftOutRoot },
};

StringSet Ukulele()
{
    const Instrument& ukulele = *FindInstrument("ukulele");
    return StringSetOf(ukulele, ukulele.tunings.front().strings);
}

InstrumentRefreshResult BySymbol(const char* symbol, const StringSet& strings)
{
    const SongChord chord = ReadSongChord(symbol);
    EXPECT_TRUE(chord.Understood()) << symbol;
    return ComputeInstrumentRefresh(FromSelection(chord.state, {}), strings);
}

} // namespace

TEST(UkuleleJazz, GripsPlayersKnow)
{
    const StringSet ukulele = Ukulele();
    size_t found = 0;
    for (const Grip& grip : kUkuleleGrips) {
        SCOPED_TRACE(std::string(grip.symbol) + " " + grip.frets);
        const InstrumentRefreshResult result = BySymbol(grip.symbol, ukulele);
        const auto record = std::find_if(result.records.begin(), result.records.end(),
            [&](const InstrumentRecord& r) { return r.VoicingPart() == grip.frets; });
        ASSERT_NE(record, result.records.end());
        EXPECT_EQ(record->leftOut, grip.leftOut);
        ++found;
    }
    EXPECT_GE(found, 40u);
}

TEST(UkuleleJazz, StandardsFingerEveryChord)
{
    // The changes of a ii-V-I standard as a fake book writes them, with its ninths, thirteenths
    // and altered dominants.
    const char* changes = "Cm9 F13 Bbmaj9 Ebmaj9 Am7b5 D7b9 Gm9 G7#9 "
                          "Fm9 Bb13 Ebmaj9 Abmaj7 Am7b5 D7b9 Gm6/9 C9 "
                          "Am7b5 D7b9 Gm9 Fm9 Bb7b9 Ebmaj9 Am7b5 D7#9 Gm9 Cm9 F13 Bbmaj9 E7b9 A7#9 Dm9 G13";
    const ProgressionText reading = ParseProgression(changes);
    ASSERT_TRUE(reading.problems.empty());
    for (const char* name : { "ukulele", "guitar", "baritone-ukulele", "mandolin" }) {
        SCOPED_TRACE(name);
        const Instrument& instrument = *FindInstrument(name);
        const StringProgressionChoice choice = ChooseInstrumentProgression(
            reading.entries, {}, StringSetOf(instrument, instrument.tunings.front().strings));
        EXPECT_TRUE(choice.problems.empty()) << (choice.problems.empty() ? "" : choice.problems.front());
        for (const StringChordChoice& chord : choice.chords)
            EXPECT_NE(chord.Chosen(), nullptr) << chord.text;
    }
}
