#include "windows/link_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace corvane {

LinkLabel::LinkLabel(QWidget* parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setTextFormat(Qt::PlainText);
    applyLinkLook();
}

void LinkLabel::applyLinkLook()
{
    QFont underlined = font();
    if (!underlined.underline()) {
        underlined.setUnderline(true);
        setFont(underlined);
    }
    // The palette's link colour is blue in the standard palettes and stays readable in dark ones.
    QPalette linkPalette = palette();
    const QColor link = linkPalette.color(QPalette::Link);
    if (linkPalette.color(QPalette::WindowText) != link) {
        linkPalette.setColor(QPalette::WindowText, link);
        setPalette(linkPalette);
    }
}

void LinkLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    // A new application font or palette would otherwise take the underline and the colour away.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        applyLinkLook();
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const bool wasPressed = m_pressed;
        m_pressed = false;
        event->accept();
        if (wasPressed && rect().contains(event->position().toPoint()))
            emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            emit clicked();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    // A plain label shows no focus; without this a keyboard user could not tell where Tab went.
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

} // namespace corvane
