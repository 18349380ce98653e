// The pictures compiled in from SVG, rendered once at a device pixel ratio for Qt to paint.
#include "drawing/qt/picture_store.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <string_view>

// The resources are compiled into this static library; nothing references them by symbol, so the
// linker would drop them unless initialised explicitly. Q_INIT_RESOURCE must be used outside any
// namespace.
static void InitPictureResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    static_cast<void>(registered);
}

namespace corvane {

namespace {

    struct ArtworkInfo {
        Artwork artwork;
        std::string_view file;
        int width;
        int height;
    };

    constexpr std::array<ArtworkInfo, 4> kArtworkTable { {
        { Artwork::Banner, "banner", 450, 80 },
        { Artwork::Logo, "logo", 300, 42 },
        { Artwork::Tuning, "tuning", 16, 16 },
        { Artwork::Magnifier, "magnifier", 20, 20 },
    } };

    constexpr const ArtworkInfo& InfoOf(Artwork artwork) { return kArtworkTable[static_cast<std::size_t>(artwork)]; }

    QString PathOf(std::string_view file)
    {
        return QStringLiteral(":/pictures/") + QString::fromLatin1(file.data(), static_cast<qsizetype>(file.size()))
            + QStringLiteral(".svg");
    }

} // namespace

PictureStore::PictureStore(qreal devicePixelRatio)
    : m_ratio(devicePixelRatio > 0 ? devicePixelRatio : 1.0)
{
    InitPictureResources();
    bool rendered = true;
    for (const PictureInfo& info : kPictureTable) {
        m_pictures[static_cast<std::size_t>(info.picture)]
            = RenderSvgPicture(resourcePath(info.picture), QSize(info.width, info.height), m_ratio, &rendered);
        m_complete = m_complete && rendered;
    }
    for (const ArtworkInfo& info : kArtworkTable) {
        m_artwork[static_cast<std::size_t>(info.artwork)]
            = RenderSvgPicture(PathOf(info.file), QSize(info.width, info.height), m_ratio, &rendered);
        m_complete = m_complete && rendered;
    }
}

QImage RenderSvgPicture(const QString& path, QSize logicalSize, qreal devicePixelRatio, bool* rendered)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize device(static_cast<int>(std::lround(logicalSize.width() * ratio)),
        static_cast<int>(std::lround(logicalSize.height() * ratio)));
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(device)));
    }
    if (rendered)
        *rendered = renderer.isValid();
    image.setDevicePixelRatio(ratio);
    return image;
}

const QImage& PictureStore::image(Picture picture) const { return m_pictures[static_cast<std::size_t>(picture)]; }

const QImage& PictureStore::image(Artwork artwork) const { return m_artwork[static_cast<std::size_t>(artwork)]; }

QPixmap PictureStore::pixmap(Picture picture) const { return QPixmap::fromImage(image(picture)); }

QPixmap PictureStore::pixmap(Artwork artwork) const { return QPixmap::fromImage(image(artwork)); }

QString PictureStore::resourcePath(Picture picture) { return PathOf(InfoOf(picture).name); }

QString PictureStore::resourcePath(Artwork artwork) { return PathOf(InfoOf(artwork).file); }

QSize PictureStore::logicalSize(Artwork artwork)
{
    const ArtworkInfo& info = InfoOf(artwork);
    return QSize(info.width, info.height);
}

QString PictureStore::applicationIconPath()
{
    InitPictureResources();
    return PathOf("corvane-chords");
}

QIcon PictureStore::applicationIcon() { return QIcon(applicationIconPath()); }

} // namespace corvane
