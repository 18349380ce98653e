// The canvas painted with a QPainter.
#include "drawing/qt/qt_canvas.h"

#include "drawing/qt/picture_store.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

namespace corvane {

QtCanvas::QtCanvas(QPainter& painter, const PictureStore& pictures)
    : m_painter(painter)
    , m_pictures(pictures)
{
}

void QtCanvas::drawPicture(Picture picture, int x, int y)
{
    m_painter.drawImage(QPoint(x, y), m_pictures.image(picture));
}

void QtCanvas::drawText(int x, int y, std::string_view text)
{
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetrics metrics = m_painter.fontMetrics();
    m_painter.fillRect(QRect(x, y, metrics.horizontalAdvance(shown), metrics.height()), m_painter.background());
    m_painter.drawText(QPoint(x, y + metrics.ascent()), shown);
}

void QtCanvas::fillRect(int x, int y, int width, int height, unsigned rgb)
{
    m_painter.fillRect(QRect(x, y, width, height), QColor::fromRgb(rgb & 0xFFFFFFu));
}

} // namespace corvane
