// Mouse and keyboard gestures sent to the window's widgets.
#include "session/gestures.h"

#include "toolkit/check_list.h"
#include "toolkit/text_grid.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSpinBox>
#include <QStyleOption>
#include <QStyleOptionComboBox>
#include <QStyleOptionToolButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>

namespace corvane::session {

namespace {

    QRect ComboArrow(QComboBox* box)
    {
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = box->isEditable();
        option.frame = box->hasFrame();
        option.subControls = QStyle::SC_All;
        return box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box);
    }

    QRect MenuArrow(QToolButton* button)
    {
        QStyleOptionToolButton option;
        option.initFrom(button);
        option.subControls = QStyle::SC_ToolButton | QStyle::SC_ToolButtonMenu;
        option.features = QStyleOptionToolButton::MenuButtonPopup | QStyleOptionToolButton::HasMenu;
        option.toolButtonStyle = button->toolButtonStyle();
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        return button->style()->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButtonMenu, button);
    }

    // The pointer comes to rest over a point, with no button held.
    void MoveOver(QWidget* widget, QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QSpontaneKeyEvent::setSpontaneous(&move);
        QApplication::sendEvent(widget, &move);
    }

} // namespace

void Click(QWidget* widget, std::optional<QPoint> at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at.value_or(widget->rect().center()));
}

void ClickRow(TextGrid* grid, int row)
{
    QTableWidgetItem* cell = grid->item(row, 0);
    if (!cell)
        return;
    grid->scrollToItem(cell);
    Click(grid->viewport(), grid->visualItemRect(cell).center());
}

void ClickItemCheckBox(CheckList* list, int item)
{
    QListWidgetItem* entry = list->item(item);
    if (!entry)
        return;
    list->scrollToItem(entry);
    Click(list->viewport(), list->checkBoxRect(item).center());
}

std::optional<std::string> ChooseFromList(QComboBox* box, int index)
{
    Click(box, ComboArrow(box).center());
    QAbstractItemView* view = box->view();
    if (!view->isVisible())
        return "the list of " + box->objectName().toStdString() + " did not open";
    const QModelIndex entry = box->model()->index(index, box->modelColumn(), box->rootModelIndex());
    view->scrollTo(entry);
    const QPoint at = view->visualRect(entry).center();
    // The list takes a release as a choice only once the pointer has moved into it.
    MoveOver(view->viewport(), at);
    Click(view->viewport(), at);
    // A list shown over its box ignores a release that comes within a double-click time of its
    // opening, as a real pointer would rarely do; the clicked item is then current and Enter takes it.
    if (view->isVisible() && view->currentIndex() == entry)
        QTest::keyClick(view, Qt::Key_Return);
    if (view->isVisible()) {
        QTest::keyClick(view, Qt::Key_Escape);
        return "the list of " + box->objectName().toStdString() + " did not take the click";
    }
    return std::nullopt;
}

std::optional<std::string> ChooseFromMenu(QToolButton* button, QAction* item)
{
    QMenu* menu = button->menu();
    if (!menu)
        return "the button has no menu";
    // The arrow runs the menu in its own event loop until an item is clicked; the click is made from
    // inside that loop. Should the click not close the menu, the next turn closes it.
    bool clicked = false;
    QTimer picker;
    picker.setInterval(0);
    QObject::connect(&picker, &QTimer::timeout, menu, [&] {
        if (!menu->isVisible())
            return;
        if (clicked) {
            menu->close();
            return;
        }
        clicked = true;
        const QPoint at = menu->actionGeometry(item).center();
        MoveOver(menu, at);
        Click(menu, at);
    });
    picker.start();
    const QPoint arrow = MenuArrow(button).center();
    QTest::mousePress(button, Qt::LeftButton, {}, arrow);
    picker.stop();
    QTest::mouseRelease(button, Qt::LeftButton, {}, arrow);
    if (!clicked)
        return "the menu of " + button->objectName().toStdString() + " did not open";
    return std::nullopt;
}

