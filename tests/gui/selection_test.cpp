// Choosing a chord with the root and bass grids, the extension list, the chord-type list, the
// spelling buttons and a typed name.

#include "main_window_fixture.h"

#include <QAbstractItemModel>
#include <QSignalSpy>

namespace corvane::test {
namespace {

    class SelectionTest : public MainWindowTest {
    protected:
        void Check(const char* caption) { ClickCheck(Extensions(), QString::fromUtf8(caption)); }

        // Every refresh refills the name list once.
        std::unique_ptr<QSignalSpy> CountRefreshes() const
        {
            return std::make_unique<QSignalSpy>(
                Find<QListWidget>("ListBox1")->model(), &QAbstractItemModel::modelReset);
        }

        bool AddItemsGreyed() const
        {
            // "add9" and "add13" are add items none of these tests ticks.
            return !Extensions()->isItemEnabled(33) && !Extensions()->isItemEnabled(39);
        }
    };

    TEST_F(SelectionTest, TheWorkedExtensionChangesGiveTheirChordNameAndIntervals)
    {
        struct Row {
            const char* name;
            std::vector<const char*> clicks;
            const char* checked;
            const char* intervals;
            const char* shown;
            int third;
            int fifth;
        };
        const Row rows[] = {
            { "minor", { "m" }, "m", "00 03 07", "Cm", 3, 7 },
            { "minor seventh", { "m", "7" }, "m,7", "00 03 07 10", "Cm/7", 3, 7 },
            { "minor unchecked again", { "m", "7", "m" }, ",7", "00 04 07 10", "C7", 4, 7 },
            { "seventh with sus4", { "m", "7", "m", "sus4" }, ",7,sus4", "00 07 05 10", "C7/sus4", 4, 7 },
            { "augmented", { "aug" }, ",aug", "00 04 08", "Caug", 4, 8 },
            { "diminished", { "dim" }, ",dim", "00 03 06 09", "Cdim", 3, 6 },
            { "diminished after minor", { "m", "dim" }, ",dim", "00 03 06 09", "Cdim", 3, 6 },
            { "flat five keeps its slash", { "b5" }, ",b5", "00 04 06", "C/b5", 4, 7 },
            { "power chord", { "5" }, ",5", "00 07", "C5", 4, 7 },
            { "major unchecked gives minor", { "" }, "m", "00 03 07", "Cm", 3, 7 },
            { "shared code added once", { "7", "6+" }, ",6+,7", "00 04 07 10", "C6+/7", 4, 7 },
            { "new fifth without a perfect fifth", { "dim", "5+" }, ",dim,5+", "00 03 06 09 08", "Cdim/5+", 3, 8 },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            window = std::make_unique<TForm1>([](int) { return std::make_unique<RecordingPort>(); });
            ShowAndWait(window.get());
            for (const char* caption : row.clicks)
                Check(caption);
            EXPECT_EQ(CheckedCaptions(Extensions()), row.checked);
            EXPECT_EQ(window->selection().chordIntervals, row.intervals);
            EXPECT_EQ(Text("EditAcorde"), row.shown);
            EXPECT_EQ(window->selection().thirdInterval, row.third);
            EXPECT_EQ(window->selection().fifthInterval, row.fifth);
            EXPECT_EQ(Total(), Sheet()->count());
        }
    }

    TEST_F(SelectionTest, AChordAtTheNoteLimitGreysTheAddItemsAndTheBassGrid)
    {
        Check("2");
        Check("4");
        EXPECT_FALSE(AddItemsGreyed());
        Check("6-");
        EXPECT_EQ(window->selection().chordIntervals, "00 04 07 02 05 08");
        EXPECT_TRUE(AddItemsGreyed());
        EXPECT_TRUE(Extensions()->isItemEnabled(1)) << "m";
        EXPECT_TRUE(Extensions()->isItemEnabled(5)) << "a checked add item stays enabled";
        EXPECT_FALSE(BassGrid()->isEnabled());

        // A greyed item cannot be ticked.
        Check("add9");
        EXPECT_FALSE(Extensions()->isItemChecked(33));

        Check("4");
        EXPECT_EQ(window->selection().chordIntervals, "00 04 07 02 08");
        EXPECT_FALSE(AddItemsGreyed());
        EXPECT_TRUE(BassGrid()->isEnabled());
    }

