// The notations: each written and read back, the tables players of each expect, and the key guess.

#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "theory/catalogue.h"
#include "theory/chord_symbol.h"
#include "theory/differing_readings.h"
#include "theory/interval_list.h"
#include "theory/key_guess.h"
#include "theory/notation.h"

using namespace corvane;

namespace {

std::set<int> SetOf(const std::vector<int>& values) { return { values.begin(), values.end() }; }

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string word;
    while (in >> word)
        out.push_back(word);
    return out;
}

} // namespace

// Every chord type of the catalogue, on every root, over its root and over another of its notes,
// written in each notation and read back in it, is the same chord.
TEST(Notation, EveryCatalogueChordReadsBackAsWritten)
{
    const std::vector<NotationKey> keys { KeyOf(0, false), KeyOf(7, false), KeyOf(10, false), KeyOf(9, true),
        KeyOf(3, true) };
    int checked = 0;
    for (const ChordType& type : kChordTypes) {
        const std::vector<int> intervals = *IntervalValues(type.intervals);
        for (PitchClass root = 0; root < 12; ++root) {
            for (const PitchClass bass : { root, (root + intervals.back()) % 12 }) {
                for (const Spelling spelling : { Spelling::Sharp, Spelling::Flat }) {
                    for (const Notation notation : kNotations) {
                        for (const NotationKey& key : keys) {
                            SCOPED_TRACE(std::string(type.name) + " on " + std::to_string(root) + " in "
                                + std::string(NotationWord(notation)));
                            const auto written = WriteChordIn(root, intervals, bass, spelling, notation, key);
                            ASSERT_TRUE(written);
                            const LeadSheetChord read = ReadChordIn(*written, notation, key);
                            EXPECT_TRUE(read.Complete()) << *written;
                            EXPECT_EQ(read.root, root) << *written;
                            EXPECT_EQ(read.bass, bass) << *written;
                            EXPECT_EQ(SetOf(read.intervals), SetOf(intervals)) << *written;
                            ++checked;
                            if (!CountsFromKey(notation))
                                break; // the key changes nothing
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 10000);
}

// The suffixes players read, for notes the names list names in its own words.
TEST(Notation, LeadSheetSuffixes)
{
    const std::vector<std::pair<std::string, std::string>> rows {
        { "00 04 07", "" }, { "00 03 07 10", "m7" }, { "00 03 06 10", "m7b5" }, { "00 03 06", "dim" },
        { "00 03 06 09", "dim7" }, { "00 04 08", "aug" }, { "00 04 08 10", "7#5" }, { "00 04 07 11", "maj7" },
        { "00 03 07 11", "m(maj7)" }, { "00 04 07 10 01", "7b9" }, { "00 04 07 10 03", "7#9" },
        { "00 04 07 11 06", "maj7#11" }, { "00 04 07 10 02", "9" }, { "00 04 07 10 09", "13" },
        { "00 03 07 10 02 05", "m11" }, { "00 04 07 09 02", "6/9" }, { "00 02 07", "sus2" }, { "00 05 07 10", "7sus4" },
        { "00 07", "5" }, { "00 04 07 02", "add9" }, { "00 04 06", "(b5)" }, { "00 04 10", "7(no5)" },
        { "00 07 10", "7(no3)" }, { "00 10 11", std::string() }, // both sevenths: no symbol
    };
    for (const auto& [intervals, suffix] : rows) {
        SCOPED_TRACE(intervals);
        const auto written = LeadSheetSuffix(*IntervalValues(intervals));
        if (intervals == "00 10 11")
            EXPECT_FALSE(written);
        else
            EXPECT_EQ(written.value_or("none"), suffix);
    }
}

namespace {

struct NotatedName {
    const char* text; // in the notation
    const char* letters; // the same chord in lead-sheet letters
    bool written = true; // false: read as a player may type it, but written otherwise
};

void CheckTable(Notation notation, const std::vector<NotatedName>& rows)
{
    for (const NotatedName& row : rows) {
        SCOPED_TRACE(row.text);
        const LeadSheetChord expected = ReadLeadSheetChord(row.letters);
        ASSERT_TRUE(expected.Complete());
        const LeadSheetChord read = ReadChordIn(row.text, notation, std::nullopt);
        EXPECT_TRUE(read.Complete());
        EXPECT_EQ(read.root, expected.root);
        EXPECT_EQ(read.bass, expected.bass);
        EXPECT_EQ(SetOf(read.intervals), SetOf(expected.intervals));
        EXPECT_EQ(read.canonical, expected.canonical);
        if (row.written) {
            EXPECT_EQ(WriteChordIn(
                          expected.root, expected.intervals, expected.bass, expected.spelling, notation, std::nullopt)
                          .value_or("none"),
                row.text);
        }
    }
}

} // namespace

TEST(Notation, GermanNames)
{
    const std::vector<NotatedName> rows {
        { "C", "C" },
        { "H", "B" },
        { "B", "Bb" },
        { "Hm", "Bm" },
        { "Hm7", "Bm7" },
        { "B7", "Bb7" },
        { "Bmaj7", "Bbmaj7" },
        { "Hdim", "Bdim" },
        { "H7", "B7" },
        { "Bm", "Bbm" },
        { "Bm7", "Bbm7" },
        { "H7sus4", "B7sus4" },
        { "Hm7b5", "Bm7b5" },
        { "Bsus2", "Bbsus2" },
        { "B6", "Bb6" },
        { "H9", "B9" },
        { "Baug", "Bbaug" },
        { "Hdim7", "Bdim7" },
        { "G/H", "G/B" },
        { "Gm/B", "Gm/Bb" },
        { "Eb", "Eb" },
        { "Eb/B", "Eb/Bb" },
        { "F/A", "F/A" },
        { "C/B", "C/Bb" },
        { "Em/H", "Em/B" },
        { "E/G#", "E/G#" },
        { "D/F#", "D/F#" },
        { "Am", "Am" },
        { "Am7", "Am7" },
        { "Dm", "Dm" },
        { "F#m", "F#m" },
        { "C#m7", "C#m7" },
        { "Ab", "Ab" },
        { "Db", "Db" },
        { "Gb", "Gb" },
        { "F#", "F#" },
        { "E7", "E7" },
        { "A7", "A7" },
        { "Dmaj7", "Dmaj7" },
        { "Cadd9", "Cadd9" },
        { "H5", "B5" },
        { "B5", "Bb5" },
        { "Hsus4", "Bsus4" },
        { "Bm6", "Bbm6" },
        { "H13", "B13" },
        { "B7#9", "Bb7#9" },
        { "H7b9", "B7b9" },
        { "Bmaj9", "Bbmaj9" },
        { "Hm9", "Bm9" },
        { "Hm11", "Bm11" },
        { "B6/9", "Bb6/9" },
        { "Hm(maj7)", "Bm(maj7)" },
        { "H7/D#", "B7/D#" },
        { "B/D", "Bb/D" },
        { "Gm7/B", "Gm7/Bb" },
        { "Ab/Eb", "Ab/Eb" },
        { "Hadd9", "Badd9" },
        { "B7sus4", "Bb7sus4" },
        { "Haug", "Baug" },
        { "A#", "A#", false },
        { "Hb", "Bb", false },
    };
    EXPECT_GE(rows.size(), 60u);
    CheckTable(Notation::German, rows);
}

TEST(Notation, LatinNames)
{
    const std::vector<NotatedName> rows {
        { "Do", "C" },
        { "R\u00e9", "D" },
        { "Mi", "E" },
        { "Fa", "F" },
        { "Sol", "G" },
        { "La", "A" },
        { "Si", "B" },
        { "Dom", "Cm" },
        { "R\u00e9m", "Dm" },
        { "Mim", "Em" },
        { "Fam", "Fm" },
        { "Solm", "Gm" },
        { "Lam", "Am" },
        { "Sim", "Bm" },
        { "Do7", "C7" },
        { "R\u00e97", "D7" },
        { "Mi7", "E7" },
        { "Sol7", "G7" },
        { "La7", "A7" },
        { "Si7", "B7" },
        { "Domaj7", "Cmaj7" },
        { "Fa\u266fm", "F#m" },
        { "Do\u266fm7", "C#m7" },
        { "Si\u266d", "Bb" },
        { "Mi\u266d", "Eb" },
        { "La\u266d", "Ab" },
        { "R\u00e9\u266d", "Db" },
        { "Sol\u266d", "Gb" },
        { "Fa\u266f", "F#" },
        { "Sol\u266fm", "G#m" },
        { "Si\u266d7", "Bb7" },
        { "Mi\u266dmaj7", "Ebmaj7" },
        { "Lam7", "Am7" },
        { "R\u00e9m7", "Dm7" },
        { "Sim7b5", "Bm7b5" },
        { "Sidim", "Bdim" },
        { "Dodim7", "Cdim7" },
        { "Solsus4", "Gsus4" },
        { "R\u00e9sus2", "Dsus2" },
        { "Doadd9", "Cadd9" },
        { "Fa6", "F6" },
        { "La9", "A9" },
        { "Mim9", "Em9" },
        { "Sol13", "G13" },
        { "Doaug", "Caug" },
        { "Mi5", "E5" },
        { "R\u00e9/Fa\u266f", "D/F#" },
        { "Do/Mi", "C/E" },
        { "Sol/Si", "G/B" },
        { "Lam/Sol", "Am/G" },
        { "Fa/La", "F/A" },
        { "Sol7sus4", "G7sus4" },
        { "Mi7#9", "E7#9" },
        { "R\u00e96/9", "D6/9" },
        { "Lam(maj7)", "Am(maj7)" },
        { "Sol7b9", "G7b9" },
        { "Si\u266d/R\u00e9", "Bb/D" },
        { "Mi\u266d/Sol", "Eb/G" },
        { "Do\u266fdim", "C#dim" },
        { "Fa\u266fm7", "F#m7" },
        { "Rem", "Dm", false },
        { "Sib", "Bb", false },
        { "Fa#m", "F#m", false },
        { "sol7", "G7", false },
        { "SOL", "G", false },
    };
    EXPECT_GE(rows.size(), 60u);
    CheckTable(Notation::Latin, rows);
}

// Progressions in numbers and numerals, with their chords in letters in a given key.
TEST(Notation, NashvilleAndRomanProgressions)
{
    struct Row {
        PitchClass tonic;
        bool minor;
        const char* letters;
        const char* nashville;
        const char* roman;
    };
    const std::vector<Row> rows {
        { 7, false, "G D Em C", "1 5 6m 4", "I V vi IV" },
        { 0, false, "Dm G C", "2m 5 1", "ii V I" },
        { 0, false, "C Am F G", "1 6m 4 5", "I vi IV V" },
        { 2, false, "D G A7 D", "1 4 57 1", "I IV V7 I" },
        { 9, false, "A E F#m D", "1 5 6m 4", "I V vi IV" },
        { 4, false, "E C#m A B7", "1 6m 4 57", "I vi IV V7" },
        { 5, false, "F Bb C7 F", "1 4 57 1", "I IV V7 I" },
        { 10, false, "Bb Gm Cm7 F7", "1 6m 2m7 57", "I vi ii7 V7" },
        { 3, false, "Eb Ab Bb Cm", "1 4 5 6m", "I IV V vi" },
        { 7, false, "G G/B C D", "1 1/3 4 5", "I I/3 IV V" },
        { 0, false, "C C/E F G/B", "1 1/3 4 5/7", "I I/3 IV V/7" },
        { 2, false, "D A/C# Bm G", "1 5/7 6m 4", "I V/7 vi IV" },
        { 0, false, "Cmaj7 Am7 Dm7 G7", "1maj7 6m7 2m7 57", "Imaj7 vi7 ii7 V7" },
        { 7, false, "G F C G", "1 b7 4 1", "I \u266dVII IV I" },
        { 2, false, "D C G D", "1 b7 4 1", "I \u266dVII IV I" },
        { 9, false, "A G D A", "1 b7 4 1", "I \u266dVII IV I" },
        { 0, false, "C Bb F C", "1 b7 4 1", "I \u266dVII IV I" },
        { 4, false, "E D A E", "1 b7 4 1", "I \u266dVII IV I" },
        { 0, false, "C E7 Am F", "1 37 6m 4", "I III7 vi IV" },
        { 7, false, "G E7 Am D7", "1 67 2m 57", "I VI7 ii V7" },
        { 5, false, "F Dm Gm C", "1 6m 2m 5", "I vi ii V" },
        { 0, false, "C Em F G", "1 3m 4 5", "I iii IV V" },
        { 0, false, "Csus4 C Fadd9 G", "1sus4 1 4add9 5", "Isus4 I IVadd9 V" },
        { 7, false, "G Cmaj7 D6 G", "1 4maj7 56 1", "I IVmaj7 V6 I" },
        { 0, false, "C F Bdim C", "1 4 7dim 1", "I IV vii\u00b0 I" },
        { 0, false, "Dm7 G7 Cmaj7 Bm7b5", "2m7 57 1maj7 7m7b5", "ii7 V7 Imaj7 vii\u00f87" },
        { 8, false, "Ab Db Eb7 Ab", "1 4 57 1", "I IV V7 I" },
        { 2, false, "D Dsus4 D Dsus2", "1 1sus4 1 1sus2", "I Isus4 I Isus2" },
        { 7, false, "G Ab G", "1 b2 1", "I \u266dII I" },
        { 4, false, "E G A E", "1 b3 4 1", "I \u266dIII IV I" },
        { 0, false, "C Ab Bb C", "1 b6 b7 1", "I \u266dVI \u266dVII I" },
        { 5, false, "F A7 Dm Bb", "1 37 6m 4", "I III7 vi IV" },
        { 9, true, "Am Dm E7 Am", "1m 4m 57 1m", "i iv V7 i" },
        { 4, true, "Em C G D", "1m b6 b3 b7", "i \u266dVI \u266dIII \u266dVII" },
        { 9, true, "Am G F E", "1m b7 b6 5", "i \u266dVII \u266dVI V" },
        { 2, true, "Dm Bb C Dm", "1m b6 b7 1m", "i \u266dVI \u266dVII i" },
        { 11, true, "Bm G D A", "1m b6 b3 b7", "i \u266dVI \u266dIII \u266dVII" },
        { 0, true, "Cm Fm G7 Cm", "1m 4m 57 1m", "i iv V7 i" },
        { 6, true, "F#m D A E", "1m b6 b3 b7", "i \u266dVI \u266dIII \u266dVII" },
        { 7, true, "Gm Cm D7 Gm", "1m 4m 57 1m", "i iv V7 i" },
        { 9, true, "Am7 Dm7 Bm7b5 E7", "1m7 4m7 2m7b5 57", "i7 iv7 ii\u00f87 V7" },
    };
    EXPECT_GE(rows.size(), 40u);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.letters);
        const NotationKey key = KeyOf(row.tonic, row.minor);
        const auto letters = Words(row.letters);
        const auto numbers = Words(row.nashville);
        const auto numerals = Words(row.roman);
        ASSERT_EQ(numbers.size(), letters.size());
        ASSERT_EQ(numerals.size(), letters.size());
        for (size_t i = 0; i < letters.size(); ++i) {
            SCOPED_TRACE(letters[i]);
            const LeadSheetChord expected = ReadLeadSheetChord(letters[i]);
            for (const auto& [notation, text] :
                { std::pair { Notation::Nashville, numbers[i] }, std::pair { Notation::Roman, numerals[i] } }) {
                const LeadSheetChord read = ReadChordIn(text, notation, key);
                EXPECT_TRUE(read.Complete()) << text;
                EXPECT_EQ(read.canonical, expected.canonical) << text;
                EXPECT_EQ(SetOf(read.intervals), SetOf(expected.intervals)) << text;
                EXPECT_EQ(
                    WriteChordIn(expected.root, expected.intervals, expected.bass, expected.spelling, notation, key)
                        .value_or("none"),
                    text);
            }
        }
    }
}

TEST(Notation, NumbersNeedAKeyAndNotesNeedANoteName)
{
    EXPECT_FALSE(LettersOf("5m", Notation::Nashville, std::nullopt));
    EXPECT_FALSE(WriteChordIn(0, { 0, 4, 7 }, 0, Spelling::Sharp, Notation::Roman, std::nullopt));
    EXPECT_FALSE(LettersOf("8", Notation::Nashville, KeyOf(0, false)));
    EXPECT_FALSE(LettersOf("Qzz", Notation::German, std::nullopt));
    EXPECT_FALSE(LettersOf("Xo", Notation::Latin, std::nullopt));
    const LeadSheetChord unread = ReadChordIn("Qzz", Notation::Latin, std::nullopt);
    EXPECT_EQ(unread.root, kNoPitch);
    EXPECT_EQ(unread.unread, std::vector<std::string> { "Qzz" });
    EXPECT_EQ(ParseNotation("german"), Notation::German);
    EXPECT_FALSE(ParseNotation("German"));
    for (const Notation notation : kNotations)
        EXPECT_EQ(ParseNotation(NotationWord(notation)), notation);
}

// The names list written in another notation: one name per root, in the list's order.
TEST(Notation, NamesListInAnotherNotation)
{
    const auto sharp = GridNames(Spelling::Sharp);
    // The names list of C major over C.
    const std::vector<std::string> listed { "C", "Em5+/C", "G4/6/C (no3) (no5)", "G4/add13/C (no3) (no5)",
        "Gadd11/6/C (no3) (no5)", "Gsus4/6/C (no5)" };
    EXPECT_EQ(NamesIn(listed, { 0, 4, 7 }, 0, sharp, Notation::LeadSheet, std::nullopt),
        (std::vector<std::string> { "C", "Em#5/C", "G6sus4(no5)/C" }));
    EXPECT_EQ(NamesIn(listed, { 0, 4, 7 }, 0, sharp, Notation::Parts, std::nullopt), listed);
    // Any name of a root finds that root's entry of the list; the program's own keeps the name.
    for (const char* name : { "G4/add13/C (no3) (no5)", "Gsus4/6/C (no5)" })
        EXPECT_EQ(
            ListedNameIn(listed, name, { 0, 4, 7 }, 0, sharp, Notation::LeadSheet, std::nullopt), "G6sus4(no5)/C");
    EXPECT_EQ(ListedNameIn(listed, "Gsus4/6/C (no5)", { 0, 4, 7 }, 0, sharp, Notation::Parts, std::nullopt),
        "Gsus4/6/C (no5)");
    // An unread root names nothing.
    EXPECT_TRUE(NamesIn({ "m5+/", "" }, { 12, 4, 7 }, 12, sharp, Notation::LeadSheet, std::nullopt).empty());
    // Hm first, German.
    EXPECT_EQ(NameIn("Bm", { 11, 2, 6 }, 11, sharp, Notation::German, std::nullopt), "Hm");
    EXPECT_EQ(NameIn("Cm/7", { 0, 3, 7, 10 }, 0, sharp, Notation::LeadSheet, std::nullopt), "Cm7");
    EXPECT_EQ(NameIn("F7+/4+/C", { 5, 9, 0, 4, 11 }, 0, sharp, Notation::LeadSheet, std::nullopt), "Fmaj7#11/C");
}

// Songs of our own with the key they are in: the guess is right for at least nine in ten.
TEST(KeyGuess, SongsOfOurOwn)
{
    struct Song {
        const char* chords;
        PitchClass tonic;
        bool minor;
    };
    const std::vector<Song> songs {
        { "G D Em C G D C G", 7, false },
        { "C G Am F C G F C", 0, false },
        { "D A Bm G D A G D", 2, false },
        { "A D E A F#m D E A", 9, false },
        { "E A B7 E C#m A B7 E", 4, false },
        { "F Bb C7 F Dm Gm C7 F", 5, false },
        { "Bb Eb F7 Bb Gm Cm F7 Bb", 10, false },
        { "Eb Ab Bb7 Eb Cm Fm Bb7 Eb", 3, false },
        { "G C G D G C D G", 7, false },
        { "C F C G7 C F G7 C", 0, false },
        { "D G D A7 D G A7 D", 2, false },
        { "Dm7 G7 Cmaj7 Am7 Dm7 G7 C", 0, false },
        { "G Em C D G Em C D G", 7, false },
        { "A E F#m D A E D A", 9, false },
        { "E B C#m A E B A E", 4, false },
        { "D Bm G A D Bm G A D", 2, false },
        { "C Am Dm G7 C Am Dm G7 C", 0, false },
        { "F C Dm Bb F C Bb F", 5, false },
        { "G D/F# Em D C G/B Am D G", 7, false },
        { "Ab Fm Db Eb Ab Fm Db Eb Ab", 8, false },
        { "D G A G D G A D", 2, false },
        { "A D A E A D E A", 9, false },
        { "C Em F G C Em F G C", 0, false },
        { "G C Am D7 G C D7 G", 7, false },
        { "E A E B E A B E", 4, false },
        { "D F G D D F G D", 2, false },
        { "A G D A A G D A", 9, false },
        { "G F C G G F C G", 7, false },
        { "Am Dm E7 Am Am Dm E7 Am", 9, true },
        { "Em C D Em Em C D Em", 4, true },
        { "Dm Bb C Dm Dm Gm A7 Dm", 2, true },
        { "Am G F E Am G F E Am", 9, true },
        { "Bm G D A Bm G A Bm", 11, true },
        { "Cm Fm G7 Cm Ab Fm G7 Cm", 0, true },
        { "Em Am B7 Em Em Am B7 Em", 4, true },
        { "F#m D E F#m F#m Bm C#7 F#m", 6, true },
        { "Gm Cm D7 Gm Eb Cm D7 Gm", 7, true },
        { "Am F G Am Am F G Am", 9, true },
        { "Dm C Bb A7 Dm C Bb A7 Dm", 2, true },
        { "Em7 A7 Dmaj7 Bm7 Em7 A7 D", 2, false },
        { "C#m A B C#m C#m A B G#7 C#m", 1, true },
        { "Bm Em F#7 Bm Bm Em F#7 Bm", 11, true },
    };
    EXPECT_GE(songs.size(), 40u);
    size_t right = 0;
    for (const Song& song : songs) {
        const auto key = GuessKeyOfNames(Words(song.chords));
        ASSERT_TRUE(key);
        if (key->tonic == song.tonic && key->minor == song.minor)
            ++right;
        else
            std::cout << "guessed " << key->tonic << (key->minor ? "m" : "") << " for " << song.chords << '\n';
    }
    EXPECT_GE(right * 10, songs.size() * 9);
    EXPECT_FALSE(GuessKeyOfNames({ "Qzz", "" }));
}

// A name both readers read whole, as different chords, is said; one they agree on is not.
TEST(DifferingReadings, SaidInOneSentence)
{
    EXPECT_EQ(DifferingReadings("C9").value_or(""),
        "C9 read as Cadd9 (C E G D); on a lead sheet C9 is C E G B\u266d D: use Lead-sheet names?");
    EXPECT_EQ(DifferingReadings("Ab13").value_or(""),
        "Ab13 read as Ab6 (A\u266d C E\u266d F); on a lead sheet Ab13 is A\u266d C E\u266d G\u266d F: use Lead-sheet "
        "names?");
    EXPECT_TRUE(DifferingReadings("Em11"));
    for (const char* agreed : { "C", "Cm7", "C7", "D/F#", "Cmaj7", "Qzz", "", "Cxyz" })
        EXPECT_FALSE(DifferingReadings(agreed)) << agreed;
}

TEST(Notation, NoNamesForAnUnreadRoot)
{
    const auto sharp = GridNames(Spelling::Sharp);
    const std::vector<std::string> listed { "m5+/", "Em5+/", "G4/6/ (no3) (no5)" };
    for (const Notation notation : { Notation::Parts, Notation::LeadSheet, Notation::German })
        EXPECT_TRUE(NamesListIn(listed, kNoPitch, { 12, 4, 7 }, 12, sharp, notation).empty());
    EXPECT_EQ(NamesListIn({ "C" }, 0, { 0, 4, 7 }, 0, sharp, Notation::Parts), std::vector<std::string> { "C" });
    // A bass read under an unread root still names the chord that sounds.
    EXPECT_EQ(NamesListIn({ "C7+", "Em6-/B" }, kNoPitch, { 11, 0, 4, 7 }, 11, sharp, Notation::Parts).size(), 2u);
}
