#pragma once
// A label that behaves as a link: blue and underlined, with the hand cursor, reachable with Tab.
// A click anywhere on it, or Space or Enter while it has the focus, emits clicked(). It opens
// nothing itself; the owner decides what a click does.

#include <QLabel>

namespace corvane {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyLinkLook();

    // A click counts only when the button goes down and up again over the label, as with a button.
    bool m_pressed = false;
};

} // namespace corvane
