#include "toolkit/canvas_image.h"

#include "drawing/qt/picture_store.h"
#include "drawing/qt/qt_canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace corvane {

CanvasImage::CanvasImage(QWidget* parent)
    : QWidget(parent)
{
}

void CanvasImage::setPictures(const PictureStore* pictures)
{
    m_pictures = pictures;
    allocate();
}

void CanvasImage::allocate()
{
    const qreal ratio = m_pictures ? m_pictures->devicePixelRatio() : 1.0;
    const QSize device(static_cast<int>(std::lround(width() * ratio)), static_cast<int>(std::lround(height() * ratio)));
    if (m_image.size() == device && qFuzzyCompare(m_image.devicePixelRatio(), ratio))
        return;
    QImage resized(device, QImage::Format_ARGB32_Premultiplied);
    resized.fill(Qt::transparent);
    resized.setDevicePixelRatio(ratio);
    if (!m_image.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(QPoint(0, 0), m_image);
    }
    m_image = resized;
}

void CanvasImage::draw(const std::function<void(Canvas&)>& paint)
{
    m_lastDrawing = paint;
    if (!m_pictures)
        return;
    allocate();
    {
        QPainter painter(&m_image);
        QtCanvas canvas(painter, *m_pictures);
        paint(canvas);
    }
    update();
}

void CanvasImage::replayLastDrawing(Canvas& canvas) const
{
    if (m_lastDrawing)
        m_lastDrawing(canvas);
}

void CanvasImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRect(event->rect());
    painter.drawImage(QPoint(0, 0), m_image);
}

void CanvasImage::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    if (event->button() == Qt::LeftButton && rect().contains(position))
        emit clicked(position);
    event->accept();
}

void CanvasImage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    allocate();
}

} // namespace corvane
