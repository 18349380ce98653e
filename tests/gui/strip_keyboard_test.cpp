// The Song and Progression windows from the keyboard and through a screen reader: the strip's
// diagrams are heard as the main sheet's, walked with the arrows and played with Enter; "Other
// fingerings" keeps the keyboard on its chord; the words are read with each chord before its
// syllable; Tab follows the screen and leaves the chord box.

#include "drawing/spoken_diagram.h"
#include "main_window_fixture.h"
#include "sound/midi_player.h"
#include "windows/chord_strip.h"
#include "windows/lyrics_box.h"
#include "windows/progression_window.h"
#include "windows/song_window.h"

#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>

namespace corvane::test {
namespace {

    const QString kSongs = QStringLiteral(CORVANE_SONGS_DIR);

    // The controls that took the keyboard while it lives, in order.
    class FocusLog final : public QObject {
    public:
        FocusLog() { qApp->installEventFilter(this); }
        ~FocusLog() override { qApp->removeEventFilter(this); }
        QStringList taken;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::FocusIn && watched->isWidgetType())
                taken << watched->objectName();
            return false;
        }
    };

    class StripKeyboardTest : public MainWindowTest {
    protected:
        StripKeyboardTest()
        {
            EXPECT_TRUE(window->OpenSongFile(kSongs + QStringLiteral("/swing_low.cho")));
            song = window->songWindow();
            Activate(song);
            strip = song->findChild<ChordStrip*>();
        }

        static void Activate(QWidget* shown)
        {
            shown->activateWindow();
            EXPECT_TRUE(QTest::qWaitFor([shown] { return QApplication::activeWindow() == shown; }));
        }

        static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
        {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        }

        TFormSong* song = nullptr;
        ChordStrip* strip = nullptr;
    };

    TEST_F(StripKeyboardTest, DiagramsSpeakAsTheSheetsAndControlsNameTheirChord)
    {
        ASSERT_EQ(strip->names(), (QStringList { QStringLiteral("D"), QStringLiteral("G"), QStringLiteral("A7") }));
        for (int k = 0; k < strip->count(); ++k) {
            const StringStripChord& chord = song->strip()[static_cast<std::size_t>(k)];
            ASSERT_TRUE(chord.frets.has_value());
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(strip->diagram(k));
            // As the guitar's own words say it.
            EXPECT_EQ(
                reader->text(QAccessible::Name).toStdString(), SpokenDiagram(VoicingOfFrets(*chord.frets), chord.name));
            EXPECT_TRUE(reader->state().focusable);
            EXPECT_EQ(QAccessible::queryAccessibleInterface(strip->otherFingerings(k))->text(QAccessible::Name),
                QStringLiteral("Other fingerings for ") + strip->names()[k]);
        }
        EXPECT_EQ(QAccessible::queryAccessibleInterface(strip)->role(), QAccessible::List);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(strip->diagram(0))->role(), QAccessible::ListItem);
        // "open D" as the main sheet says it: the frets first, the name last.
        EXPECT_TRUE(strip->diagram(0)->accessibleName().endsWith(QStringLiteral(", open D")))
            << strip->diagram(0)->accessibleName().toStdString();
    }

    TEST_F(StripKeyboardTest, ArrowsWalkTheStripAndEnterPlaysTheChord)
    {
        strip->diagram(0)->setFocus(Qt::TabFocusReason);
        struct Step {
            Qt::Key key;
            int focused;
        };
        for (const Step step : { Step { Qt::Key_Right, 1 }, Step { Qt::Key_Right, 2 }, Step { Qt::Key_Right, 2 },
                 Step { Qt::Key_Left, 1 }, Step { Qt::Key_Home, 0 }, Step { Qt::Key_End, 2 } }) {
            Key(step.key);
            EXPECT_EQ(QApplication::focusWidget(), strip->diagram(step.focused)) << step.key;
        }
        midi->clear();
        Key(Qt::Key_Return);
        RecordingPort expected;
        // As the guitar's own note table sounds it.
        PlayVoicing(expected, VoicingOfFrets(*song->strip()[2].frets), window->stringNotes(),
            Find<QSlider>("TrackBarTempoAcorde")->value());
        EXPECT_EQ(midi->text(), expected.text());
        EXPECT_FALSE(song->playing()) << "one chord, not the song";
    }

    // Play tells a reader the sounding chord as the strip's selected item; Stop, none.
    TEST_F(StripKeyboardTest, TheSoundingChordIsTheSelectedOne)
    {
        const auto selected = [this] {
            std::vector<int> chosen;
            for (int k = 0; k < strip->count(); ++k)
                if (QAccessible::queryAccessibleInterface(strip->diagram(k))->state().selected)
                    chosen.push_back(k);
            return chosen;
        };
        EXPECT_EQ(selected(), std::vector<int>());
        QTest::mouseClick(song->findChild<QPushButton*>(QStringLiteral("ButtonPlay")), Qt::LeftButton);
        EXPECT_EQ(selected(), std::vector<int> { 0 }) << "the song starts on D";
        EXPECT_EQ(strip->diagram(0)->frameShape(), QFrame::Box);
        QTest::mouseClick(song->findChild<QPushButton*>(QStringLiteral("ButtonStop")), Qt::LeftButton);
        EXPECT_EQ(selected(), std::vector<int>());
    }

    // The strip is built anew under the key: the keyboard stays on the same chord's control, in the
    // song window, while the main window comes up on its sheet to pick from.
    TEST_F(StripKeyboardTest, OtherFingeringsKeepsTheKeyboardOnItsChord)
    {
        strip->otherFingerings(1)->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Space);
        EXPECT_EQ(song->waitingChord(), 1);
        EXPECT_EQ(song->focusWidget(), strip->otherFingerings(1));
        EXPECT_TRUE(strip->otherFingerings(1)->isChecked());
        EXPECT_EQ(window->focusWidget(), Sheet());

        Activate(song);
        EXPECT_EQ(QApplication::focusWidget(), strip->otherFingerings(1));
        Key(Qt::Key_Space);
        EXPECT_EQ(song->waitingChord(), -1);
        EXPECT_EQ(song->focusWidget(), strip->otherFingerings(1));

        // A diagram keeps it too when the strip is built again, as the capo renames the chords, and
        // the keyboard goes from the old diagram to the new one, nowhere else.
        Activate(song);
        strip->diagram(2)->setFocus(Qt::TabFocusReason);
        const FocusLog log;
        song->SetCapo(2);
        EXPECT_EQ(QApplication::focusWidget(), strip->diagram(2));
        EXPECT_EQ(log.taken, QStringList { QStringLiteral("Diagram") });
    }

    TEST_F(StripKeyboardTest, TabFollowsTheScreenFromTopToBottom)
    {
        QWidget* save = song->findChild<QWidget*>(QStringLiteral("ButtonSave"));
        save->setFocus(Qt::TabFocusReason);
        std::vector<QWidget*> expected;
        for (int k = 0; k < strip->count(); ++k) {
            expected.push_back(strip->diagram(k));
            expected.push_back(strip->otherFingerings(k));
        }
        expected.push_back(song->findChild<QWidget*>(QStringLiteral("TextLyrics")));
        for (QWidget* next : expected) {
            Key(Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
        }
    }

    // The caret walks the words by line and by letter; the reader hears the line with its chords.
    TEST_F(StripKeyboardTest, TheWordsAreWalkedWithTheirChords)
    {
        auto* words = song->findChild<LyricsBox*>(QStringLiteral("TextLyrics"));
        words->setFocus(Qt::TabFocusReason);
        QAccessibleTextInterface* reader = QAccessible::queryAccessibleInterface(words)->textInterface();
        ASSERT_NE(reader, nullptr);
        const auto line = [reader] {
            int start = 0;
            int end = 0;
            return reader->textAtOffset(reader->cursorPosition(), QAccessible::LineBoundary, &start, &end).trimmed();
        };
        QStringList heard;
        for (int down = 0; down < 4; ++down) {
            heard << line();
            Key(Qt::Key_Down);
        }
        // The chord line and the words under it are one line to the reader.
        EXPECT_TRUE(heard.contains(QStringLiteral("Swing [D]low, sweet [G]chari[D]ot,")))
            << heard.join(u'|').toStdString();
        EXPECT_TRUE(heard.contains(QStringLiteral("Comin' for to carry me [A7]home;")))
            << heard.join(u'|').toStdString();

        // Letter by letter along "Comin'".
        words->moveCursor(QTextCursor::Start);
        while (!line().startsWith(QStringLiteral("Comin'")))
            Key(Qt::Key_Down);
        Key(Qt::Key_Home);
        const auto letter = [reader] { return reader->text(reader->cursorPosition(), reader->cursorPosition() + 1); };
        for (int indent = 0; indent < 4 && letter() == QStringLiteral(" "); ++indent)
            Key(Qt::Key_Right); // the chorus is set in
        const int start = reader->cursorPosition();
        EXPECT_EQ(letter(), QStringLiteral("C"));
        Key(Qt::Key_Right);
        EXPECT_EQ(reader->cursorPosition(), start + 1);
        EXPECT_EQ(letter(), QStringLiteral("o"));
        // The screen still shows the chords over the words.
        EXPECT_TRUE(words->toPlainText().contains(QStringLiteral("Swing low, sweet chariot,")));
    }

    TEST_F(StripKeyboardTest, TabLeavesTheChordBoxAndCtrlEnterChooses)
    {
        window->Progression1Click();
        TFormProgression* progression = window->progressionWindow();
        Activate(progression);
        auto* box = progression->findChild<QPlainTextEdit*>(QStringLiteral("MemoChords"));
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, QStringLiteral("C G"));
        QWidget* next = progression->findChild<QWidget*>(QStringLiteral("CheckBoxStartNear"));
        struct Row {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            bool forward;
        };
        for (const Row row : { Row { Qt::Key_Tab, {}, true }, Row { Qt::Key_Tab, Qt::ControlModifier, true },
                 Row { Qt::Key_Backtab, Qt::ShiftModifier | Qt::ControlModifier, false } }) {
            box->setFocus(Qt::TabFocusReason);
            Key(row.key, row.modifiers);
            if (row.forward)
                EXPECT_EQ(QApplication::focusWidget(), next) << row.modifiers.toInt();
            else
                EXPECT_NE(QApplication::focusWidget(), box);
        }
        box->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Return, Qt::ControlModifier);
        EXPECT_EQ(box->toPlainText(), QStringLiteral("C G")) << "no tab or line typed";
        EXPECT_EQ(progression->choice().chords.size(), 2U);
    }

} // namespace
} // namespace corvane::test
