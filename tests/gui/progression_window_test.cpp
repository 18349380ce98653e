// The progression window through its real widgets, opened from the main window's File menu: the
// text gives diagrams and names, "Other fingerings" takes a diagram clicked on the main sheet, Play
// strums on the main window's port, Export and Print write files.

#include "drawing/qt/picture_store.h"
#include "main_window_fixture.h"
#include "sound/midi_player.h"
#include "toolkit/choice_box.h"
#include "toolkit/chord_export.h"
#include "windows/chord_strip.h"
#include "windows/progression_window.h"

#include <QFile>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>

namespace corvane::test {
namespace {

    class ProgressionWindowTest : public MainWindowTest {
    protected:
        ProgressionWindowTest()
        {
            QAction* item = window->findChild<QAction*>(QStringLiteral("Progression1"));
            EXPECT_NE(item, nullptr);
            EXPECT_TRUE(window->findChild<TFormProgression*>() == nullptr) << "created on first use only";
            item->trigger();
            progression = window->findChild<TFormProgression*>();
            EXPECT_NE(progression, nullptr);
            EXPECT_TRUE(progression->isVisible());
        }

        template <typename T> T* In(const char* name) const
        {
            T* found = progression->findChild<T*>(QString::fromLatin1(name));
            EXPECT_NE(found, nullptr) << "no control " << name;
            return found;
        }

        void TypeChords(const char* text)
        {
            QPlainTextEdit* box = In<QPlainTextEdit>("MemoChords");
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QString::fromUtf8(text));
        }

        // Per chord shown: the name over its diagram, as the labels carry it.
        std::vector<std::string> ShownNames() const
        {
            std::vector<std::string> names;
            for (const QString& name : progression->findChild<ChordStrip*>()->names())
                names.push_back(name.toStdString());
            return names;
        }

        QToolButton* OtherFingerings(int chord) const
        {
            auto* column = progression->findChild<QWidget*>(QStringLiteral("Chord%1").arg(chord));
            return column ? column->findChild<QToolButton*>(QStringLiteral("OtherFingerings")) : nullptr;
        }

        // The six-string guitar's fingering chosen for a chord.
        Voicing ChosenFrets(std::size_t chord) const
        {
            return VoicingOfFrets(progression->choice().chords.at(chord).Chosen()->frets);
        }

        TFormProgression* progression = nullptr;
    };

    TEST_F(ProgressionWindowTest, TextGivesNamedDiagramsAndProblemsByPlace)
    {
        TypeChords("C G Am F");
        EXPECT_EQ(ShownNames(), (std::vector<std::string> { "C", "G", "Am", "F" }));
        EXPECT_EQ(ChosenFrets(0), (Voicing { kMuted, 3, 2, 0, 1, 0 }));
        const auto* diagram = progression->findChild<QWidget*>(QStringLiteral("Chord0"))->findChild<QLabel*>();
        EXPECT_FALSE(diagram->pixmap().isNull());
        EXPECT_EQ(In<QListWidget>("ListProblems")->count(), 0);

        TypeChords("C Qz7 G");
        EXPECT_EQ(ShownNames().size(), 3U);
        const QListWidget* problems = In<QListWidget>("ListProblems");
        ASSERT_EQ(problems->count(), 1);
        EXPECT_TRUE(problems->item(0)->text().contains(QStringLiteral("Qz7")))
            << problems->item(0)->text().toStdString();
        EXPECT_TRUE(problems->item(0)->text().contains(QLatin1Char('2')));
        EXPECT_NE(progression->choice().chords[2].Chosen(), nullptr) << "the rest is still chosen";
    }

    // Songs are written in lead-sheet symbols: "C9" is the dominant ninth, and it reaches the name
    // box in the box's own notation; a chord read in part is a problem, not another chord.
    TEST_F(ProgressionWindowTest, LeadSheetSymbolsAndChordsReadInPart)
    {
        TypeChords("C Cdim7xyz C9");
        const QListWidget* problems = In<QListWidget>("ListProblems");
        ASSERT_EQ(problems->count(), 1);
        EXPECT_TRUE(problems->item(0)->text().contains(QStringLiteral("chord 2")))
            << problems->item(0)->text().toStdString();
        EXPECT_TRUE(problems->item(0)->text().contains(QStringLiteral("not understood: xyz")));
        EXPECT_EQ(progression->choice().chords[1].Chosen(), nullptr);

        QTest::mouseClick(OtherFingerings(2), Qt::LeftButton);
        EXPECT_EQ(Text("EditAcorde"), "C7/9 ");
        EXPECT_EQ(window->noteList(), progression->choice().chords[2].noteList);
    }

