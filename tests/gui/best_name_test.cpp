// The name a guitarist says, in the window: after a click on the neck it is the names list's current
// item, in view, and "Find" types it into the name box with its bass.

#include "main_window_fixture.h"
#include "toolkit/neck_image.h"

#include <QListWidget>

namespace corvane::test {
namespace {

    class BestNameTest : public MainWindowTest {
    protected:
        // Puts the hand on six frets, lowest string first, one click per string that changes: on a fret
        // a finger goes there, on its own finger the string opens, and left of the nut the string turns
        // open from muted and muted from anything else.
        void Play(const Fingering& frets)
        {
            auto* neck = Find<NeckImage>("Image2");
            for (int s = 0; s < 6; ++s) {
                const int now = window->neckFingering()[static_cast<size_t>(s)];
                const int wanted = frets[static_cast<size_t>(s)];
                if (now == wanted)
                    continue;
                const int spot = wanted > 0 ? wanted : (wanted == 0 && now > 0 ? now : kAtNut);
                QTest::mouseClick(neck, Qt::LeftButton, {}, neck->spotCentre(NeckSpot { s, spot }));
            }
            ASSERT_EQ(window->neckFingering(), StringFingering(frets.begin(), frets.end()));
        }

        QListWidget* List() const { return Find<QListWidget>("ListBox1"); }

        std::string Current() const
        {
            const QListWidgetItem* item = List()->currentItem();
            return item ? item->text().toStdString() : std::string("(none)");
        }

        // The current item's row lies within the list's visible height, once the list has laid out.
        bool CurrentInView() const
        {
            QCoreApplication::processEvents();
            const QListWidgetItem* item = List()->currentItem();
            if (item == nullptr)
                return false;
            const QRect row = List()->visualItemRect(item);
            return row.top() >= 0 && row.bottom() < List()->viewport()->height();
        }
    };

    TEST_F(BestNameTest, ANeckClickMakesTheBestNameTheCurrentItemInViewAndTheListKeepsItsOrder)
    {
        // The open G: its names in the list's order put "Bm/5+/G" first and "G" last.
        Play({ 3, 2, 0, 0, 0, 3 });
        const std::vector<std::string> names = Names();
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(names.front(), "Bm/5+/G");
        EXPECT_TRUE(std::is_sorted(names.begin() + 1, names.end()));
        EXPECT_EQ(Current(), "G");
        EXPECT_TRUE(CurrentInView());

        // A long list: the G ninth is far down, and scrolled into view.
        Play({ 3, 2, 0, 2, 0, 1 });
        ASSERT_GT(List()->count(), 30);
        EXPECT_EQ(Current(), "Gadd9/7");
        EXPECT_GT(List()->currentRow(), 30);
        EXPECT_TRUE(CurrentInView());
    }

    TEST_F(BestNameTest, TheNeckKeysMakeTheBestNameCurrentAsAClickDoes)
    {
        auto* neck = Find<NeckImage>("Image2");
        neck->setFocus();
        neck->moveCurrentSpot(NeckSpot { 1, 3 });
        QTest::keyClick(neck, Qt::Key_Space);
        neck->moveCurrentSpot(NeckSpot { 2, 2 });
        QTest::keyClick(neck, Qt::Key_Space);
        neck->moveCurrentSpot(NeckSpot { 3, kAtNut });
        QTest::keyClick(neck, Qt::Key_Space);
        neck->moveCurrentSpot(NeckSpot { 4, 1 });
        QTest::keyClick(neck, Qt::Key_Space);
        ASSERT_EQ(window->neckFingering(), (StringFingering { -1, 3, 2, 0, 1, -1 }));
        EXPECT_EQ(Current(), "C");
    }

    TEST_F(BestNameTest, FindTypesTheBestNameWithItsBassAndTheBoxSelectsThatChord)
    {
        // C over its third: "C/E" in the box, which reads it as C with the bass E.
        Play({ 0, 3, 2, 0, 1, 0 });
        EXPECT_EQ(Current(), "C/E") << "the list's first name keeps its slash";
        Click("SpeedButtonFind");
        EXPECT_EQ(Text("EditAcorde"), "CE") << "the box writes C/E its own way";
        EXPECT_EQ(window->selection().rootIndex, 0);
        EXPECT_EQ(window->selection().bassIndex, 4);
        EXPECT_EQ(window->selection().chordIntervals, "00 04 07");
        const auto& records = window->records();
        EXPECT_TRUE(std::any_of(records.begin(), records.end(), [](const InstrumentRecord& record) {
            return FingeringOfFrets(record.frets) == StringFingering { 0, 3, 2, 0, 1, 0 };
        })) << "the fingering played is among those found";

        // A seventh chord over its seventh is the triad over that bass: A minor over G.
        Play({ 3, 0, 2, 2, 1, 0 });
        Click("SpeedButtonFind");
        EXPECT_EQ(window->selection().rootIndex, 9);
        EXPECT_EQ(window->selection().bassIndex, 7);
        EXPECT_EQ(window->selection().chordIntervals, "00 03 07");
    }

    // After a refresh the list names the chosen chord, whose own root is listed without its bass:
    // Find gives it back.
    TEST_F(BestNameTest, FindAfterARefreshKeepsTheChosenBass)
    {
        TypeName("C/E");
        ASSERT_EQ(window->selection().bassIndex, 4);
        ASSERT_EQ(Names().front(), "C");
        Click("SpeedButtonFind");
        EXPECT_EQ(Text("EditAcorde"), "CE");
        EXPECT_EQ(window->selection().rootIndex, 0);
        EXPECT_EQ(window->selection().bassIndex, 4);
        EXPECT_EQ(window->selection().chordIntervals, "00 04 07");
    }

} // namespace
} // namespace corvane::test
