#pragma once
// The Canvas of the program: paints the stored pictures and the fret numbers through a QPainter,
// on the result sheet or on the neck image.

#include "drawing/canvas.h"

class QPainter;

namespace corvane {

class PictureStore;

class QtCanvas final : public Canvas {
public:
    // Both must outlive the canvas. Coordinates are the painter's logical pixels.
    QtCanvas(QPainter& painter, const PictureStore& pictures);

    // Draws the picture at its logical size. The grids, necks, barre and string marks are opaque and
    // cover what is under them; the round finger marks leave their corners transparent so that they
    // sit cleanly on either grid colour and on every neck.
    void drawPicture(Picture picture, int x, int y) override;

    // Uses the painter's font and pen, and fills the text's box with the painter's background brush
    // first (white unless the owner changed it), so that drawing a cell again gives the same pixels
    // instead of darkening the glyph edges.
    void drawText(int x, int y, std::string_view text) override;

    void fillRect(int x, int y, int width, int height, unsigned rgb) override;

private:
    QPainter& m_painter;
    const PictureStore& m_pictures;
};

} // namespace corvane
