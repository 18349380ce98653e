// Fingerings written and read as guitarists write them.

#include "guitar/fingering_text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

    TEST(FingeringText, OneCharacterPerStringUntilAFretHasTwoDigits)
    {
        struct Row {
            const char* name;
            Voicing voicing;
            const char* text;
        };
        const Row rows[] = {
            { "open C", { 99, 3, 2, 0, 1, 0 }, "x32010" },
            { "F barre drops the mark", { -1, 3, 3, 2, 1, 1 }, "133211" },
            { "two-digit frets", { 99, 10, 12, 12, 11, 10 }, "x 10 12 12 11 10" },
            { "two-digit barre", { -10, 12, 12, 11, 10, 10 }, "10 12 12 11 10 10" },
            { "all muted", { 99, 99, 99, 99, 99, 99 }, "xxxxxx" },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(FingeringText(row.voicing), row.text);
            EXPECT_EQ(FingeringText(FretsOfVoicing(row.voicing)), row.text);
        }
        EXPECT_EQ(FingeringText(Frets { 4, { 0, 0, 0, 3 } }), "0003");
        EXPECT_EQ(FingeringText(Frets { 7, { 99, 99, 10, 12, 12, 11, -10 } }), "x x 10 12 12 11 10");
    }

    TEST(ReadFingering, BothFormsAndBarresMarkedOrFound)
    {
        struct Row {
            const char* text;
            Voicing voicing;
        };
        const Row rows[] = {
            { "x32010", { 99, 3, 2, 0, 1, 0 } },
            { "x 3 2 0 1 0", { 99, 3, 2, 0, 1, 0 } },
            { " X 3 2 0 1 0 ", { 99, 3, 2, 0, 1, 0 } },
            { "99 3 2 0 1 0", { 99, 3, 2, 0, 1, 0 } },
            // No mark given: the search's finger rules find the barre.
            { "133211", { -1, 3, 3, 2, 1, 1 } },
            { "1 3 3 2 1 1", { -1, 3, 3, 2, 1, 1 } },
            // A mark given is kept as written, and no other is added.
            { "-1 3 3 2 1 1", { -1, 3, 3, 2, 1, 1 } },
            { "x -3 5 5 5 3", { 99, -3, 5, 5, 5, 3 } },
            { "x 10 12 12 11 10", { 99, -10, 12, 12, 11, 10 } },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.text);
            const FingeringReading reading = ReadFingering(row.text);
            EXPECT_EQ(reading.error, "");
            EXPECT_EQ(reading.voicing, row.voicing);
        }
    }

    TEST(ReadFingering, ErrorsNameTheWrongPart)
    {
        struct Row {
            const char* text;
            const char* mentions;
        };
        const Row rows[] = {
            { "", "six strings" },
            { "x3201", "six strings" },
            { "x 3 2 0 1 0 0", "six strings" },
            { "x 3 2 0 1 a", "\"a\"" },
            { "x 3 2 0 1 28", "\"28\"" },
            { "x 3 2 0 1 -0", "\"-0\"" },
            { "x 3 2 0 1 -99", "\"-99\"" },
            { "x 3 2 0 1 1.5", "\"1.5\"" },
            { "x32o10", "\"o\"" },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.text);
            const std::string error = ReadFingering(row.text).error;
            EXPECT_NE(error.find(row.mentions), std::string::npos) << error;
        }
    }

} // namespace
} // namespace corvane
