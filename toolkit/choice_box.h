#pragma once
// A drop-down list whose change event is the user's choice only: setting the index by program
// reports nothing. Its items are fixed; an editable one can be typed over but never grows.

#include <QComboBox>

namespace corvane {

class ChoiceBox final : public QComboBox {
    Q_OBJECT
public:
    explicit ChoiceBox(QWidget* parent = nullptr);

    // The integer value of the selected item's text, or `fallback` when it is not a number.
    int selectedValue(int fallback = 0) const;

signals:
    // The user has picked an item (possibly the one already selected).
    void changed(int index);
};

} // namespace corvane
