#pragma once
// The About window: the logo, the product name with its version, and a link to our web page. It is
// created once, hidden, and shown modally as often as the user asks for it.

#include <QDialog>
#include <QLatin1StringView>

#include <memory>

namespace Ui {
class TForm2;
}

namespace corvane {

// Our web page: the text of the link and the address it opens.
inline constexpr QLatin1StringView kMakerWebAddress("https://corvane.org/chords");

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // Asks the desktop to open our web page. Whether it could is not reported: a missing browser is
    // no reason to bother the user from an About window.
    void Label3Click();

private:
    std::unique_ptr<Ui::TForm2> m_ui;
};

} // namespace corvane
