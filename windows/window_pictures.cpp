#include "windows/window_pictures.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

// The shared pictures are compiled into the drawing library, the neck photograph into this one.
// Both are static libraries, so the resources must be registered explicitly; registering the shared
// ones again is harmless and keeps these windows independent of whether a PictureStore was built
// first. Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterPictureResources()
{
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(window_pictures);
}

namespace corvane {

QString NeckPhotoPath() { return QStringLiteral(":/windows/neck-photo.svg"); }

QPixmap RenderWindowPicture(const QString& resourcePath, QSize logicalSize, qreal devicePixelRatio)
{
    RegisterPictureResources();
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize device(static_cast<int>(std::lround(logicalSize.width() * ratio)),
        static_cast<int>(std::lround(logicalSize.height() * ratio)));
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(resourcePath);
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(device)));
    }
    image.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(image);
}

} // namespace corvane
