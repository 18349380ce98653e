#include "gui_test_support.h"

#include "toolkit/check_list.h"
#include "toolkit/text_grid.h"

#include <QTest>

#include <gtest/gtest.h>

namespace corvane::test {

QStringList& ReportedExceptions()
{
    static QStringList reported;
    return reported;
}

void ClickRow(TextGrid* grid, int row)
{
    QTableWidgetItem* cell = grid->item(row, 0);
    ASSERT_NE(cell, nullptr) << "no row " << row;
    grid->scrollToItem(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(cell).center());
}

void ClickCheck(CheckList* list, int item)
{
    ASSERT_NE(list->item(item), nullptr) << "no item " << item;
    list->scrollToItem(list->item(item));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->checkBoxRect(item).center());
}

void ClickCheck(CheckList* list, const QString& caption)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == caption) {
            ClickCheck(list, i);
            return;
        }
    }
    FAIL() << "no item " << caption.toStdString();
}

std::string CheckedCaptions(const CheckList* list)
{
    QStringList checked;
    for (int i = 0; i < list->count(); ++i)
        if (list->isItemChecked(i))
            checked << list->item(i)->text();
    return checked.join(QLatin1Char(',')).toStdString();
}

void ShowAndWait(QWidget* window)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
}

} // namespace corvane::test
