#pragma once
// What the window tests share: user actions on the toolkit's controls, and the exception reports.

#include <QPoint>
#include <QString>
#include <QStringList>

#include <string>

class QWidget;

namespace corvane {
class CheckList;
class TextGrid;
}

namespace corvane::test {

// Messages the application reported for exceptions that escaped a handler, oldest first.
QStringList& ReportedExceptions();

// A left click on the row of a grid, as the user makes it.
void ClickRow(TextGrid* grid, int row);

// A click on the check box of an item.
void ClickCheck(CheckList* list, int item);

// A click on the check box of the first item with this caption.
void ClickCheck(CheckList* list, const QString& caption);

// The captions of the checked items, in item order, joined by commas ("" for item 0).
std::string CheckedCaptions(const CheckList* list);

// Shows the window and waits until it is on screen.
void ShowAndWait(QWidget* window);

} // namespace corvane::test
