// Every window as a screen reader and the keyboard meet it: the accessibility tree names every control
// that takes the keyboard, Tab leaves every control it reaches, and each window is announced as one,
// with its title. New windows join the table of rows below.

#include "main_window_fixture.h"
#include "windows/notation_window.h"
#include "windows/progression_window.h"
#include "windows/song_window.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>

#include <functional>

namespace corvane::test {
namespace {

    const QString kSongs = QStringLiteral(CORVANE_SONGS_DIR);

    std::string Describe(QAccessibleInterface* node)
    {
        const QObject* object = node->object();
        QString where = object ? object->objectName() : QString();
        if (where.isEmpty() && object)
            where = QString::fromLatin1(object->metaObject()->className());
        for (QAccessibleInterface* up = node->parent(); where.isEmpty() && up; up = up->parent())
            if (up->object() && !up->object()->objectName().isEmpty())
                where = QStringLiteral("a child of ") + up->object()->objectName();
        return where.toStdString() + " (role " + std::to_string(static_cast<int>(node->role())) + ")";
    }

    // The shown controls of the tree that take the keyboard and have no name a reader could say.
    std::vector<std::string> Unnamed(QWidget* window)
    {
        std::vector<std::string> unnamed;
        const std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* node, int depth) {
            if (!node || !node->isValid() || depth > 40)
                return;
            const QAccessible::State state = node->state();
            if (state.invisible || state.offscreen)
                return;
            if (state.focusable && !state.disabled && node->text(QAccessible::Name).trimmed().isEmpty())
                unnamed.push_back(Describe(node));
            for (int k = 0; k < node->childCount(); ++k)
                walk(node->child(k), depth + 1);
        };
        walk(QAccessible::queryAccessibleInterface(window), 0);
        return unnamed;
    }

    // The controls Tab stops at from which Tab does not move on.
    std::vector<std::string> Traps(QWidget* window)
    {
        std::vector<std::string> traps;
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisibleTo(window) || !control->isEnabled()
                || control->focusProxy())
                continue;
            control->setFocus(Qt::TabFocusReason);
            if (QApplication::focusWidget() != control)
                continue;
            QTest::keyClick(control, Qt::Key_Tab);
            if (QApplication::focusWidget() == control)
                traps.push_back(control->objectName().toStdString());
        }
        return traps;
    }

    class WindowsReadTest : public MainWindowTest {
    protected:
        void ExpectReadable(QWidget* shown, const QString& title)
        {
            ASSERT_NE(shown, nullptr);
            shown->show();
            shown->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(shown));
            ASSERT_TRUE(QTest::qWaitFor([shown] { return QApplication::activeWindow() == shown; }))
                << "active: "
                << (QApplication::activeWindow() ? QApplication::activeWindow()->objectName().toStdString() : "none");
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(shown);
            ASSERT_NE(reader, nullptr);
            EXPECT_TRUE(reader->role() == QAccessible::Window || reader->role() == QAccessible::Dialog)
                << "role " << reader->role();
            EXPECT_EQ(reader->text(QAccessible::Name), title);
            EXPECT_EQ(Unnamed(shown), std::vector<std::string>());
            EXPECT_EQ(Traps(shown), std::vector<std::string>());
        }
    };

    TEST_F(WindowsReadTest, MainWindow) { ExpectReadable(window.get(), window->windowTitle()); }

    TEST_F(WindowsReadTest, SongWindow)
    {
        ASSERT_TRUE(window->OpenSongFile(kSongs + QStringLiteral("/swing_low.cho")));
        ExpectReadable(window->songWindow(), QStringLiteral("Swing Low, Sweet Chariot — Song"));
    }

    TEST_F(WindowsReadTest, ProgressionWindow)
    {
        window->Progression1Click();
        TFormProgression* progression = window->progressionWindow();
        ASSERT_NE(progression, nullptr);
        progression->findChild<QPlainTextEdit*>(QStringLiteral("MemoChords"))->setPlainText(QStringLiteral("C G Qz7"));
        ExpectReadable(progression, QStringLiteral("Progression"));
    }

    TEST_F(WindowsReadTest, NotationHelp)
    {
        NotationWindow help(window.get());
        ExpectReadable(&help, help.windowTitle());
    }

} // namespace
} // namespace corvane::test
