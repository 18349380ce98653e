#pragma once
// What a stage view shows of a set of songs: which song, how far down it, and scrolling by itself
// at the song's own pace. Page turns go a screen at a time; past a song's end they go on to the next
// song. Plain arithmetic in the view's pixels, for the window to draw.

#include <string>
#include <vector>

#include "song/song_view.h"

namespace corvane {

// How long the song lasts, in seconds: its {duration} ("3:20" or "200"); else its chords played a
// bar each at its {tempo}, in {time}'s beats (4 when it gives none); 0 when neither is known.
double SongSeconds(const ShownSong& shown);

// One song as the view lays it out: its height and how long it lasts.
struct StageExtent {
    int height = 0;
    double seconds = 0; // 0: the song does not scroll by itself
};

class StageScroll {
public:
    // `view`: the height shown of a song; `step`: how far a page turn moves (less than the view, so
    // that the last lines stay in sight).
    StageScroll(std::vector<StageExtent> songs = {}, int view = 1, int step = 1);

    // The window was resized: each song's height again; the place in the song is kept.
    void Relayout(std::vector<StageExtent> songs, int view, int step);

    // A page turn forward: a screen down, or at the end of a song the start of the next. False when
    // nothing moved (the end of the last song).
    bool Forward();
    // A screen up, or at the top of a song the start of the one before.
    bool Back();
    bool NextSong();
    bool PreviousSong();
    bool GoToSong(int song);

    // Scrolling by itself: paused when a song comes up, stopped at its end.
    bool CanPlay() const; // the song has a length
    bool Playing() const { return m_playing; }
    void TogglePlaying();
    void Faster(); // the pace by a step, 25% to 400% of the song's own
    void Slower();
    double Rate() const { return m_rate; }
    double Speed() const; // pixels a second at the present rate
    // Time went by while playing: the song moves on, and stops at its end.
    void Advance(double seconds);

    int song() const { return m_song; }
    int songs() const { return static_cast<int>(m_songs.size()); }
    double offset() const { return m_offset; }
    int MaxOffset() const;
    bool AtEnd() const;
    // The screen shown, from 1, counted in page turns from the song's top.
    int Screen() const;

private:
    void Enter(int song);

    std::vector<StageExtent> m_songs;
    int m_view = 1;
    int m_step = 1;
    int m_song = 0;
    double m_offset = 0;
    bool m_playing = false;
    double m_rate = 1.0;
};

} // namespace corvane
