// The song window through its real widgets, opened from the main window's File menu: the song's
// heading, strip and words; Transpose and Capo rename the shapes; a refused file leaves the song as it
// was; a chord sheet pasted becomes the song; "Other fingerings" takes a diagram clicked on the main
// sheet; Play strums; Export and Save write files that read back.

#include "main_window_fixture.h"
#include "song/chordpro_reader.h"
#include "toolkit/choice_box.h"
#include "toolkit/chord_export.h"
#include "windows/chord_strip.h"
#include "windows/song_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPageLayout>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

namespace corvane::test {
namespace {

    const QString kSongs = QStringLiteral(CORVANE_SONGS_DIR);

    class SongWindowTest : public MainWindowTest {
    protected:
        SongWindowTest()
        {
            window->setSongDialog([this](QWidget*, const QString&) { return chosen; });
            Open(kSongs + QStringLiteral("/swing_low.cho"));
            song = window->songWindow();
            EXPECT_NE(song, nullptr);
            EXPECT_TRUE(song->isVisible());
            SongDialogs dialogs;
            dialogs.common.warn = [this](QWidget*, const QString& text) { warnings << text; };
            dialogs.common.saveFileName = [this](QWidget*, const QString&, QString*) { return exportPath; };
            dialogs.saveChordProName = [this](QWidget*, const QString&) { return exportPath; };
            song->setDialogs(std::move(dialogs));
        }

        // As the user does it: Ctrl+O on the main window, the file dialog answering `path`.
        void Open(const QString& path)
        {
            chosen = path;
            window->activateWindow();
            QAction* item = window->findChild<QAction*>(QStringLiteral("OpenSong1"));
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->shortcut(), QKeySequence(QKeySequence::Open));
            item->trigger();
        }

        template <typename T> T* In(const char* name) const
        {
            T* found = song->findChild<T*>(QString::fromLatin1(name));
            EXPECT_NE(found, nullptr) << "no control " << name;
            return found;
        }

        std::vector<std::string> StripNames() const
        {
            std::vector<std::string> names;
            for (const QString& name : song->findChild<ChordStrip*>()->names())
                names.push_back(name.toStdString());
            return names;
        }

        void Click(const char* button) { QTest::mouseClick(In<QAbstractButton>(button), Qt::LeftButton); }

        QString chosen;
        QString exportPath;
        QStringList warnings;
        TFormSong* song = nullptr;
    };

    TEST_F(SongWindowTest, ShowsHeadingStripAndWordsWithChordsAbove)
    {
        EXPECT_EQ(In<QLabel>("LabelTitle")->text(), QStringLiteral("Swing Low, Sweet Chariot"));
        EXPECT_EQ(In<QLabel>("LabelSubtitle")->text(), QStringLiteral("Traditional spiritual"));
        EXPECT_TRUE(In<QLabel>("LabelKey")->text().contains(QStringLiteral("Key: D")));
        EXPECT_EQ(StripNames(), (std::vector<std::string> { "D", "G", "A7" }));
        EXPECT_FALSE(song->findChild<QWidget*>(QStringLiteral("Chord0"))->findChild<QLabel*>()->pixmap().isNull());
        const QStringList lines = In<QTextEdit>("TextLyrics")->toPlainText().split(QLatin1Char('\n'));
        const auto words = std::find_if(lines.begin(), lines.end(),
            [](const QString& line) { return line.trimmed().startsWith(QStringLiteral("Swing low")); });
        ASSERT_NE(words, lines.end());
        ASSERT_NE(words, lines.begin());
        // "D" stands over the "l" of "low".
        const QString& chords = *(words - 1);
        EXPECT_EQ(chords.indexOf(QLatin1Char('D')), words->indexOf(QStringLiteral("low")));
        EXPECT_EQ(window->RecentSongs().size(), 0) << "no settings file in a test";
    }

    TEST_F(SongWindowTest, EveryTestSongOpensWithEveryChordDrawn)
    {
        const QStringList files = QDir(kSongs).entryList({ QStringLiteral("*.cho") }, QDir::Files, QDir::Name);
        EXPECT_GE(files.size(), 10);
        for (const QString& name : files) {
            EXPECT_TRUE(window->OpenSongFile(kSongs + QLatin1Char('/') + name)) << name.toStdString();
            EXPECT_EQ(song->path(), kSongs + QLatin1Char('/') + name);
            EXPECT_FALSE(In<QLabel>("LabelTitle")->text().isEmpty()) << name.toStdString();
            EXPECT_FALSE(song->strip().empty()) << name.toStdString();
            for (const StringStripChord& chord : song->strip())
                EXPECT_TRUE(chord.frets.has_value()) << name.toStdString() << ": " << chord.name;
        }
        EXPECT_TRUE(warnings.isEmpty());
    }

