#pragma once
// The small MIDI window: a patch box with the instrument sounds of the main window, wired to
// nothing. Created hidden at start-up; nothing in the program opens it.

#include <QWidget>

#include <memory>

namespace Ui {
class TFormMidi;
}

namespace corvane {

class TFormMidi : public QWidget {
    Q_OBJECT
public:
    explicit TFormMidi(QWidget* parent = nullptr);
    ~TFormMidi() override;

private:
    std::unique_ptr<Ui::TFormMidi> m_ui;
};

} // namespace corvane
