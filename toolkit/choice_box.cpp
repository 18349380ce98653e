#include "toolkit/choice_box.h"

namespace corvane {

ChoiceBox::ChoiceBox(QWidget* parent)
    : QComboBox(parent)
{
    // `activated` is emitted for the user's picks only; `currentIndexChanged` would also report the
    // program's own setCurrentIndex calls.
    connect(this, &QComboBox::activated, this, &ChoiceBox::changed);
}

int ChoiceBox::selectedValue(int fallback) const
{
    bool ok = false;
    const int value = currentText().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

} // namespace corvane
