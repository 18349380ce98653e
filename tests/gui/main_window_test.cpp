// The main window as it opens, resizes and closes.

#include "guitar/result_list.h"
#include "main_window_fixture.h"
#include "sound/sound_device.h"

#include "toolkit/neck_image.h"
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>

namespace corvane::test {
namespace {

    TEST_F(MainWindowTest, OpensOnCMajorWithEveryDiagramItsCountAndItsNames)
    {
        EXPECT_EQ(window->windowTitle().toStdString(), "Corvane Chords");
        EXPECT_EQ(openedDevice, 0);
        EXPECT_EQ(Text("EditAcorde"), "C");
        EXPECT_EQ(Text("Edit1"), "");
        EXPECT_EQ(Label("LabelTotal"), "165");
        EXPECT_EQ(Sheet()->count(), 165);
        EXPECT_EQ(window->records().size(), 165u);
        EXPECT_EQ(CheckedCaptions(Extensions()), "");
        EXPECT_EQ(Extensions()->count(), 51);
        EXPECT_EQ(Extensions()->item(4)->text().toStdString(), "º");
        EXPECT_EQ(Extensions()->item(50)->text().toStdString(), "sus11");
        EXPECT_TRUE(Extensions()->isVisible());
        EXPECT_FALSE(TypeList()->isVisible());
        EXPECT_EQ(TypeList()->rowCount(), 35);
        EXPECT_EQ(GridColumn(RootGrid()), "C C# D D# E F F# G G# A A# B");
        EXPECT_EQ(GridColumn(BassGrid()), "C C# D D# E F F# G G# A A# B");
        EXPECT_EQ(RootGrid()->currentRow(), 0);
        EXPECT_EQ(BassGrid()->currentRow(), 0);
        EXPECT_TRUE(BassGrid()->isEnabled());
        EXPECT_EQ(window->noteList(), "0 4 7");
        EXPECT_EQ(window->fretLimit(), 12);
        EXPECT_EQ(window->tuning(), kStandardTuning);
        EXPECT_EQ(window->stringNotes()[0][0], 40);
        EXPECT_EQ(window->stringNotes()[5][29], 64 + 29);

        const std::vector<std::string> names { "C", "Em5+/C", "G4/6/C (no3) (no5)", "G4/add13/C (no3) (no5)",
            "Gadd11/6/C (no3) (no5)", "Gadd11/add13/C (no3) (no5)", "Gsus4/6/C (no5)", "Gsus4/add13/C (no5)" };
        EXPECT_EQ(Names(), names);

        EXPECT_EQ(FirstRecordText(0), "99 3 2 0 1 0 ");
        EXPECT_EQ(FirstRecordText(1), "99 3 2 0 1 3 ");
        EXPECT_EQ(FirstRecordText(2), "99 -3 5 5 5 3 ");
        EXPECT_EQ(FirstRecordText(3), "99 3 2 0 5 0 ");

        EXPECT_EQ(Find<QToolButton>("ToolButton5")->text().toStdString(), "Standard Tuning");
        const char* labels[] = { "E", "A", "D", "G", "B", "E" };
        const int positions[] = { 4, 9, 2, 7, 11, 4 };
        for (int s = 0; s < 6; ++s) {
            const std::string bar = "TrackBar" + std::to_string(s + 1);
            const std::string label = "lbAfinacaoCorda" + std::to_string(s + 1);
            EXPECT_EQ(Find<QSlider>(bar.c_str())->value(), positions[s]);
            EXPECT_EQ(Label(label.c_str()), labels[s]);
        }
        EXPECT_EQ(Find<ChoiceBox>("ComboBox1")->currentText().toStdString(), "12");
        EXPECT_EQ(Find<ChoiceBox>("ComboBox2")->currentText().toStdString(), "5");
        EXPECT_EQ(Find<ChoiceBox>("ComboBoxPatch")->currentText().toStdString(), "Nylon guitar");
        EXPECT_EQ(Find<QSlider>("TrackBarTempoAcorde")->value(), 2);
        EXPECT_TRUE(Find<QToolButton>("SpeedButton5")->isChecked());
        EXPECT_TRUE(Find<QToolButton>("SpeedButton7")->isChecked());
        EXPECT_TRUE(Find<QToolButton>("SpeedButton10")->isChecked());
        EXPECT_TRUE(Find<QToolButton>("SpeedButton12")->isChecked());
        EXPECT_EQ(startupMidi, "send 0x000000C0\nsend 0x00000018\nvolume 0x0000FFFF\nsend 0x00000090\n")
            << "start-up selects the sound the patch box shows, Nylon guitar";
    }