    // A file dropped on the main window opens; with settings, File > Recent songs lists it first and
    // its item opens it again.
    TEST_F(SongWindowTest, DroppedFileOpensAndRecentSongsReopenIt)
    {
        QTemporaryDir folder;
        window->UseSettings(
            std::make_unique<QSettings>(folder.filePath(QStringLiteral("kept.ini")), QSettings::IniFormat));
        const QString path = kSongs + QStringLiteral("/greensleeves.cho");
        QMimeData data;
        data.setUrls({ QUrl::fromLocalFile(path) });
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        EXPECT_EQ(song->path(), path);
        EXPECT_EQ(window->RecentSongs().value(0), QFileInfo(path).absoluteFilePath());

        Open(kSongs + QStringLiteral("/swing_low.cho"));
        auto* recent = Find<QMenu>("RecentSongs1");
        emit recent->aboutToShow();
        ASSERT_EQ(recent->actions().size(), 2);
        EXPECT_EQ(recent->actions().at(1)->text(), QStringLiteral("greensleeves.cho"));
        recent->actions().at(1)->trigger();
        EXPECT_EQ(song->path(), QFileInfo(path).absoluteFilePath());
    }

    TEST_F(SongWindowTest, TransposeAndCapoRenameTheShapes)
    {
        Click("ButtonTransposeUp");
        Click("ButtonTransposeUp");
        EXPECT_EQ(song->transpose(), 2);
        EXPECT_EQ(StripNames(), (std::vector<std::string> { "E", "A", "B7" }));
        auto* capo = In<QSpinBox>("SpinCapo");
        capo->setFocus();
        QTest::keyClick(capo, Qt::Key_Up);
        QTest::keyClick(capo, Qt::Key_Up);
        EXPECT_EQ(StripNames(), (std::vector<std::string> { "D", "G", "A7" }));
        EXPECT_TRUE(In<QLabel>("LabelKey")->text().contains(QStringLiteral("E"))) << "the sounding key is said";
        for (int step = 0; step < 14; ++step)
            Click("ButtonTransposeDown");
        QTest::keyClick(capo, Qt::Key_Down);
        QTest::keyClick(capo, Qt::Key_Down);
        EXPECT_EQ(song->transpose(), -12);
        EXPECT_EQ(StripNames(), (std::vector<std::string> { "D", "G", "A7" })) << "twelve steps give the song back";
    }

    TEST_F(SongWindowTest, FileRefusedKeepsTheSongAndSaysWhy)
    {
        QTemporaryDir folder;
        const QString binary = folder.filePath(QStringLiteral("noise.cho"));
        QFile file(binary);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\x00\x01\x02{title: x}\x00\xff", 14));
        file.close();
        Open(binary);
        ASSERT_EQ(warnings.size(), 1);
        EXPECT_TRUE(warnings.front().contains(QStringLiteral("noise.cho")));
        EXPECT_EQ(song->shown().title, "Swing Low, Sweet Chariot");
        EXPECT_EQ(song->path(), kSongs + QStringLiteral("/swing_low.cho"));
    }

