// The setlist window and File > "Make songbook…" through their controls: songs added, moved with
// Alt+Up/Down, given a key and a capo, saved and read back; the set in the stage view, Page Down
// going on into the next song; a songbook made under its progress bar, and cancelled.

#include "main_window_fixture.h"
#include "toolkit/choice_box.h"
#include "windows/setlist_window.h"
#include "windows/stage_window.h"

#include <QApplication>
#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QProgressDialog>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>

namespace corvane::test {
namespace {

    const QString kSongs = QStringLiteral(CORVANE_SONGS_DIR);

    class SetlistWindowTest : public MainWindowTest {
    protected:
        SetlistWindowTest()
        {
            window->findChild<QAction*>(QStringLiteral("Setlist1"))->trigger();
            setlist = window->setlistWindow();
            EXPECT_NE(setlist, nullptr);
            SetlistDialogs dialogs;
            dialogs.songFiles = [this](QWidget*) { return adding; };
            dialogs.tell = [this](QWidget*, const QString& text) { told << text; };
            dialogs.bookStep = [this](QProgressDialog& dialog, int step) {
                if (step == cancelAt)
                    dialog.cancel();
            };
            setlist->setDialogs(std::move(dialogs));
            adding = { kSongs + QStringLiteral("/swing_low.cho"), kSongs + QStringLiteral("/amazing_grace.cho"),
                kSongs + QStringLiteral("/greensleeves.cho") };
            In<QPushButton>("ButtonSetlistAdd")->click();
        }

        template <typename T> T* In(const char* name) const
        {
            T* found = setlist->findChild<T*>(QString::fromLatin1(name));
            EXPECT_NE(found, nullptr) << "no control " << name;
            return found;
        }

        std::vector<std::string> Files() const
        {
            std::vector<std::string> files;
            for (const SetlistSong& song : setlist->setlist().songs)
                files.push_back(QFileInfo(QString::fromStdString(song.path)).fileName().toStdString());
            return files;
        }

        TFormSetlist* setlist = nullptr;
        QStringList adding;
        QStringList told;
        int cancelAt = -1;
        QTemporaryDir dir;
    };

    TEST_F(SetlistWindowTest, SongsAreAddedMovedSetAndSaved)
    {
        EXPECT_EQ(Files(), (std::vector<std::string> { "swing_low.cho", "amazing_grace.cho", "greensleeves.cho" }));
        auto* list = In<QListWidget>("ListSetlist");
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
        EXPECT_EQ(Files(), (std::vector<std::string> { "amazing_grace.cho", "swing_low.cho", "greensleeves.cho" }));
        EXPECT_EQ(setlist->current(), 1) << "the song moved stays chosen";
        QTest::keyClick(list, Qt::Key_Up, Qt::AltModifier);
        QTest::keyClick(list, Qt::Key_Up, Qt::AltModifier);
        EXPECT_EQ(Files()[0], "swing_low.cho");

        // A drag in the list moves its rows: the set follows.
        list->model()->moveRow(QModelIndex(), 2, QModelIndex(), 0);
        EXPECT_EQ(Files(), (std::vector<std::string> { "greensleeves.cho", "swing_low.cho", "amazing_grace.cho" }));
        list->model()->moveRow(QModelIndex(), 0, QModelIndex(), 3);
        ASSERT_EQ(Files()[0], "swing_low.cho");
        list->setCurrentRow(0);

        In<QSpinBox>("SpinSetlistTranspose")->setValue(2);
        In<QSpinBox>("SpinSetlistCapo")->setValue(3);
        QTest::keyClicks(In<QLineEdit>("EditSetlistNotes"), QStringLiteral("up a tone"));
        const SetlistSong& first = setlist->setlist().songs[0];
        EXPECT_EQ(first.transpose, 2);
        EXPECT_EQ(first.capo, 3);
        EXPECT_EQ(first.notes, "up a tone");
        EXPECT_TRUE(list->item(0)->text().contains(QStringLiteral("capo 3")));

        list->setCurrentRow(2);
        In<QPushButton>("ButtonSetlistRemove")->click();
        EXPECT_EQ(Files().size(), 2u);

        const QString path = dir.filePath(QStringLiteral("gig.setlist"));
        ASSERT_TRUE(setlist->Save(path));
        const Setlist saved = setlist->setlist();
        TFormSetlist other({});
        ASSERT_TRUE(other.Load(path));
        EXPECT_EQ(other.setlist(), saved);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().startsWith("corvane-setlist 1\n"));

