// The windows created at start-up next to the main window: hidden, owned by the main window,
// forgotten with it, labelled as the user will see them, and every control reachable with Tab.

#include "ui_test_support.h"
#include "windows/app_windows.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace corvane {
namespace {

    std::vector<QWidget*> SecondaryWindows() { return { FormBraco, FormCifra, FormMidi, Form2 }; }

    template <typename Control> Control* ControlOf(QWidget* window, const char* name)
    {
        return window->findChild<Control*>(QString::fromLatin1(name));
    }

    class SecondaryWindowsTest : public ::testing::Test {
    protected:
        void SetUp() override
        {
            mainWindow = std::make_unique<QWidget>();
            mainWindow->show();
            CreateSecondaryWindows(mainWindow.get());
        }

        std::unique_ptr<QWidget> mainWindow;
    };

    TEST_F(SecondaryWindowsTest, ExistHiddenAsWindowsOfTheirOwn)
    {
        for (QWidget* window : SecondaryWindows()) {
            ASSERT_NE(window, nullptr);
            SCOPED_TRACE(window->metaObject()->className());
            EXPECT_FALSE(window->isVisible());
            EXPECT_TRUE(window->isWindow());
            EXPECT_EQ(window->parentWidget(), mainWindow.get());
        }
        EXPECT_FALSE(Form2->isModal()); // modal only while exec runs
    }

    TEST_F(SecondaryWindowsTest, AreForgottenWhenTheMainWindowGoes)
    {
        const QPointer<QWidget> about = Form2;
        mainWindow.reset();
        EXPECT_TRUE(about.isNull());
        for (QWidget* window : SecondaryWindows())
            EXPECT_EQ(window, nullptr);
    }

    TEST_F(SecondaryWindowsTest, SecondCreationReplacesTheFirst)
    {
        std::vector<QPointer<QWidget>> first;
        for (QWidget* window : SecondaryWindows())
            first.emplace_back(window);

        CreateSecondaryWindows(mainWindow.get());
        for (std::size_t i = 0; i < first.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_TRUE(first[i].isNull());
            EXPECT_NE(SecondaryWindows()[i], nullptr);
        }
        EXPECT_EQ(mainWindow->findChildren<TForm2*>().size(), 1);
    }

    TEST_F(SecondaryWindowsTest, CaptionsAndStackingAreTheOnesGiven)
    {
        struct Row {
            QWidget* window;
            const char* caption; // UTF-8
            bool staysOnTop;
        };
        const Row rows[] = {
            { FormBraco, "Lyrafex 1.0", true },
            { FormCifra, "Captura Acordes", false },
            { FormMidi, "FormMidi", true },
            { Form2, "About Corvane Chords", false },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.caption);
            EXPECT_EQ(row.window->windowTitle(), QString::fromUtf8(row.caption));
            EXPECT_EQ(row.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), row.staysOnTop);
        }

        // The accented tab captions are where a wrong encoding of the layout would show.
        auto* tabs = ControlOf<QTabWidget>(FormBraco, "PageControl1");
        ASSERT_NE(tabs, nullptr);
        ASSERT_EQ(tabs->count(), 3);
        EXPECT_EQ(tabs->tabText(0), QString::fromUtf8("Braço Clássico"));
        EXPECT_EQ(tabs->tabText(1), QString::fromUtf8("Braço Acústico"));
        EXPECT_EQ(tabs->tabText(2), QString::fromUtf8("Braço Elétrico"));
        EXPECT_EQ(tabs->currentIndex(), 0);
    }

    TEST_F(SecondaryWindowsTest, NeckTabShowsTheNeckPictureAtItsSize)
    {
        auto* image = ControlOf<QLabel>(FormBraco, "Image1");
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->geometry(), QRect(0, 2, 625, 103));
        const QImage picture = image->pixmap().toImage();
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.width(), qRound(625 * picture.devicePixelRatio()));
        EXPECT_EQ(qAlpha(picture.pixel(picture.width() / 2, picture.height() / 2)), 255)
            << "the neck picture is missing from the resources";
    }

    TEST_F(SecondaryWindowsTest, PlaceholderControlsHoldTheirStartingTexts)
    {
        auto* memo = ControlOf<QPlainTextEdit>(FormCifra, "Memo1");
        auto* button = ControlOf<QPushButton>(FormCifra, "Button1");
        auto* chordBox = ControlOf<QComboBox>(FormCifra, "ComboBox1");
        ASSERT_TRUE(memo && button && chordBox);
        EXPECT_EQ(memo->toPlainText(), QStringLiteral("Memo1"));
        EXPECT_EQ(memo->document()->blockCount(), 1);
        EXPECT_EQ(button->text(), QStringLiteral("Button1"));
        EXPECT_TRUE(chordBox->isEditable());
        EXPECT_EQ(chordBox->currentText(), QStringLiteral("ComboBox1"));
        EXPECT_EQ(chordBox->count(), 0);

        auto* patches = ControlOf<QComboBox>(FormMidi, "ComboBoxPatch");
        ASSERT_NE(patches, nullptr);
        ASSERT_EQ(patches->count(), 9);
        EXPECT_EQ(patches->currentText(), QStringLiteral("Nylon guitar"));
        EXPECT_EQ(patches->itemText(8), QStringLiteral("Chorused piano"));
    }

    TEST_F(SecondaryWindowsTest, EveryControlIsReachedWithTab)
    {
        struct Row {
            QWidget* window;
            std::vector<QWidget*> controls;
        };
        const Row rows[] = {
            { FormBraco, { ControlOf<QTabWidget>(FormBraco, "PageControl1")->tabBar() } },
            { FormCifra,
                { ControlOf<QWidget>(FormCifra, "Memo1"), ControlOf<QWidget>(FormCifra, "Button1"),
                    ControlOf<QWidget>(FormCifra, "ComboBox1") } },
            { FormMidi, { ControlOf<QWidget>(FormMidi, "ComboBoxPatch") } },
            { Form2, { ControlOf<QWidget>(Form2, "Label3") } },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.window->metaObject()->className());
            ASSERT_TRUE(ui_test::ShowActive(*row.window));
            const auto presses = static_cast<int>(row.controls.size()) + 2;
            EXPECT_EQ(ui_test::ReachedByTab(row.controls, presses), std::vector<bool>(row.controls.size(), true));
            row.window->hide();
        }
    }

} // namespace
} // namespace corvane
