#include "toolkit/copyable_list.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>

#include <algorithm>

namespace corvane {

namespace {

    // Claims Ctrl+C before the window's shortcuts see it, then copies on the key press.
    class CopyKeyFilter final : public QObject {
    public:
        using QObject::QObject;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            const auto type = event->type();
            if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
                return false;
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->matches(QKeySequence::Copy))
                return false;
            if (type == QEvent::ShortcutOverride) {
                key->accept();
                return true;
            }
            CopyListLines(qobject_cast<QListWidget*>(watched));
            return true;
        }
    };

} // namespace

void CopyListLines(const QListWidget* list)
{
    if (!list)
        return;
    QList<QListWidgetItem*> items = list->selectedItems();
    if (items.isEmpty() && list->currentItem())
        items.append(list->currentItem());
    if (items.isEmpty())
        return;
    std::sort(items.begin(), items.end(),
        [list](const QListWidgetItem* a, const QListWidgetItem* b) { return list->row(a) < list->row(b); });
    QStringList lines;
    for (const QListWidgetItem* item : items)
        lines << item->text();
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

void MakeListCopyable(QListWidget* list)
{
    list->installEventFilter(new CopyKeyFilter(list));
    auto* copy = new QAction(QStringLiteral("Copy"), list);
    copy->setObjectName(list->objectName() + QStringLiteral("Copy"));
    // Shown in the menu; the key itself is taken by the filter above.
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(copy, &QAction::triggered, list, [list] { CopyListLines(list); });
    list->addAction(copy);
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace corvane
