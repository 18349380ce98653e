// Songs as a teacher writes them: common progressions in the keys players meet first, each chord with
// the shape found on every chord chart. The progression must come out on those shapes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "guitar/easy_shapes.h"
#include "guitar/progression.h"
#include "guitar/tuning.h"

using namespace corvane;

namespace {

// "x32010": one character per string, lowest first; frets above 9 never come out right.
std::string Compact(const Voicing& v)
{
    std::string out;
    for (int value : v)
        out += value == kMuted ? "x" : std::abs(value) > 9 ? "?" : std::to_string(std::abs(value));
    return out;
}

struct Song {
    const char* text;
    // Per chord the shape a teacher writes; "a|b" where two shapes are written as often.
    std::vector<std::string> shapes;
};

// clang-format off
const Song kSongs[] = {
    // C major
    { "C G Am F",          { "x32010", "320003|320033", "x02210", "133211" } },
    { "C Am F G",          { "x32010", "x02210", "133211", "320003|320033" } },
    { "C F G C",           { "x32010", "133211", "320003|320033", "x32010" } },
    { "C Am Dm G7",        { "x32010", "x02210", "xx0231", "320001" } },
    { "C A7 Dm G7",        { "x32010", "x02020", "xx0231", "320001" } },
    { "C C7+ F G",         { "x32010", "x32000", "133211", "320003|320033" } },
    { "C Em F G",          { "x32010", "022000", "133211", "320003|320033" } },
    { "C E7 Am F",         { "x32010", "020100", "x02210", "133211" } },
    { "C C7 F Fm",         { "x32010", "x35353", "133211", "133111" } },
    // G major
    { "G D Em C",          { "320003|320033", "xx0232", "022000", "x32010" } },
    { "G C D G",           { "320003|320033", "x32010", "xx0232", "320003|320033" } },
    { "G Em Am D7",        { "320003|320033", "022000", "x02210", "xx0212" } },
    { "G B7 Em C",         { "320003|320033", "x21202", "022000", "x32010" } },
    { "G D/F# Em C",       { "320003|320033", "2x0232|200232", "022000", "x32010" } },
    { "G Gsus4 G C",       { "320003|320033", "330013|330033", "320003|320033", "x32010" } },
    // D major
    { "D A Bm G",          { "xx0232", "x02220", "x24432", "320003|320033" } },
    { "Dsus4 D Dsus2 D",   { "xx0233", "xx0232", "xx0230", "xx0232" } },
    { "D G A7 D",          { "xx0232", "320003|320033", "x02020", "xx0232" } },
    { "D F#m G A",         { "xx0232", "244222", "320003|320033", "x02220" } },
    { "D Bm Em A7",        { "xx0232", "x24432", "022000", "x02020" } },
    // A major
    { "A D E A",           { "x02220", "xx0232", "022100", "x02220" } },
    { "A E F#m D",         { "x02220", "022100", "244222", "xx0232" } },
    { "A Asus4 A Asus2",   { "x02220", "x02230", "x02220", "x02200" } },
    { "A D E7 A",          { "x02220", "xx0232", "020100", "x02220" } },
    { "A C#m D E",         { "x02220", "x46654", "xx0232", "022100" } },
    // E major
    { "E B C#m A",         { "022100", "x24442", "x46654", "x02220" } },
    { "E A B7 E",          { "022100", "x02220", "x21202", "022100" } },
    { "E Esus4 E A",       { "022100", "022200", "022100", "x02220" } },
    // A minor
    { "Am G F E",          { "x02210", "320003|320033", "133211", "022100" } },
    { "Am Dm E7 Am",       { "x02210", "xx0231", "020100", "x02210" } },
    { "Am F C G",          { "x02210", "133211", "x32010", "320003|320033" } },
    { "Am7 Dm7 G7 C7+",    { "x02010", "xx0211", "320001", "x32000" } },
    // E minor
    { "Em C G D",          { "022000", "x32010", "320003|320033", "xx0232" } },
    { "Em Am B7 Em",       { "022000", "x02210", "x21202", "022000" } },
    { "Em7 A7 D7 G",       { "022030|020000", "x02020", "xx0212", "320003|320033" } },
    // F major
    { "F Bb C F",          { "133211", "x13331", "x32010", "133211" } },
    { "F Dm Bb C7",        { "133211", "xx0231", "x13331", "x35353" } },
    { "F C Dm Bb",         { "133211", "x32010", "xx0231", "x13331" } },
    // B flat major
    { "Bb Eb F Bb",        { "x13331", "x68886|xx1343", "133211", "x13331" } },
    { "Bb Gm Eb F",        { "x13331", "355333", "x68886|xx1343", "133211" } },
    { "Bb F Gm Eb",        { "x13331", "133211", "355333", "x68886|xx1343" } },
    { "Bb Cm F7 Bb",       { "x13331", "x35543", "131211", "x13331" } },
    // The open major sevenths, minor sevenths, 7sus4, add9 and sixth chords of the charts.
    { "Fmaj7 Gmaj7 Cmaj7",       { "xx3210", "320002", "x32000" } },
    { "Cmaj7 Fmaj7 Cmaj7 Fmaj7", { "x32000", "xx3210", "x32000", "xx3210" } },
    { "Dmaj7 Gmaj7 Amaj7 Dmaj7", { "xx0222", "320002", "x02120", "xx0222" } },
    { "Amaj7 Dmaj7 Emaj7 Amaj7", { "x02120", "xx0222", "021100", "x02120" } },
    { "Emaj7 Amaj7 Bm7 Emaj7",   { "021100", "x02120", "x20202", "021100" } },
    { "Em7 A7sus4 Dmaj7 G6",     { "022030|020000", "x02030", "xx0222", "320000" } },
    { "A7sus4 A7 D7sus4 D7",     { "x02030", "x02020", "xx0213", "xx0212" } },
    { "E7sus4 E7 Am7 Dm7",       { "020200", "020100", "x02010", "xx0211" } },
    { "G7sus4 G7 C Cadd9",       { "330011", "320001", "x32010", "x32030|x32033" } },
    { "Cadd9 Gadd9 Aadd9 Eadd9", { "x32030|x32033", "320203", "x02420", "024100" } },
    { "Fadd9 Cadd9 G Am7",       { "xx3213", "x32030|x32033", "320003|320033", "x02010" } },
    { "Am6 Dm6 Em6 Am6",         { "x02212", "xx0201", "022020", "x02212" } },
};
// clang-format on

bool Accepted(const std::string& shapes, const std::string& chosen)
{
    size_t at = 0;
    for (;;) {
        const size_t bar = shapes.find('|', at);
        if (shapes.substr(at, bar - at) == chosen)
            return true;
        if (bar == std::string::npos)
            return false;
        at = bar + 1;
    }
}

} // namespace

