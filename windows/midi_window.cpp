#include "windows/midi_window.h"

#include "sound/patch_table.h"
#include "ui_midi_window.h"

namespace corvane {

TFormMidi::TFormMidi(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_ui(std::make_unique<Ui::TFormMidi>())
{
    m_ui->setupUi(this);
    move(822, 88);
    // The first item, "Nylon guitar", becomes the box's text.
    for (const Patch& patch : kPatches)
        m_ui->ComboBoxPatch->addItem(
            QString::fromLatin1(patch.itemText.data(), static_cast<qsizetype>(patch.itemText.size())));
}

TFormMidi::~TFormMidi() = default;

} // namespace corvane
