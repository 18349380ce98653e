#include "toolkit/result_sheet.h"

#include "drawing/chord_diagram.h"
#include "drawing/qt/picture_store.h"
#include "drawing/qt/qt_canvas.h"
#include "guitar/result_list.h"
#include "toolkit/chord_export.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace corvane {

ResultSheet::ResultSheet(QWidget* parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The exports draw the fret numbers in the same font.
    setFont(DiagramFont(font()));
}

void ResultSheet::setPictures(const PictureStore* pictures)
{
    m_pictures = pictures;
    update();
}

void ResultSheet::showDiagrams(std::vector<Voicing> diagrams, int width)
{
    m_diagrams = std::move(diagrams);
    m_selected = -1;
    resize(width, sheet::Height(count(), width));
    update();
}

void ResultSheet::clearDiagrams()
{
    m_diagrams.clear();
    m_diagrams.shrink_to_fit();
    m_selected = -1;
    resize(width(), 0);
    update();
}

QRect ResultSheet::cellRect(int index) const
{
    const sheet::Cell cell = sheet::CellOf(index, width());
    return QRect(cell.left, cell.top, sheet::kCellWidth, sheet::kCellHeight);
}

void ResultSheet::selectCell(int index)
{
    if (m_selected >= 0)
        update(cellRect(m_selected));
    m_selected = (index >= 0 && index < count()) ? index : -1;
    if (m_selected >= 0)
        update(cellRect(m_selected));
}

void ResultSheet::setLeftHanded(bool leftHanded)
{
    if (m_leftHanded == leftHanded)
        return;
    m_leftHanded = leftHanded;
    update();
}

void ResultSheet::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (!m_pictures || m_diagrams.empty())
        return;
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
    QtCanvas canvas(painter, *m_pictures);
    drawArea(canvas, event->rect());
}

void ResultSheet::drawArea(Canvas& canvas, const QRect& area) const
{
    if (area.isEmpty())
        return;
    const int columns = sheet::Columns(width());
    const int firstRow = std::max(0, area.top() / sheet::kCellHeight);
    const int lastRow = std::max(0, area.bottom() / sheet::kCellHeight);
    const int firstColumn = std::max(0, area.left() / sheet::kCellWidth);
    const int lastColumn = std::min(columns - 1, area.right() / sheet::kCellWidth);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const long long index = static_cast<long long>(row) * columns + column;
            if (index >= count())
                return;
            const int i = static_cast<int>(index);
            DrawChordDiagram(canvas, m_diagrams[static_cast<size_t>(i)], row * sheet::kCellHeight,
                column * sheet::kCellWidth, i == m_selected ? kDiagramSelected : kDiagramNormal, m_leftHanded);
        }
    }
}

void ResultSheet::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    const int index = sheet::HitTest(position.x(), position.y(), width(), count());
    if (index >= 0)
        emit cellClicked(index, position);
    event->accept();
}

} // namespace corvane
