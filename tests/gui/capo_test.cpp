// The capo box: what the count line says, and how the neck counts frets from it.

#include "main_window_fixture.h"

#include <QSpinBox>

namespace corvane::test {
namespace {

    TEST_F(MainWindowTest, TheCapoIsNamedBesideTheCountWhichStaysANumber)
    {
        auto* box = Find<QSpinBox>("SpinEditCapo");
        EXPECT_EQ(box->minimum(), 0);
        EXPECT_EQ(box->maximum(), 11);
        EXPECT_EQ(Label("LabelCapoShown"), "");

        box->setValue(3);
        EXPECT_EQ(Label("LabelCapoShown"), "Capo 3");
        EXPECT_EQ(Label("LabelTotal"), std::to_string(window->records().size()));
        const QLabel* count = Find<QLabel>("LabelTotal");
        const QLabel* capo = Find<QLabel>("LabelCapoShown");
        EXPECT_GT(capo->x(), count->x() + count->fontMetrics().horizontalAdvance(count->text()));
        EXPECT_EQ(capo->y(), count->y());
        EXPECT_TRUE(capo->isVisibleTo(window.get()));

        // Frets clicked on the neck count from the capo: fret 5 of the picture is fret 2 of the hand.
        QTest::mouseClick(Find<CanvasImage>("Image2"), Qt::LeftButton, {}, QPoint(206, 62));
        EXPECT_EQ(window->neckFingering(), (StringFingering { -1, 2, -1, -1, -1, -1 }));

        box->setValue(0);
        EXPECT_EQ(Label("LabelCapoShown"), "");
    }

} // namespace
} // namespace corvane::test
