#include "toolkit/result_sheet.h"

#include "drawing/chord_diagram.h"
#include "drawing/qt/picture_store.h"
#include "drawing/qt/qt_canvas.h"
#include "drawing/spoken_diagram.h"
#include "guitar/result_list.h"
#include "guitar/sheet_navigation.h"
#include "toolkit/accessibility.h"
#include "toolkit/chord_export.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>

#include <algorithm>
#include <optional>

namespace corvane {

ResultSheet::ResultSheet(QWidget* parent)
    : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    InstallAccessibleInterfaces();
    // The exports draw the fret numbers in the same font.
    setFont(DiagramFont(font()));
}

void ResultSheet::setPictures(const PictureStore* pictures)
{
    m_pictures = pictures;
    update();
}

void ResultSheet::showDiagrams(std::vector<Frets> diagrams, int width, const OpenStrings& strings)
{
    m_diagrams = std::move(diagrams);
    m_openStrings = strings;
    m_selected = -1;
    m_current = m_diagrams.empty() ? -1 : 0;
    resize(width, sheet::Height(count(), width));
    update();
    announceCurrent();
}

void ResultSheet::showDiagrams(const std::vector<Voicing>& diagrams, int width)
{
    std::vector<Frets> frets;
    frets.reserve(diagrams.size());
    for (const Voicing& voicing : diagrams)
        frets.push_back(FretsOfVoicing(voicing));
    showDiagrams(std::move(frets), width);
}

void ResultSheet::clearDiagrams()
{
    m_diagrams.clear();
    m_diagrams.shrink_to_fit();
    m_selected = -1;
    m_current = -1;
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
    if (m_selected < 0)
        return;
    update(cellRect(m_selected));
    // The keyboard follows a click.
    setCurrent(m_selected);
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(m_selected);
    QAccessible::updateAccessibility(&selection);
}

void ResultSheet::setCurrent(int index)
{
    if (index < 0 || index >= count() || index == m_current)
        return;
    if (m_current >= 0)
        update(cellRect(m_current));
    m_current = index;
    update(cellRect(m_current));
    announceCurrent();
}

// A screen reader follows the current cell while the sheet has the keyboard.
void ResultSheet::announceCurrent()
{
    if (!hasFocus() || m_current < 0)
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(m_current);
    SendAccessibleEvent(&focus);
}

void ResultSheet::moveCurrentCell(int index)
{
    setCurrent(index);
    scrollToCell(m_current);
}

// The keyboard's click: the cell reported as a click on its middle would report it (kept inside
// the sheet when it is narrower than a cell), so that it takes the click's own road.
void ResultSheet::activateCell(int index)
{
    if (index < 0 || index >= count())
        return;
    moveCurrentCell(index);
    const QRect cell = cellRect(index);
    const int x = cell.left() + std::min(cell.width() / 2, std::max(0, width() - 1 - cell.left()));
    emit cellClicked(index, QPoint(x, cell.top() + cell.height() / 2));
}

QString ResultSheet::cellText(int index) const
{
    if (index < 0 || index >= count())
        return {};
    const std::string name = m_chordName.trimmed().toStdString();
    const size_t i = static_cast<size_t>(index);
    const QString spoken = QString::fromStdString(SpokenStringsDiagram(m_diagrams[i], name));
    return i < m_cellNotes.size() && !m_cellNotes[i].isEmpty() ? spoken + QStringLiteral(", ") + m_cellNotes[i]
                                                               : spoken;
}

void ResultSheet::scrollToCell(int index)
{
    QScrollArea* area = scrollArea();
    if (index < 0 || !area || !area->widget())
        return;
    const QRect cell = cellRect(index).intersected(rect());
    const QPoint centre = mapTo(area->widget(), cell.center());
    area->ensureVisible(centre.x(), centre.y(), cell.width() / 2, cell.height() / 2);
}

QScrollArea* ResultSheet::scrollArea() const
{
    for (QWidget* above = parentWidget(); above; above = above->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(above))
            return area->widget() == this || area->widget()->isAncestorOf(this) ? area : nullptr;
    return nullptr;
}

// Whole rows in view: a page for Page Up and Page Down.
int ResultSheet::rowsInView() const
{
    const QScrollArea* area = scrollArea();
    const int height = area ? area->viewport()->height() : visibleRegion().boundingRect().height();
    return std::max(1, height / sheet::kCellHeight);
}

void ResultSheet::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) || m_current < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    std::optional<sheet::Step> step;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        activateCell(m_current);
        event->accept();
        return;
    case Qt::Key_Left:
        step = sheet::Step::Left;
        break;
    case Qt::Key_Right:
        step = sheet::Step::Right;
        break;
    case Qt::Key_Up:
        step = sheet::Step::Up;
        break;
    case Qt::Key_Down:
        step = sheet::Step::Down;
        break;
    case Qt::Key_PageUp:
        step = sheet::Step::PageUp;
        break;
    case Qt::Key_PageDown:
        step = sheet::Step::PageDown;
        break;
    case Qt::Key_Home:
        step = sheet::Step::First;
        break;
    case Qt::Key_End:
        step = sheet::Step::Last;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    moveCurrentCell(sheet::StepCell(m_current, *step, count(), sheet::Columns(width()), rowsInView()));
    event->accept();
}

void ResultSheet::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (m_current >= 0)
        update(cellRect(m_current));
    announceCurrent();
}

void ResultSheet::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (m_current >= 0)
        update(cellRect(m_current));
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
    if (!m_pictures || count() == 0)
        return;
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
    QtCanvas canvas(painter, *m_pictures);
    drawArea(canvas, event->rect());
    // The focus frame is the screen's only; the exports draw through drawArea alone.
    if (hasFocus() && m_current >= 0) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cellRect(m_current).adjusted(2, 2, -2, -2));
    }
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
            const int mode = i == m_selected ? kDiagramSelected : kDiagramNormal;
            DrawStringsDiagram(canvas, m_diagrams[static_cast<size_t>(i)], row * sheet::kCellHeight,
                column * sheet::kCellWidth, mode, m_leftHanded, m_openStrings);
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
