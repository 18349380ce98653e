// A click on the sheet: which diagram it selects, what the window shows and what it plays.

#include "guitar/result_list.h"
#include "main_window_fixture.h"

namespace corvane::test {
namespace {

    class ClickTest : public MainWindowTest {
    protected:
        int Columns() const { return Sheet()->width() / 100; }
        QImage Neck() const { return Find<CanvasImage>("Image2")->image(); }
        std::vector<std::uint32_t> NoteOns(std::initializer_list<int> keys) const
        {
            std::vector<std::uint32_t> messages;
            for (int key : keys)
                messages.push_back(0x90u | static_cast<std::uint32_t>(key) << 8 | 100u << 16);
            return messages;
        }
    };

    TEST_F(ClickTest, SelectsTheDiagramUnderThePointerShowsItsFormationAndStrumsIt)
    {
        ClickSheet(QPoint(40, 60));
        EXPECT_EQ(Sheet()->selectedCell(), 0);
        EXPECT_EQ(Text("Edit1"), "X 3 2 0 1 0 ");
        EXPECT_EQ(window->selectedX(), 40);
        EXPECT_EQ(window->selectedY(), 60);
        EXPECT_EQ(midi->messages(), NoteOns({ 48, 52, 55, 60, 64 }));
        EXPECT_EQ(midi->pauses(), (std::vector<int> { 75, 75, 75, 75, 75 }));

        // A barre shows as plain frets; the tempo bar sets the pause.
        Find<QSlider>("TrackBarTempoAcorde")->setValue(5);
        midi->clear();
        ClickSheet(QPoint(250, 60));
        EXPECT_EQ(Text("Edit1"), "X 3 5 5 5 3 ");
        EXPECT_EQ(midi->messages(), NoteOns({ 48, 55, 60, 64, 67 }));
        EXPECT_EQ(midi->pauses(), (std::vector<int> { 150, 150, 150, 150, 150 }));
    }

    TEST_F(ClickTest, TheLastFivePixelsOfTheLastColumnSelectNothing)
    {
        const int edge = Columns() * 100;
        ClickSheet(QPoint(edge - 5, 10));
        EXPECT_EQ(Sheet()->selectedCell(), Columns() - 1);
        const std::string shown = Text("Edit1");
        const size_t sent = midi->entries().size();

        ClickSheet(QPoint(edge - 4, 140));
        ClickSheet(QPoint(Sheet()->width() - 1, 140));
        EXPECT_EQ(Sheet()->selectedCell(), Columns() - 1);
        EXPECT_EQ(Text("Edit1"), shown);
        EXPECT_EQ(midi->entries().size(), sent);
        EXPECT_EQ(window->selectedX(), edge - 5);
    }

    TEST_F(ClickTest, AClickBelowTheLastDiagramDoesNothing)
    {
        const int columns = Columns();
        const int lastRow = (165 - 1) / columns;
        ClickSheet(QPoint(10, (lastRow + 1) * 130 + 10));
        if (165 % columns != 0)
            ClickSheet(QPoint((columns - 1) * 100 + 10, lastRow * 130 + 10));
        EXPECT_EQ(Sheet()->selectedCell(), -1);
        EXPECT_EQ(Text("Edit1"), "");
        EXPECT_TRUE(midi->entries().empty());

        ClickSheet(QPoint(10, lastRow * 130 + 10));
        EXPECT_EQ(Sheet()->selectedCell(), lastRow * columns);
    }

    TEST_F(ClickTest, RightAndMiddleButtonsSelectLikeTheLeftOne)
    {
        ClickSheet(QPoint(150, 10), Qt::RightButton);
        EXPECT_EQ(Sheet()->selectedCell(), 1);
        EXPECT_EQ(midi->messages().size(), 5u);
        ClickSheet(QPoint(50, 140), Qt::MiddleButton);
        EXPECT_EQ(Sheet()->selectedCell(), Columns());
        EXPECT_EQ(midi->messages().size(), 10u);
    }

    TEST_F(ClickTest, ClickingTheSelectedDiagramAgainPlaysItAgain)
    {
        ClickSheet(QPoint(150, 10));
        ClickSheet(QPoint(160, 20));
        EXPECT_EQ(Sheet()->selectedCell(), 1);
        EXPECT_EQ(midi->messages().size(), 10u);
    }

    TEST_F(ClickTest, AfterARefreshThePreviousCellIsTheFirstOne)
    {
        ClickSheet(QPoint(350, 10));
        ASSERT_EQ(Sheet()->selectedCell(), 3);
        Click("CheckBoxPestanas");
        EXPECT_EQ(Sheet()->selectedCell(), -1);
        EXPECT_EQ(window->selectedX(), 0);
        EXPECT_EQ(window->selectedY(), 0);
        EXPECT_EQ(Text("Edit1"), "X 3 2 0 5 0 ") << "the formation box keeps the last click";

        // Cell 0 stays normal, the clicked one is drawn as selected.
        const QImage before = Sheet()->grab(QRect(0, 0, 100, 130)).toImage();
        ClickSheet(QPoint(150, 10));
        EXPECT_EQ(Sheet()->selectedCell(), 1);
        EXPECT_EQ(Sheet()->grab(QRect(0, 0, 100, 130)).toImage(), before);
        EXPECT_NE(Sheet()->grab(QRect(100, 0, 100, 130)).toImage(), Sheet()->grab(QRect(0, 0, 100, 130)).toImage());
    }

    TEST_F(ClickTest, TheNeckShowsTheFingeringOnTheChosenPicture)
    {
        const QImage bareClassic = Neck();
        ClickSheet(QPoint(50, 50));
        const QImage fingered = Neck();
        EXPECT_NE(fingered, bareClassic);

        Click("SpeedButton12");
        EXPECT_EQ(Neck(), bareClassic);

        Click("SpeedButton11");
        const QImage bareElectric = Neck();
        EXPECT_NE(bareElectric, bareClassic);
        ClickSheet(QPoint(50, 50));
        EXPECT_NE(Neck(), bareElectric);
        EXPECT_NE(Neck(), fingered);
        Click("SpeedButton12");
        EXPECT_EQ(Neck(), bareClassic);

        // A refresh leaves the neck as it is.
        ClickSheet(QPoint(50, 50));
        const QImage shown = Neck();
        Click("CheckBoxOmit3");
        EXPECT_EQ(Neck(), shown);
    }

    TEST_F(ClickTest, ThePatchBoxChangesTheSound)
    {
        ChoiceBox* patch = Find<ChoiceBox>("ComboBoxPatch");
        patch->setCurrentIndex(7);
        EXPECT_TRUE(midi->entries().empty()) << "an index set by the program sends nothing";
        patch->setFocus();
        QTest::keyClick(patch, Qt::Key_Down);
        ASSERT_EQ(patch->currentText().toStdString(), "Chorused piano");
        EXPECT_EQ(midi->text(), "send 0x000000C0\nsend 0x00000004\nvolume 0x0000FFFF\nsend 0x00000090\n");
    }

    TEST_F(ClickTest, AnEmptySheetTakesNoClick)
    {
        Find<QPushButton>("Button2")->click();
        ClickSheet(QPoint(10, 10));
        EXPECT_EQ(Text("Edit1"), "");
        EXPECT_TRUE(midi->entries().empty());
    }

} // namespace
} // namespace corvane::test
