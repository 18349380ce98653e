#pragma once
// The result sheet as a screen reader meets it: a list whose items are its cells. Each cell reads as
// a guitarist says the fingering, reports whether it is the selected diagram and whether it has the
// keyboard, and can be pressed (which plays it) or focused.

#include <QAccessibleWidget>
#include <QPointer>

#include <unordered_map>

namespace corvane {

class ResultSheet;

class ResultSheetAccessible final : public QAccessibleWidget {
public:
    explicit ResultSheetAccessible(ResultSheet* sheet);
    ~ResultSheetAccessible() override;

    QAccessible::Role role() const override { return QAccessible::List; }
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    ResultSheet* sheet() const;

    // The cells asked for so far, registered with the accessibility cache; they read the sheet as
    // it is now, so a new result list needs no new ones.
    mutable std::unordered_map<int, QAccessible::Id> m_cells;
};

class ResultCellAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ResultCellAccessible(ResultSheet* sheet, int index);

    int index() const { return m_index; }
    const ResultSheet* sheet() const { return m_sheet; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QPointer<ResultSheet> m_sheet;
    int m_index;
};

} // namespace corvane
