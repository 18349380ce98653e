// The tuning controls and the options below the sheet.

#include "guitar/refresh.h"
#include "main_window_fixture.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QMenu>
#include <QSignalSpy>

namespace corvane::test {
namespace {

    class TuningTest : public MainWindowTest {
    protected:
        QSlider* Bar(int string) const
        {
            const std::string name = "TrackBar" + std::to_string(string + 1);
            return Find<QSlider>(name.c_str());
        }

        std::string Labels() const
        {
            std::string all;
            for (int s = 1; s <= 6; ++s) {
                const std::string name = "lbAfinacaoCorda" + std::to_string(s);
                all += (s > 1 ? " " : "") + Label(name.c_str());
            }
            return all;
        }

        std::array<int, 6> OpenStrings() const
        {
            std::array<int, 6> notes {};
            for (size_t s = 0; s < 6; ++s)
                notes[s] = window->stringNotes()[s][0];
            return notes;
        }

        void ChoosePreset(const char* item) { Find<QAction>(item)->trigger(); }

        // A move of the user's, one step with the keyboard.
        void Nudge(int string, Qt::Key key)
        {
            Bar(string)->setFocus();
            QTest::keyClick(Bar(string), key);
        }

        std::unique_ptr<QSignalSpy> CountRefreshes() const
        {
            return std::make_unique<QSignalSpy>(
                Find<QListWidget>("ListBox1")->model(), &QAbstractItemModel::modelReset);
        }

        // The count of results the engine gives for C major with these search options.
        static int ExpectedCount(const SearchOptions& options)
        {
            return static_cast<int>(ComputeRefresh(FromSelection(StartupSelection(), options)).records.size());
        }
    };

    TEST_F(TuningTest, APresetSetsTheTuningCaptionLabelsNotesAndRefreshesOnce)
    {
        const auto refreshes = CountRefreshes();
        ChoosePreset("DropD1");
        EXPECT_EQ(window->tuning(), (Tuning { 2, 9, 2, 7, 11, 4 }));
        EXPECT_EQ(Find<QToolButton>("ToolButton5")->text().toStdString(), "Drop D");
        EXPECT_EQ(Labels(), "D A D G B E");
        EXPECT_EQ(OpenStrings(), (std::array<int, 6> { 38, 45, 50, 55, 59, 64 }));
        EXPECT_EQ(Bar(0)->value(), 2);
        EXPECT_TRUE(Find<QAction>("DropD1")->isChecked());
        EXPECT_FALSE(Find<QAction>("StandardTunning1")->isChecked());
        EXPECT_EQ(refreshes->count(), 1);
        SearchOptions dropD;
        dropD.tuning = { 2, 9, 2, 7, 11, 4 };
        EXPECT_EQ(Total(), ExpectedCount(dropD));

        // The preset already active runs again.
        ChoosePreset("DropD1");
        EXPECT_EQ(refreshes->count(), 2);
    }

    TEST_F(TuningTest, EveryPresetShowsItsOwnLabelsAndSoundsEachStringNearItsStandardPitch)
    {
        struct Row {
            const char* item;
            const char* labels;
            std::array<int, 6> open;
        };
        const Row rows[] = {
            { "EADGCF1", "E B E G# B E", { 40, 47, 52, 56, 59, 64 } },
            { "OpenA1", "E A E A C# E", { 40, 45, 52, 57, 61, 64 } },
            { "AfinaodeBlues1", "E A D G C F", { 40, 45, 50, 55, 60, 65 } },
            { "RainSong1", "D G C G C D", { 38, 43, 48, 55, 60, 62 } },
            { "Afinaoemsolmenor1", "G Bb D G Bb D", { 43, 46, 50, 55, 58, 62 } },
            { "C6th1", "C G C G A E", { 36, 43, 48, 55, 57, 64 } },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.item);
            ChoosePreset(row.item);
            EXPECT_EQ(Labels(), row.labels);
            EXPECT_EQ(OpenStrings(), row.open);
        }
    }

    TEST_F(TuningTest, AUsersTrackBarMoveRetunesTheStringAndRefreshesAtOnce)
    {
        ClickSheet(QPoint(150, 40));
        const auto refreshes = CountRefreshes();
        Nudge(0, Qt::Key_Down);
        EXPECT_EQ(Bar(0)->value(), 3);
        EXPECT_EQ(Label("lbAfinacaoCorda1"), "D#");
        EXPECT_EQ(window->tuning()[0], 3);
        EXPECT_EQ(window->stringNotes()[0][0], 39);
        EXPECT_EQ(refreshes->count(), 1);
        EXPECT_EQ(Sheet()->selectedCell(), -1);
        SearchOptions retuned;
        retuned.tuning = { 3, 9, 2, 7, 11, 4 };
        EXPECT_EQ(Total(), ExpectedCount(retuned));

        // The strum follows the label.
        midi->clear();
        const auto& records = window->records();
        const auto sounding = std::find_if(
            records.begin(), records.end(), [](const InstrumentRecord& r) { return r.frets[0] != kMuted; });
        ASSERT_NE(sounding, records.end());
        const sheet::Cell cell = sheet::CellOf(static_cast<int>(sounding - records.begin()), Sheet()->width());
        ClickSheet(QPoint(cell.left + 50, cell.top + 50));
        ASSERT_FALSE(midi->messages().empty());
        const auto key = static_cast<std::uint32_t>(39 + std::abs(sounding->frets[0]));
        EXPECT_EQ(midi->messages().front(), 0x90u | key << 8 | 100u << 16);
    }

