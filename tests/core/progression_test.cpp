#include <gtest/gtest.h>

#include <random>

#include "guitar/progression.h"

using namespace corvane;

namespace {

std::vector<ProgressionEntry> Entries(const char* text) { return ParseProgression(text).entries; }

std::vector<std::string> ChosenTexts(const ProgressionChoice& choice)
{
    std::vector<std::string> texts;
    for (const ChordChoice& chord : choice.chords)
        texts.push_back(chord.Chosen() ? VoicingText(chord.Chosen()->frets) : "-");
    return texts;
}

// The path cost written out plainly, for the brute force to compare with.
long long Reference(
    const std::vector<std::vector<Voicing>>& layers, const std::vector<int>& pick, const PathSettings& s)
{
    std::vector<const Voicing*> path;
    for (size_t k = 0; k < layers.size(); ++k)
        if (!layers[k].empty())
            path.push_back(&layers[k][static_cast<size_t>(pick[k])]);
    long long total = 0;
    for (size_t k = 0; k < path.size(); ++k) {
        const Voicing& v = *path[k];
        total += FingeringCost(v, s.weights);
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
            total += MoveCost(*path[k - 1], v, s.weights);
    }
    if (s.loop && path.size() > 1)
        total += MoveCost(*path.back(), *path.front(), s.weights);
    return total;
}

long long BruteForce(const std::vector<std::vector<Voicing>>& layers, const PathSettings& s)
{
    std::vector<int> pick(layers.size(), 0);
    long long best = -1;
    for (;;) {
        bool allowed = true;
        for (size_t k = 0; k < layers.size() && k < s.pinned.size(); ++k)
            if (s.pinned[k] >= 0 && !layers[k].empty() && pick[k] != s.pinned[k])
                allowed = false;
        if (allowed) {
            const long long total = Reference(layers, pick, s);
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

// Layers drawn from real result lists (a few fingerings each, anywhere on the neck, sometimes none),
// with every option and pin combination: the chosen path is a cheapest one, and its cost is
// accounted for chord by chord.
TEST(ProgressionPath, EqualsTheBruteForceMinimum)
{
    const char* names[] = { "C", "G", "Am", "F", "Dm7", "E7/G#", "Bb", "C#m", "Gsus4", "A7/9" };
    std::vector<std::vector<VoicingRecord>> lists;
    for (const char* name : names)
        lists.push_back(ChooseProgression(Entries(name), {}).chords.front().results);

    std::mt19937 random(14);
    const auto below = [&](size_t n) { return static_cast<size_t>(random() % n); };
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<std::vector<Voicing>> layers(2 + below(4));
        for (auto& layer : layers) {
            if (below(8) == 0)
                continue; // a chord without fingerings
            const auto& list = lists[below(lists.size())];
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
            settings.weights.fretMove = static_cast<int>(below(3));
        }
        if (below(4) == 0) {
            const size_t k = below(layers.size());
            settings.pinned.assign(layers.size(), -1);
            settings.pinned[k] = layers[k].empty() ? 0 : static_cast<int>(below(layers[k].size()));
        }

        const Path path = ChoosePath(layers, settings);
        long long sum = 0;
        for (size_t k = 0; k < layers.size(); ++k) {
            ASSERT_EQ(path.chosen[k] < 0, layers[k].empty());
            sum += path.costs[k];
        }
        EXPECT_EQ(path.total, sum);
        EXPECT_EQ(path.total, BruteForce(layers, settings))
            << "near " << settings.startNear << " loop " << settings.loop << " window "
            << settings.keepPosition.has_value() << " pinned " << !settings.pinned.empty() << " shift "
            << settings.weights.positionShift << " change " << settings.weights.stringChange << " fret "
            << settings.weights.fretMove;
        if (!settings.pinned.empty()) {
            for (size_t k = 0; k < layers.size(); ++k) {
                if (settings.pinned[k] >= 0 && !layers[k].empty()) {
                    EXPECT_EQ(path.chosen[k], settings.pinned[k]);
                }
            }
        }
    }
}

// What a guitarist expects in standard tuning with the defaults.
TEST(ProgressionChoice, RecognisableShapes)
{
    struct Row {
        const char* text;
        std::vector<std::vector<std::string>> accepted; // per chord, any of these
    };
    const Row rows[] = {
        { "C G Am F",
            { { "99 3 2 0 1 0 " }, { "3 2 0 0 0 3 ", "3 2 0 0 3 3 " }, { "99 0 2 2 1 0 " },
                { "-1 3 3 2 1 1 ", "99 99 3 2 1 1 ", "99 99 -3 2 1 1 " } } },
        { "E A D", { { "0 2 2 1 0 0 " }, { "99 0 2 2 2 0 " }, { "99 99 0 2 3 2 " } } },
        { "G D Em C", { { "3 2 0 0 0 3 " }, { "99 99 0 2 3 2 " }, { "0 2 2 0 0 0 " }, { "99 3 2 0 1 0 " } } },
        { "Am Dm E Am", { { "99 0 2 2 1 0 " }, { "99 99 0 2 3 1 " }, { "0 2 2 1 0 0 " }, { "99 0 2 2 1 0 " } } },
        { "Dm7 G7 Cmaj7", { { "99 99 0 2 1 1 " }, { "3 2 0 0 0 1 " }, { "99 3 2 0 0 0 " } } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const ProgressionChoice choice = ChooseProgression(Entries(row.text), {});
        EXPECT_TRUE(choice.problems.empty());
        const auto chosen = ChosenTexts(choice);
        ASSERT_EQ(chosen.size(), row.accepted.size());
        for (size_t k = 0; k < chosen.size(); ++k) {
            const auto& ok = row.accepted[k];
            EXPECT_NE(std::find(ok.begin(), ok.end(), chosen[k]), ok.end()) << "chord " << k + 1 << ": " << chosen[k];
        }
    }
}

TEST(ProgressionChoice, ChordsLeftOutAreReportedAndTheRestIsChosen)
{
    // "Xm" and "x" have no note to start from; with easy shapes within two frets C has no fingering.
    ProgressionOptions options;
    options.search.easy = true;
    options.search.span = 2;
    const ProgressionChoice choice = ChooseProgression(Entries("Cdim7 Xm C x C7/9/11"), options);
    ASSERT_EQ(choice.chords.size(), 5u);
    EXPECT_EQ(choice.problems,
        (std::vector<std::string> { "chord 2 \"Xm\": not a chord name: it does not start with a note",
            "chord 3 \"C\": no fingering with these options",
            "chord 4 \"x\": not a chord name: it does not start with a note" }));
    EXPECT_EQ(ChosenTexts(choice)[1], "-");
    ASSERT_NE(choice.chords[0].Chosen(), nullptr);
    ASSERT_NE(choice.chords[4].Chosen(), nullptr);
    // The move across the gap is paid by the chord after it.
    EXPECT_EQ(choice.chords[4].cost,
        FingeringCost(choice.chords[4].Chosen()->frets)
            + MoveCost(choice.chords[0].Chosen()->frets, choice.chords[4].Chosen()->frets));
    EXPECT_EQ(choice.total, choice.chords[0].cost + choice.chords[4].cost);

    // Nothing to choose from at all.
    EXPECT_EQ(ChooseProgression(Entries("Xm x"), {}).total, 0);
    EXPECT_TRUE(ChooseProgression({}, {}).chords.empty());
}

TEST(ProgressionChoice, ReadsLikeTheNameBoxAndSearchesOnce)
{
    const ProgressionChoice choice = ChooseProgression(Entries("Cm7 Dbm7/Ab Cm7"), {});
    EXPECT_EQ(choice.chords[0].reading.editText, "Cm/7 ");
    EXPECT_EQ(choice.chords[0].reading.chordIntervals, "00 03 07 10");
    EXPECT_EQ(choice.chords[1].reading.bassIndex, 8);
    EXPECT_EQ(choice.chords[1].noteList, "8 1 4 8 11");
    EXPECT_EQ(choice.chords[2].results.size(), choice.chords[0].results.size());
    // The sheet's order: the first result is what the name box would show first.
    EXPECT_EQ(choice.chords[0].results.front().Text(),
        ChooseProgression(Entries("Cm7"), {}).chords.front().results.front().Text());
}

TEST(ProgressionChoice, KeepPositionAndLoop)
{
    ProgressionOptions options;
    options.keepPosition = FretWindow { 5, 9 };
    const ProgressionChoice high = ChooseProgression(Entries("C G Am F"), options);
    for (const ChordChoice& chord : high.chords) {
        SCOPED_TRACE(chord.text);
        for (int value : chord.Chosen()->frets) {
            if (value != kMuted && value != 0) {
                EXPECT_TRUE(std::abs(value) >= 5 && std::abs(value) <= 9) << VoicingText(chord.Chosen()->frets);
            }
        }
    }

    options = {};
    options.loop = true;
    const ProgressionChoice round = ChooseProgression(Entries("C G Am F"), options);
    const Voicing& first = round.chords.front().Chosen()->frets;
    const Voicing& last = round.chords.back().Chosen()->frets;
    ASSERT_EQ(VoicingText(first), "99 3 2 0 1 0 ");
    // The first chord pays the move back from the last, and its place near the nut (fret 1).
    EXPECT_EQ(round.chords.front().cost, FingeringCost(first) + kCostWeights.startFret * 1 + MoveCost(last, first));
    long long sum = 0;
    for (const ChordChoice& chord : round.chords)
        sum += chord.cost;
    EXPECT_EQ(round.total, sum);
}

// A capo makes a song in a flat key easy: open shapes, none above the 4th fret from the capo. A song
// already on open shapes keeps no capo, and the suggestion is the choice made with that capo.
TEST(ProgressionCapo, SuggestsTheCapoThatMakesTheShapesEasy)
{
    struct Row {
        const char* song;
        int capo;
    };
    const Row rows[]
        = { { "Bb Eb F Gm", 3 }, { "Bb Gm Eb F", 3 }, { "Eb Ab Bb Eb", 1 }, { "G D Em C", 0 }, { "C G Am F", 0 } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.song);
        const auto entries = Entries(row.song);
        const CapoSuggestion suggestion = SuggestCapo(entries, {});
        EXPECT_EQ(suggestion.capo, row.capo);
        ProgressionOptions options;
        options.search.capo = suggestion.capo;
        EXPECT_EQ(ChosenTexts(suggestion.choice), ChosenTexts(ChooseProgression(entries, options)));
        if (row.capo == 0)
            continue;
        for (const ChordChoice& chord : suggestion.choice.chords) {
            const Voicing& frets = chord.Chosen()->frets;
            EXPECT_NE(std::find(frets.begin(), frets.end(), 0), frets.end()) << VoicingText(frets);
            for (int value : frets)
                EXPECT_TRUE(value == kMuted || std::abs(value) <= 4) << VoicingText(frets);
        }
    }

    // A chord left out at every capo does not stop the suggestion.
    const CapoSuggestion partial = SuggestCapo(Entries("Bb Xm Eb F Gm"), {});
    EXPECT_EQ(partial.capo, 3);
    EXPECT_EQ(partial.choice.problems.size(), 1u);
}
