#include "windows/chord_capture_window.h"

#include "ui_chord_capture_window.h"

namespace corvane {

// A window of its own even when the main window owns it, so that it is shown beside it, not in it.
TFormCifra::TFormCifra(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_ui(std::make_unique<Ui::TFormCifra>())
{
    m_ui->setupUi(this);
    move(547, 150);
}

TFormCifra::~TFormCifra() = default;

} // namespace corvane
