#include "windows/about_window.h"

#include "drawing/qt/picture_store.h"
#include "ui_about_window.h"
#include "windows/url_opener.h"
#include "windows/window_pictures.h"

#include <QUrl>

namespace corvane {

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_ui(std::make_unique<Ui::TForm2>())
{
    m_ui->setupUi(this);
    setFixedSize(size());
    move(389, 250);

    // The logo is wider than the window; the label shows its left part unscaled.
    m_ui->Image1->setPixmap(RenderWindowPicture(
        PictureStore::resourcePath(Artwork::Logo), PictureStore::logicalSize(Artwork::Logo), devicePixelRatioF()));

    m_ui->Label1->setText(tr("Corvane Chords version %1").arg(QStringLiteral(CORVANE_VERSION)));
    m_ui->Label3->setText(QString(kMakerWebAddress));
    // Only the text is the link: a click on the empty space beside it should not open the page.
    m_ui->Label3->adjustSize();
    m_ui->Label3->setToolTip(tr("Opens the web page in your browser"));

    connect(m_ui->Label3, &LinkLabel::clicked, this, &TForm2::Label3Click);
}

TForm2::~TForm2() = default;

void TForm2::Label3Click() { OpenUrl(QUrl(QString(kMakerWebAddress))); }

} // namespace corvane