    TEST_F(TuningTest, ATrackBarShowsSharpNamesWhateverThePresetWrote)
    {
        ChoosePreset("Afinaoemsolmenor1");
        ASSERT_EQ(Label("lbAfinacaoCorda2"), "Bb");
        Nudge(1, Qt::Key_Down);
        Nudge(1, Qt::Key_Up);
        EXPECT_EQ(Bar(1)->value(), 10);
        EXPECT_EQ(Label("lbAfinacaoCorda2"), "A#");
        EXPECT_EQ(window->tuning()[1], 10);
    }

    TEST_F(TuningTest, TheFaceOfTheTuningButtonRestoresStandardAndLeavesTheMenuCheck)
    {
        ChoosePreset("OpenG1");
        QToolButton* button = Find<QToolButton>("ToolButton5");
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, button->height() / 2));
        EXPECT_EQ(window->tuning(), kStandardTuning);
        EXPECT_EQ(button->text().toStdString(), "Standard Tuning");
        EXPECT_EQ(Labels(), "E A D G B E");
        EXPECT_EQ(Total(), 165);
        EXPECT_TRUE(Find<QAction>("OpenG1")->isChecked());
        EXPECT_EQ(Find<QMenu>("PopupMenu1")->actions().size(), 12);
        EXPECT_EQ(Find<QAction>("Venmora1")->data().toInt(), 11);
    }

    TEST_F(TuningTest, EveryOptionRefreshesWithItsNewValue)
    {
        Click("CheckBoxOmit5");
        EXPECT_EQ(Total(), 28);
        Click("CheckBoxOmit5");
        EXPECT_EQ(Total(), 165);

        ChoiceBox* upTo = Find<ChoiceBox>("ComboBox1");
        upTo->setFocus();
        QTest::keyClick(upTo, Qt::Key_Up);
        EXPECT_EQ(window->fretLimit(), 6);
        EXPECT_EQ(Total(), 28);
        QTest::keyClick(upTo, Qt::Key_Down);
        QTest::keyClick(upTo, Qt::Key_Down);
        EXPECT_EQ(window->fretLimit(), 18);
        SearchOptions upTo18;
        upTo18.fretLimit = 18;
        EXPECT_EQ(Total(), ExpectedCount(upTo18));

        Click("CheckBoxOmit3");
        SearchOptions noThird = upTo18;
        noThird.omit3 = true;
        EXPECT_EQ(Total(), ExpectedCount(noThird));
        Click("CheckBoxOmit3");

        Click("CheckBoxPestanas");
        SearchOptions noBarre = upTo18;
        noBarre.noBarre = true;
        EXPECT_EQ(Total(), ExpectedCount(noBarre));
        EXPECT_LT(Total(), ExpectedCount(upTo18));
        Click("CheckBoxPestanas");

        ChoiceBox* distance = Find<ChoiceBox>("ComboBox2");
        distance->setFocus();
        QTest::keyClick(distance, Qt::Key_Home);
        EXPECT_EQ(distance->currentText().toStdString(), "2");
        for (const InstrumentRecord& record : window->records()) {
            int low = 100, high = 0;
            for (int fret : record.frets) {
                const int f = std::abs(fret);
                if (f != 0 && f != kMuted) {
                    low = std::min(low, f);
                    high = std::max(high, f);
                }
            }
            EXPECT_TRUE(high == 0 || high - low <= 1) << record.Text();
        }
    }

    TEST_F(TuningTest, EasyChordsMovesTheDistanceAndRefreshes)
    {
        ChoiceBox* distance = Find<ChoiceBox>("ComboBox2");
        const auto refreshes = CountRefreshes();
        Click("CheckBoxNSI");
        EXPECT_EQ(distance->currentText().toStdString(), "3");
        EXPECT_EQ(refreshes->count(), 1);
        SearchOptions easy;
        easy.easy = true;
        easy.span = 3;
        EXPECT_EQ(Total(), ExpectedCount(easy));
        for (const InstrumentRecord& record : window->records())
            for (int s = 2; s < 6; ++s)
                EXPECT_NE(record.frets[static_cast<size_t>(s)], kMuted) << record.Text();

        Click("CheckBoxNSI");
        EXPECT_EQ(distance->currentText().toStdString(), "5");
        EXPECT_EQ(Total(), 165);
    }

    TEST_F(TuningTest, LeftHandChordsMirrorTheDiagramsOnly)
    {
        // Cell 0 is 99 3 2 0 1 0: the filled dot marks the bass on string 1.
        const auto mark = [&](int column) {
            const QImage painted = Sheet()->grab(QRect(0, 0, 100, 130)).toImage();
            return painted.pixelColor(21 + 11 * column + 3, 91 + 3).lightness();
        };
        ASSERT_LT(mark(1), 100) << "filled dot in column 1";
        const int ring = mark(4);

        Click("CheckBoxCanhoto");
        EXPECT_EQ(Total(), 165);
        EXPECT_LT(mark(4), 100) << "filled dot in column 4";
        EXPECT_EQ(mark(1), ring);
        EXPECT_EQ(FirstRecordText(0), "99 3 2 0 1 0 ") << "the search does not change";

        // The strum and the neck stay in string order.
        ClickSheet(QPoint(50, 50));
        ASSERT_EQ(midi->messages().size(), 5u);
        EXPECT_EQ(midi->messages().front(), 0x90u | 48u << 8 | 100u << 16);
    }

} // namespace
} // namespace corvane::test