    TEST_F(SelectionTest, WithASeparateBassTheLimitIsFiveEntries)
    {
        ClickRow(BassGrid(), 4);
        EXPECT_EQ(Text("EditAcorde"), "C/E");
        EXPECT_EQ(Total(), 290);
        Check("2");
        EXPECT_FALSE(AddItemsGreyed());
        Check("4");
        EXPECT_EQ(window->selection().chordIntervals, "00 04 07 02 05");
        EXPECT_TRUE(AddItemsGreyed());
        EXPECT_FALSE(BassGrid()->isEnabled());
    }

    TEST_F(SelectionTest, PickingASeparateBassForAFiveEntryChordGreysOnlyTheAddItems)
    {
        Check("2");
        Check("4");
        ASSERT_FALSE(AddItemsGreyed());
        ClickRow(BassGrid(), 4);
        EXPECT_TRUE(AddItemsGreyed());
        EXPECT_TRUE(BassGrid()->isEnabled());
        EXPECT_EQ(Text("EditAcorde"), "C2/4/E");

        ClickRow(BassGrid(), 0);
        EXPECT_EQ(Text("EditAcorde"), "C2/4");
        EXPECT_FALSE(AddItemsGreyed());
    }

    TEST_F(SelectionTest, ARootPickDropsTheBassAndRefreshesOnce)
    {
        Check("m");
        Check("7");
        ClickRow(BassGrid(), 4);
        EXPECT_EQ(Text("EditAcorde"), "Cm/7/E");

        const auto refreshes = CountRefreshes();
        ClickRow(RootGrid(), 2);
        EXPECT_EQ(Text("EditAcorde"), "Dm/7");
        EXPECT_EQ(BassGrid()->currentRow(), 2);
        EXPECT_EQ(window->selection().bassIndex, 2);
        EXPECT_EQ(window->noteList(), "2 5 9 0");
        EXPECT_EQ(refreshes->count(), 1);
    }

    TEST_F(SelectionTest, TheBassGridsSpellingNamesTheRoot)
    {
        Click("SpeedButton6"); // the root grid in flat names
        ClickRow(RootGrid(), 3);
        EXPECT_EQ(Text("EditAcorde"), "D#");
        const std::vector<std::string> names = Names();
        EXPECT_NE(std::find(names.begin(), names.end(), "Eb"), names.end()) << "the names follow the root grid";
        EXPECT_TRUE(
            std::none_of(names.begin(), names.end(), [](const std::string& n) { return n.find('#') != n.npos; }));

        Click("SpeedButton9"); // the bass grid in flat names
        ClickRow(BassGrid(), 10);
        EXPECT_EQ(Text("EditAcorde"), "D#/Bb");
        ClickRow(RootGrid(), 1);
        EXPECT_EQ(Text("EditAcorde"), "Db");
    }

    TEST_F(SelectionTest, SpellingButtonsRewriteTheirGridAndNothingElse)
    {
        ClickSheet(QPoint(250, 40));
        ASSERT_EQ(Sheet()->selectedCell(), 2);
        const auto refreshes = CountRefreshes();

        Click("SpeedButton6");
        EXPECT_EQ(GridColumn(RootGrid()), "C Db D Eb E F Gb G Ab A Bb B");
        EXPECT_EQ(GridColumn(BassGrid()), "C C# D D# E F F# G G# A A# B");
        EXPECT_TRUE(Find<QToolButton>("SpeedButton6")->isChecked());
        EXPECT_FALSE(Find<QToolButton>("SpeedButton5")->isChecked());
        Click("SpeedButton9");
        EXPECT_EQ(GridColumn(BassGrid()), "C Db D Eb E F Gb G Ab A Bb B");
        Click("SpeedButton10");
        Click("SpeedButton5");
        EXPECT_EQ(GridColumn(RootGrid()), "C C# D D# E F F# G G# A A# B");
        EXPECT_EQ(GridColumn(BassGrid()), "C C# D D# E F F# G G# A A# B");

        EXPECT_EQ(Text("EditAcorde"), "C");
        EXPECT_EQ(refreshes->count(), 0);
        EXPECT_EQ(Sheet()->selectedCell(), 2) << "no refresh forgot the selection";
        EXPECT_EQ(Label("lbAfinacaoCorda1"), "E");
    }

