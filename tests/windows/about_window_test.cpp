// The About window through its controls: shown modally and closed again, the link opening our page
// through the URL opener (never a browser here), and what the window shows.

#include "ui_test_support.h"
#include "windows/about_window.h"
#include "windows/link_label.h"
#include "windows/url_opener.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

    // Records what would have been opened and answers as told; restores the desktop opener after.
    class RecordingOpener {
    public:
        explicit RecordingOpener(bool answer = true)
        {
            SetUrlOpener([this, answer](const QUrl& url) {
                opened.push_back(url);
                return answer;
            });
        }
        ~RecordingOpener() { SetUrlOpener({}); }
        RecordingOpener(const RecordingOpener&) = delete;
        RecordingOpener& operator=(const RecordingOpener&) = delete;

        std::vector<QUrl> opened;
    };

    LinkLabel* LinkOf(TForm2& about) { return about.findChild<LinkLabel*>(QStringLiteral("Label3")); }

    TEST(AboutWindow, OpensModallyAndClosesAsOftenAsAsked)
    {
        TForm2 about;
        for (int round = 0; round < 3; ++round) {
            SCOPED_TRACE(round);
            QWidget* seen = nullptr;
            bool visibleWhileOpen = false;
            ui_test::WhenModalShown([&](QWidget* modal) {
                seen = modal;
                visibleWhileOpen = modal->isVisible();
                QTest::keyClick(modal, Qt::Key_Escape);
            });
            about.exec();
            EXPECT_EQ(seen, &about);
            EXPECT_TRUE(visibleWhileOpen);
            EXPECT_FALSE(about.isVisible());
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        }
    }

    TEST(AboutWindow, ClickOnTheLinkOpensOurPageOnce)
    {
        RecordingOpener opener;
        TForm2 about;
        LinkLabel* link = LinkOf(about);
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->text(), QString(kMakerWebAddress));

        QTest::mouseClick(link, Qt::LeftButton);
        ASSERT_EQ(opener.opened.size(), 1u);
        EXPECT_EQ(opener.opened[0], QUrl(QString(kMakerWebAddress)));
        EXPECT_TRUE(opener.opened[0].isValid());
        EXPECT_EQ(opener.opened[0].scheme(), QStringLiteral("https"));
    }

    TEST(AboutWindow, LinkOpensWhileTheWindowIsModal)
    {
        RecordingOpener opener;
        TForm2 about;
        ui_test::WhenModalShown([&](QWidget* modal) {
            QTest::mouseClick(LinkOf(about), Qt::LeftButton);
            modal->close();
        });
        about.exec();
        EXPECT_EQ(opener.opened.size(), 1u);
    }

    TEST(AboutWindow, LinkIsReachedWithTabAndOpensWithSpaceOrEnter)
    {
        RecordingOpener opener;
        TForm2 about;
        ASSERT_TRUE(ui_test::ShowActive(about));
        LinkLabel* link = LinkOf(about);
        EXPECT_EQ(ui_test::ReachedByTab({ link }, 2), std::vector<bool> { true });
        ASSERT_TRUE(link->hasFocus());

        QTest::keyClick(link, Qt::Key_Space);
        QTest::keyClick(link, Qt::Key_Return);
        QTest::keyClick(link, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(opener.opened.size(), 3u);
        // Enter went to the link, not to the dialog's default handling, so the window is still open.
        EXPECT_TRUE(about.isVisible());
    }

    TEST(AboutWindow, OnlyAFullClickOnTheLinkCounts)
    {
        RecordingOpener opener;
        TForm2 about;
        about.show();
        LinkLabel* link = LinkOf(about);

        // Pressed on the link and released elsewhere: the user changed their mind.
        QTest::mousePress(link, Qt::LeftButton);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(link->width() + 20, link->height() + 20));
        // Released on the link without having been pressed there.
        QTest::mouseRelease(link, Qt::LeftButton);
        QTest::mouseClick(link, Qt::RightButton);
        EXPECT_TRUE(opener.opened.empty());
    }

    TEST(AboutWindow, PageThatCannotBeOpenedIsNotReported)
    {
        RecordingOpener opener(false);
        TForm2 about;
        ASSERT_TRUE(ui_test::ShowActive(about));
        QTest::mouseClick(LinkOf(about), Qt::LeftButton);
        QApplication::processEvents();

        EXPECT_EQ(opener.opened.size(), 1u);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        for (QWidget* window : QApplication::topLevelWidgets())
            EXPECT_TRUE(window == &about || !window->isVisible()) << window->metaObject()->className();
    }

    TEST(AboutWindow, ShowsTheLogoClippedAndTheNameWithVersion)
    {
        TForm2 about;
        auto* logo = about.findChild<QLabel*>(QStringLiteral("Image1"));
        ASSERT_NE(logo, nullptr);
        const QPixmap picture = logo->pixmap();
        // Shown unscaled: the label is narrower than the logo and cuts off its right end.
        EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(300, 42));
        EXPECT_EQ(logo->size(), QSize(209, 41));
        EXPECT_FALSE(logo->hasScaledContents());
        // A picture missing from the resources would leave it transparent.
        const QImage image = picture.toImage();
        EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);

        auto* name = about.findChild<QLabel*>(QStringLiteral("Label1"));
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), QStringLiteral("Corvane Chords version 1.0"));
        EXPECT_EQ(about.windowTitle(), QStringLiteral("About Corvane Chords"));
    }

} // namespace
} // namespace corvane
