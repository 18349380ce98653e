// The stage view through its keys: opened by F11 from the song window, the pedal's keys turning
// screens and going on into the next song of a set, Space scrolling and pausing, Escape leaving.

#include "main_window_fixture.h"
#include "song/chordpro_reader.h"
#include "windows/song_window.h"
#include "windows/stage_window.h"

#include <QApplication>
#include <QTest>

namespace corvane::test {
namespace {

    StageSong Long(const std::string& title, int verses, const std::string& head = {})
    {
        std::string text = "{title: " + title + "}\n" + head;
        for (int v = 0; v < verses; ++v)
            text += "{start_of_verse}\n[C]Down the road and [G]over the hill\n[Am]under the sky we [F]wander still\n"
                    "{end_of_verse}\n\n";
        const ShownSong shown = ShowSong(ReadChordPro(text));
        return StageSongOf(shown, SongSheetOf(shown, ChooseInstrumentSongFingerings(shown, GuitarStrings())));
    }

    TEST_F(MainWindowTest, StageViewOpensFromTheSongWindow)
    {
        window->setSongDialog(
            [](QWidget*, const QString&) { return QStringLiteral(CORVANE_SONGS_DIR "/swing_low.cho"); });
        window->findChild<QAction*>(QStringLiteral("OpenSong1"))->trigger();
        TFormSong* song = window->songWindow();
        ASSERT_NE(song, nullptr);
        QApplication::setActiveWindow(song);
        QTest::keyClick(song->findChild<QWidget*>(QStringLiteral("TextLyrics")), Qt::Key_F11);
        TFormStage* stage = song->stageWindow();
        ASSERT_NE(stage, nullptr);
        EXPECT_TRUE(stage->isVisible());
        ASSERT_EQ(stage->songs().size(), 1u);
        EXPECT_EQ(stage->songs().front().sheet.title, "Swing Low, Sweet Chariot");
        EXPECT_FALSE(stage->songs().front().sheet.diagrams.empty()) << "the strip comes along";
        QTest::keyClick(stage, Qt::Key_Escape);
        EXPECT_FALSE(stage->isVisible());
    }

    TEST_F(MainWindowTest, StageViewKeysTurnThroughASet)
    {
        TFormStage stage;
        stage.SetSongs({ Long("First", 12, "{duration: 1:00}\n"), Long("Second", 1), Long("Third", 12) });
        stage.ShowStage(QSize(800, 600));
        EXPECT_GE(stage.lyricPixels(), 24) << "large type for a short line";
        // Page Down goes screen by screen to the first song's end, then into the second.
        int turns = 0;
        while (stage.scroll().song() == 0 && turns++ < 50)
            QTest::keyClick(&stage, Qt::Key_PageDown);
        EXPECT_GT(turns, 2);
        EXPECT_EQ(stage.scroll().song(), 1);
        EXPECT_EQ(stage.scroll().offset(), 0);
        for (const Qt::Key key : { Qt::Key_Right, Qt::Key_Down }) {
            QTest::keyClick(&stage, key);
            EXPECT_EQ(stage.scroll().song(), 2) << "a song shorter than the view is one screen";
            QTest::keyClick(&stage, Qt::Key_P);
        }
        QTest::keyClick(&stage, Qt::Key_N);
        QTest::keyClick(&stage, Qt::Key_PageDown);
        const double down = stage.scroll().offset();
        EXPECT_GT(down, 0);
        for (const Qt::Key key : { Qt::Key_Left, Qt::Key_Up })
            QTest::keyClick(&stage, key);
        EXPECT_EQ(stage.scroll().song(), 1) << "back from the top goes to the song before";
        // A song without a length: Space turns a screen.
        QTest::keyClick(&stage, Qt::Key_Space);
        EXPECT_EQ(stage.scroll().song(), 2);

        // The first song scrolls by itself: Space starts and pauses, + quickens, and it stops at the end.
        QTest::keyClick(&stage, Qt::Key_Home); // not a key of the view: nothing happens
        stage.SetSongs(stage.songs(), 0);
        QTest::keyClick(&stage, Qt::Key_Space);
        EXPECT_TRUE(stage.scroll().Playing());
        stage.Advance(1);
        const double after = stage.scroll().offset();
        EXPECT_GT(after, 0);
        QTest::keyClick(&stage, Qt::Key_Space);
        stage.Advance(1);
        EXPECT_EQ(stage.scroll().offset(), after);
        QTest::keyClick(&stage, Qt::Key_Plus);
        EXPECT_GT(stage.scroll().Rate(), 1);
        QTest::keyClick(&stage, Qt::Key_Space);
        stage.Advance(600);
        EXPECT_TRUE(stage.scroll().AtEnd());
        EXPECT_FALSE(stage.scroll().Playing());
        EXPECT_EQ(stage.scroll().song(), 0) << "the end of a song stops there";

        QTest::keyClick(&stage, Qt::Key_D);
        EXPECT_TRUE(stage.dark());
        QTest::keyClick(&stage, Qt::Key_Tab);
        QTest::keyClick(&stage, Qt::Key_PageUp);
        EXPECT_LT(stage.scroll().offset(), stage.scroll().MaxOffset()) << "Tab does not take the keys away";
        EXPECT_FALSE(stage.accessibleName().isEmpty());
    }

} // namespace
} // namespace corvane::test
