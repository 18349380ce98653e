#pragma once
// A grid of read-only texts with whole-row selection: the note grids and the chord-type list.

#include <QTableWidget>

namespace corvane {

class TextGrid final : public QTableWidget {
    Q_OBJECT
public:
    explicit TextGrid(QWidget* parent = nullptr);

    // Creates the cell when it does not exist yet; the user cannot edit it.
    void setText(int row, int column, const QString& text);
    QString text(int row, int column) const;

    void setRowHeight(int pixels);

    // Enabled with the window colour, or disabled with the colour of a menu bar: the two go together.
    void setEnabledWithColour(bool enabled);

    // Selects a row without reporting it, for restoring a selection a handler refused.
    void selectRowQuietly(int row);

signals:
    // The user has clicked a row (also the row already current) or moved to another one with the
    // keyboard, or the program has moved the current cell to another one. A move by the program to
    // the cell already current reports nothing. A user's click is reported once the grid has
    // finished with it, so that a handler that puts the selection back has the last word.
    void selectCell(int column, int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Runs the grid's own handling of a user event with the reports held back, then reports the cell
    // the user reached: always for a click on a row (`clicked`), otherwise only when the current cell
    // moved.
    template <typename Handle> void UserEvent(Handle handle, const QModelIndex& clicked);

    bool m_userEvent = false;
    bool m_moved = false;
};

} // namespace corvane
