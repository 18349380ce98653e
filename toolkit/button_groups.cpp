#include "toolkit/button_groups.h"

#include <QAbstractButton>
#include <QMenu>
#include <QToolButton>

namespace corvane {

QButtonGroup* MakeExclusiveGroup(QObject* owner, std::initializer_list<QAbstractButton*> buttons, QAbstractButton* down)
{
    auto* group = new QButtonGroup(owner);
    group->setExclusive(true);
    for (QAbstractButton* button : buttons) {
        button->setCheckable(true);
        if (auto* tool = qobject_cast<QToolButton*>(button))
            tool->setAutoRaise(true);
        group->addButton(button);
    }
    if (down)
        down->setChecked(true);
    return group;
}

void MakeDropDownButton(QToolButton* button, QMenu* menu, const QString& caption, const QIcon& icon)
{
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setText(caption);
    button->setIcon(icon);
}

} // namespace corvane
