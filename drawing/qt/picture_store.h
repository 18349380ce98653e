#pragma once
// The pictures of the diagrams, the necks and the window decorations, compiled in from SVG files
// (resources/pictures.qrc, prefix /pictures) and rendered once at a device pixel ratio, so that they
// stay crisp on high-density screens while keeping their stated size in logical pixels.

#include "drawing/canvas.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <array>

namespace corvane {

// Pictures the windows show directly rather than through a Canvas.
enum class Artwork {
    Banner, // 450 x 80; its middle 48 rows show in the main window's banner strip
    Logo, // 300 x 42; the About window shows its left 209 x 41
    Tuning, // 16 x 16 tool-bar icon for the tuning button
    Magnifier, // 20 x 20 glyph of the chord search button
};

// Renders an SVG file at `logicalSize` times `devicePixelRatio` device pixels; the image carries the
// ratio. A file that cannot be read gives a transparent image of that size and sets *rendered false.
QImage RenderSvgPicture(const QString& path, QSize logicalSize, qreal devicePixelRatio, bool* rendered = nullptr);

class PictureStore {
public:
    // Renders every picture; `devicePixelRatio` is the ratio of the screen the pictures will be
    // shown on (1 for plain screens, 2 for most high-density ones).
    explicit PictureStore(qreal devicePixelRatio = 1.0);

    qreal devicePixelRatio() const { return m_ratio; }

    // Device pixels are the logical size times the ratio; the image carries the ratio, so QPainter
    // draws it at its logical size.
    const QImage& image(Picture picture) const;
    const QImage& image(Artwork artwork) const;

    // For widgets (labels, buttons). Needs a QGuiApplication.
    QPixmap pixmap(Picture picture) const;
    QPixmap pixmap(Artwork artwork) const;

    // False when a picture could not be read; such a picture is left transparent at its size.
    bool complete() const { return m_complete; }

    static QString resourcePath(Picture picture);
    static QString resourcePath(Artwork artwork);
    static QSize logicalSize(Artwork artwork);

    // The application icon, scalable (":/pictures/corvane-chords.svg").
    static QIcon applicationIcon();
    static QString applicationIconPath();

private:
    qreal m_ratio;
    bool m_complete = true;
    std::array<QImage, kPictureTable.size()> m_pictures;
    std::array<QImage, 4> m_artwork;
};

} // namespace corvane
