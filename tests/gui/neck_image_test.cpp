// The neck control on another instrument's drawn neck: its size, the keyboard's walk and the click
// it reports, and the way back to the six-string photograph.

#include "drawing/qt/picture_store.h"
#include "drawing/strings_neck.h"
#include "gui_test_support.h"
#include "toolkit/neck_image.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace corvane {
namespace {

    TEST(GuiNeckImage, OnADrawnNeckTheKeyboardWalksToASpotAndClicksItsCentre)
    {
        const PictureStore pictures(1.0);
        NeckImage neck;
        neck.setPictures(&pictures);
        neck.resize(625, 89);
        const StringsNeck ukulele { 4, 18 };
        neck.setStringsNeck(ukulele);
        neck.setFingering({ 0, 0, 0, 0 });
        EXPECT_EQ(neck.size(), QSize(625, 57));
        neck.draw([ukulele](Canvas& canvas) { DrawBareStringsNeck(canvas, ukulele); });
        test::ShowAndWait(&neck);
        neck.setFocus();

        QSignalSpy clicked(&neck, &NeckImage::clicked);
        QTest::keyClick(&neck, Qt::Key_PageUp);
        QTest::keyClick(&neck, Qt::Key_Right);
        QTest::keyClick(&neck, Qt::Key_Right);
        QTest::keyClick(&neck, Qt::Key_Right);
        EXPECT_EQ(neck.currentSpot(), (NeckSpot { 3, 3 }));
        EXPECT_EQ(neck.accessibleDescription(), QStringLiteral("1st string, fret 3"));
        QTest::keyClick(&neck, Qt::Key_End);
        EXPECT_EQ(neck.currentSpot(), (NeckSpot { 3, 18 })) << "the ukulele's last fret";
        QTest::keyClick(&neck, Qt::Key_Home);
        QTest::keyClick(&neck, Qt::Key_Space);
        ASSERT_EQ(clicked.count(), 1);
        const QPoint at = clicked.at(0).at(0).toPoint();
        EXPECT_EQ(at, neck.spotCentre({ 3, kAtNut }));
        EXPECT_EQ(StringsNeckSpotAt(at.x(), at.y(), ukulele), (NeckSpot { 3, kAtNut }));

        // A click on the mouse moves the keyboard's spot there too; the body past the frets is none.
        QTest::mouseClick(&neck, Qt::LeftButton, {}, neck.spotCentre({ 0, 2 }));
        EXPECT_EQ(neck.currentSpot(), (NeckSpot { 0, 2 }));
        EXPECT_EQ(neck.accessibleDescription(), QStringLiteral("4th string, fret 2"));
        QTest::mouseClick(&neck, Qt::LeftButton, {}, QPoint(600, 20));
        EXPECT_EQ(neck.currentSpot(), (NeckSpot { 0, 2 }));
        EXPECT_EQ(clicked.count(), 3);

        neck.setStringsNeck(std::nullopt);
        EXPECT_EQ(neck.size(), QSize(625, 89));
        QTest::keyClick(&neck, Qt::Key_PageUp);
        EXPECT_EQ(neck.currentSpot(), (NeckSpot { 5, 2 }));
        EXPECT_EQ(neck.accessibleDescription(), QStringLiteral("1st string, fret 2"));
    }

} // namespace
} // namespace corvane