    TEST_F(SongWindowTest, PastedChordSheetBecomesTheSong)
    {
        QApplication::clipboard()->setText(QStringLiteral("Am        F\nHouse of the rising sun\n"));
        song->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(song));
        In<QTextEdit>("TextLyrics")->setFocus();
        QTest::keyClick(In<QTextEdit>("TextLyrics"), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(StripNames(), (std::vector<std::string> { "Am", "F" }));
        ASSERT_FALSE(song->shown().lines.empty());
        EXPECT_EQ(song->shown().lines.front().text, "House of the rising sun");
        // The conversion is a note, not a problem.
        EXPECT_TRUE(In<QLabel>("LabelNotes")->text().contains(QStringLiteral("converted to ChordPro")));
        EXPECT_FALSE(In<QLabel>("LabelNotes")->isHidden());
        EXPECT_EQ(In<QListWidget>("ListProblems")->count(), 0);
        // A sheet from a chord site, its chords in [ch] markup, reads the same way.
        QApplication::clipboard()->setText(QStringLiteral("[ch]Am[/ch]       [ch]F[/ch]\nHouse of the rising sun\n"));
        QTest::keyClick(In<QTextEdit>("TextLyrics"), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(StripNames(), (std::vector<std::string> { "Am", "F" }));
    }

    // Ctrl+O and the recent songs open songs from the song window as from the main window's menu.
    TEST_F(SongWindowTest, OpenAndRecentSongsFromTheSongWindow)
    {
        QTemporaryDir folder;
        window->UseSettings(
            std::make_unique<QSettings>(folder.filePath(QStringLiteral("kept.ini")), QSettings::IniFormat));
        song->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(song));
        const QString greensleeves = kSongs + QStringLiteral("/greensleeves.cho");
        chosen = greensleeves;
        QTest::keyClick(In<QTextEdit>("TextLyrics"), Qt::Key_O, Qt::ControlModifier);
        EXPECT_EQ(song->path(), greensleeves);
        Open(kSongs + QStringLiteral("/circle.cho"));
        auto* recent = In<QMenu>("MenuRecentSongs");
        emit recent->aboutToShow();
        ASSERT_EQ(recent->actions().size(), 2);
        EXPECT_EQ(recent->actions().at(1)->text(), QStringLiteral("greensleeves.cho"));
        recent->actions().at(1)->trigger();
        EXPECT_EQ(song->path(), QFileInfo(greensleeves).absoluteFilePath());
    }

    // The window is whole on the screen; "Suggest capo" says what it decided; the frame of the chord
    // playing is as wide as its card.
    TEST_F(SongWindowTest, WindowFitsAndSaysWhyItsCapo)
    {
        const QRect free = song->screen()->availableGeometry();
        EXPECT_TRUE(free.contains(song->geometry())) << "the window is within the screen";
        TFormSong large(SongHost {}, window.get());
        large.resize(free.width() * 2, free.height() * 2);
        large.show();
        EXPECT_TRUE(free.contains(large.geometry())) << "even one made larger than the screen";
        Click("ButtonSuggestCapo");
        EXPECT_EQ(song->capo(), 0);
        EXPECT_EQ(In<QLabel>("LabelCapoAdvice")->text(), QStringLiteral("No capo: every chord is an open shape"));
        Click("ButtonTransposeUp");
        EXPECT_TRUE(In<QLabel>("LabelCapoAdvice")->isHidden()) << "the advice was for the song as it was";

        Click("ButtonPlay");
        auto* diagram
            = song->findChild<QWidget*>(QStringLiteral("Chord0"))->findChild<QLabel*>(QStringLiteral("Diagram"));
        EXPECT_EQ(diagram->frameShape(), QFrame::Box);
        const QSize card = diagram->pixmap().deviceIndependentSize().toSize();
        EXPECT_LE(diagram->width(), card.width() + 2 * diagram->frameWidth());
        Click("ButtonStop");
    }

    TEST_F(SongWindowTest, OtherFingeringsTakesTheDiagramClickedOnTheMainSheet)
    {
        auto* other = song->findChild<QWidget*>(QStringLiteral("Chord1"))->findChild<QToolButton*>();
        QTest::mouseClick(other, Qt::LeftButton);
        EXPECT_EQ(song->waitingChord(), 1);
        EXPECT_EQ(Find<QLineEdit>("EditAcorde")->text(), QStringLiteral("G"));
        const auto& records = window->records();
        std::size_t index = 0;
        while (index + 1 < records.size() && records[index].frets == *song->strip()[1].frets)
            ++index;
        const Frets clicked = records.at(index).frets;
        emit window->diagramSelected(clicked);
        EXPECT_EQ(song->waitingChord(), -1);
        EXPECT_EQ(song->strip()[1].frets, clicked);
        // Saved as the CLI writes a fingering: its base fret and its fingers.
        QTemporaryDir folder;
        exportPath = folder.filePath(QStringLiteral("picked.cho"));
        Click("ButtonSave");
        QFile saved(exportPath);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(saved.readAll());
        const qsizetype define = text.indexOf(QStringLiteral("{define: G "));
        ASSERT_GE(define, 0) << text.toStdString();
        EXPECT_TRUE(
            text.mid(define, text.indexOf(QLatin1Char('}'), define) - define).contains(QStringLiteral(" fingers ")))
            << text.toStdString();
    }

