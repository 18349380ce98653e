#pragma once
// The list of a chord's names. Its current item is where the eye finds the name a guitarist says;
// when something else (the neck, the sheet) moves it, a screen reader stays where the keyboard is:
// the list tells the reader of its current item only while it has the keyboard itself.

#include <QListWidget>

namespace corvane {

class NamesList final : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};

} // namespace corvane
