// The window from the keyboard and through a screen reader: Tab reaches the sheet, the keys move its
// current cell and play it as a click does, and the accessible tree reads the cells.

#include "main_window_fixture.h"
#include "toolkit/accessibility.h"
#include "toolkit/neck_image.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTimer>

namespace corvane::test {
namespace {

    class KeyboardTest : public MainWindowTest {
    protected:
        KeyboardTest()
        {
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        }

        void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
        {
            QWidget* focused = QApplication::focusWidget();
            QTest::keyClick(focused ? focused : window.get(), key, modifiers);
        }

        // Tabs from the name box until the sheet has the keyboard; false when it never does.
        bool TabToSheet()
        {
            Key(Qt::Key_L, Qt::ControlModifier);
            for (int presses = 0; presses < 60 && !Sheet()->hasFocus(); ++presses)
                Key(Qt::Key_Tab);
            return Sheet()->hasFocus();
        }

        QAccessibleInterface* SheetReader() const { return QAccessible::queryAccessibleInterface(Sheet()); }
        QImage Neck() const { return Find<CanvasImage>("Image2")->image(); }
    };

    TEST_F(KeyboardTest, TabReachesTheSheetWhoseKeysMoveTheCurrentCellIntoView)
    {
        ASSERT_TRUE(TabToSheet());
        const int columns = Sheet()->width() / 100;
        EXPECT_EQ(Sheet()->currentCell(), 0);
        Key(Qt::Key_Right);
        Key(Qt::Key_Down);
        EXPECT_EQ(Sheet()->currentCell(), 1 + columns);
        Key(Qt::Key_Up);
        Key(Qt::Key_Left);
        EXPECT_EQ(Sheet()->currentCell(), 0);

        QScrollBar* scroll = ScrollBox()->verticalScrollBar();
        Key(Qt::Key_End);
        EXPECT_EQ(Sheet()->currentCell(), Total() - 1);
        const QRect inView(QPoint(0, scroll->value()), ScrollBox()->viewport()->size());
        EXPECT_TRUE(inView.contains(Sheet()->cellRect(Total() - 1).center())) << "the last cell is scrolled into view";
        Key(Qt::Key_PageUp);
        EXPECT_LT(Sheet()->currentCell(), Total() - 1);
        Key(Qt::Key_Home);
        EXPECT_EQ(Sheet()->currentCell(), 0);
        EXPECT_EQ(scroll->value(), 0);
        EXPECT_TRUE(midi->entries().empty()) << "moving plays nothing";

        // A refresh takes the current cell back to the first one; a click takes it along.
        ClickSheet(QPoint(250, 10));
        EXPECT_EQ(Sheet()->currentCell(), 2);
        Click("CheckBoxOmit5");
        EXPECT_EQ(Sheet()->currentCell(), 0);
    }

    TEST_F(KeyboardTest, EnterAndSpacePlayTheCurrentCellExactlyAsAClickOnItsMiddle)
    {
        ClickSheet(QPoint(250, 65));
        const std::string clickedMidi = midi->text();
        const std::string clickedFormation = Text("Edit1");
        const QImage clickedNeck = Neck();
        ClickSheet(QPoint(50, 65));
        midi->clear();

        Sheet()->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Right);
        Key(Qt::Key_Right);
        Key(Qt::Key_Return);
        EXPECT_EQ(Sheet()->selectedCell(), 2);
        EXPECT_EQ(midi->text(), clickedMidi);
        EXPECT_EQ(Text("Edit1"), clickedFormation);
        EXPECT_EQ(Neck(), clickedNeck);
        EXPECT_EQ(window->selectedX(), 250);
        EXPECT_EQ(window->selectedY(), 65);

        midi->clear();
        Key(Qt::Key_Space);
        EXPECT_EQ(midi->text(), clickedMidi);
    }

