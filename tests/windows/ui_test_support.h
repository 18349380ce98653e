#pragma once
// Helpers for windows that run their own event loop (exec) or need the keyboard focus.

#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <vector>

namespace corvane::ui_test {

// Once a modal window is up, calls `action` with it; `action` must close it, or the test hangs in
// exec. Gives up quietly after `timeout` so that a window that never became modal fails the test's
// own checks instead of leaving a timer behind.
inline void WhenModalShown(
    std::function<void(QWidget* modal)> action, std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    const QDeadlineTimer deadline(timeout);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, deadline, action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && !deadline.hasExpired())
            return;
        poll->stop();
        poll->deleteLater();
        if (modal)
            action(modal);
    });
    poll->start();
}

// Shows `window` and makes it the active window, so that key clicks go to its focus chain.
inline bool ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitFor([&] {
        // Activation follows asynchronously a window that was just hidden; wait for ours to settle.
        if (QApplication::activeWindow() != &window)
            window.activateWindow();
        return QApplication::activeWindow() == &window;
    });
}

// Presses Tab `presses` times in the active window and reports which of `controls` held the focus at
// some point.
inline std::vector<bool> ReachedByTab(const std::vector<QWidget*>& controls, int presses)
{
    std::vector<bool> reached(controls.size(), false);
    const auto note = [&] {
        for (std::size_t i = 0; i < controls.size(); ++i)
            reached[i] = reached[i] || controls[i]->hasFocus();
    };
    note();
    for (int i = 0; i < presses; ++i) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        if (!target)
            break;
        QTest::keyClick(target, Qt::Key_Tab);
        note();
    }
    return reached;
}

} // namespace corvane::ui_test
