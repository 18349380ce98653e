#include "toolkit/choice_box.h"

namespace corvane {

ChoiceBox::ChoiceBox(QWidget* parent)
    : QComboBox(parent)
{
    // `activated` is emitted for the user's picks only; `currentIndexChanged` would also report the
    // program's own setCurrentIndex calls.
    connect(this, &QComboBox::activated, this, &ChoiceBox::changed);
    // The items are a fixed list: text typed into an editable box and confirmed with Enter selects the
    // item of that text if there is one, and never becomes an item of its own.
    setInsertPolicy(QComboBox::NoInsert);
}

int ChoiceBox::selectedValue(int fallback) const
{
    bool ok = false;
    const int value = currentText().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

} // namespace corvane