    // The neck from the keyboard: Tab reaches it, the keys walk its strings and frets, and Space plays
    // the spot exactly as a click there does.
    TEST_F(KeyboardTest, TheNeckPlaysTheSpotTheKeysReachAsAClickThereWould)
    {
        auto* neck = Find<NeckImage>("Image2");
        const NeckSpot spot { 4, 3 };
        ClickSheet(QPoint(50, 65));
        midi->clear();
        QTest::mouseClick(neck, Qt::LeftButton, {}, neck->spotCentre(spot));
        const std::string clickedMidi = midi->text();
        const std::string clickedFormation = Text("Edit1");
        const std::vector<std::string> clickedNames = Names();
        const QImage clickedNeck = Neck();
        ClickSheet(QPoint(50, 65));
        midi->clear();

        ASSERT_TRUE(TabToSheet());
        for (int presses = 0; presses < 60 && !neck->hasFocus(); ++presses)
            Key(Qt::Key_Tab);
        ASSERT_TRUE(neck->hasFocus()) << "Tab reaches the neck";
        Key(Qt::Key_PageDown);
        Key(Qt::Key_Home);
        EXPECT_EQ(neck->currentSpot(), (NeckSpot { 0, kAtNut }));
        EXPECT_EQ(neck->accessibleDescription().toStdString(), "6th string, nut, muted");
        for (const Qt::Key key : { Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Right, Qt::Key_Right,
                 Qt::Key_Right, Qt::Key_Right, Qt::Key_Left })
            Key(key);
        EXPECT_EQ(neck->currentSpot(), spot);
        EXPECT_TRUE(midi->entries().empty()) << "moving plays nothing";

        Key(Qt::Key_Space);
        EXPECT_EQ(midi->text(), clickedMidi);
        EXPECT_EQ(Text("Edit1"), clickedFormation);
        EXPECT_EQ(Names(), clickedNames);
        EXPECT_EQ(Neck(), clickedNeck);
        EXPECT_EQ(neck->accessibleDescription().toStdString(), "2nd string, fret 3, finger here");
    }

    TEST_F(KeyboardTest, TheSheetReadsItsCellsWithTheirSelectionAndFollowsTheCurrentOne)
    {
        QAccessibleInterface* reader = SheetReader();
        ASSERT_NE(reader, nullptr);
        EXPECT_EQ(reader->role(), QAccessible::List);
        EXPECT_EQ(reader->text(QAccessible::Name).toStdString(), "Chord diagrams");
        ASSERT_EQ(reader->childCount(), Total());
        QAccessibleInterface* first = reader->child(0);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->role(), QAccessible::ListItem);
        EXPECT_EQ(first->text(QAccessible::Name).toStdString(), "x 3 2 0 1 0, base fret 1, fingers 3 2 1, open C");
        EXPECT_EQ(first->parent(), reader);
        EXPECT_EQ(reader->indexOfChild(reader->child(3)), 3);
        EXPECT_EQ(reader->child(Total()), nullptr);

        ClickSheet(QPoint(150, 10));
        EXPECT_TRUE(reader->child(1)->state().selected);
        EXPECT_FALSE(first->state().selected);

        // Pressing a cell is a click on it.
        midi->clear();
        reader->child(4)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(Sheet()->selectedCell(), 4);
        EXPECT_EQ(midi->messages().size(), 5u);

