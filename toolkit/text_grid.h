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
    // A cell has become the current one, whether the user or the program moved it there; moving to
    // the cell that is already current reports nothing.
    void selectCell(int column, int row);
};

} // namespace corvane
