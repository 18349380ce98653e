#include "toolkit/check_list.h"

#include <QStyledItemDelegate>

#include <utility>

namespace corvane {

// Every toggle by mouse or keyboard passes through the delegate's editorEvent; a check state set
// through the item API does not. That is what tells the user's toggles from the program's.
class CheckListDelegate final : public QStyledItemDelegate {
public:
    explicit CheckListDelegate(CheckList* list)
        : QStyledItemDelegate(list)
        , m_list(list)
    {
    }

    // The toggle is reported once the delegate is done with the event, with the marker already
    // cleared: whatever the handler then checks, unchecks, enables or greys by code stays quiet.
    bool editorEvent(
        QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option, const QModelIndex& index) override
    {
        if (m_list->m_userToggle)
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        m_list->m_userToggle = true;
        m_list->m_toggled = -1;
        const bool handled = QStyledItemDelegate::editorEvent(event, model, option, index);
        m_list->m_userToggle = false;
        const int toggled = std::exchange(m_list->m_toggled, -1);
        if (toggled >= 0) {
            m_list->setCurrentRow(toggled);
            emit m_list->clickCheck(toggled);
        }
        return handled;
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (m_list->m_itemHeight > 0)
            size.setHeight(m_list->m_itemHeight);
        return size;
    }

private:
    CheckList* m_list;
};

CheckList::CheckList(QWidget* parent)
    : QListWidget(parent)
{
    setItemDelegate(new CheckListDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* changed) {
        if (m_userToggle && m_toggled < 0)
            m_toggled = row(changed);
    });
}

void CheckList::setItemTexts(const QStringList& texts)
{
    clear();
    for (const QString& text : texts) {
        auto* entry = new QListWidgetItem(text);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
        addItem(entry);
    }
}

bool CheckList::isItemChecked(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry && entry->checkState() == Qt::Checked;
}

void CheckList::setItemChecked(int index, bool checked)
{
    if (QListWidgetItem* entry = item(index))
        entry->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool CheckList::isItemEnabled(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry && entry->flags().testFlag(Qt::ItemIsEnabled);
}

void CheckList::setItemEnabled(int index, bool enabled)
{
    QListWidgetItem* entry = item(index);
    if (!entry || entry->flags().testFlag(Qt::ItemIsEnabled) == enabled)
        return;
    entry->setFlags(entry->flags().setFlag(Qt::ItemIsEnabled, enabled));
}

QRect CheckList::checkBoxRect(int index) const
{
    QListWidgetItem* entry = item(index);
    if (!entry)
        return {};
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualItemRect(entry);
    option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.checkState = entry->checkState();
    option.text = entry->text();
    return style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
}

void CheckList::setItemHeight(int pixels)
{
    m_itemHeight = pixels;
    doItemsLayout();
}

} // namespace corvane