    TEST_F(MainWindowTest, TheLayoutKeepsTheSizesTheSheetAndTheNeckRelyOn)
    {
        EXPECT_EQ(Find<QWidget>("Panel1")->width(), 153);
        EXPECT_EQ(Find<QWidget>("PanelBraco")->height(), 220);
        EXPECT_EQ(Find<QWidget>("PanelBanner")->height(), 48);
        EXPECT_EQ(Find<QWidget>("Image2")->size(), QSize(625, 89));
        EXPECT_EQ(Sheet()->width(), ScrollBox()->viewport()->width());
        EXPECT_EQ(Sheet()->height(), sheet::Height(165, Sheet()->width()));
        EXPECT_EQ(ScrollBox()->verticalScrollBar()->singleStep(), 20);
        EXPECT_EQ(Sheet()->cursor().shape(), Qt::PointingHandCursor);
        for (const char* hidden :
            { "braco", "braco2", "dedo1", "dedo6", "omin1", "x", "d0", "d4", "Image5", "Button2" })
            EXPECT_FALSE(Find<QWidget>(hidden)->isVisible()) << hidden;
    }

    // The controls a user reads or operates that are not wholly shown: cut by an edge of the window
    // or of a panel, or narrower than their own text. What scrolls (the sheet, the lists) and the
    // status bar's panels, which give way by design, are left out.
    QStringList CutControls(QWidget& window)
    {
        QStringList cut;
        for (QWidget* control : window.findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(control);
            const bool operated = qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control)
                || qobject_cast<QAbstractSpinBox*>(control) || qobject_cast<QLineEdit*>(control)
                || qobject_cast<QSlider*>(control) || qobject_cast<NeckImage*>(control);
            if (!control->isVisible() || !(operated || (label && !label->text().isEmpty())))
                continue;
            bool scrolls = false;
            for (QWidget* up = control->parentWidget(); up && up != &window; up = up->parentWidget())
                scrolls = scrolls || qobject_cast<QAbstractScrollArea*>(up) || qobject_cast<QStatusBar*>(up)
                    || qobject_cast<QComboBox*>(up) || qobject_cast<QAbstractSpinBox*>(up);
            if (scrolls)
                continue;
            QRect shown(control->mapTo(&window, QPoint(0, 0)), control->size());
            const QRect whole = shown;
            for (QWidget* up = control->parentWidget(); up; up = up->parentWidget())
                shown &= QRect(up == &window ? QPoint(0, 0) : up->mapTo(&window, QPoint(0, 0)), up->size());
            const bool textCut
                = (label || qobject_cast<QCheckBox*>(control)) && control->width() < control->sizeHint().width();
            if (shown != whole || textCut)
                cut << control->objectName();
        }
        return cut;
    }

    // At the size the window opens with before it is maximised, and at the smallest it can be made,
    // every control is whole; the picture at 817 x 593 is kept for a look.
    TEST_F(MainWindowTest, EveryControlIsWholeAtTheStartUpSizeAndTheSmallest)
    {
        window->showNormal();
        window->resize(817, 593);
        QCoreApplication::processEvents();
        ASSERT_EQ(window->size(), QSize(817, 593));
        EXPECT_EQ(CutControls(*window).join(QLatin1Char(' ')).toStdString(), "");
        window->grab().save(QStringLiteral("main_window_817x593.png"));

        window->resize(200, 200);
        QCoreApplication::processEvents();
        EXPECT_EQ(CutControls(*window).join(QLatin1Char(' ')).toStdString(), "")
            << "at " << window->width() << " x " << window->height();
        EXPECT_LE(window->minimumSizeHint().width(), 817);
        EXPECT_LE(window->minimumSizeHint().height(), 593);
    }

    TEST_F(MainWindowTest, EveryResizeOfTheVisibleWindowLaysTheSheetOutAgain)
    {
        ClickSheet(QPoint(150, 40));
        ASSERT_EQ(Sheet()->selectedCell(), 1);

        for (const int width : { 1400, 720, 1000 }) {
            SCOPED_TRACE(width);
            window->resize(width, 650);
            QApplication::processEvents();
            EXPECT_EQ(Sheet()->width(), ScrollBox()->viewport()->width());
            EXPECT_EQ(Sheet()->height(), sheet::Height(165, Sheet()->width()));
            EXPECT_EQ(Sheet()->selectedCell(), -1);
            EXPECT_EQ(window->selectedX(), 0);
        }

        // A hidden window is not laid out again.
        window->hide();
        const int shownWidth = Sheet()->width();
        window->resize(1500, 650);
        QApplication::processEvents();
        EXPECT_EQ(Sheet()->width(), shownWidth);
    }