    // A songbook of two songs: the first shown with its markup and substitutions, the other chosen
    // from the list of the file's songs.
    TEST_F(SongWindowTest, SongbookShowsMarkupSubstitutionsAndItsOtherSongs)
    {
        auto* list = In<QComboBox>("ComboSongs");
        EXPECT_TRUE(list->isHidden()) << "one song, no list";
        ASSERT_TRUE(song->OpenText(QStringLiteral("{title: One}\n{key: G}\n{c: Key %{key}%{capo| capo %{}}}\n"
                                                  "<b>[G]Loud</b> and [C]soft\n{ns}\n{title: Two}\n[D]second\n")));
        EXPECT_FALSE(list->isHidden());
        ASSERT_EQ(list->count(), 2);
        const QTextDocument* words = In<QTextEdit>("TextLyrics")->document();
        EXPECT_TRUE(words->toPlainText().contains(QStringLiteral("Key G\n")));
        const QTextBlock loud = words->find(QStringLiteral("Loud and soft")).block();
        ASSERT_TRUE(loud.isValid());
        // "G" stands over "Loud", which is bold, and "soft" is not.
        EXPECT_EQ(loud.previous().text().indexOf(QLatin1Char('C')), loud.text().indexOf(QStringLiteral("soft")));
        QTextCursor at(loud);
        at.setPosition(loud.position() + 1);
        EXPECT_EQ(at.charFormat().fontWeight(), QFont::Bold);
        at.setPosition(loud.position() + loud.text().indexOf(QStringLiteral("soft")) + 1);
        EXPECT_NE(at.charFormat().fontWeight(), QFont::Bold);

        list->setCurrentIndex(1);
        emit list->activated(1);
        EXPECT_EQ(song->songIndex(), 1);
        EXPECT_EQ(In<QLabel>("LabelTitle")->text(), QStringLiteral("Two"));
        EXPECT_EQ(StripNames(), (std::vector<std::string> { "D" }));
    }

    TEST_F(SongWindowTest, PlayStrumsAndExportsAndSaveWriteFiles)
    {
        Click("ButtonPlay");
        EXPECT_TRUE(song->playing());
        EXPECT_FALSE(midi->text().empty());
        Click("ButtonStop");
        EXPECT_FALSE(song->playing());

        QTemporaryDir folder;
        for (const char* name : { "sheet.pdf", "sheet.svg", "sheet.png" }) {
            exportPath = folder.filePath(QString::fromLatin1(name));
            Click("ButtonExport");
            EXPECT_GT(QFileInfo(exportPath).size(), 100) << name;
        }
        // Printing offers the PDF's page and margins.
        std::optional<QPageLayout> offered;
        SongDialogs printing;
        printing.common.choosePrinter = [&](QWidget*, QPrinter& printer) {
            offered = printer.pageLayout();
            return false;
        };
        printing.common.warn = [this](QWidget*, const QString& text) { warnings << text; };
        printing.saveChordProName = [this](QWidget*, const QString&) { return exportPath; };
        song->setDialogs(printing);
        Click("ButtonPrint");
        ASSERT_TRUE(offered.has_value());
        EXPECT_EQ(*offered, SheetPageLayout());
        Click("ButtonTransposeUp");
        Click("ButtonTransposeUp");
        exportPath = folder.filePath(QStringLiteral("moved"));
        Click("ButtonSave");
        const SongReading saved = ReadSongFile(folder.filePath(QStringLiteral("moved.cho")).toStdString());
        ASSERT_TRUE(saved.Read());
        EXPECT_EQ(saved.song.title, "Swing Low, Sweet Chariot");
        EXPECT_EQ(saved.song.definitions.size(), 3U) << "a {define} for each chosen fingering";
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
    }