    TEST_F(ProgressionWindowTest, OtherFingeringsPinsTheClickedDiagramAndChoosesTheRestAgain)
    {
        TypeChords("C G Am F");
        const Voicing firstBefore = ChosenFrets(0);
        QTest::mouseClick(OtherFingerings(1), Qt::LeftButton);
        EXPECT_EQ(Text("EditAcorde"), "G");
        EXPECT_EQ(progression->waitingChord(), 1);

        // A G fingering on the sheet other than the chosen one.
        const auto& records = window->records();
        const int columns = Sheet()->width() / 100;
        int index = 0;
        while (index < columns && VoicingOfFrets(records.at(static_cast<std::size_t>(index)).frets) == ChosenFrets(1))
            ++index;
        ASSERT_LT(index, columns);
        const Voicing clicked = VoicingOfFrets(records.at(static_cast<std::size_t>(index)).frets);
        ClickSheet(QPoint(index * 100 + 50, 60));

        EXPECT_EQ(progression->waitingChord(), -1);
        EXPECT_EQ(ChosenFrets(1), clicked);
        EXPECT_EQ(ChosenFrets(0), firstBefore);
        // The chords after it follow the new choice: the path is the cheapest one through the pin.
        std::vector<int> pinned(4, -1);
        const StringProgressionChoice& shown = progression->choice();
        for (std::size_t k = 0; k < 2; ++k)
            pinned[k] = shown.chords[k].chosen;
        std::vector<ProgressionEntry> entries = ParseProgression("C G Am F").entries;
        ProgressionOptions options;
        options.search = window->CurrentSearchOptions();
        const ProgressionChoice expected = ChooseProgression(entries, options, pinned);
        EXPECT_EQ(shown.total, expected.total);
        EXPECT_EQ(ChosenFrets(3), expected.chords[3].Chosen()->frets);

        // A later click on the sheet, with no chord waiting, changes nothing here.
        ClickSheet(QPoint(50, 60));
        EXPECT_EQ(ChosenFrets(1), clicked);
    }

    TEST_F(ProgressionWindowTest, PlayStrumsEachChordForItsBeatsThenStops)
    {
        TypeChords("C:2 G:1");
        In<QSpinBox>("SpinBpm")->setValue(120);
        midi->clear();
        QTest::mouseClick(In<QPushButton>("ButtonPlay"), Qt::LeftButton);
        EXPECT_TRUE(progression->playing()) << "the window is not held for the song";
        QTRY_VERIFY_WITH_TIMEOUT(!progression->playing(), 5000);

        // The same strums, pauses and beats as a plain sequence on a recording port.
        RecordingPort expected;
        const int tempo = Find<QSlider>("TrackBarTempoAcorde")->value();
        for (std::size_t chord = 0; chord < 2; ++chord) {
            const Voicing frets = ChosenFrets(chord);
            const int sounding
                = static_cast<int>(std::count_if(frets.begin(), frets.end(), [](int f) { return f != kMuted; }));
            for (int beat = 0; beat < progression->choice().chords[chord].beats; ++beat) {
                PlayVoicing(expected, frets, window->stringNotes(), tempo);
                expected.pause(500 - sounding * StrumDelayMs(tempo));
            }
        }
        EXPECT_EQ(midi->text(), expected.text());

        // Stop ends the song after the chord under way.
        In<QSpinBox>("SpinBpm")->setValue(20);
        midi->clear();
        QTest::mouseClick(In<QPushButton>("ButtonPlay"), Qt::LeftButton);
        const std::size_t firstChord = midi->entries().size();
        QTest::mouseClick(In<QPushButton>("ButtonStop"), Qt::LeftButton);
        EXPECT_FALSE(progression->playing());
        QTest::qWait(50);
        EXPECT_EQ(midi->entries().size(), firstChord);
    }