        // Every control is named for a screen reader, and Tab goes round them.
        for (QWidget* control : setlist->findChildren<QWidget*>()) {
            if (control->focusPolicy() & Qt::TabFocus && control->isVisibleTo(setlist)) {
                EXPECT_FALSE(control->accessibleName().isEmpty() && control->property("text").toString().isEmpty())
                    << control->objectName().toStdString();
            }
        }
    }

    TEST_F(SetlistWindowTest, TheSetOnStage)
    {
        In<QListWidget>("ListSetlist")->setCurrentRow(0);
        setlist->OpenStage(QSize(800, 600));
        TFormStage* stage = setlist->stageWindow();
        ASSERT_NE(stage, nullptr);
        ASSERT_EQ(stage->songs().size(), 3u);
        int turns = 0;
        while (stage->scroll().song() == 0 && turns++ < 50)
            QTest::keyClick(stage, Qt::Key_PageDown);
        EXPECT_EQ(stage->scroll().song(), 1) << "Page Down went on into the next song";
        EXPECT_EQ(stage->songs()[1].sheet.title, "Amazing Grace");
    }

    // On another instrument the stage reads each song for its strings: the song's own fingering for
    // them is the one on stage.
    TEST_F(SetlistWindowTest, TheStageReadsTheSongsForTheInstrumentsStrings)
    {
        const QString path = dir.filePath(QStringLiteral("own.cho"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{title: Own}\n{define: C base-fret 1 frets 5 4 3 3}\n[C]la [G]la\n");
        file.close();
        adding = { path };
        In<QPushButton>("ButtonSetlistAdd")->click();
        auto* instrument = Find<ChoiceBox>("ComboBoxInstrument");
        instrument->setFocus();
        QTest::keyClicks(instrument, QStringLiteral("Uk"));
        setlist->OpenStage(QSize(800, 600));
        ASSERT_NE(setlist->stageWindow(), nullptr);
        const auto& songs = setlist->stageWindow()->songs();
        ASSERT_EQ(songs.size(), 4u);
        ASSERT_FALSE(songs[3].sheet.diagrams.empty());
        EXPECT_EQ(FretsText(songs[3].sheet.diagrams[0]), "5 4 3 3 ");
    }

    TEST_F(SetlistWindowTest, ASongbookIsMadeOrCancelled)
    {
        const QString out = dir.filePath(QStringLiteral("set.pdf"));
        cancelAt = 4; // on the book's first pages
        BookOutcome outcome = setlist->MakeBook(out);
        EXPECT_TRUE(outcome.cancelled);
        EXPECT_FALSE(QFile::exists(out)) << "nothing written when cancelled";

        cancelAt = -1;
        adding = { kSongs + QStringLiteral("/gone.cho") };
        In<QPushButton>("ButtonSetlistAdd")->click();
        outcome = setlist->MakeBook(out);
        EXPECT_TRUE(outcome.made);
        EXPECT_EQ(outcome.pages, 1 + 1 + 3);
        ASSERT_EQ(told.size(), 1);
        EXPECT_TRUE(told.front().contains(QStringLiteral("gone.cho"))) << told.front().toStdString();
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(5) == "%PDF-");

        // Print lays the book out for the printer's paper.
        const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
        SetlistDialogs dialogs;
        dialogs.choosePrinter = [&](QWidget*, QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            printer.setPageSize(QPageSize(QPageSize::Letter));
            return true;
        };
        dialogs.tell = [](QWidget*, const QString&) {};
        setlist->setDialogs(std::move(dialogs));
        In<QPushButton>("ButtonSetlistPrint")->click();
        EXPECT_GT(QFileInfo(printed).size(), 1000);
    }

    TEST_F(MainWindowTest, MakeSongbookFromTheFileMenu)
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("book.pdf"));
        QStringList told;
        window->setSongbookDialogs(
            [](QWidget*) {
                return QStringList { kSongs + QStringLiteral("/swing_low.cho"),
                    kSongs + QStringLiteral("/red_river.cho") };
            },
            [&](QWidget*, const QString&) { return out; }, [&](const QString& text) { told << text; });
        window->findChild<QAction*>(QStringLiteral("MakeSongbook1"))->trigger();
        EXPECT_TRUE(QFile::exists(out));
        EXPECT_TRUE(told.isEmpty());
        EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("Songbook of")));
    }

} // namespace
} // namespace corvane::test
