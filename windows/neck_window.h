#pragma once
// The neck window: three neck tabs, the first with a photograph of a classic neck. Created hidden
// at start-up; nothing in the program opens it.

#include <QWidget>

#include <memory>

namespace Ui {
class TFormBraco;
}

namespace corvane {

class TFormBraco : public QWidget {
    Q_OBJECT
public:
    explicit TFormBraco(QWidget* parent = nullptr);
    ~TFormBraco() override;

private:
    std::unique_ptr<Ui::TFormBraco> m_ui;
};

} // namespace corvane