    // The song open when the main window turns to the ukulele is chosen again on its strings, and so is
    // a song opened then; "Other fingerings" takes a ukulele diagram; the guitar gives six strings back.
    TEST_F(SongWindowTest, TheMainWindowsInstrumentChoosesTheStrip)
    {
        auto* instrument = Find<ChoiceBox>("ComboBoxInstrument");
        instrument->setFocus();
        QTest::keyClicks(instrument, QStringLiteral("Uk"));
        ASSERT_EQ(song->instrument().strings.strings.count, 4);
        for (const StringStripChord& chord : song->strip())
            EXPECT_TRUE(!chord.frets || chord.frets->count == 4) << chord.name;
        Open(kSongs + QStringLiteral("/amazing_grace.cho"));
        ASSERT_FALSE(song->strip().empty());
        ASSERT_TRUE(song->strip().front().frets);
        EXPECT_EQ(song->strip().front().frets->count, 4);
        EXPECT_TRUE(In<QLabel>("LabelKey")->text().endsWith(QStringLiteral("Ukulele (G4 C4 E4 A4)")));

        QTest::mouseClick(
            song->findChild<QWidget*>(QStringLiteral("Chord1"))->findChild<QToolButton*>(), Qt::LeftButton);
        const auto& records = window->records();
        ASSERT_GT(records.size(), 1U);
        const Frets clicked = records[records[0].frets == *song->strip()[1].frets ? 1 : 0].frets;
        emit window->diagramSelected(clicked);
        EXPECT_EQ(song->strip()[1].frets, clicked);

        QTest::keyClick(instrument, Qt::Key_Home);
        EXPECT_EQ(song->instrument().strings.strings.count, 6);
        ASSERT_TRUE(song->strip().front().frets);
        EXPECT_EQ(song->strip().front().frets->count, 6);
        EXPECT_EQ(song->strip().front().name, song->StripNames().front());

        // A song is read for the instrument's strings: its four-string {define} wins on the ukulele.
        ASSERT_TRUE(song->OpenText(QStringLiteral("{define: C base-fret 1 frets 5 4 3 3}\n[C]la [G]la\n")));
        QTest::keyClicks(instrument, QStringLiteral("Uk"));
        ASSERT_EQ(song->instrument().strings.strings.count, 4);
        ASSERT_TRUE(song->strip().at(0).frets);
        EXPECT_EQ(FretsText(*song->strip()[0].frets), "5 4 3 3 ");
    }

    // A fingering picked with "Other fingerings" is the instrument's it was picked on: the mandolin,
    // which has four strings too, chooses its own, and the ukulele has it back. The song's own
    // %{tuning} names the strings as they are tuned, the guitar's too.
    TEST_F(SongWindowTest, APickHoldsOnItsInstrumentAndTheTuningIsNamedAsTuned)
    {
        auto* instrument = Find<ChoiceBox>("ComboBoxInstrument");
        instrument->setFocus();
        // A caption's first letters, typed once the box has forgotten the last ones.
        const auto choose = [&](const QString& caption) {
            QTest::qWait(QApplication::keyboardInputInterval() + 50);
            QTest::keyClick(instrument, Qt::Key_Home);
            QTest::keyClicks(instrument, caption);
        };
        choose(QStringLiteral("Uk"));
        ASSERT_TRUE(song->OpenText(QStringLiteral("{c: %{instrument} %{tuning}}\n[C]la [G]la [C]la\n")));
        QTest::mouseClick(
            song->findChild<QWidget*>(QStringLiteral("Chord1"))->findChild<QToolButton*>(), Qt::LeftButton);
        const auto& records = window->records();
        ASSERT_GT(records.size(), 1U);
        const Frets picked = records[records[0].frets == *song->strip()[1].frets ? 1 : 0].frets;
        emit window->diagramSelected(picked);
        ASSERT_EQ(song->strip()[1].frets, picked);
        EXPECT_TRUE(song->strip()[1].defined) << "the pick joins the song's definitions";

        choose(QStringLiteral("Man"));
        ASSERT_EQ(song->instrument().name, "mandolin");
        EXPECT_FALSE(song->strip()[1].defined);

        choose(QStringLiteral("Uk"));
        EXPECT_EQ(song->strip()[1].frets, picked);

        choose(QStringLiteral("Gu"));
        ASSERT_EQ(song->instrument().name, "guitar");
        Find<QAction>("DropD1")->trigger();
        song->Recompute();
        const QString words = In<QTextEdit>("TextLyrics")->toPlainText();
        EXPECT_TRUE(words.contains(QStringLiteral("guitar D2 A2 D3 G3 B3 E4"))) << words.toStdString();
    }

} // namespace
} // namespace corvane::test
