#include "windows/window_pictures.h"

#include "drawing/qt/picture_store.h"

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
    return QPixmap::fromImage(RenderSvgPicture(resourcePath, logicalSize, devicePixelRatio));
}

} // namespace corvane
