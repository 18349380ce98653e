// Another instrument through the real widgets: the instrument box, the tuning bars and menu, the sheet,
// the Formation box, the strum and the neck for one ukulele chord, and the way back to the guitar.
// The search's and naming's rules are the core's tests (tests/core/instrument_*).

#include "drawing/recording_canvas.h"
#include "drawing/strings_neck.h"
#include "guitar/instrument_search.h"
#include "main_window_fixture.h"
#include "toolkit/neck_image.h"

#include <QAction>
#include <QMenu>
#include <QSlider>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>

namespace corvane::test {
namespace {

    class InstrumentTest : public MainWindowTest {
    protected:
        // Types the caption's first letters into the box, as a user picks from a drop-down list.
        void ChooseInstrument(const char* caption)
        {
            ChoiceBox* box = Find<ChoiceBox>("ComboBoxInstrument");
            box->setFocus();
            QTest::keyClicks(box, QString::fromLatin1(caption));
        }

        void ChooseFirstInstrument()
        {
            ChoiceBox* box = Find<ChoiceBox>("ComboBoxInstrument");
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Home);
        }

        std::string ShownBars() const
        {
            std::string shown;
            for (int s = 1; s <= kMaxInstrumentStrings; ++s) {
                const std::string label = "lbAfinacaoCorda" + std::to_string(s);
                if (Find<QLabel>(label.c_str())->isVisible())
                    shown += (shown.empty() ? "" : " ") + Label(label.c_str());
            }
            return shown;
        }

        std::vector<std::string> MenuItems() const
        {
            std::vector<std::string> items;
            for (const QAction* item : Find<QMenu>("PopupMenu1")->actions())
                items.push_back(item->text().toStdString());
            return items;
        }

        // The keys of the Note On messages sent, in order.
        std::vector<int> StrummedKeys() const
        {
            std::vector<int> keys;
            for (const std::uint32_t message : midi->messages())
                if ((message & 0xF0u) == 0x90u && (message >> 8 & 0xFFu) != 0)
                    keys.push_back(static_cast<int>(message >> 8 & 0xFFu));
            return keys;
        }
    };

    TEST_F(InstrumentTest, AUkuleleChordFromTheBoxToTheStrumAndBackToTheGuitar)
    {
        ChoiceBox* patch = Find<ChoiceBox>("ComboBoxPatch");
        patch->setCurrentIndex(1); // the user's guitar sound
        ChooseInstrument("Uk");
        ASSERT_EQ(Find<ChoiceBox>("ComboBoxInstrument")->currentText().toStdString(), "Ukulele");

        const Instrument& ukulele = *FindInstrument("ukulele");
        const auto expected = ComputeInstrumentRefresh(
            FromSelection(StartupSelection(), {}), StringSetOf(ukulele, ukulele.tunings[0].strings));
        EXPECT_EQ(ShownBars(), "G C E A");
        EXPECT_EQ(MenuItems(), (std::vector<std::string> { "Standard", "Low G", "D tuning" }));
        EXPECT_EQ(patch->currentText().toStdString(), "Nylon guitar");
        EXPECT_FALSE(Find<QToolButton>("SpeedButton11")->isEnabled()) << "the guitar's neck pictures";
        EXPECT_EQ(Total(), static_cast<int>(expected.records.size()));
        EXPECT_EQ(Names(), expected.names);
        ASSERT_GT(Sheet()->openStrings().count, 0);
        ASSERT_EQ(FretsText(Sheet()->diagram(0)), "0 0 0 3 ");
        // The open C string sounds lowest on the re-entrant tuning: the bass mark is under it, the
        // second string, not under the G string first as held.
        RecordingCanvas cell;
        Sheet()->drawArea(cell, Sheet()->cellRect(0));
        EXPECT_NE(cell.text().find("picture omin2 32 91\npicture omin1 43 91\n"), std::string::npos) << cell.text();

        midi->clear();
        ClickSheet(Sheet()->cellRect(0).center());
        EXPECT_EQ(Text("Edit1"), "0 0 0 3");
        EXPECT_EQ(StrummedKeys(), (std::vector<int> { 67, 60, 64, 72 })) << "G4 C4 E4 C5 in string order";
        const StringsNeck neck { 4, ukulele.frets };
        EXPECT_EQ(Find<NeckImage>("Image2")->stringsNeck(), neck);
        RecordingCanvas shown;
        RecordingCanvas wanted;
        Find<NeckImage>("Image2")->replayLastDrawing(shown);
        DrawStringsNeck(wanted, neck, Sheet()->diagram(0), 0, { "G", "C", "E", "A" });
        const auto texts = [](const RecordingCanvas& canvas) {
            std::vector<std::string> calls;
            for (const RecordingCanvas::Call& call : canvas.calls())
                calls.push_back(CallText(call));
            return calls;
        };
        EXPECT_EQ(texts(shown), texts(wanted));

        // Frets typed into the box are named on the instrument's strings: the open C string sounds lowest.
        QLineEdit* formation = Find<QLineEdit>("Edit1");
        formation->setFocus();
        formation->selectAll();
        QTest::keyClicks(formation, QStringLiteral("2000"));
        QTest::keyClick(formation, Qt::Key_Return);
        ASSERT_NE(Find<QListWidget>("ListBox1")->currentItem(), nullptr);
        EXPECT_EQ(Find<QListWidget>("ListBox1")->currentItem()->text().toStdString(), "Am/C");

        // The guitar comes back as it was left, with the user's sound.
        ChooseFirstInstrument();
        EXPECT_EQ(ShownBars(), "E A D G B E");
        EXPECT_EQ(MenuItems().size(), kTuningPresets.size());
        EXPECT_EQ(Find<QToolButton>("ToolButton5")->text().toStdString(), "Standard Tuning");
        EXPECT_EQ(patch->currentIndex(), 1);
        EXPECT_EQ(Sheet()->openStrings().count, 0);
        EXPECT_EQ(Total(), 165);
        EXPECT_EQ(Find<NeckImage>("Image2")->stringsNeck(), std::nullopt);
        EXPECT_TRUE(Find<QToolButton>("SpeedButton11")->isEnabled());
    }

