#include <gtest/gtest.h>

#include <algorithm>

#include "guitar/refresh.h"
#include "guitar/result_list.h"
#include "guitar/voicing_search.h"
#include "theory/interval_list.h"

using namespace corvane;

namespace {

RefreshResult Refresh(const std::string& intervals, int root, int bass, SearchOptions options = {})
{
    SelectionState s = StartupSelection();
    s.chordIntervals = intervals;
    s.rootIndex = root;
    s.bassIndex = bass;
    return ComputeRefresh(FromSelection(s, options));
}

bool HasVoicing(const RefreshResult& r, std::string_view voicingText)
{
    return std::any_of(
        r.records.begin(), r.records.end(), [&](const VoicingRecord& rec) { return rec.VoicingPart() == voicingText; });
}

std::string Head(const RefreshResult& r, size_t n)
{
    std::string out;
    for (size_t i = 0; i < n && i < r.records.size(); ++i)
        out += r.records[i].Text() + "\n";
    return out;
}

} // namespace

TEST(VoicingSearch, WorkedCounts)
{
    SearchOptions omit5;
    omit5.omit5 = true;
    SearchOptions upTo6;
    upTo6.fretLimit = 6;
    struct Row {
        const char* name;
        int root;
        int bass;
        SearchOptions options;
        size_t count;
    };
    const Row rows[] = {
        { "C major", 0, 0, {}, 165 },
        { "F major", 5, 5, {}, 57 },
        { "G major", 7, 7, {}, 180 },
        { "C over E", 0, 4, {}, 290 },
        { "C major omit5", 0, 0, omit5, 28 },
        { "C major up to fret 6", 0, 0, upTo6, 28 },
    };
    for (const auto& row : rows)
        EXPECT_EQ(Refresh("00 04 07", row.root, row.bass, row.options).records.size(), row.count) << row.name;
}

TEST(VoicingSearch, CMajorOrderAndKeys)
{
    const RefreshResult r = Refresh("00 04 07", 0, 0);
    EXPECT_EQ(Head(r, 4),
        "112013 99 3 2 0 1 0 \n"
        "112013 99 3 2 0 1 3 \n"
        "112015 99 -3 5 5 5 3 \n"
        "112015 99 3 2 0 5 0 \n");
    for (const auto& rec : r.records)
        EXPECT_NE(rec.key, 0) << "no easy shape among C major's results";
    for (size_t i = 1; i < r.records.size(); ++i)
        EXPECT_LT(r.records[i - 1].Text(), r.records[i].Text());
}

TEST(VoicingSearch, EasyShapePromotedToTheFront)
{
    EXPECT_EQ(Head(Refresh("00 04 07", 5, 5), 1), "000000 -1 3 3 2 1 1 \n");
    EXPECT_EQ(Head(Refresh("00 04 07", 7, 7), 1), "000000 3 2 0 0 3 3 \n");
    SearchOptions easy;
    easy.easy = true;
    EXPECT_EQ(Head(Refresh("00 04 07", 7, 7, easy), 1), "000000 3 2 0 0 3 3 \n");
}

TEST(VoicingSearch, BassNeedNotSoundAgainAndRootIsOptional)
{
    const RefreshResult r = Refresh("00 04 07", 0, 4);
    EXPECT_TRUE(HasVoicing(r, "0 99 2 0 99 0 "));
    const auto found = std::find_if(r.records.begin(), r.records.end(),
        [](const VoicingRecord& rec) { return rec.VoicingPart() == "0 99 2 0 99 0 "; });
    EXPECT_EQ(found->key, 115012);
}

TEST(VoicingSearch, Filters)
{
    SearchOptions easy;
    easy.easy = true;
    const RefreshResult easyG = Refresh("00 04 07", 7, 7, easy);
    EXPECT_FALSE(HasVoicing(easyG, "3 2 0 0 3 99 "));
    for (const auto& rec : easyG.records)
        for (size_t s = 2; s < 6; ++s)
            EXPECT_NE(rec.frets[s], kMuted) << rec.Text();

    SearchOptions noBarre;
    noBarre.noBarre = true;
    const RefreshResult f = Refresh("00 04 07", 5, 5, noBarre);
    EXPECT_FALSE(HasVoicing(f, "-1 3 3 2 1 1 "));

    SearchOptions span2;
    span2.span = 2;
    for (const auto& rec : Refresh("00 04 07", 0, 0, span2).records) {
        int lo = 100, hi = 0;
        for (int v : rec.frets)
            if (v != 0 && v != kMuted) {
                lo = std::min(lo, std::abs(v));
                hi = std::max(hi, v);
            }
        if (hi > 0) {
            EXPECT_LE(hi - lo, 1) << rec.Text();
        }
    }
}

