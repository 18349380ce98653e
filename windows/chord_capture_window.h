#pragma once
// The chord capture window: a text box, a button and a combo box that nothing is wired to yet.
// Created hidden at start-up; only LeitordeCifra1Click of the main window shows it, and no control
// runs that.

#include <QWidget>

#include <memory>

namespace Ui {
class TFormCifra;
}

namespace corvane {

class TFormCifra : public QWidget {
    Q_OBJECT
public:
    explicit TFormCifra(QWidget* parent = nullptr);
    ~TFormCifra() override;

private:
    std::unique_ptr<Ui::TFormCifra> m_ui;
};

} // namespace corvane
