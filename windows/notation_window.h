#pragma once
// Help > "Chord notation…": what a newcomer meets in the window, explained once. The names' signs,
// the extension and chord-type lists and the mod1 and mod2 buttons, the marks under a diagram and
// its base-fret number, and the options. Shown modally, as often as the user asks.

#include <QDialog>

#include <memory>

namespace Ui {
class NotationWindow;
}

namespace corvane {

class NotationWindow final : public QDialog {
    Q_OBJECT
public:
    explicit NotationWindow(QWidget* parent = nullptr);
    ~NotationWindow() override;

    // The explanation as the window shows it (HTML).
    static QString Text();

private:
    std::unique_ptr<Ui::NotationWindow> m_ui;
};

} // namespace corvane