        Sheet()->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Right);
        EXPECT_TRUE(reader->child(5)->state().focused);
        EXPECT_EQ(reader->focusChild(), reader->child(5));

        // A typed name is the name the cells read.
        TypeName("Am");
        EXPECT_EQ(reader->child(0)->text(QAccessible::Name).toStdString(),
            "x 0 2 2 1 0, base fret 1, fingers 2 3 1, open Am");
    }

    TEST_F(KeyboardTest, MovingTheCurrentCellSendsFocusEventsForIt)
    {
        ClickSheet(QPoint(450, 10));
        // Focus events name the cell: the current one as the sheet takes the keyboard, then each move.
        std::vector<int> focusedCells;
        Find<QLineEdit>("EditAcorde")->setFocus();
        const AccessibleEventListener previous = SetAccessibleEventListener([&focusedCells](QAccessibleEvent* event) {
            if (event->type() == QAccessible::Focus && event->object()
                && event->object()->objectName() == QLatin1StringView("Image1"))
                focusedCells.push_back(event->child());
        });
        Sheet()->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Right);
        Key(Qt::Key_Home);
        SetAccessibleEventListener(previous);
        EXPECT_EQ(focusedCells, (std::vector<int> { 4, 5, 0 }));
    }

    TEST_F(KeyboardTest, TheTuningBarsTellTheirNoteAndEveryControlHasAName)
    {
        QSlider* second = Find<QSlider>("TrackBar2");
        QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(second);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->text(QAccessible::Value).toStdString(), "A");
        ASSERT_NE(bar->valueInterface(), nullptr);
        EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 9);
        Find<QAction>("Afinaoemsolmenor1")->trigger();
        EXPECT_EQ(bar->text(QAccessible::Value).toStdString(), "Bb");
        EXPECT_EQ(second->toolTip().toStdString(), "5th string: Bb");
        second->setFocus();
        QTest::keyClick(second, Qt::Key_Up);
        EXPECT_EQ(bar->text(QAccessible::Value).toStdString(), "B");
        EXPECT_EQ(Find<QSlider>("TrackBar1")->toolTip().toStdString(), "6th string (lowest): G");

        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(window.get()) || control->focusProxy())
                continue;
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(control);
            ASSERT_NE(reader, nullptr);
            EXPECT_FALSE(reader->text(QAccessible::Name).isEmpty()) << control->objectName().toStdString();
        }
    }

    TEST_F(KeyboardTest, ButtonsWithoutCaptionsHaveHintsAndTheLabelsReachTheirControls)
    {
        for (const char* button : { "SpeedButton5", "SpeedButton6", "SpeedButton7", "SpeedButton8", "SpeedButton9",
                 "SpeedButton10", "SpeedButton11", "SpeedButton12" })
            EXPECT_FALSE(Find<QWidget>(button)->toolTip().isEmpty()) << button;
        EXPECT_EQ(Find<QWidget>("ComboBox1")->toolTip().toStdString(), "Display positions up to selected fret");
        EXPECT_EQ(Find<QWidget>("SpeedButton2")->toolTip().toStdString(), "search for chord");

        struct Row {
            const char* label;
            const char* caption;
            const char* buddy;
            Qt::Key mnemonic;
        };
        const Row rows[] = {
            { "Label1", "&Formation:", "Edit1", Qt::Key_unknown },
            { "Label3", "&Distance", "ComboBox2", Qt::Key_D },
            { "Label2", "&Up to fret", "ComboBox1", Qt::Key_U },
            { "Label6", "&Tempo:", "TrackBarTempoAcorde", Qt::Key_T },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.label);
            auto* label = Find<QLabel>(row.label);
            EXPECT_EQ(label->text().toStdString(), row.caption);
            EXPECT_EQ(label->buddy(), Find<QWidget>(row.buddy));
            if (row.mnemonic != Qt::Key_unknown) {
                Key(row.mnemonic, Qt::AltModifier);
                EXPECT_TRUE(Find<QWidget>(row.buddy)->hasFocus());
            }
        }
        EXPECT_EQ(Find<QMenu>("File1")->title().toStdString(), "&File");
        EXPECT_EQ(Find<QMenu>("Help1")->title().toStdString(), "&Help");
    }

    TEST_F(KeyboardTest, ShortcutsReachTheNameBoxAndTheAboutWindow)
    {
        QLineEdit* box = Find<QLineEdit>("EditAcorde");
        for (const QKeyCombination keys :
            { QKeyCombination(Qt::ControlModifier, Qt::Key_L), QKeyCombination(Qt::Key_F6) }) {
            Sheet()->setFocus();
            Key(keys.key(), keys.keyboardModifiers());
            EXPECT_TRUE(box->hasFocus());
            EXPECT_EQ(box->selectedText(), box->text());
        }
        // F1 opens the notation window; About stays in the Help menu.
        QSignalSpy notation(Find<QAction>("Notation1"), &QAction::triggered);
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                if (auto* text = modal->findChild<QTextBrowser*>(QStringLiteral("TextNotation")))
                    shown = text->toPlainText();
                modal->close();
            }
        });
        Key(Qt::Key_F1);
        EXPECT_EQ(notation.count(), 1);
        for (const char* meets : { "7+", "5-", "6+", "º", "add", "sus", "(no3)", "mod1", "mod2", "\u25CF", "\u25CB",
                 "\u00D7", "base fret", "Easy chords", "No barre chords", "Capo" })
            EXPECT_TRUE(shown.contains(QString::fromUtf8(meets))) << meets;
        QStringList help;
        for (const QAction* item : Find<QMenu>("Help1")->actions())
            help << item->text();
        EXPECT_EQ(help.join(QLatin1Char('|')).toStdString(), "Chord &notation…|&About");
    }

} // namespace
} // namespace corvane::test
