#pragma once
// The neck as a control to play on. A click reports where it landed, like any canvas image; from the
// keyboard it has a current spot, a string at a fret or at the nut, framed while the neck has the
// focus: the arrow keys, Home, End, Page Up and Page Down move it, and Space or Enter reports a click
// in the middle of it, so that the keyboard takes the click's own road. A screen reader hears the
// spot and what the hand holds there as the neck's description.

#include "drawing/neck_view.h"
#include "toolkit/canvas_image.h"

namespace corvane {

class NeckImage final : public CanvasImage {
    Q_OBJECT
public:
    explicit NeckImage(QWidget* parent = nullptr);

    // The capo the frets count from; the current spot stays on the frets it leaves.
    void setCapo(int capo);
    // What the hand holds, for the description of the current spot.
    void setFingering(const Fingering& fingering);

    const NeckSpot& currentSpot() const { return m_current; }
    void moveCurrentSpot(const NeckSpot& spot);
    // The point a click on the spot would be reported at: the middle of its area.
    QPoint spotCentre(const NeckSpot& spot) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRect spotRect(const NeckSpot& spot) const;
    void describeCurrent();

    NeckSpot m_current;
    int m_capo = 0;
    Fingering m_fingering = kAllMuted;
};

} // namespace corvane