std::optional<std::string> ChooseFromMenuBar(QMenuBar* bar, QAction* title, QAction* item)
{
    QMenu* menu = title->menu();
    if (!menu)
        return "the menu bar's " + title->text().toStdString() + " is no menu";
    // The press opens the menu, which then takes the pointer; the release is made on the item.
    QTest::mousePress(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
    if (!menu->isVisible())
        return "the menu " + title->text().toStdString() + " did not open";
    const QPoint at = menu->actionGeometry(item).center();
    MoveOver(menu, at);
    Click(menu, at);
    if (menu->isVisible())
        menu->close();
    return std::nullopt;
}

void ClickButtonFace(QToolButton* button)
{
    const QRect arrow = MenuArrow(button);
    const int faceRight = arrow.isValid() ? arrow.left() : button->width();
    Click(button, QPoint(faceRight / 2, button->height() / 2));
}

int MoveWithArrowKeys(QAbstractSlider* bar, int value)
{
    bar->setFocus(Qt::TabFocusReason);
    const bool vertical = bar->orientation() == Qt::Vertical;
    Qt::Key up = vertical ? Qt::Key_Up : Qt::Key_Right;
    Qt::Key down = vertical ? Qt::Key_Down : Qt::Key_Left;
    int presses = 0;
    // The keys follow the bar's direction, which its settings can turn round; a press that moves the
    // wrong way swaps them. The bound stops a bar that cannot reach the value.
    const int bound = 2 * (bar->maximum() - bar->minimum() + 2);
    while (bar->value() != value && presses < bound) {
        const int before = bar->value();
        const bool increase = value > before;
        QTest::keyClick(bar, increase ? up : down);
        ++presses;
        if ((bar->value() - before) * (value - before) < 0)
            std::swap(up, down);
    }
    return presses;
}

int StepWithArrowKeys(QSpinBox* box, int value)
{
    QStyleOptionSpinBox option;
    option.initFrom(box);
    option.subControls = QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    Click(box, box->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, box).center());
    box->setFocus(Qt::MouseFocusReason);
    int presses = 0;
    const int bound = box->maximum() - box->minimum() + 1;
    while (box->value() != value && presses < bound) {
        QTest::keyClick(box, value > box->value() ? Qt::Key_Up : Qt::Key_Down);
        ++presses;
    }
    return presses;
}

void TypeIntoAndEnter(QLineEdit* box, const QString& text)
{
    Click(box);
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    // The old text goes first, so that an empty text leaves the box empty rather than searching the
    // old name again.
    QTest::keyClick(box, Qt::Key_Delete);
    // One key press per character as the keyboard would send it, whatever the script.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        const QChar first = character.at(0);
        const Qt::Key key
            = first.unicode() < 0x80 ? QTest::asciiToKey(static_cast<char>(first.unicode())) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, box, key, character, Qt::NoModifier);
        i += length;
    }
    QTest::keyClick(box, Qt::Key_Return);
}

std::optional<std::string> PressKey(QWidget* target, const QString& name)
{
    const QKeySequence sequence = QKeySequence::fromString(name, QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown)
        return "not a key: " + name.toStdString();
    const QKeyCombination combination = sequence[0];
    const Qt::Key key = combination.key();
    QString text;
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        if (key == Qt::Key_Space)
            text = QStringLiteral(" ");
        else if (key >= Qt::Key_Exclam && key <= Qt::Key_AsciiTilde) {
            text = QChar(static_cast<char16_t>(key));
            text = (modifiers & Qt::ShiftModifier) ? text.toUpper() : text.toLower();
        } else if (key == Qt::Key_Return || key == Qt::Key_Enter)
            text = QStringLiteral("\r");
    }
    QTest::sendKeyEvent(QTest::Click, target, key, text, modifiers);
    return std::nullopt;
}

} // namespace corvane::session