// Every chord of every song is counted; a few may differ, the share may not fall below 95%.
TEST(TeacherSongs, MostChordsComeOutOnTheShapesATeacherWrites)
{
    int chords = 0;
    int right = 0;
    for (const Song& song : kSongs) {
        const ProgressionChoice choice = ChooseProgression(ParseProgression(song.text).entries, {});
        ASSERT_EQ(choice.chords.size(), song.shapes.size()) << song.text;
        ASSERT_TRUE(choice.problems.empty()) << song.text;
        for (size_t k = 0; k < song.shapes.size(); ++k) {
            const ChordChoice& chord = choice.chords[k];
            const Voicing& frets = chord.Chosen()->frets;
            const std::string chosen = Compact(frets);
            // Whatever the shape: the root (or the written bass) in the bass, no open string under a
            // hand high on the neck, and the song starts near the nut.
            const auto bass = std::find_if(frets.begin(), frets.end(), [](int f) { return f != kMuted; });
            const auto string = static_cast<size_t>(bass - frets.begin());
            EXPECT_EQ((kStandardTuning[string] + std::abs(*bass)) % 12, chord.reading.bassIndex)
                << song.text << " chord " << k + 1;
            int position = 0;
            for (int f : frets)
                if (f != kMuted && f != 0)
                    position = position == 0 ? std::abs(f) : std::min(position, std::abs(f));
            if (position >= kCostWeights.highPosition) {
                EXPECT_EQ(std::count(frets.begin(), frets.end(), 0), 0) << song.text << " chord " << k + 1;
            }
            if (k == 0) {
                EXPECT_LE(position, 3) << song.text;
            }
            ++chords;
            if (Accepted(song.shapes[k], chosen))
                ++right;
            else
                std::printf("  %-18s chord %zu: %s, a teacher writes %s\n", song.text, k + 1, chosen.c_str(),
                    song.shapes[k].c_str());
        }
    }
    std::printf("%d of %d chords (%.1f%%) on the teacher's shapes\n", right, chords, 100.0 * right / chords);
    EXPECT_GE(right * 100, chords * 95);
}

