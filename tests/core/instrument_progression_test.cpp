#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include "guitar/instrument_progression.h"

using namespace corvane;

namespace {

std::vector<ProgressionEntry> Entries(const char* text) { return ParseProgression(text).entries; }

StringSet Strings(std::string_view name)
{
    const Instrument& instrument = *FindInstrument(name);
    return StringSetOf(instrument, instrument.tunings.front().strings);
}

// "0003": the chosen frets as a player writes them, "-" for none.
std::vector<std::string> Chosen(const StringProgressionChoice& choice)
{
    std::vector<std::string> texts;
    for (const StringChordChoice& chord : choice.chords) {
        std::string text = chord.Chosen() ? "" : "-";
        if (const InstrumentRecord* record = chord.Chosen())
            for (int value : record->frets)
                text += value == kMuted ? "x" : std::to_string(std::abs(value));
        texts.push_back(text);
    }
    return texts;
}

// The path cost written out plainly, for the brute force to compare with.
long long Reference(const std::vector<std::vector<Frets>>& layers, const std::vector<int>& pick, const PathSettings& s,
    const StringChart& chart)
{
    std::vector<const Frets*> path;
    for (size_t k = 0; k < layers.size(); ++k)
        if (!layers[k].empty())
            path.push_back(&layers[k][static_cast<size_t>(pick[k])]);
    long long total = 0;
    for (size_t k = 0; k < path.size(); ++k) {
        const Frets& v = *path[k];
        total += StringFingeringCost(v, chart, s.weights);
        int low = 0;
        for (int value : v) {
            if (value == kMuted || value == 0)
                continue;
            const int f = std::abs(value);
            low = low == 0 ? f : std::min(low, f);
            if (s.keepPosition)
                total += s.weights.outsideFret
                    * (std::max(0, s.keepPosition->lowest - f) + std::max(0, f - s.keepPosition->highest));
        }
        if (k == 0 && s.startNear)
            total += s.weights.startFret * low;
        if (k > 0)
            total += StringMoveCost(*path[k - 1], v, s.weights);
    }
    if (s.loop && path.size() > 1)
        total += StringMoveCost(*path.back(), *path.front(), s.weights);
    return total;
}

long long BruteForce(const std::vector<std::vector<Frets>>& layers, const PathSettings& s, const StringChart& chart)
{
    std::vector<int> pick(layers.size(), 0);
    long long best = -1;
    for (;;) {
        bool allowed = true;
        for (size_t k = 0; k < layers.size() && k < s.pinned.size(); ++k)
            if (s.pinned[k] >= 0 && !layers[k].empty() && pick[k] != s.pinned[k])
                allowed = false;
        if (allowed) {
            const long long total = Reference(layers, pick, s, chart);
            if (best < 0 || total < best)
                best = total;
        }
        size_t k = 0;
        while (k < layers.size() && ++pick[k] >= static_cast<int>(std::max<size_t>(layers[k].size(), 1)))
            pick[k++] = 0;
        if (k == layers.size())
            return best < 0 ? 0 : best;
    }
}

} // namespace

// Small progressions drawn from real result lists of each instrument, with every option and pins:
// the DP's total is the brute force's minimum, and is accounted for chord by chord.
TEST(InstrumentProgressionPath, EqualsTheBruteForceMinimum)
{
    const char* names[] = { "C", "G", "Am", "F", "Dm7", "E7/G#", "Bb", "C#m", "Gsus4", "A7" };
    for (const char* instrument : { "ukulele", "mandolin", "baritone-ukulele", "7-string-guitar" }) {
        SCOPED_TRACE(instrument);
        const StringSet strings = Strings(instrument);
        const StringChart chart(strings);
        std::vector<std::vector<InstrumentRecord>> lists;
        for (const char* name : names)
            lists.push_back(ChooseInstrumentProgression(Entries(name), {}, strings).chords.front().results);

        std::mt19937 random(22);
        const auto below = [&](size_t n) { return static_cast<size_t>(random() % n); };
        for (int round = 0; round < 150; ++round) {
            SCOPED_TRACE("round " + std::to_string(round));
            std::vector<std::vector<Frets>> layers(2 + below(4));
            for (auto& layer : layers) {
                const auto& list = lists[below(lists.size())];
                if (below(8) == 0 || list.empty())
                    continue; // a chord without fingerings
                const size_t count = 1 + below(6);
                for (size_t i = 0; i < count; ++i)
                    layer.push_back(list[below(list.size())].frets);
            }
            PathSettings settings;
            settings.startNear = below(2) == 0;
            settings.loop = below(2) == 0;
            if (below(3) == 0)
                settings.keepPosition = FretWindow { 1 + static_cast<int>(below(6)), 5 + static_cast<int>(below(8)) };
            if (below(3) == 0) {
                settings.weights.positionShift = static_cast<int>(below(5));
                settings.weights.stringChange = static_cast<int>(below(4));
            }
            if (below(4) == 0) {
                const size_t k = below(layers.size());
                settings.pinned.assign(layers.size(), -1);
                settings.pinned[k] = layers[k].empty() ? 0 : static_cast<int>(below(layers[k].size()));
            }

            const Path path = ChooseStringsPath(layers, settings, chart);
            long long sum = 0;
            for (size_t k = 0; k < layers.size(); ++k) {
                ASSERT_EQ(path.chosen[k] < 0, layers[k].empty());
                sum += path.costs[k];
            }
            EXPECT_EQ(path.total, sum);
            EXPECT_EQ(path.total, BruteForce(layers, settings, chart));
        }
    }
}

