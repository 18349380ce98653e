// The window's chord names: View > Chord names writes the names list in the chosen notation, the
// name box reads that notation first, and the status bar says when two readings of a name differ.

#include "main_window_fixture.h"

#include <QAction>
#include <QMenu>

namespace corvane::test {
namespace {

    class NotationTest : public MainWindowTest {
    protected:
        void Choose(const char* word)
        {
            auto* names = Find<QMenu>("ChordNames1");
            for (QAction* item : names->actions())
                if (item->objectName() == QStringLiteral("ChordNames_%1").arg(QLatin1String(word)))
                    item->trigger();
        }
        std::string Problem() const { return Label("LabelNameProblem"); }
        bool SheetHolds(int pitchClass) const
        {
            const std::string list = " " + window->noteList() + " ";
            return list.find(" " + std::to_string(pitchClass) + " ") != std::string::npos;
        }
    };

    TEST_F(NotationTest, TheNamesListInGermanAndTheMenuMarksTheChoice)
    {
        TypeName("Bm");
        ASSERT_EQ(Names().front(), "Bm");
        Choose("german");
        EXPECT_EQ(window->notation(), Notation::German);
        EXPECT_EQ(Names().front(), "Hm");
        const auto minor = Names();
        EXPECT_NE(std::find(minor.begin(), minor.end(), "D6(no5)/H"), minor.end());
        TypeName("H7");
        EXPECT_EQ(window->selection().rootIndex, 11);
        // The list keeps its order (A's name of these notes comes first), each root named once.
        const auto seventh = Names();
        EXPECT_NE(std::find(seventh.begin(), seventh.end(), "H7"), seventh.end());
        TypeName("B");
        EXPECT_EQ(window->selection().rootIndex, 10) << "German B is B flat";
        EXPECT_EQ(Names().front(), "B");
        // The diagrams' titles are written in the notation too.
        TypeName("Hm7");
        EXPECT_EQ(Sheet()->chordName().toStdString(), "Hm7");
        TypeName("Bm7");
        EXPECT_EQ(Sheet()->chordName().toStdString(), "Bm7") << "B flat minor";
        EXPECT_EQ(window->selection().rootIndex, 10);
        Choose("parts");
        EXPECT_EQ(Names().front(), "Ab/add2/4/6/Bb (no3) (no5)") << "the list's own order and spelling";
        EXPECT_EQ(Sheet()->chordName(), Find<QLineEdit>("EditAcorde")->text()) << "the box's own words";
    }

    TEST_F(NotationTest, ALeadSheetReadsC9AsTheDominantNinth)
    {
        Choose("lead-sheet");
        TypeName("C9");
        EXPECT_TRUE(SheetHolds(10)) << window->noteList();
        const auto names = Names();
        EXPECT_NE(std::find(names.begin(), names.end(), "C9"), names.end());
        EXPECT_EQ(Problem(), "");
    }

    TEST_F(NotationTest, TwoReadingsThatDifferAreSaidAndOneClickSwitches)
    {
        TypeName("C9");
        EXPECT_FALSE(SheetHolds(10));
        EXPECT_EQ(
            Problem(), "C9 read as Cadd9 (C E G D); on a lead sheet C9 is C E G B\u266d D: use Lead-sheet names?");
        auto* button = Find<QToolButton>("ButtonUseLeadSheet");
        ASSERT_TRUE(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(window->notation(), Notation::LeadSheet);
        EXPECT_TRUE(SheetHolds(10)) << window->noteList();
        EXPECT_FALSE(button->isVisible());
        TypeName("Cm7");
        EXPECT_EQ(Problem(), "");
    }

    TEST_F(NotationTest, ANameWithNoNoteLeavesNoNamesAndSaysSoWhole)
    {
        TypeName("Qzz");
        EXPECT_TRUE(Names().empty());
        EXPECT_EQ(Total(), 0);
        const QString message = Find<QLabel>("LabelNameProblem")->toolTip();
        EXPECT_EQ(message.toStdString(), "Not understood: \"Qzz\" does not start with a note name");
    }

} // namespace
} // namespace corvane::test
