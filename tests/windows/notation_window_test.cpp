// Help > "Chord notation…": the diagram paragraph speaks of the strings of the instrument shown.

#include "windows/notation_window.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

    TEST(NotationWindow, TheDiagramParagraphSpeaksOfTheInstrumentsStrings)
    {
        const QString six
            = QStringLiteral("Each diagram shows the six strings upright, the lowest on the left, and five frets.");
        EXPECT_TRUE(NotationWindow::Text().contains(six));
        EXPECT_FALSE(NotationWindow::Text().contains(QStringLiteral("%STRINGS%")));

        struct Row {
            DiagramStrings strings;
            const char* said;
        };
        const Row rows[] = {
            { { "Ukulele", { "G", "C", "E", "A" } },
                "Each diagram shows the four strings of the ukulele upright, G C E A from left to right, and five "
                "frets." },
            { { "7-string guitar", { "B", "E", "A", "D", "G", "B", "E" } },
                "Each diagram shows the seven strings of the 7-string guitar upright, B E A D G B E from left to "
                "right, and five frets." },
            { { "Custom <strings>", { "A#", "C" } },
                "Each diagram shows the two strings of the custom &lt;strings&gt; upright, A# C from left to right, "
                "and five frets." },
        };
        for (const Row& row : rows) {
            const QString text = NotationWindow::Text(row.strings);
            EXPECT_TRUE(text.contains(QString::fromUtf8(row.said))) << row.said;
            EXPECT_FALSE(text.contains(six));
        }
        // An instrument without strings to name keeps the six-string paragraph rather than a blank one.
        EXPECT_TRUE(NotationWindow::Text({ "Ukulele", {} }).contains(six));
    }

} // namespace
} // namespace corvane
