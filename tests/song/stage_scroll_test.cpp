// The stage view's pace and page turns: how long a song lasts, a pedal going screen by screen
// through one song into the next, and scrolling by itself that pauses and stops at the end.

#include <gtest/gtest.h>

#include "song/chordpro_reader.h"
#include "song/stage_scroll.h"

namespace corvane {
namespace {

    TEST(StageScroll, HowLongASongLasts)
    {
        const struct {
            const char* head;
            double seconds;
        } cases[] = {
            { "{duration: 3:20}", 200 },
            { "{duration: 200}", 200 },
            { "{duration: 1:02:03}", 3723 },
            { "{duration: 2:30}{tempo: 60}", 150 }, // the duration wins
            { "{tempo: 60}", 4 * 4 }, // four chords of a bar of four beats at 60 a minute
            { "{tempo: 120}{time: 3/4}", 4 * 3 / 2.0 },
            { "{tempo: 120}{time: 6/8}", 4 * 6 / 2.0 },
            { "{duration: soon}{tempo: 60}", 16 }, // a duration that cannot be read is passed over
            { "{duration: 0}", 0 },
            { "{tempo: fast}", 0 },
            { "{time: 3/4}", 0 },
            { "", 0 },
        };
        for (const auto& c : cases) {
            std::string text = c.head;
            for (std::size_t at = text.find("}{"); at != std::string::npos; at = text.find("}{"))
                text.insert(at + 1, "\n");
            text += "\n[C]one [G]two [Am]three [F]four\n";
            EXPECT_DOUBLE_EQ(SongSeconds(ShowSong(ReadChordPro(text))), c.seconds) << c.head;
        }
    }

    TEST(StageScroll, APedalGoesThroughASongIntoTheNext)
    {
        // A view of 400 pixels turning 300 at a time: the first song of 1000 is four screens.
        StageScroll scroll({ { 1000, 0 }, { 300, 0 }, { 900, 0 } }, 400, 300);
        std::vector<std::pair<int, double>> seen;
        do
            seen.push_back({ scroll.song(), scroll.offset() });
        while (scroll.Forward());
        EXPECT_EQ(seen,
            (std::vector<std::pair<int, double>> {
                { 0, 0 }, { 0, 300 }, { 0, 600 }, { 1, 0 }, { 2, 0 }, { 2, 300 }, { 2, 500 } }));
        EXPECT_TRUE(scroll.AtEnd());
        EXPECT_FALSE(scroll.Forward()) << "the last song's end stays";

        // Back goes up a screen, and from a song's top to the start of the one before.
        EXPECT_TRUE(scroll.Back());
        EXPECT_EQ(scroll.offset(), 200);
        scroll.Back();
        scroll.Back();
        EXPECT_EQ(scroll.song(), 1);
        EXPECT_TRUE(scroll.PreviousSong());
        EXPECT_FALSE(scroll.PreviousSong());
        EXPECT_TRUE(scroll.NextSong());
        EXPECT_EQ(scroll.offset(), 0);
        EXPECT_FALSE(scroll.GoToSong(3));
        EXPECT_FALSE(StageScroll().Forward());
    }

    TEST(StageScroll, ScrollingByItselfPausesAndStopsAtTheEnd)
    {
        // 600 pixels to scroll in 60 seconds: 10 a second.
        StageScroll scroll({ { 1000, 60 }, { 2000, 0 }, { 200, 30 } }, 400, 300);
        ASSERT_TRUE(scroll.CanPlay());
        EXPECT_FALSE(scroll.Playing()) << "a song comes up paused";
        scroll.TogglePlaying();
        scroll.Advance(6);
        EXPECT_DOUBLE_EQ(scroll.offset(), 60);
        scroll.TogglePlaying();
        scroll.Advance(6);
        EXPECT_DOUBLE_EQ(scroll.offset(), 60) << "paused";
        scroll.TogglePlaying();
        scroll.Faster();
        scroll.Advance(4);
        EXPECT_DOUBLE_EQ(scroll.offset(), 110);
        for (int i = 0; i < 20; ++i)
            scroll.Faster();
        EXPECT_DOUBLE_EQ(scroll.Rate(), 4.0);
        scroll.Advance(1000);
        EXPECT_EQ(scroll.offset(), 600);
        EXPECT_FALSE(scroll.Playing()) << "stopped at the end";
        scroll.TogglePlaying();
        EXPECT_FALSE(scroll.Playing()) << "nothing left to scroll";

        // A song without a length, or shorter than the view, does not scroll by itself.
        scroll.NextSong();
        EXPECT_FALSE(scroll.CanPlay());
        scroll.TogglePlaying();
        EXPECT_FALSE(scroll.Playing());
        scroll.NextSong();
        EXPECT_FALSE(scroll.CanPlay());
        for (int i = 0; i < 20; ++i)
            scroll.Slower();
        EXPECT_DOUBLE_EQ(scroll.Rate(), 0.25);
    }

    TEST(StageScroll, AResizeKeepsThePlace)
    {
        StageScroll scroll({ { 1000, 60 }, { 800, 0 } }, 400, 300);
        scroll.NextSong();
        scroll.Forward(); // 300 of 400
        scroll.Relayout({ { 2000, 60 }, { 1600, 0 } }, 800, 600);
        EXPECT_EQ(scroll.song(), 1);
        EXPECT_DOUBLE_EQ(scroll.offset(), 600);
        scroll.Relayout({ { 100, 0 } }, 400, 300);
        EXPECT_EQ(scroll.song(), 0) << "a song that went away";
        EXPECT_EQ(scroll.offset(), 0);
    }

} // namespace
} // namespace corvane