    // The drawn neck names the strings as they are tuned, and the notation help speaks of them.
    TEST_F(InstrumentTest, TheUkulelesStringsAreNamedOnTheNutAndInTheHelp)
    {
        ChooseInstrument("Ukulele");
        // The letters are the single pixels of the nut's ink.
        const auto letters = [](const RecordingCanvas& canvas) {
            std::string text;
            for (const RecordingCanvas::Call& call : canvas.calls())
                if (call.isRect && call.width == 1 && call.height == 1 && call.rgb == 0x3b2314)
                    text += CallText(call) + '\n';
            return text;
        };
        const auto namedOnNut = [&](const std::vector<std::string>& names) {
            RecordingCanvas shown;
            Find<NeckImage>("Image2")->replayLastDrawing(shown);
            RecordingCanvas wanted;
            DrawStringNames(wanted, StringsNeck { 4, 18 }, names);
            return !letters(wanted).empty() && letters(shown) == letters(wanted);
        };
        EXPECT_TRUE(namedOnNut({ "G", "C", "E", "A" }));
        Find<QSlider>("TrackBar1")->setValue(9); // the 4th string down to A
        EXPECT_TRUE(namedOnNut({ "A", "C", "E", "A" }));

        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                if (auto* text = modal->findChild<QTextBrowser*>(QStringLiteral("TextNotation")))
                    shown = text->toPlainText();
                modal->close();
            }
        });
        Find<QAction>("Notation1")->trigger();
        EXPECT_TRUE(shown.contains(QStringLiteral("the four strings of the ukulele upright, A C E A")))
            << shown.toStdString();
        EXPECT_FALSE(shown.contains(QStringLiteral("six strings")));
    }

    // Five tones on four strings: the status bar says what the voicings leave out, each cell's spoken
    // text which; back on the guitar, whose refresh leaves the status bar alone, the message goes.
    TEST_F(InstrumentTest, TonesLeftOutAreSaid)
    {
        ChooseInstrument("Uk");
        TypeName("Cmaj9");
        QStatusBar* status = Find<QStatusBar>("StatusBar1");
        EXPECT_NE(status->currentMessage().toStdString().find(
                      "has 5 tones and the ukulele 4 strings: voicings without the 5th or without the root"),
            std::string::npos)
            << status->currentMessage().toStdString();
        ASSERT_GT(Total(), 0);
        EXPECT_EQ(FirstRecordText(0), "0 2 0 2 ");
        EXPECT_TRUE(Sheet()->cellText(0).endsWith(QStringLiteral(", without the root")))
            << Sheet()->cellText(0).toStdString();
        ChooseFirstInstrument();
        EXPECT_TRUE(status->currentMessage().isEmpty());
    }

} // namespace
} // namespace corvane::test
