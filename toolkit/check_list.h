#pragma once
// A list of check boxes (the extension list). Only a toggle made by the user, with the mouse or the
// space bar, is reported; check marks and enabled flags set by the program report nothing, also
// when the program sets them from the handler of a toggle.

#include <QListWidget>

namespace corvane {

class CheckList final : public QListWidget {
    Q_OBJECT
public:
    explicit CheckList(QWidget* parent = nullptr);

    // Replaces the items by unchecked, enabled, checkable ones with these texts.
    void setItemTexts(const QStringList& texts);

    bool isItemChecked(int item) const;
    void setItemChecked(int item, bool checked);

    // A disabled item is greyed and the user cannot toggle it.
    bool isItemEnabled(int item) const;
    void setItemEnabled(int item, bool enabled);

    // Where the check box of an item is drawn, in viewport coordinates.
    QRect checkBoxRect(int item) const;

    void setItemHeight(int pixels);

signals:
    // The user has toggled the check box of this item, which is now the current item; its new state
    // is already in the list.
    void clickCheck(int item);

private:
    friend class CheckListDelegate;
    bool m_userToggle = false; // the delegate is handling a user's toggle
    int m_toggled = -1; // the item that toggle changed
    int m_itemHeight = 0;
};

} // namespace corvane
