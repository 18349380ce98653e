#include "toolkit/sheet_accessible.h"

#include "guitar/result_list.h"
#include "toolkit/result_sheet.h"

#include <QWidget>
#include <QWindow>

namespace corvane {

ResultSheetAccessible::ResultSheetAccessible(ResultSheet* sheet)
    : QAccessibleWidget(sheet, QAccessible::List)
{
}

ResultSheetAccessible::~ResultSheetAccessible()
{
    for (const auto& [index, id] : m_cells)
        QAccessible::deleteAccessibleInterface(id);
}

ResultSheet* ResultSheetAccessible::sheet() const { return static_cast<ResultSheet*>(widget()); }

QString ResultSheetAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Description && sheet()->count() > 0)
        return QStringLiteral("%1 fingerings of %2").arg(sheet()->count()).arg(sheet()->chordName());
    return QAccessibleWidget::text(t);
}

int ResultSheetAccessible::childCount() const { return sheet()->count(); }

QAccessibleInterface* ResultSheetAccessible::child(int index) const
{
    if (index < 0 || index >= sheet()->count())
        return nullptr;
    if (const auto found = m_cells.find(index); found != m_cells.end())
        return QAccessible::accessibleInterface(found->second);
    auto* cell = new ResultCellAccessible(sheet(), index);
    m_cells.emplace(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int ResultSheetAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = dynamic_cast<const ResultCellAccessible*>(child);
    if (!cell || cell->sheet() != sheet() || !cell->isValid())
        return -1;
    return cell->index();
}

QAccessibleInterface* ResultSheetAccessible::childAt(int x, int y) const
{
    const QPoint at = sheet()->mapFromGlobal(QPoint(x, y));
    return child(sheet::HitTest(at.x(), at.y(), sheet()->width(), sheet()->count()));
}

QAccessibleInterface* ResultSheetAccessible::focusChild() const
{
    if (!sheet()->hasFocus())
        return nullptr;
    return child(sheet()->currentCell());
}

ResultCellAccessible::ResultCellAccessible(ResultSheet* sheet, int index)
    : m_sheet(sheet)
    , m_index(index)
{
}

bool ResultCellAccessible::isValid() const { return m_sheet && m_index < m_sheet->count(); }

QWindow* ResultCellAccessible::window() const { return m_sheet ? m_sheet->window()->windowHandle() : nullptr; }

QAccessibleInterface* ResultCellAccessible::parent() const
{
    return m_sheet ? QAccessible::queryAccessibleInterface(m_sheet.data()) : nullptr;
}

QString ResultCellAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return {};
    return m_sheet->cellText(m_index);
}

QRect ResultCellAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect cell = m_sheet->cellRect(m_index);
    return QRect(m_sheet->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::State ResultCellAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.selected = m_sheet->selectedCell() == m_index;
    state.focused = m_sheet->hasFocus() && m_sheet->currentCell() == m_index;
    state.active = m_sheet->currentCell() == m_index;
    if (!m_sheet->visibleRegion().intersects(m_sheet->cellRect(m_index))) {
        state.invisible = true;
        state.offscreen = true;
    }
    return state;
}

void* ResultCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList ResultCellAccessible::actionNames() const
{
    return { QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::setFocusAction() };
}

void ResultCellAccessible::doAction(const QString& actionName)
{
    if (!isValid())
        return;
    if (actionName == QAccessibleActionInterface::pressAction()) {
        m_sheet->activateCell(m_index);
    } else if (actionName == QAccessibleActionInterface::setFocusAction()) {
        m_sheet->setFocus(Qt::OtherFocusReason);
        m_sheet->moveCurrentCell(m_index);
    }
}

QStringList ResultCellAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == QAccessibleActionInterface::pressAction())
        return { QStringLiteral("Return"), QStringLiteral("Space") };
    return {};
}

} // namespace corvane
