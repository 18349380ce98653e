// The names list's current item, told to a screen reader only while the list has the keyboard.
#include "toolkit/names_list.h"

namespace corvane {

// The list view's own step tells a reader that the current item has the focus, wherever the keyboard
// is; the item view's step under it does the rest of the work (the current index, the editors).
void NamesList::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (hasFocus())
        QListWidget::currentChanged(current, previous);
    else
        QAbstractItemView::currentChanged(current, previous);
}

} // namespace corvane
