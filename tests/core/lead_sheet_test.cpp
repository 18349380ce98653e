#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "theory/lead_sheet.h"

using namespace corvane;

namespace {

// The notes as players spell them, e.g. "C E G Bb D"; returned as a sorted set of pitch classes.
std::vector<PitchClass> Notes(const std::string& names)
{
    std::vector<PitchClass> out;
    std::istringstream in(names);
    std::string name;
    while (in >> name) {
        const PitchClass pc = PitchClassOfName(name);
        EXPECT_NE(pc, kNoPitch) << "bad note in the table: " << name;
        out.push_back(pc);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<PitchClass> SortedPitchClasses(const LeadSheetChord& chord)
{
    std::vector<PitchClass> out = chord.PitchClasses();
    std::sort(out.begin(), out.end());
    return out;
}

struct Symbol {
    const char* typed;
    const char* notes; // the chord's notes; a bass that is not one of them is not among them
    const char* bass; // nullptr: the root
};

// Pitch classes written out by hand, one chord a row: all twelve roots, sharps and flats, the
// Unicode signs, H, and slash basses.
const std::vector<Symbol> kSymbols {
    // C: every symbol of the table once.
    { "C", "C E G", nullptr },
    { "Cmaj", "C E G", nullptr },
    { "CM", "C E G", nullptr },
    { "Cm", "C Eb G", nullptr },
    { "Cmin", "C Eb G", nullptr },
    { "Cmi", "C Eb G", nullptr },
    { "C-", "C Eb G", nullptr },
    { "Cdim", "C Eb Gb", nullptr },
    { "C\u00b0", "C Eb Gb", nullptr },
    { "Caug", "C E G#", nullptr },
    { "C+", "C E G#", nullptr },
    { "Csus2", "C D G", nullptr },
    { "Csus4", "C F G", nullptr },
    { "Csus", "C F G", nullptr },
    { "C5", "C G", nullptr },
    { "C6", "C E G A", nullptr },
    { "Cm6", "C Eb G A", nullptr },
    { "C69", "C E G A D", nullptr },
    { "C6/9", "C E G A D", nullptr },
    { "C7", "C E G Bb", nullptr },
    { "Cmaj7", "C E G B", nullptr },
    { "CMaj7", "C E G B", nullptr },
    { "CM7", "C E G B", nullptr },
    { "C\u0394", "C E G B", nullptr },
    { "C\u03947", "C E G B", nullptr },
    { "C\u2206", "C E G B", nullptr },
    { "Cm7", "C Eb G Bb", nullptr },
    { "C-7", "C Eb G Bb", nullptr },
    { "Cmin7", "C Eb G Bb", nullptr },
    { "CmMaj7", "C Eb G B", nullptr },
    { "Cm(maj7)", "C Eb G B", nullptr },
    { "CmM7", "C Eb G B", nullptr },
    { "C-\u03947", "C Eb G B", nullptr },
    { "Cm7b5", "C Eb Gb Bb", nullptr },
    { "Cm7(b5)", "C Eb Gb Bb", nullptr },
    { "C\u00f8", "C Eb Gb Bb", nullptr },
    { "C\u00f87", "C Eb Gb Bb", nullptr },
    { "Cdim7", "C Eb Gb A", nullptr },
    { "C\u00b07", "C Eb Gb A", nullptr },
    { "C\u00ba", "C Eb Gb A", nullptr },
    { "C7sus4", "C F G Bb", nullptr },
    { "C7sus", "C F G Bb", nullptr },
    { "C7sus2", "C D G Bb", nullptr },
    { "C9", "C E G Bb D", nullptr },
    { "Cmaj9", "C E G B D", nullptr },
    { "Cm9", "C Eb G Bb D", nullptr },
    { "C9sus4", "C F G Bb D", nullptr },
    { "C11", "C G Bb D F", nullptr },
    { "Cm11", "C Eb G Bb D F", nullptr },
    { "C13", "C E G Bb A", nullptr },
    { "Cmaj13", "C E G B A", nullptr },
    { "Cm13", "C Eb G Bb A", nullptr },
    { "Cadd9", "C E G D", nullptr },
    { "Cadd2", "C D E G", nullptr },
    { "Cadd11", "C E F G", nullptr },
    { "Cadd4", "C E F G", nullptr },
    { "Cadd13", "C E G A", nullptr },
    { "Cmadd9", "C Eb G D", nullptr },
    { "C(add9)", "C E G D", nullptr },
    { "Cm(add9)", "C Eb G D", nullptr },
    { "C7(b9)", "C E G Bb Db", nullptr },
    { "C7b5", "C E Gb Bb", nullptr },
    { "C7#5", "C E G# Bb", nullptr },
    { "C7+5", "C E G# Bb", nullptr },
    { "C+7", "C E G# Bb", nullptr },
    { "Caug7", "C E G# Bb", nullptr },
    { "C7b9", "C E G Bb Db", nullptr },
    { "C7-9", "C E G Bb Db", nullptr },
    { "C7#9", "C E G Bb D#", nullptr },
    { "C7#11", "C E G Bb F#", nullptr },
    { "C7b13", "C E G Bb Ab", nullptr },
    { "C7#5#9", "C E G# Bb D#", nullptr },
    { "C7#9#5", "C E G# Bb D#", nullptr },
    { "C7b9#11", "C E G Bb Db F#", nullptr },
    { "C7(b9,#11)", "C E G Bb Db F#", nullptr },
    { "C9#11", "C E G Bb D F#", nullptr },
    { "C13b9", "C E G Bb Db A", nullptr },
    { "C7b9b13", "C E G Bb Db Ab", nullptr },
    { "Cmaj7#11", "C E G B F#", nullptr },
    { "C(b5)", "C E Gb", nullptr },
    { "C7/9", "C E G Bb D", nullptr },
    { "C7(11)", "C E F G Bb", nullptr },
    // Chart symbols: the altered dominant, C2, a letter o for dim and h for half-diminished, and the
    // tones a chart leaves out.
    { "C7alt", "C E G# Bb D#", nullptr },
    { "C2", "C D E G", nullptr },
    { "Co", "C Eb Gb", nullptr },
    { "Co7", "C Eb Gb A", nullptr },
    { "Ch", "C Eb Gb Bb", nullptr },
    { "Ch7", "C Eb Gb Bb", nullptr },
    { "C13sus4", "C F G Bb A", nullptr },
    { "Cmadd11", "C Eb F G", nullptr },
    { "Cm/maj7", "C Eb G B", nullptr },
    { "Cm6/9", "C Eb G A D", nullptr },
    { "C6add9", "C E G A D", nullptr },
    { "Cmaj7#5", "C E G# B", nullptr },
    { "C13#11", "C E G Bb F# A", nullptr },
    { "Cm7#5", "C Eb G# Bb", nullptr },
    { "CM9", "C E G B D", nullptr },
    { "CM13", "C E G B A", nullptr },
    { "CMaj9", "C E G B D", nullptr },
    { "C7(no3)", "C G Bb", nullptr },
    { "C7(no5)", "C E Bb", nullptr },
    { "Cadd9(omit3)", "C G D", nullptr },
    // Six notes and more: the perfect fifth goes.
    { "C7b9#9#11", "C E Bb Db D# F#", nullptr },
    // Slash basses over C.
    { "C/E", "C E G", "E" },
    { "C/G", "C E G", "G" },
    { "C/Bb", "C E G", "Bb" },
    { "C7/E", "C E G Bb", "E" },
    { "Cm/Eb", "C Eb G", "Eb" },
    { "Cmaj7/B", "C E G B", "B" },
    { "C6/9/E", "C E G A D", "E" },
    { "C/D", "C E G", "D" },
    // The other roots.
    { "Db", "Db F Ab", nullptr },
    { "C#", "C# F G#", nullptr },
    { "C#m", "C# E G#", nullptr },
    { "C\u266fm7", "C# E G# B", nullptr },
    { "D\u266dmaj7", "Db F Ab C", nullptr },
    { "Db7", "Db F Ab Cb", nullptr },
    { "C#dim7", "C# E G Bb", nullptr },
    { "Db/F", "Db F Ab", "F" },
    { "C#m7b5", "C# E G B", nullptr },
    { "Dbsus2", "Db Eb Ab", nullptr },
    { "D", "D F# A", nullptr },
    { "Dm", "D F A", nullptr },
    { "Dm7", "D F A C", nullptr },
    { "D/F#", "D F# A", "F#" },
    { "D7/F#", "D F# A C", "F#" },
    { "Dsus4", "D G A", nullptr },
    { "Dsus2", "D E A", nullptr },
    { "D9", "D F# A C E", nullptr },
    { "D5", "D A", nullptr },
    { "Dm6", "D F A B", nullptr },
    { "Dadd9", "D F# A E", nullptr },
    { "D\u00b0", "D F Ab", nullptr },
    { "Eb", "Eb G Bb", nullptr },
    { "Ebmaj7", "Eb G Bb D", nullptr },
    { "D#dim7", "D# F# A C", nullptr },
    { "Eb7b9", "Eb G Bb Db Fb", nullptr },
    { "D#m", "D# F# A#", nullptr },
    { "Eb6", "Eb G Bb C", nullptr },
    { "Eb/G", "Eb G Bb", "G" },
    { "Ebm7/Db", "Eb Gb Bb Db", "Db" },
    { "E", "E G# B", nullptr },
    { "E7#9", "E G# B D G", nullptr },
    { "Em", "E G B", nullptr },
    { "E5", "E B", nullptr },
    { "Em7/D", "E G B D", "D" },
    { "Esus4", "E A B", nullptr },
    { "E7", "E G# B D", nullptr },
    { "Emaj7", "E G# B D#", nullptr },
    { "Em9", "E G B D F#", nullptr },
    { "E/G#", "E G# B", "G#" },
    { "F", "F A C", nullptr },
    { "Fmaj7", "F A C E", nullptr },
    { "F/C", "F A C", "C" },
    { "F6", "F A C D", nullptr },
    { "Fm", "F Ab C", nullptr },
    { "Fm7", "F Ab C Eb", nullptr },
    { "F7", "F A C Eb", nullptr },
    { "Fadd9", "F A C G", nullptr },
    { "Fsus2", "F G C", nullptr },
    { "Faug", "F A C#", nullptr },
    { "F#m7b5", "F# A C E", nullptr },
    { "Gbm7b5", "Gb A C E", nullptr },
    { "F#7", "F# A# C# E", nullptr },
    { "F#m", "F# A C#", nullptr },
    { "Gb", "Gb Bb Db", nullptr },
    { "F#m/A", "F# A C#", "A" },
    { "Gbmaj7", "Gb Bb Db F", nullptr },
    { "F#dim", "F# A C", nullptr },
    { "F#7sus4", "F# B C# E", nullptr },
    { "G", "G B D", nullptr },
    { "G7", "G B D F", nullptr },
    { "G7b9", "G B D F Ab", nullptr },
    { "G/B", "G B D", "B" },
    { "G13", "G B D F E", nullptr },
    { "G7sus4", "G C D F", nullptr },
    { "Gm6", "G Bb D E", nullptr },
    { "G6", "G B D E", nullptr },
    { "G9", "G B D F A", nullptr },
    { "G11", "G D F A C", nullptr },
    { "Gm7", "G Bb D F", nullptr },
    { "G7#5", "G B D# F", nullptr },
    { "Gsus4", "G C D", nullptr },
    { "G/F", "G B D", "F" },
    { "Ab", "Ab C Eb", nullptr },
    { "G#m", "G# B D#", nullptr },
    { "Abaug", "Ab C E", nullptr },
    { "Abmaj7", "Ab C Eb G", nullptr },
    { "G#dim7", "G# B D F", nullptr },
    { "Ab7", "Ab C Eb Gb", nullptr },
    { "Ab/C", "Ab C Eb", "C" },
    { "G#7", "G# C D# F#", nullptr },
    { "A", "A C# E", nullptr },
    { "A7sus4", "A D E G", nullptr },
    { "Am", "A C E", nullptr },
    { "Am7", "A C E G", nullptr },
    { "Am/C", "A C E", "C" },
    { "Am/G", "A C E", "G" },
    { "A6/9", "A C# E F# B", nullptr },
    { "A7", "A C# E G", nullptr },
    { "Asus2", "A B E", nullptr },
    { "Am11", "A C E G B D", nullptr },
    { "Amaj9", "A C# E G# B", nullptr },
    { "A/E", "A C# E", "E" },
    { "Bb", "Bb D F", nullptr },
    { "A#m7", "A# C# F G#", nullptr },
    { "Bbmaj7", "Bb D F A", nullptr },
    { "Bb7", "Bb D F Ab", nullptr },
    { "Bb/D", "Bb D F", "D" },
    { "B\u266d9", "Bb D F Ab C", nullptr },
    { "A#", "A# D F", nullptr },
    { "Bbm", "Bb Db F", nullptr },
    { "Bb6", "Bb D F G", nullptr },
    { "Bbsus4", "Bb Eb F", nullptr },
    { "B", "B D# F#", nullptr },
    { "B7", "B D# F# A", nullptr },
    { "Bm7b5", "B D F A", nullptr },
    { "Bm", "B D F#", nullptr },
    { "Bm/A", "B D F#", "A" },
    { "Bdim", "B D F", nullptr },
    { "B7#9", "B D# F# A D", nullptr },
    // H for B, and roots spelled past the grids' names.
    { "H7", "B D# F# A", nullptr },
    { "Hm", "B D F#", nullptr },
    { "Hm7/A", "B D F# A", "A" },
    { "Cb", "Cb Eb Gb", nullptr },
    { "Fb", "Fb Ab Cb", nullptr },
    { "E#", "F A C", nullptr },
    { "B#", "C E G", nullptr },
    { "D/H", "D F# A", "B" },
    // Blanks and brackets only separate.
    { " C7 ", "C E G Bb", nullptr },
    { "C7 (b9)", "C E G Bb Db", nullptr },
    { "Cm (add9)", "C Eb G D", nullptr },
};

TEST(LeadSheet, EverySymbolOfTheTableIsReadAsPlayersMeanIt)
{
    EXPECT_GE(kSymbols.size(), 150U);
    std::set<std::string> seen;
    std::set<PitchClass> roots;
    for (const Symbol& row : kSymbols) {
        SCOPED_TRACE(row.typed);
        EXPECT_TRUE(seen.insert(row.typed).second) << "twice in the table";
        const LeadSheetChord chord = ReadLeadSheetChord(row.typed);
        EXPECT_TRUE(chord.Complete());
        EXPECT_TRUE(chord.unread.empty()) << chord.unread.front();
        ASSERT_NE(chord.root, kNoPitch);
        roots.insert(chord.root);
        const PitchClass bass = row.bass ? PitchClassOfName(row.bass) : chord.root;
        EXPECT_EQ(chord.bass, bass);
        const std::vector<PitchClass> expected = Notes(row.notes);
        EXPECT_EQ(SortedPitchClasses(chord), expected);
        ASSERT_FALSE(chord.intervals.empty());
        EXPECT_EQ(chord.intervals.front(), 0);
        EXPECT_EQ(std::set<int>(chord.intervals.begin(), chord.intervals.end()).size(), chord.intervals.size());
    }
    EXPECT_EQ(roots.size(), 12U);
}

TEST(LeadSheet, TheCanonicalSpellingReadsBackAsTheSameChord)
{
    for (const Symbol& row : kSymbols) {
        const LeadSheetChord chord = ReadLeadSheetChord(row.typed);
        SCOPED_TRACE(std::string(row.typed) + " -> " + chord.canonical);
        const LeadSheetChord again = ReadLeadSheetChord(chord.canonical);
        EXPECT_TRUE(again.Complete());
        EXPECT_EQ(again.root, chord.root);
        EXPECT_EQ(again.bass, chord.bass);
        EXPECT_EQ(SortedPitchClasses(again), SortedPitchClasses(chord));
        EXPECT_EQ(again.canonical, chord.canonical);
    }
}

TEST(LeadSheet, CanonicalSpellings)
{
    const std::vector<std::pair<const char*, const char*>> rows { { "C", "C" }, { "Cmin7", "Cm7" },
        { "C\u00f8", "Cm7b5" }, { "C\u00b07", "Cdim7" }, { "C\u00ba", "Cdim7" }, { "C+", "Caug" },
        { "C-\u03947", "Cmmaj7" }, { "C6/9", "C69" }, { "C7(b9,#11)", "C7b9#11" }, { "C(b5)", "C(b5)" },
        { "Hm7/A", "Bm7/A" }, { "B\u266d9", "Bb9" }, { "C\u266f7", "C#7" }, { "Csus", "Csus4" }, { "C7-9", "C7b9" },
        { "Cmadd9", "Cmadd9" }, { "E#", "F" } };
    for (const auto& [typed, canonical] : rows)
        EXPECT_EQ(ReadLeadSheetChord(typed).canonical, canonical) << typed;
}

TEST(LeadSheet, ThirdAndFifthForTheOmitOptions)
{
    struct Row {
        const char* typed;
        int third;
        int fifth;
    };
    for (const Row& row : std::vector<Row> { { "C", 4, 7 }, { "Cm", 3, 7 }, { "Cdim", 3, 6 }, { "C+", 4, 8 },
             { "Csus4", 5, 7 }, { "C5", 0, 7 }, { "C11", 0, 7 }, { "C7b5", 4, 6 }, { "C7b9#9#11", 4, 0 } }) {
        const LeadSheetChord chord = ReadLeadSheetChord(row.typed);
        EXPECT_EQ(chord.third, row.third) << row.typed;
        EXPECT_EQ(chord.fifth, row.fifth) << row.typed;
    }
}

// What cannot be read is reported piece by piece, and never read as something else.
TEST(LeadSheet, WhatCannotBeReadIsReported)
{
    struct Row {
        const char* typed;
        PitchClass root;
        std::vector<std::string> unread;
    };
    const std::vector<Row> rows {
        { "", kNoPitch, {} },
        { "nonsense", kNoPitch, { "nonsense" } },
        { "c", kNoPitch, { "c" } },
        { "Cxyz", 0, { "xyz" } },
        { "Calt", 0, { "alt" } },
        { "C7no9", 0, { "no9" } },
        { "Csus9", 0, { "sus9" } },
        { "C7+", 0, { "+" } },
        { "C7/9-", 0, { "-" } },
        { "Cm/7/5-", 0, { "5-" } },
        { "Csus22", 0, { "2" } },
        { "Cm5", 0, { "5" } },
        { "C6maj7", 0, { "maj7" } },
        { "C7(b9", 0, { "(" } },
        { "C7)", 0, { ")" } },
        { "C#13", 1, {} },
        { "C7b11", 0, { "b11" } },
        { "Cadd7", 0, { "add7" } },
        { "C/E/G", 0, { "E" } },
        { "Cdim7xyz", 0, { "xyz" } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        const LeadSheetChord chord = ReadLeadSheetChord(row.typed);
        EXPECT_EQ(chord.root, row.root);
        EXPECT_EQ(chord.unread, row.unread);
        EXPECT_EQ(chord.Complete(), row.root != kNoPitch && row.unread.empty());
    }
}

} // namespace
