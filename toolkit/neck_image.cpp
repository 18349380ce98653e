#include "toolkit/neck_image.h"

#include "drawing/spoken_diagram.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <optional>

namespace corvane {

namespace {

    std::optional<NeckStep> StepOfKey(int key)
    {
        switch (key) {
        case Qt::Key_Left:
            return NeckStep::TowardNut;
        case Qt::Key_Right:
            return NeckStep::TowardBody;
        case Qt::Key_Up:
            return NeckStep::StringAbove;
        case Qt::Key_Down:
            return NeckStep::StringBelow;
        case Qt::Key_Home:
            return NeckStep::Nut;
        case Qt::Key_End:
            return NeckStep::LastFret;
        case Qt::Key_PageUp:
            return NeckStep::TopString;
        case Qt::Key_PageDown:
            return NeckStep::BottomString;
        default:
            return std::nullopt;
        }
    }

} // namespace

NeckImage::NeckImage(QWidget* parent)
    : CanvasImage(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    describeCurrent();
}

void NeckImage::setCapo(int capo)
{
    if (capo == m_capo)
        return;
    update(spotRect(m_current));
    m_capo = capo;
    m_current.fret = std::min(m_current.fret, lastFret());
    update(spotRect(m_current));
    describeCurrent();
}

StringsNeck NeckImage::geometry() const { return m_stringsNeck.value_or(StringsNeck { kStrings, kNeckLastFret }); }

int NeckImage::lastFret() const { return StringsNeckFretsAboveCapo(geometry(), m_capo); }

void NeckImage::setStringsNeck(const std::optional<StringsNeck>& neck)
{
    if (neck == m_stringsNeck)
        return;
    if (!m_stringsNeck)
        m_photoSize = size();
    m_stringsNeck = neck;
    if (m_stringsNeck)
        resize(StringsNeckWidth(*m_stringsNeck), StringsNeckHeight(*m_stringsNeck));
    else
        resize(m_photoSize);
    const int strings = StringsNeckStrings(geometry());
    m_current = { std::min(m_current.string, strings - 1), std::min(m_current.fret, lastFret()) };
    m_fingering.assign(static_cast<size_t>(strings), kFingeringMuted);
    update();
    describeCurrent();
}

void NeckImage::setFingering(const StringFingering& fingering)
{
    m_fingering = fingering;
    describeCurrent();
}

void NeckImage::moveCurrentSpot(const NeckSpot& spot)
{
    if (spot == m_current)
        return;
    update(spotRect(m_current));
    m_current = spot;
    update(spotRect(m_current));
    describeCurrent();
}

QRect NeckImage::spotRect(const NeckSpot& spot) const
{
    const NeckRect rect = StringsNeckSpotRect(spot, geometry(), m_capo);
    return { rect.x, rect.y, rect.width, rect.height };
}

std::optional<NeckSpot> NeckImage::spotAt(QPoint position) const
{
    return StringsNeckSpotAt(position.x(), position.y(), geometry(), m_capo);
}

NeckSpot NeckImage::stepped(NeckStep step) const { return StepStringsNeckSpot(m_current, step, geometry(), m_capo); }

QPoint NeckImage::spotCentre(const NeckSpot& spot) const { return spotRect(spot).center(); }

void NeckImage::describeCurrent()
{
    setAccessibleDescription(QString::fromStdString(SpokenStringsNeckSpot(m_current, m_fingering)));
}

void NeckImage::paintEvent(QPaintEvent* event)
{
    CanvasImage::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(spotRect(m_current).adjusted(1, 1, -1, -1));
}

// A click makes its spot the keyboard's too.
void NeckImage::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (const std::optional<NeckSpot> spot = spotAt(position))
            moveCurrentSpot(*spot);
    }
    CanvasImage::mouseReleaseEvent(event);
}

void NeckImage::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) {
        CanvasImage::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit clicked(spotCentre(m_current));
        return;
    }
    if (const std::optional<NeckStep> step = StepOfKey(key)) {
        moveCurrentSpot(stepped(*step));
        return;
    }
    CanvasImage::keyPressEvent(event);
}

void NeckImage::focusInEvent(QFocusEvent* event)
{
    CanvasImage::focusInEvent(event);
    update(spotRect(m_current));
}

void NeckImage::focusOutEvent(QFocusEvent* event)
{
    CanvasImage::focusOutEvent(event);
    update(spotRect(m_current));
}

} // namespace corvane
