// The six-string guitar behind the entry points every instrument shares: the same results, names and
// choices as its own search, identify and progression give.
#include <gtest/gtest.h>

#include "guitar/identify.h"
#include "guitar/instrument.h"
#include "guitar/instrument_identify.h"
#include "guitar/instrument_progression.h"
#include "guitar/instrument_search.h"
#include "guitar/progression.h"
#include "guitar/refresh.h"
#include "theory/naming.h"

using namespace corvane;

namespace {

StringSet GuitarIn(const Tuning& tuning) { return GuitarStrings(tuning); }

std::vector<std::string> Texts(const auto& records)
{
    std::vector<std::string> texts;
    for (const auto& record : records)
        texts.push_back(record.Text());
    return texts;
}

TEST(OneRoad, OnlyTheSixStringGuitarTakesItsOwnRules)
{
    EXPECT_TRUE(GuitarIn(kStandardTuning).sixStringRules);
    for (const Instrument& instrument : Instruments())
        EXPECT_EQ(StringSetOf(instrument, instrument.tunings.front().strings).sixStringRules,
            &instrument == &SixStringGuitar())
            << instrument.name;
    // Six strings of one's own take the rules said for any number of strings.
    EXPECT_FALSE(StringSetOf(*FindInstrument("7-string-guitar"), GuitarOpenStrings(kStandardTuning)).sixStringRules);
}

TEST(OneRoad, GuitarRefreshIsItsOwnSearchInEveryTuning)
{
    struct Case {
        const char* intervals;
        PitchClass root;
        PitchClass bass;
        int preset;
        int capo;
    };
    // Major, minor seventh over its fifth, a ninth in Drop D, a sus4 in open G with a capo.
    for (const Case& c : { Case { "00 04 07", 0, 0, 0, 0 }, Case { "00 03 07 10", 9, 4, 0, 0 },
             Case { "00 04 07 10 02", 2, 2, 7, 0 }, Case { "00 05 07", 7, 7, 3, 2 } }) {
        SCOPED_TRACE(c.intervals);
        SearchOptions options;
        options.tuning = kTuningPresets[static_cast<size_t>(c.preset)].pitchClasses;
        options.capo = c.capo;
        const RefreshInput input = ChordInput(c.intervals, c.root, c.bass, options);
        const RefreshResult own = ComputeRefresh(input);
        // The set's strings, not options.tuning, say the tuning: a stale one in the options is not read.
        RefreshInput stale = input;
        stale.options.tuning = kStandardTuning;
        const InstrumentRefreshResult shared = ComputeInstrumentRefresh(stale, GuitarIn(options.tuning));
        ASSERT_FALSE(own.records.empty());
        EXPECT_EQ(Texts(shared.records), Texts(own.records));
        EXPECT_EQ(shared.names, own.names);
        EXPECT_EQ(shared.chordTones, own.chordTones);
    }
}

TEST(OneRoad, GuitarFretsReadAndNameAsItsOwnIdentify)
{
    const auto names = GridNames(Spelling::Sharp);
    const StringSet guitar = GuitarIn(kStandardTuning);
    for (const char* text : { "x32010", "x 3 2 0 1 0", "2x0232", "3 x 0 0 3 3", "xxxxxx", "x3201", "x 3 2 0 1 25" }) {
        SCOPED_TRACE(text);
        const PlayedFretsReading own = ReadPlayedFrets(text);
        const StringFretsReading shared = ReadPlayedFretsOn(text, guitar);
        EXPECT_EQ(shared.error, own.error);
        ASSERT_EQ(shared.fingering.has_value(), own.fingering.has_value());
        if (!own.fingering)
            continue;
        const Identification a = Identify(*own.fingering, kStandardTuning, 2, names);
        const Identification b = IdentifyPlayed(*shared.fingering, guitar, 2, names);
        EXPECT_EQ(b.names, a.names);
        EXPECT_EQ(b.best, a.best);
        EXPECT_EQ(b.bass, a.bass);
        EXPECT_EQ(b.midiNotes, a.midiNotes);
        EXPECT_EQ(b.noName, a.noName);
    }
    // The ukulele keeps its own reading: four frets, its re-entrant bass, its root-position names.
    const Instrument& ukulele = *FindInstrument("ukulele");
    const StringSet strings = StringSetOf(ukulele, ukulele.tunings.front().strings);
    const StringFretsReading read = ReadPlayedFretsOn("2000", strings);
    ASSERT_TRUE(read.fingering);
    EXPECT_EQ(IdentifyPlayed(*read.fingering, strings, 0, names).best, "Am");
}

TEST(OneRoad, GuitarProgressionIsItsOwnChoice)
{
    const std::vector<ProgressionEntry> entries = ParseProgression("C Am F G7 | Bb Eb/G D7 x2").entries;
    for (int preset : { 0, 7 }) {
        ProgressionOptions options;
        options.search.tuning = kTuningPresets[static_cast<size_t>(preset)].pitchClasses;
        const StringSet guitar = GuitarIn(options.search.tuning);
        const ProgressionChoice own = ChooseProgression(entries, options, { -1, 3 });
        const StringProgressionChoice shared = ChooseInstrumentProgression(entries, options, guitar, { -1, 3 });
        ASSERT_EQ(shared.chords.size(), own.chords.size());
        EXPECT_EQ(shared.total, own.total);
        EXPECT_EQ(shared.problems, own.problems);
        for (size_t k = 0; k < own.chords.size(); ++k) {
            EXPECT_EQ(shared.chords[k].chosen, own.chords[k].chosen) << k;
            EXPECT_EQ(shared.chords[k].cost, own.chords[k].cost) << k;
            EXPECT_EQ(Texts(shared.chords[k].results), Texts(own.chords[k].results)) << k;
        }
        const CapoSuggestion ownCapo = SuggestCapo(ParseProgression("Bb Eb F Gm").entries, options);
        const StringCapoSuggestion sharedCapo
            = SuggestInstrumentCapo(ParseProgression("Bb Eb F Gm").entries, options, guitar);
        EXPECT_EQ(sharedCapo.capo, ownCapo.capo);
        EXPECT_EQ(sharedCapo.choice.total, ownCapo.choice.total);
    }
}

} // namespace