// The songs players bring first, which must pass whole.
TEST(TeacherSongs, TheSongsEveryBeginnerPlays)
{
    for (const char* text : { "C A7 Dm G7", "Dsus4 D Dsus2 D", "D A Bm G", "E B C#m A", "Fmaj7 Gmaj7 Cmaj7" }) {
        const auto song = std::find_if(
            std::begin(kSongs), std::end(kSongs), [&](const Song& s) { return std::string(s.text) == text; });
        ASSERT_NE(song, std::end(kSongs));
        const ProgressionChoice choice = ChooseProgression(ParseProgression(text).entries, {});
        for (size_t k = 0; k < song->shapes.size(); ++k)
            EXPECT_TRUE(Accepted(song->shapes[k], Compact(choice.chords[k].Chosen()->frets)))
                << text << " chord " << k + 1 << ": " << Compact(choice.chords[k].Chosen()->frets);
    }
}

// The chart shapes read as written, and their movable forms anywhere up the neck.
TEST(ChartShapes, OpenShapesAndTheirFormsUpTheNeck)
{
    for (const ChartShape& shape : kChartShapes) {
        SCOPED_TRACE(std::string(shape.frets));
        ASSERT_EQ(shape.frets.size(), 6u);
        EXPECT_EQ(shape.frets.find_first_not_of("x0123456789"), std::string_view::npos);
        Voicing v {};
        for (size_t s = 0; s < kStrings; ++s)
            v[s] = shape.frets[s] == 'x' ? kMuted : shape.frets[s] - '0';
        EXPECT_TRUE(IsChartShape(v));
    }
    struct Row {
        const char* name;
        Voicing frets;
        bool chart;
    };
    const Row rows[] = {
        { "F as the E form at 1, with its barre mark", { -1, 3, 3, 2, 1, 1 }, true },
        { "Bm as the A minor form at 2", { kMuted, -2, 4, 4, 3, 2 }, true },
        { "Eb as the A form at 6", { kMuted, 6, 8, 8, 8, 6 }, true },
        { "F7 as the E7 form at 1", { 1, 3, 1, 2, 1, 1 }, true },
        { "Bb as the D form at 8", { kMuted, kMuted, 8, 10, 11, 10 }, true },
        { "Bm with open strings", { kMuted, 2, 0, 4, 0, 2 }, false },
        { "B with a gap", { kMuted, 2, 1, kMuted, 0, 2 }, false },
        { "the small F is not moved", { kMuted, kMuted, 5, 4, 3, 3 }, false },
        { "a form below the nut", { kMuted, kMuted, 0, 1, 2, 1 }, false },
        { "all muted", { kMuted, kMuted, kMuted, kMuted, kMuted, kMuted }, false },
    };
    for (const Row& row : rows)
        EXPECT_EQ(IsChartShape(row.frets), row.chart) << row.name;
}

// The easy shapes the sheet puts first are chart shapes too, all but four: three with a muted first
// string and one no chart writes. The chart table only has them as forms, not position by position.
TEST(ChartShapes, CoverTheEasyShapes)
{
    std::vector<std::string> offChart;
    size_t shapes = 0;
    for (size_t at = 0; at < kEasyShapes.size();) {
        const size_t end = kEasyShapes.find(',', at);
        const std::string text(kEasyShapes.substr(at, end - at));
        std::istringstream piece { text };
        Voicing v {};
        for (int& fret : v)
            piece >> fret;
        ASSERT_TRUE(piece) << text;
        ++shapes;
        if (!IsChartShape(v))
            offChart.push_back(VoicingText(v));
        at = end == std::string_view::npos ? kEasyShapes.size() : end + 1;
    }
    EXPECT_EQ(shapes, 35u);
    EXPECT_EQ(
        offChart, (std::vector<std::string> { "-1 3 3 3 1 99 ", "-2 4 4 4 2 99 ", "-3 5 3 3 3 99 ", "99 3 0 3 4 3 " }));
}
