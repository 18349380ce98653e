#pragma once
// The neck as a control to play on. A click reports where it landed, like any canvas image; from the
// keyboard it has a current spot, a string at a fret or at the nut, framed while the neck has the
// focus: the arrow keys, Home, End, Page Up and Page Down move it, and Space or Enter reports a click
// in the middle of it, so that the keyboard takes the click's own road. A screen reader hears the
// spot and what the hand holds there as the neck's description.
//
// It holds either the six-string guitar's photographed neck or, for the other instruments, the drawn
// neck of any number of strings (drawing/strings_neck.h): one geometry, whose size, spots, keyboard
// and description follow the neck's strings and frets. What is drawn on it is the owner's either way.

#include "drawing/neck_view.h"
#include "drawing/strings_neck.h"
#include "toolkit/canvas_image.h"

#include <optional>

namespace corvane {

class NeckImage final : public CanvasImage {
    Q_OBJECT
public:
    explicit NeckImage(QWidget* parent = nullptr);

    // The capo the frets count from; the current spot stays on the frets it leaves.
    void setCapo(int capo);
    // What the hand holds, one fret per string (-1 muted), for the description of the current spot.
    void setFingering(const StringFingering& fingering);

    // The drawn neck of another instrument, or nullopt for the six-string photograph. The control
    // takes the neck's size (and back the size it had before, on the photograph), and the current
    // spot stays on the neck's strings and frets.
    void setStringsNeck(const std::optional<StringsNeck>& neck);
    const std::optional<StringsNeck>& stringsNeck() const { return m_stringsNeck; }
    // The spots, the keyboard's steps and the description follow this geometry, the photograph's
    // being the drawn neck's on six strings and 24 frets.
    StringsNeck geometry() const;

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
    std::optional<NeckSpot> spotAt(QPoint position) const;
    NeckSpot stepped(NeckStep step) const;
    int lastFret() const;
    void describeCurrent();

    NeckSpot m_current;
    int m_capo = 0;
    StringFingering m_fingering = StringFingering(kStrings, kFingeringMuted);
    std::optional<StringsNeck> m_stringsNeck;
    QSize m_photoSize; // the size before the drawn neck took its own
};

} // namespace corvane
