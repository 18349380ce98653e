// Diagrams read out for a screen reader.

#include "drawing/spoken_diagram.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

    TEST(SpokenDiagram, ReadsAsAGuitaristSaysIt)
    {
        struct Row {
            const char* name;
            Voicing voicing;
            const char* chord;
            const char* expected;
        };
        const Row rows[] = {
            { "an open chord", { 99, 3, 2, 0, 1, 0 }, "C", "x 3 2 0 1 0, base fret 1, fingers 3 2 1, open C" },
            { "a barre across all strings", { -1, 3, 3, 2, 1, 1 }, "F",
                "1 3 3 2 1 1, base fret 1, fingers 1 3 4 2 1 1, barre at fret 1, F" },
            { "a barre in first position without open strings is not open", { 99, -3, 5, 5, 5, 3 }, "C",
                "x 3 5 5 5 3, base fret 1, fingers 1 2 3 4 1, barre at fret 3, C" },
            { "up the neck an open string does not make it open", { 99, 99, 0, 9, 8, 7 }, "Cmaj7/G",
                "x x 0 9 8 7, base fret 7, fingers 3 2 1, Cmaj7/G" },
            { "no stopped string, no fingers", { 99, 99, 0, 0, 0, 0 }, "Em7", "x x 0 0 0 0, base fret 1, open Em7" },
            { "without a name", { 0, 2, 2, 1, 0, 0 }, "", "0 2 2 1 0 0, base fret 1, fingers 2 3 1" },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(SpokenDiagram(row.voicing, row.chord), row.expected);
            // Six strings are said alike by the reading for any number of strings.
            EXPECT_EQ(SpokenStringsDiagram(FretsOfVoicing(row.voicing), row.chord), row.expected);
        }
    }

    TEST(SpokenDiagram, OtherInstrumentsSayEveryStringTheyHave)
    {
        struct Row {
            const char* name;
            Frets frets;
            const char* chord;
            const char* expected;
        };
        const Row rows[] = {
            { "the ukulele's C", { 4, { 0, 0, 0, 3 } }, "C", "0 0 0 3, base fret 1, fingers 1, open C" },
            { "a barre on four strings", { 4, { -2, 2, 2, 5 } }, "D",
                "2 2 2 5, base fret 1, fingers 1 1 1 2, barre at fret 2, D" },
            { "seven strings, the low one muted", { 7, { 99, 99, 3, 2, 0, 1, 0 } }, "C",
                "x x 3 2 0 1 0, base fret 1, fingers 3 2 1, open C" },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(SpokenStringsDiagram(row.frets, row.chord), row.expected);
        }
    }

    TEST(SpokenNeckSpot, TellsTheStringAsGuitaristsCountItAndWhatItHolds)
    {
        const Fingering openC { -1, 3, 2, 0, 1, 0 };
        struct Row {
            NeckSpot spot;
            const char* spoken;
        };
        const Row rows[] = {
            { { 1, 3 }, "5th string, fret 3, finger here" },
            { { 1, 2 }, "5th string, fret 2" },
            { { 0, kAtNut }, "6th string, nut, muted" },
            { { 5, kAtNut }, "1st string, nut, open" },
            { { 2, kAtNut }, "4th string, nut, finger at fret 2" },
            { { 6, 1 }, "" },
        };
        for (const Row& row : rows)
            EXPECT_EQ(SpokenNeckSpot(row.spot, openC), row.spoken);
    }

} // namespace
} // namespace corvane
