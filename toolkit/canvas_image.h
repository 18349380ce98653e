#pragma once
// An image control with a canvas: it keeps its picture, and what is drawn on it stays until it is
// drawn over (the neck view).

#include <QImage>
#include <QWidget>

#include <functional>

namespace corvane {

class Canvas;
class PictureStore;

class CanvasImage : public QWidget {
    Q_OBJECT
public:
    explicit CanvasImage(QWidget* parent = nullptr);

    // The pictures the canvas copies; the kept image takes their device pixel ratio. Must outlive
    // this control.
    void setPictures(const PictureStore* pictures);

    // Draws through a canvas on the kept picture, then shows it. The drawing is kept as well, so
    // `paint` must own what it draws from.
    void draw(const std::function<void(Canvas&)>& paint);

    // Draws the last drawing again, on another canvas (a recording one, to read it as text).
    void replayLastDrawing(Canvas& canvas) const;

    const QImage& image() const { return m_image; }

signals:
    // A left click: the button released over the control, where it was released.
    void clicked(QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void allocate();

    const PictureStore* m_pictures = nullptr;
    QImage m_image;
    std::function<void(Canvas&)> m_lastDrawing;
};

} // namespace corvane
