#pragma once
// The stage view: songs full screen in large type for playing from, the chord strip kept in view at
// the top, on a light or a dark ground. It turns a screen on the keys a page-turn pedal sends (Page
// Down/Up, Right/Left, Down/Up), goes on from a song's end to the next song of the set, and scrolls
// by itself at the song's pace: Space starts and pauses that, + and − change the pace. N and P go to
// the next and previous song, D changes the ground, Escape leaves.

#include "song/song_sheet.h"
#include "song/stage_scroll.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>

#include <memory>
#include <vector>

class QTimer;

namespace corvane {

class PictureStore;

struct StageSong {
    SongSheetContent sheet;
    double seconds = 0; // how long it lasts (SongSeconds); 0: it does not scroll by itself
};

StageSong StageSongOf(const ShownSong& shown, SongSheetContent sheet);

class TFormStage final : public QWidget {
    Q_OBJECT
public:
    explicit TFormStage(QWidget* parent = nullptr);
    ~TFormStage() override;

    // The songs of the set, the view on `first`, paused at its top.
    void SetSongs(std::vector<StageSong> songs, int first = 0);
    // Full screen, or `size` when given (for tests and the driver, which have no screen to fill).
    void ShowStage(const QSize& size = {});

    void SetDark(bool dark);
    bool dark() const { return m_dark; }
    const StageScroll& scroll() const { return m_scroll; }
    const std::vector<StageSong>& songs() const { return m_songs; }
    int lyricPixels() const { return m_pixels; }
    // The time passed while scrolling by itself, as the frame timer would give it.
    void Advance(double seconds);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    struct Line {
        QString text;
        bool chords = false;
        bool heading = false;
        bool remark = false;
        int indent = 0;
    };
    QPixmap StripPicture(const SongSheetContent& sheet, int band, const QColor& ink) const;
    void Relayout();
    void Moved();
    void Tick();

    std::vector<StageSong> m_songs;
    std::vector<std::vector<Line>> m_lines; // per song, its heading first
    StageScroll m_scroll;
    bool m_dark = false;
    int m_pixels = 24; // the words' size, fitted to the widest line
    int m_lineHeight = 28;
    std::unique_ptr<PictureStore> m_pictures;
    struct StripKey {
        int song = -1;
        int width = 0;
        bool dark = false;
        bool operator==(const StripKey&) const = default;
    };
    QPixmap m_strip; // the strip band as last drawn, for `m_stripKey`
    StripKey m_stripKey;
    QTimer* m_timer = nullptr;
    QElapsedTimer m_clock;
};

} // namespace corvane
