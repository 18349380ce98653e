#include "toolkit/text_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace corvane {

TextGrid::TextGrid(QWidget* parent)
    : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setTabKeyNavigation(false);
    horizontalHeader()->setMinimumSectionSize(1);
    setRowHeight(15);

    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int) {
        if (m_userEvent)
            m_moved = true;
        else if (row >= 0 && column >= 0)
            emit selectCell(column, row);
    });
}

template <typename Handle> void TextGrid::UserEvent(Handle handle, const QModelIndex& clicked)
{
    if (m_userEvent) {
        handle();
        return;
    }
    m_userEvent = true;
    m_moved = false;
    handle();
    m_userEvent = false;
    // A click counts when it made its row the current one; a click on a greyed or empty place does not.
    const bool clickedRow
        = clicked.isValid() && clicked.flags().testFlag(Qt::ItemIsEnabled) && clicked.row() == currentRow();
    if ((m_moved || clickedRow) && currentRow() >= 0 && currentColumn() >= 0)
        emit selectCell(currentColumn(), currentRow());
}

void TextGrid::mousePressEvent(QMouseEvent* event)
{
    UserEvent([&] { QTableWidget::mousePressEvent(event); }, indexAt(event->position().toPoint()));
}

void TextGrid::mouseMoveEvent(QMouseEvent* event)
{
    UserEvent([&] { QTableWidget::mouseMoveEvent(event); }, {});
}

void TextGrid::mouseReleaseEvent(QMouseEvent* event)
{
    UserEvent([&] { QTableWidget::mouseReleaseEvent(event); }, {});
}

// The second press of a double click is a click like the first.
void TextGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    UserEvent([&] { QTableWidget::mouseDoubleClickEvent(event); }, indexAt(event->position().toPoint()));
}

void TextGrid::keyPressEvent(QKeyEvent* event)
{
    UserEvent([&] { QTableWidget::keyPressEvent(event); }, {});
}

void TextGrid::setText(int row, int column, const QString& text)
{
    QTableWidgetItem* cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row, column, cell);
    }
    cell->setText(text);
}

QString TextGrid::text(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void TextGrid::setRowHeight(int pixels)
{
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(pixels);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void TextGrid::setEnabledWithColour(bool enabled)
{
    setEnabled(enabled);
    const QPalette standard = QApplication::palette(this);
    const QColor background = enabled ? standard.color(QPalette::Active, QPalette::Base)
                                      : standard.color(QPalette::Active, QPalette::Window);
    QPalette own = palette();
    for (auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled })
        own.setColor(group, QPalette::Base, background);
    setPalette(own);
}

void TextGrid::selectRowQuietly(int row)
{
    const QSignalBlocker quiet(this);
    setCurrentCell(row, 0);
}

} // namespace corvane
