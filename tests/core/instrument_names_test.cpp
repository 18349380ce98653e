#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <string>

#include "guitar/instrument_identify.h"
#include "guitar/instrument_search.h"
#include "tests/core/shapes_players_know.h"
#include "theory/notes.h"

using namespace corvane;
using corvane::testing::KnownShape;
using corvane::testing::kShapesPlayersKnow;

namespace {

// The frets of a record's voicing part ("99 -1 3 3 2 1 1 "): muted 99 is -1, a barre mark its fret.
StringFingering FingeringOfShape(std::string_view shape)
{
    StringFingering fingering;
    const std::string text(shape);
    for (const char* at = text.c_str(); *at != '\0';) {
        char* end = nullptr;
        const long value = std::strtol(at, &end, 10);
        if (end == at)
            break;
        fingering.push_back(value == kMuted ? kFingeringMuted : static_cast<int>(std::labs(value)));
        at = end;
    }
    return fingering;
}

// A chart's name in the words the best name writes: "Cmaj7" is "C7+", "Caug" "C5+", "Cdim7" "Cdim".
std::string AsWritten(std::string_view chart)
{
    const size_t rootLength = chart.size() > 1 && (chart[1] == '#' || chart[1] == 'b') ? 2 : 1;
    std::string suffix(chart.substr(rootLength));
    if (suffix == "maj7")
        suffix = "7+";
    else if (suffix == "aug")
        suffix = "5+";
    else if (suffix == "dim7")
        suffix = "dim";
    return std::string(chart.substr(0, rootLength)) + suffix;
}

// The augmented and diminished seventh chords repeat every 4 and 3 semitones: any of their tones is
// their root, and players name them from any.
bool SaysTheChord(const std::string& said, const std::string& best)
{
    if (said == best)
        return true;
    const auto split = [](const std::string& name) {
        const size_t rootLength = name.size() > 1 && (name[1] == '#' || name[1] == 'b') ? 2 : 1;
        return std::pair(PitchClassOfName(name.substr(0, rootLength)), name.substr(rootLength));
    };
    const auto [saidRoot, saidSuffix] = split(said);
    const auto [bestRoot, bestSuffix] = split(best);
    const int step = saidSuffix == "5+" ? 4 : saidSuffix == "dim" ? 3 : 0;
    return step > 0 && saidSuffix == bestSuffix && saidRoot != kNoPitch && bestRoot != kNoPitch
        && (bestRoot - saidRoot + 12) % step == 0;
}

} // namespace

// Every shape of the charts is named first with the name a player says. A shape charted under two
// names (the ukulele's 0 0 0 0 is C6 and Am7, its 0 2 3 0 Gsus2 and Dsus4) may be named either.
TEST(InstrumentNames, ShapesPlayersKnowAreNamedFirst)
{
    const auto noteNames = GridNames(Spelling::Sharp);
    const auto flatNames = GridNames(Spelling::Flat);
    std::map<std::string, int> named;
    std::map<std::string, int> total;
    for (const KnownShape& row : kShapesPlayersKnow) {
        const Instrument& instrument = *FindInstrument(row.instrument);
        const StringSet set = StringSetOf(instrument, instrument.tunings.front().strings);
        const bool flat = std::string_view(row.name).size() > 1 && row.name[1] == 'b';
        const Identification id = IdentifyOnStrings(FingeringOfShape(row.shape), set.strings, 0, set.lastFret,
            flat ? flatNames : noteNames, set.freeInversions ? BassNaming::RootPosition : BassNaming::Lowest);
        ASSERT_FALSE(id.names.empty()) << row.instrument << " " << row.shape;
        bool said = false;
        for (const KnownShape& other : kShapesPlayersKnow)
            if (std::string_view(other.instrument) == row.instrument && std::string_view(other.shape) == row.shape)
                said = said || SaysTheChord(AsWritten(other.name), id.best);
        EXPECT_TRUE(said) << row.instrument << " " << row.name << " " << row.shape << " is named " << id.best;
        named[row.instrument] += said ? 1 : 0;
        ++total[row.instrument];
    }
    for (const auto& [instrument, count] : total)
        std::cout << instrument << ": " << named[instrument] << " of " << count << " named first\n";
}
