#pragma once
// Help > "Chord notation…": what a newcomer meets in the window, explained once. The names' signs,
// the extension and chord-type lists and the mod1 and mod2 buttons, the marks under a diagram and
// its base-fret number, and the options. Shown modally, as often as the user asks.

#include <QDialog>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Ui {
class NotationWindow;
}

namespace corvane {

// The strings a diagram shows, for its paragraph: nothing for the six-string guitar, else the
// instrument's caption ("Ukulele") and its open strings' names, lowest as held first.
struct DiagramStrings {
    std::string_view instrument;
    std::vector<std::string> names;
};

class NotationWindow final : public QDialog {
    Q_OBJECT
public:
    explicit NotationWindow(QWidget* parent = nullptr, const DiagramStrings& strings = {});
    ~NotationWindow() override;

    // The explanation as the window shows it (HTML), its diagram paragraph speaking of `strings`.
    static QString Text(const DiagramStrings& strings = {});

private:
    std::unique_ptr<Ui::NotationWindow> m_ui;
};

} // namespace corvane
