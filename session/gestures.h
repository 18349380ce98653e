#pragma once
// What a user does to a widget, as real input events: mouse presses and releases where the user would
// put the pointer, key presses to the widget that has the keyboard. The widgets' own event handling
// decides what happens, exactly as with a person at the screen.

#include <QPoint>
#include <QString>

#include <optional>
#include <string>

class QAbstractButton;
class QAbstractSlider;
class QAction;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QSpinBox;
class QToolButton;
class QWidget;

namespace corvane {
class CheckList;
class TextGrid;
}

namespace corvane::session {

// A left click; the centre of the widget when `at` is not given.
void Click(QWidget* widget, std::optional<QPoint> at = std::nullopt);

// Scrolls the row into view (scrolling reports nothing) and clicks it.
void ClickRow(TextGrid* grid, int row);

// Scrolls the item into view and clicks its check box.
void ClickItemCheckBox(CheckList* list, int item);

// Opens the box's list with its arrow and clicks the item; an error when the list did not open or
// did not close on the click.
std::optional<std::string> ChooseFromList(QComboBox* box, int index);

// Opens the drop-down menu of a tool-bar button with its arrow and clicks the item.
std::optional<std::string> ChooseFromMenu(QToolButton* button, QAction* item);

// Opens a menu of the menu bar with a click on its title and clicks the item; an error when the menu
// did not open.
std::optional<std::string> ChooseFromMenuBar(QMenuBar* bar, QAction* title, QAction* item);

// A click on the face of a drop-down tool-bar button, clear of its arrow.
void ClickButtonFace(QToolButton* button);

// Gives the bar the keyboard and moves it to `value` with the arrow keys, one key press per step.
// Returns the number of presses.
int MoveWithArrowKeys(QAbstractSlider* bar, int value);

// Clicks into the box's text and steps it to `value` with the arrow keys, one key press per step.
// Returns the number of presses.
int StepWithArrowKeys(QSpinBox* box, int value);

// Clicks into the box, selects all and deletes it with the keyboard, types the text (UTF-8, any
// characters; none leaves the box empty) and presses Enter.
void TypeIntoAndEnter(QLineEdit* box, const QString& text);

// Presses and releases a key given by its portable name ("Up", "Space", "Ctrl+A", "A"), to `target`.
// An error when the name is not one key.
std::optional<std::string> PressKey(QWidget* target, const QString& name);

} // namespace corvane::session