// What players of each instrument play in its own tuning, with the defaults: each chord as a player
// writes it (any of the shapes listed), or counted as missed. 120 of the 124 came out so before the
// moved shapes cost more than those in place and the mandolin's E (1220) and the baritone ukulele's
// B7 (1202) joined their easy shapes; 123 since.
TEST(InstrumentProgressionChoice, ShapesPlayersPlay)
{
    struct Row {
        const char* instrument;
        const char* text;
        std::vector<std::vector<std::string>> accepted; // per chord, any of these
    };
    const Row rows[] = {
        { "ukulele", "C Am F G", { { "0003" }, { "2000" }, { "2010" }, { "0232" } } },
        { "ukulele", "G C D Em", { { "0232" }, { "0003" }, { "2220" }, { "0432" } } },
        { "ukulele", "F Bb C7", { { "2010" }, { "3211" }, { "0001" } } },
        { "ukulele", "A D E7", { { "2100" }, { "2220" }, { "1202" } } },
        { "ukulele", "Am Dm E7", { { "2000" }, { "2210" }, { "1202" } } },
        { "ukulele", "C G7 C", { { "0003" }, { "0212" }, { "0003" } } },
        { "ukulele", "C F G7", { { "0003" }, { "2010" }, { "0212" } } },
        { "ukulele", "G Em C D", { { "0232" }, { "0432" }, { "0003" }, { "2220" } } },
        { "ukulele", "D G A7", { { "2220" }, { "0232" }, { "0100" } } },
        { "ukulele", "Am F C G", { { "2000" }, { "2010" }, { "0003" }, { "0232" } } },
        { "ukulele", "C Am Dm G7", { { "0003" }, { "2000" }, { "2210" }, { "0212" } } },
        { "ukulele", "Em C G D", { { "0432" }, { "0003" }, { "0232" }, { "2220" } } },
        { "ukulele", "F C Dm Bb", { { "2010" }, { "0003" }, { "2210" }, { "3211" } } },
        { "ukulele", "A E7 D A", { { "2100" }, { "1202" }, { "2220" }, { "2100" } } },
        { "ukulele", "C Em Am F", { { "0003" }, { "0432" }, { "2000" }, { "2010" } } },
        { "ukulele", "Dm G7 Cmaj7", { { "2210" }, { "0212" }, { "0002" } } },
        { "ukulele", "C A7 Dm G7", { { "0003" }, { "0100" }, { "2210" }, { "0212" } } },
        { "ukulele", "Am G F E7", { { "2000" }, { "0232" }, { "2010" }, { "1202" } } },
        { "ukulele", "D Bm G A", { { "2220" }, { "4222" }, { "0232" }, { "2100" } } },
        { "ukulele", "G Am7 C D7", { { "0232" }, { "0000" }, { "0003" }, { "2223", "2020" } } },
        { "ukulele", "Bb Gm Eb F7", { { "3211" }, { "0231" }, { "0331", "3331" }, { "2313" } } },
        { "ukulele", "E A B7", { { "4442", "1402", "2444" }, { "2100" }, { "2322" } } },
        { "ukulele", "Fmaj7 Em7 Dm7 G7", { { "2413", "5500" }, { "0202" }, { "2213" }, { "0212" } } },
        { "mandolin", "G C D", { { "0023" }, { "0230" }, { "2002" } } },
        { "mandolin", "G Em C D", { { "0023" }, { "0220" }, { "0230" }, { "2002" } } },
        { "mandolin", "D G A", { { "2002" }, { "0023" }, { "2245", "2240" } } },
        { "mandolin", "G D7 G", { { "0023" }, { "2032" }, { "0023" } } },
        { "mandolin", "A D E", { { "2245", "2240" }, { "2002" }, { "1220", "1224" } } },
        { "mandolin", "Em Am D G", { { "0220" }, { "2235", "2230" }, { "2002" }, { "0023" } } },
        { "baritone-ukulele", "G C D", { { "0003" }, { "2010" }, { "0232" } } },
        { "baritone-ukulele", "G Em Am D7", { { "0003" }, { "2000" }, { "2210" }, { "0212" } } },
        { "baritone-ukulele", "C Am Dm G7", { { "2010" }, { "2210" }, { "0231" }, { "0001" } } },
        { "baritone-ukulele", "A D E7", { { "2220" }, { "0232" }, { "0100" } } },
        { "baritone-ukulele", "Em Am B7", { { "2000" }, { "2210" }, { "1202" } } },
        { "baritone-ukulele", "D G A7", { { "0232" }, { "0003" }, { "2223" } } },
    };
    int chords = 0;
    int asPlayed = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.instrument) + ": " + row.text);
        const StringProgressionChoice choice
            = ChooseInstrumentProgression(Entries(row.text), {}, Strings(row.instrument));
        EXPECT_TRUE(choice.problems.empty());
        const auto chosen = Chosen(choice);
        ASSERT_EQ(chosen.size(), row.accepted.size());
        for (size_t k = 0; k < chosen.size(); ++k) {
            const auto& ok = row.accepted[k];
            ++chords;
            if (std::find(ok.begin(), ok.end(), chosen[k]) != ok.end())
                ++asPlayed;
            else
                std::cout << row.instrument << " " << row.text << ": chord " << k + 1 << " is " << chosen[k]
                          << ", a player writes " << ok.front() << "\n";
        }
    }
    std::cout << asPlayed << " of " << chords << " chords as players write them\n";
    // The one known miss: the ukulele's Fmaj7, whose chart shape 2410 leaves out the fifth, which no
    // search result does; of the full chords the choice takes 5557 (Cmaj7's 0002 moved up).
    constexpr int kKnownMisses = 1;
    EXPECT_GE(asPlayed, chords - kKnownMisses);
}

