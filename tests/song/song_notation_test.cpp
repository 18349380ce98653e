// Song and progression chords in a notation: keys as typed, numbers and numerals turned into letters,
// and letter names written in another notation.

#include "song/song_notation.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

    TEST(SongNotation, KeysAsTyped)
    {
        const struct {
            const char* typed;
            PitchClass tonic;
            bool minor;
            Spelling spelling;
            const char* name;
        } rows[] = {
            { "G", 7, false, Spelling::Sharp, "G" },
            { "Bb", 10, false, Spelling::Flat, "Bb" },
            { "F#m", 6, true, Spelling::Sharp, "F#m" },
            { "Dm", 2, true, Spelling::Flat, "Dm" },
            { "Gb", 6, false, Spelling::Flat, "Gb" },
        };
        for (const auto& row : rows) {
            const auto key = NotationKeyOf(row.typed);
            ASSERT_TRUE(key) << row.typed;
            EXPECT_EQ(key->tonic, row.tonic) << row.typed;
            EXPECT_EQ(key->minor, row.minor) << row.typed;
            EXPECT_EQ(key->spelling, row.spelling) << row.typed;
            EXPECT_EQ(NotationKeyName(*key), row.name);
        }
        for (const char* typed : { "", "H", "Xq", "7" })
            EXPECT_FALSE(NotationKeyOf(typed)) << typed;
    }

    TEST(SongNotation, NumbersAndNumeralsInLetters)
    {
        const auto g = NotationKeyOf("G");
        const auto bb = NotationKeyOf("Bb");
        const struct {
            const char* typed;
            std::optional<NotationKey> key;
            const char* letters;
        } rows[] = {
            { "1", g, "G" },
            { "6m", g, "Em" },
            { "57", g, "D7" },
            { "1/3", g, "G/B" },
            { "b7", g, "F" },
            { "ii", NotationKeyOf("C"), "Dm" },
            { "V7", bb, "F7" },
            { "IV", bb, "Eb" },
            // Letters are letters with a key or without; a number with no key stays as typed.
            { "Bm7", g, "Bm7" },
            { "C", g, "C" },
            { "5", std::nullopt, "5" },
            { "Qzz", g, "Qzz" },
        };
        for (const auto& row : rows)
            EXPECT_EQ(ChordInLetters(row.typed, row.key), row.letters) << row.typed;
    }

    TEST(SongNotation, LetterNamesWrittenInANotation)
    {
        const auto d = NotationKeyOf("D");
        EXPECT_EQ(SongChordIn("B7", Notation::German, std::nullopt), "H7");
        EXPECT_EQ(SongChordIn("Bb", Notation::German, std::nullopt), "B");
        EXPECT_EQ(SongChordIn("A7", Notation::Nashville, d), "57");
        EXPECT_EQ(SongChordIn("Bm", Notation::Roman, d), "vi");
        // The program's own notation, and a name no reader reads, stay as written.
        EXPECT_EQ(SongChordIn("Cm7b5", Notation::Parts, std::nullopt), "Cm7b5");
        EXPECT_EQ(SongChordIn("N.C.", Notation::German, std::nullopt), "N.C.");
        EXPECT_EQ(SongChordIn("A7", Notation::Nashville, std::nullopt), "A7") << "no key to count from";
    }

} // namespace
} // namespace corvane