TEST(VoicingSearch, RootAloneAcceptsRootOnlyFingerings)
{
    SearchOptions omitBoth;
    omitBoth.omit3 = true;
    omitBoth.omit5 = true;
    const RefreshResult r = Refresh("00 04 07", 4, 4, omitBoth);
    EXPECT_EQ(r.chordTones, std::vector<int> { 4 });
    ASSERT_FALSE(r.records.empty());
    const Tuning t = kStandardTuning;
    for (const auto& rec : r.records)
        for (size_t s = 0; s < 6; ++s)
            if (rec.frets[s] != kMuted) {
                EXPECT_EQ((t[s] + std::abs(rec.frets[s])) % 12, 4) << rec.Text();
            }
}

TEST(VoicingSearch, OmitRemovesOnlyTheFirstOfTwoNeighbours)
{
    ChordToSearch chord;
    chord.chordTones = { 0, 4, 4, 7 };
    SearchOptions options;
    options.omit3 = true;
    EXPECT_EQ(SearchVoicings(chord, options).chordTones, (std::vector<int> { 0, 4, 7 }));
}

TEST(VoicingSearch, UnreadRootFindsNothing)
{
    const RefreshResult r = Refresh("00 04 07", 12, 12);
    EXPECT_TRUE(r.error.empty());
    EXPECT_TRUE(r.records.empty());
    EXPECT_FALSE(r.names.empty());
}

TEST(VoicingSearch, LargestKnownCase)
{
    SearchOptions options;
    options.tuning = kTuningPresets[10].pitchClasses;
    options.fretLimit = 24;
    options.omit5 = true;
    const RefreshResult r = Refresh("00 04 07 08 01", 6, 7, options);
    EXPECT_GT(r.records.size(), 4000u);
    int maxFret = 0;
    for (const auto& rec : r.records)
        for (int v : rec.frets)
            if (v != kMuted)
                maxFret = std::max(maxFret, std::abs(v));
    EXPECT_LE(maxFret, 27);
}

TEST(VoicingSearch, RefusesMoreNotesThanItAccepts)
{
    SelectionState s = StartupSelection();
    s.chordIntervals = "00 04 07 10 02 05";
    s.bassIndex = 4;
    RefreshInput input = FromSelection(s, {});
    ASSERT_EQ(NoteListText(input), "4 0 4 7 10 2 5");
    const RefreshResult r = ComputeRefresh(input);
    EXPECT_FALSE(r.error.empty());
    EXPECT_TRUE(r.records.empty());

    // Numbers that are no pitch class are refused rather than looked up.
    input.chordTones = { 0, 4, 13 };
    EXPECT_FALSE(ComputeRefresh(input).error.empty());
    input.chordTones = { 0, -4, 7 };
    EXPECT_FALSE(ComputeRefresh(input).error.empty());
}

TEST(CountFingers, BarresAndPartialBarres)
{
    struct Row {
        const char* name;
        Voicing in;
        bool noBarre;
        int fingers;
        Voicing marked;
    };
    const Row rows[] = {
        { "four fingers need no barre", { 99, 3, 2, 0, 1, 0 }, false, 3, { 99, 3, 2, 0, 1, 0 } },
        { "E-shape barre", { 1, 3, 3, 2, 1, 1 }, false, 4, { -1, 3, 3, 2, 1, 1 } },
        { "no barre chords refuses it", { 1, 3, 3, 2, 1, 1 }, true, 6, { -1, 3, 3, 2, 1, 1 } },
        { "open string cancels the barre", { 1, 3, 3, 2, 0, 1 }, false, 5, { 1, 3, 3, 2, 0, 1 } },
        { "strings 4 and 5 save one finger", { 1, 3, 4, 5, 6, 6 }, false, 5, { 1, 3, 4, 5, -6, 6 } },
        { "two other neighbours save none", { 1, 3, 4, 4, 5, 6 }, false, 6, { 1, 3, 4, 4, 5, 6 } },
        { "three at one fret form a partial barre", { 1, 2, 4, 4, 4, 3 }, false, 4, { 1, 2, -4, 4, 4, 3 } },
    };
    for (const auto& row : rows) {
        Voicing v = row.in;
        EXPECT_EQ(CountFingers(v, row.noBarre), row.fingers) << row.name;
        EXPECT_EQ(v, row.marked) << row.name;
    }
}
