#include "windows/neck_window.h"

#include "ui_neck_window.h"
#include "windows/window_pictures.h"

namespace corvane {

TFormBraco::TFormBraco(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_ui(std::make_unique<Ui::TFormBraco>())
{
    m_ui->setupUi(this);
    // Tall enough for the tab bar of the current style and the whole picture under it.
    resize(width(), qMax(height(), minimumSizeHint().height()));
    move(283, 302);
    m_ui->Image1->setPixmap(RenderWindowPicture(NeckPhotoPath(), kNeckPhotoSize, devicePixelRatioF()));
}

TFormBraco::~TFormBraco() = default;

} // namespace corvane