    TEST_F(SelectionTest, TheChordTypeListIsAnotherViewOfTheChordType)
    {
        Check("m");
        Click("SpeedButton8");
        EXPECT_TRUE(TypeList()->isVisible());
        EXPECT_FALSE(Extensions()->isVisible());
        EXPECT_EQ(Text("EditAcorde"), "Cm") << "switching views changes nothing";

        ClickRow(TypeList(), 9);
        EXPECT_EQ(window->selection().chordIntervals, "00 07");
        EXPECT_EQ(Text("EditAcorde"), "C5");
        EXPECT_EQ(window->selection().thirdInterval, 3) << "kept from the last extension change";

        ClickRow(TypeList(), 0);
        EXPECT_EQ(Text("EditAcorde"), "C") << "row 0 is named by a blank";
        EXPECT_EQ(Total(), 165);

        Click("SpeedButton7");
        EXPECT_TRUE(Extensions()->isVisible());
        EXPECT_EQ(CheckedCaptions(Extensions()), "m") << "the old check marks";
        Check("7");
        EXPECT_EQ(window->selection().chordIntervals, "00 03 07 10");
    }

    TEST_F(SelectionTest, ATypedNameSetsTheChordAndTheGridNamesButNotTheGridRowsOrButtons)
    {
        TypeName("Dbm7/Ab");
        EXPECT_EQ(Text("EditAcorde"), "Dbm/7/Ab");
        EXPECT_EQ(window->selection().rootIndex, 1);
        EXPECT_EQ(window->selection().bassIndex, 8);
        EXPECT_EQ(window->selection().chordIntervals, "00 03 07 10");
        EXPECT_EQ(CheckedCaptions(Extensions()), ",m,7");
        EXPECT_EQ(GridColumn(RootGrid()), "C Db D Eb E F Gb G Ab A Bb B");
        EXPECT_EQ(GridColumn(BassGrid()), "C Db D Eb E F Gb G Ab A Bb B");
        EXPECT_TRUE(Find<QToolButton>("SpeedButton5")->isChecked()) << "the buttons keep their state";
        EXPECT_TRUE(Find<QToolButton>("SpeedButton10")->isChecked());
        EXPECT_EQ(RootGrid()->currentRow(), 0);
        EXPECT_EQ(BassGrid()->currentRow(), 0);
        EXPECT_EQ(window->noteList(), "8 1 4 8 11");
        EXPECT_GT(Total(), 0);
        EXPECT_EQ(Total(), Sheet()->count());

        // The magnifier does the same as Enter.
        Find<QLineEdit>("EditAcorde")->setText(QStringLiteral("Cm7"));
        Click("SpeedButton2");
        EXPECT_EQ(Text("EditAcorde"), "Cm/7 ");
        EXPECT_EQ(window->noteList(), "0 3 7 10");
        EXPECT_EQ(GridColumn(RootGrid()), "C C# D D# E F F# G G# A A# B");
    }

    TEST_F(SelectionTest, ATypedNameThatReadsNothingFindsNothing)
    {
        TypeName("X");
        EXPECT_EQ(Total(), 0);
        EXPECT_EQ(Sheet()->count(), 0);
        EXPECT_EQ(Sheet()->height(), 260);
        EXPECT_TRUE(Names().empty()) << "no note was read: there is nothing to name";
    }

    // A lead-sheet symbol the box's notation leaves unread is taken in the box's notation; what
    // neither reads is said in the status bar until the chord changes.
    TEST_F(SelectionTest, ATypedNameIsNeverMisreadInSilence)
    {
        const auto problem = [this] { return Label("LabelNameProblem"); };
        TypeName("Cdim7");
        EXPECT_EQ(Text("EditAcorde"), "C\u00ba ");
        EXPECT_EQ(window->selection().chordIntervals, "00 03 06 09");
        EXPECT_TRUE(Extensions()->isItemChecked(4)) << "º";
        EXPECT_EQ(problem(), "");
        EXPECT_NE(Find<QLineEdit>("EditAcorde")->toolTip().indexOf(QStringLiteral("Typed: Cdim7")), -1);

        TypeName("Cdim7xyz");
        EXPECT_EQ(problem(), "Not understood: dim7xyz");
        ClickRow(RootGrid(), 2);
        EXPECT_EQ(problem(), "");
    }

    TEST_F(SelectionTest, ASeparateBassUnderASixNoteTypedChordIsRefused)
    {
        TypeName("C7/9/11");
        ASSERT_EQ(window->selection().chordIntervals, "00 04 07 10 02 05");
        ASSERT_TRUE(BassGrid()->isEnabled());
        const int total = Total();
        const auto refreshes = CountRefreshes();

        ClickRow(BassGrid(), 4);
        EXPECT_EQ(BassGrid()->currentRow(), 0) << "the selection goes back to the bass of the state";
        EXPECT_EQ(window->selection().bassIndex, 0);
        EXPECT_EQ(Total(), total);
        EXPECT_EQ(refreshes->count(), 0);
        EXPECT_TRUE(test::ReportedExceptions().empty());
    }

} // namespace
} // namespace corvane::test
