#pragma once
// Flat toggle buttons in exclusive groups, and the tool-bar button with a caption and a drop-down
// menu.

#include <QButtonGroup>
#include <QIcon>
#include <QString>

#include <initializer_list>

class QAbstractButton;
class QMenu;
class QToolButton;

namespace corvane {

// Makes the buttons checkable and flat and puts them in one group in which exactly one is down:
// pressing one releases the others, and pressing the one already down keeps it down. `down` is the
// one down at first.
QButtonGroup* MakeExclusiveGroup(
    QObject* owner, std::initializer_list<QAbstractButton*> buttons, QAbstractButton* down);

// A flat button showing its caption beside its image. A click on its face is reported by its
// `clicked` signal; its arrow opens `menu` and reports nothing.
void MakeDropDownButton(QToolButton* button, QMenu* menu, const QString& caption, const QIcon& icon);

} // namespace corvane