// A ukulele player capos too: a song in D flat is played with the open C, F and G shapes from the
// first fret; a song already on open shapes keeps none. The suggestion is the choice with its capo.
TEST(InstrumentProgressionCapo, SuggestsTheCapoOfTheOpenShapes)
{
    struct Row {
        const char* instrument;
        const char* song;
        int capo;
        std::vector<std::string> shapes;
    };
    const Row rows[] = {
        { "ukulele", "Db Gb Ab7 Db", 1, { "0003", "2010", "0212", "0003" } },
        { "ukulele", "C Am F G", 0, { "0003", "2000", "2010", "0232" } },
        { "baritone-ukulele", "Ab Db Eb", 1, { "0003", "2010", "0232" } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.instrument) + ": " + row.song);
        const StringCapoSuggestion suggestion = SuggestInstrumentCapo(Entries(row.song), {}, Strings(row.instrument));
        EXPECT_EQ(suggestion.capo, row.capo);
        EXPECT_EQ(Chosen(suggestion.choice), row.shapes);
    }
    // A four-string neck is short: the capo stays at the 5th fret or below, even where a higher one
    // would make the shapes cheaper (this mandolin song would take 7, for its G shapes).
    for (const char* instrument : { "ukulele", "mandolin", "baritone-ukulele" }) {
        for (const char* song : { "D G A7 D x4", "B E F#7 B", "Ab Db Eb7 Fm" }) {
            SCOPED_TRACE(std::string(instrument) + ": " + song);
            EXPECT_LE(SuggestInstrumentCapo(Entries(song), {}, Strings(instrument)).capo, kSuggestedCapoHighestOnFour);
        }
    }
}