    TEST_F(MainWindowTest, ANarrowSheetIsOneColumnWide)
    {
        // The control strip keeps the window wider than this; without it, as in the session driver.
        Find<QWidget>("PanelBraco")->setMinimumWidth(0);
        QApplication::processEvents();
        window->resize(200, 600);
        QApplication::processEvents();
        ASSERT_LT(Sheet()->width(), 100);
        EXPECT_EQ(Sheet()->height(), 165 * 130 + 260);
        ClickSheet(QPoint(50, 130 * 7 + 20));
        EXPECT_EQ(Sheet()->selectedCell(), 7);
    }

    TEST_F(MainWindowTest, ClearingEmptiesTheSheetAndCloseEndsTheWindow)
    {
        Find<QPushButton>("Button2")->click();
        EXPECT_EQ(Sheet()->count(), 0);
        EXPECT_EQ(Sheet()->height(), 0);
        EXPECT_EQ(ScrollBox()->verticalScrollBar()->maximum(), 0);

        Find<QAction>("Sair1")->trigger();
        EXPECT_FALSE(window->isVisible());
    }

    TEST_F(MainWindowTest, CtrlQClosesLikeTheCloseItem)
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
        EXPECT_FALSE(window->isVisible());
    }

    // Keyboard users reach every control of the chooser, the options, the tuning and the sound. Tab
    // stops once in each two-button group, as in a group of radio buttons; the arrow keys move within.
    TEST_F(MainWindowTest, EveryControlIsReachedWithTab)
    {
        const char* names[] = { "EditAcorde", "SpeedButton2", "StringGridAcorde", "CheckListBox1", "StringGridBaixo",
            "SpeedButton5", "SpeedButton7", "SpeedButton10", "ListBox1", "Edit1", "CheckBoxOmit5", "CheckBoxOmit3",
            "ComboBox2", "ComboBox1", "ToolButton5", "TrackBar1", "TrackBar2", "TrackBar3", "TrackBar4", "TrackBar5",
            "TrackBar6", "CheckBoxNSI", "CheckBoxCanhoto", "CheckBoxPestanas", "ComboBoxPatch", "TrackBarTempoAcorde",
            "SpeedButton11" };
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Find<QWidget>("EditAcorde")->setFocus();
        std::vector<std::string> missing(std::begin(names), std::end(names));
        for (int press = 0; press < 80 && !missing.empty(); ++press) {
            if (QWidget* focused = QApplication::focusWidget())
                std::erase(missing, focused->objectName().toStdString());
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), Qt::Key_Tab);
        }
        EXPECT_TRUE(missing.empty()) << "not reached: " << testing::PrintToString(missing);
    }

    // The arrow keys move between the two buttons of a group.
    TEST_F(MainWindowTest, ArrowKeysReachTheOtherButtonOfAGroup)
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        const std::pair<const char*, const char*> groups[]
            = { { "SpeedButton5", "SpeedButton6" }, { "SpeedButton7", "SpeedButton8" },
                  { "SpeedButton10", "SpeedButton9" }, { "SpeedButton11", "SpeedButton12" } };
        for (const auto& [first, second] : groups) {
            SCOPED_TRACE(first);
            Find<QWidget>(first)->setFocus();
            QTest::keyClick(Find<QWidget>(first), Qt::Key_Right);
            EXPECT_TRUE(Find<QWidget>(second)->hasFocus());
            QTest::keyClick(Find<QWidget>(second), Qt::Key_Left);
            EXPECT_TRUE(Find<QWidget>(first)->hasFocus());
        }
    }

    // A synthesizer that cannot start leaves the window working and says why in the status bar.
    TEST(MainWindowSound, StatusBarSaysWhyTheSoundIsOff)
    {
        const auto silent = [](int) {
            return std::make_unique<SoundDevice>(std::string(), [](const std::string&) {
                return StartedSound { nullptr, std::string(kNoAudioOutputStatus), "no audio output (tried pulseaudio)",
                    {} };
            });
        };
        TForm1 window(silent);
        auto* panel = window.findChild<QStatusBar*>(QStringLiteral("StatusBar1"))->findChild<QLabel*>();
        ASSERT_TRUE(panel);
        EXPECT_TRUE(QTest::qWaitFor([panel] { return !panel->text().isEmpty(); }, 5000));
        EXPECT_EQ(panel->text().toStdString(), "Sound is off: no audio output");
        EXPECT_EQ(window.records().size(), 165u);
    }

} // namespace
} // namespace corvane::test