    TEST_F(ProgressionWindowTest, ExportAndPrintWriteTheSongSheet)
    {
        TypeChords("Am F");
        QTemporaryDir dir;
        const QString svg = dir.filePath(QStringLiteral("song"));
        const QString pdf = dir.filePath(QStringLiteral("song.pdf"));
        QStringList warnings;
        ProgressionDialogs dialogs;
        QString suggested;
        dialogs.saveFileName = [&](QWidget*, const QString& name, QString* filter) {
            suggested = name;
            *filter = QStringLiteral("SVG drawing (*.svg)");
            return svg;
        };
        dialogs.choosePrinter = [&](QWidget*, QPrinter& printer) {
            EXPECT_EQ(printer.pageLayout(), SheetPageLayout()) << "the PDF's page and margins";
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        dialogs.warn = [&](QWidget*, const QString& text) { warnings << text; };
        progression->setDialogs(dialogs);

        QTest::mouseClick(In<QPushButton>("ButtonExport"), Qt::LeftButton);
        QFile written(svg + QStringLiteral(".svg"));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << "the filter's suffix is added";
        const QByteArray document = written.readAll();
        EXPECT_TRUE(document.contains("<svg"));
        EXPECT_TRUE(document.contains(">Am<"));
        EXPECT_TRUE(document.contains(">F<"));
        EXPECT_EQ(suggested.toStdString(), "Am F.png") << "named after the song, as the sheet after its chord";

        QTest::mouseClick(In<QPushButton>("ButtonPrint"), Qt::LeftButton);
        QFile printed(pdf);
        ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
        EXPECT_TRUE(printed.read(5).startsWith("%PDF"));

        // A folder that does not exist is reported, not taken for success.
        dialogs.saveFileName
            = [&](QWidget*, const QString&, QString*) { return dir.filePath(QStringLiteral("none/song.png")); };
        progression->setDialogs(dialogs);
        QTest::mouseClick(In<QPushButton>("ButtonExport"), Qt::LeftButton);
        EXPECT_EQ(warnings.size(), 1);
    }

    // With a capo the window says so beside the diagrams and in the exported sheet; a PNG is drawn at
    // the scale of the main sheet's export.
    TEST_F(ProgressionWindowTest, TheCapoIsShownAndExportedAndThePngHasTheSheetsScale)
    {
        TypeChords("C G Am F");
        EXPECT_EQ(In<QLabel>("LabelCapo")->text(), QString());
        window->findChild<QSpinBox*>(QStringLiteral("SpinEditCapo"))->setValue(2);
        progression->Recompute();
        EXPECT_EQ(In<QLabel>("LabelCapo")->text(), QStringLiteral("Capo 2"));

        QTemporaryDir dir;
        ProgressionDialogs dialogs;
        QString chosen = dir.filePath(QStringLiteral("song.svg"));
        dialogs.saveFileName = [&](QWidget*, const QString&, QString*) { return chosen; };
        progression->setDialogs(dialogs);
        QTest::mouseClick(In<QPushButton>("ButtonExport"), Qt::LeftButton);
        QFile svg(chosen);
        ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
        EXPECT_TRUE(svg.readAll().contains(">Capo 2<"));

        chosen = dir.filePath(QStringLiteral("song.png"));
        QTest::mouseClick(In<QPushButton>("ButtonExport"), Qt::LeftButton);
        const QImage png(chosen);
        const StringSongSheet sheet = SongSheetOf(progression->choice());
        const qreal ratio = window->findChild<ResultSheet*>(QStringLiteral("Image1"))->devicePixelRatioF();
        EXPECT_EQ(png.size(),
            SongSheetImage(sheet.diagrams, sheet.names, { "C G Am F", "Capo 2" }, export_sheet::kDefaultColumns,
                PictureStore(ratio), false)
                .size());
    }

    // During Play the chord that sounds is framed; Stop takes the frame off. Escape closes the window.
    TEST_F(ProgressionWindowTest, PlayMarksTheSoundingChordAndEscapeCloses)
    {
        TypeChords("C:1 G:1");
        In<QSpinBox>("SpinBpm")->setValue(In<QSpinBox>("SpinBpm")->maximum());
        const auto framed = [this](int chord) {
            const auto* column = progression->findChild<QWidget*>(QStringLiteral("Chord%1").arg(chord));
            return column->findChild<QLabel*>(QStringLiteral("Diagram"))->frameShape() == QFrame::Box;
        };
        EXPECT_EQ(progression->soundingChord(), -1);
        QTest::mouseClick(In<QPushButton>("ButtonPlay"), Qt::LeftButton);
        EXPECT_EQ(progression->soundingChord(), 0);
        EXPECT_TRUE(framed(0));
        EXPECT_FALSE(framed(1));
        QTRY_COMPARE(progression->soundingChord(), 1);
        EXPECT_FALSE(framed(0));
        EXPECT_TRUE(framed(1));
        QTest::mouseClick(In<QPushButton>("ButtonStop"), Qt::LeftButton);
        EXPECT_EQ(progression->soundingChord(), -1);
        EXPECT_FALSE(framed(1));

        progression->activateWindow();
        QTest::keyClick(In<QPlainTextEdit>("MemoChords"), Qt::Key_Escape);
        EXPECT_FALSE(progression->isVisible());
    }

    // The button puts the main window's capo where the song is easiest, and the song follows it.
    TEST_F(ProgressionWindowTest, SuggestCapoSetsTheCapoBox)
    {
        TypeChords("Bb Eb F Gm");
        QTest::mouseClick(In<QPushButton>("ButtonSuggestCapo"), Qt::LeftButton);
        EXPECT_EQ(window->findChild<QSpinBox*>(QStringLiteral("SpinEditCapo"))->value(), 3);
        EXPECT_EQ(ChosenFrets(0), (Voicing { 3, 2, 0, 0, 0, 3 })) << "B flat with the G shape";
        // The window says why, until the song or the capo changes; the cost says what it counts.
        EXPECT_EQ(
            In<QLabel>("LabelCapoAdvice")->text(), QStringLiteral("Capo 3: G C D Em shapes instead of 3 barre chords"));
        EXPECT_FALSE(In<QLabel>("LabelCapoAdvice")->isHidden());
        EXPECT_FALSE(In<QLabel>("LabelTotal")->toolTip().isEmpty());
        TypeChords("D G A7 D7");
        EXPECT_TRUE(In<QLabel>("LabelCapoAdvice")->isHidden());
        QTest::mouseClick(In<QPushButton>("ButtonSuggestCapo"), Qt::LeftButton);
        EXPECT_EQ(window->findChild<QSpinBox*>(QStringLiteral("SpinEditCapo"))->value(), 0);
        EXPECT_EQ(In<QLabel>("LabelCapoAdvice")->text(), QStringLiteral("No capo: every chord is an open shape"));
    }

    TEST_F(ProgressionWindowTest, TextAndOptionsAreKeptInTheSettings)
    {
        TypeChords("Dm7 G7 Cmaj7");
        In<QCheckBox>("CheckBoxLoop")->setChecked(true);
        In<QSpinBox>("SpinBpm")->setValue(140);
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        progression->SaveSettings(settings);

        TypeChords("E");
        In<QCheckBox>("CheckBoxLoop")->setChecked(false);
        progression->RestoreSettings(settings);
        EXPECT_EQ(In<QPlainTextEdit>("MemoChords")->toPlainText().toStdString(), "Dm7 G7 Cmaj7");
        EXPECT_TRUE(In<QCheckBox>("CheckBoxLoop")->isChecked());
        EXPECT_EQ(In<QSpinBox>("SpinBpm")->value(), 140);
        EXPECT_EQ(ShownNames().size(), 3U);
    }

    // The main window's instrument, chosen in its box while the window is open: the chords are chosen,
    // drawn and strummed on its strings, and chosen again on the guitar when it comes back.
    TEST_F(ProgressionWindowTest, TheMainWindowsInstrumentChoosesDrawsAndStrums)
    {
        TypeChords("C Am F G");
        auto* instrument = Find<ChoiceBox>("ComboBoxInstrument");
        instrument->setFocus();
        QTest::keyClicks(instrument, QStringLiteral("Uk"));
        ASSERT_EQ(progression->instrument().strings.strings.count, 4);
        std::vector<std::string> chosen;
        for (const auto& chord : progression->choice().chords)
            chosen.push_back(FretsText(chord.Chosen()->frets));
        EXPECT_EQ(chosen, (std::vector<std::string> { "0 0 0 3 ", "2 0 0 0 ", "2 0 1 0 ", "0 2 3 2 " }));
        EXPECT_EQ(ShownNames(), (std::vector<std::string> { "C", "Am", "F", "G" }));
        EXPECT_EQ(In<QLabel>("LabelCapo")->text(), QStringLiteral("Ukulele (G4 C4 E4 A4)"));

        // "Other fingerings" takes a ukulele diagram selected on the main sheet.
        QTest::mouseClick(OtherFingerings(1), Qt::LeftButton);
        const auto& records = window->records();
        ASSERT_GT(records.size(), 1U);
        const Frets other = records[records[0].frets == progression->choice().chords[1].Chosen()->frets ? 1 : 0].frets;
        emit window->diagramSelected(other);
        EXPECT_EQ(progression->choice().chords[1].Chosen()->frets, other);

        // One beat a chord keeps the test short.
        TypeChords("C:1 Am:1 F:1 G:1");
        In<QSpinBox>("SpinBpm")->setValue(300);
        midi->clear();
        QTest::mouseClick(In<QPushButton>("ButtonPlay"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!progression->playing(), 8000);
        std::vector<int> keys;
        for (const std::uint32_t message : midi->messages())
            if ((message & 0xF0u) == 0x90u && (message >> 8 & 0xFFu) != 0)
                keys.push_back(static_cast<int>(message >> 8 & 0xFFu));
        ASSERT_EQ(keys.size(), 4U * 4U) << "four strings a strum, four chords";
        EXPECT_EQ(std::vector<int>(keys.begin(), keys.begin() + 4), (std::vector<int> { 67, 60, 64, 72 }));

        QTest::keyClick(instrument, Qt::Key_Home);
        EXPECT_EQ(progression->instrument().strings.strings.count, 6);
        EXPECT_EQ(ChosenFrets(0), (Voicing { kMuted, 3, 2, 0, 1, 0 }));
        EXPECT_EQ(In<QLabel>("LabelCapo")->text(), QString());
    }

} // namespace
} // namespace corvane::test
