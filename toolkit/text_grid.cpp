#include "toolkit/text_grid.h"

#include <QApplication>
#include <QHeaderView>
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
        if (row >= 0 && column >= 0)
            emit selectCell(column, row);
    });
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
