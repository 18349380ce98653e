#pragma once
// The pictures the secondary windows show as they are (the logo, the neck photograph), rendered
// from the compiled-in SVG files at the screen's pixel ratio.

#include <QPixmap>
#include <QSize>
#include <QString>

namespace corvane {

// The photograph-style neck of the neck window, 625 x 103.
inline constexpr QSize kNeckPhotoSize(625, 103);
QString NeckPhotoPath();

// Renders `resourcePath` at `logicalSize`; the pixmap carries `devicePixelRatio`, so it is shown at
// its logical size. A picture that cannot be read gives a transparent pixmap of that size, so the
// window keeps its layout.
QPixmap RenderWindowPicture(const QString& resourcePath, QSize logicalSize, qreal devicePixelRatio);

} // namespace corvane
