#pragma once
// The result sheet: one chord diagram per result in cells of 100 x 130, row by row, as many columns
// as whole cells fit in its width, six-string diagrams or another instrument's. It keeps the
// fingerings, not a picture of them: each paint draws only the cells it is asked to show, so its
// memory does not grow with the number of results.
//
// From the keyboard it has a current cell, framed while the sheet has the focus: the arrow keys,
// Home, End, Page Up and Page Down move it and scroll it into view, and Enter or Space plays it as a
// click on it would. A screen reader finds the cells as the items of a list (sheet_accessible.h).

#include "guitar/frets.h"
#include "guitar/open_strings.h"
#include "guitar/voicing.h"

#include <QString>
#include <QWidget>

#include <vector>

class QScrollArea;

namespace corvane {

class Canvas;
class PictureStore;

class ResultSheet final : public QWidget {
    Q_OBJECT
public:
    explicit ResultSheet(QWidget* parent = nullptr);

    // The pictures the diagrams are made of. Must outlive the sheet.
    void setPictures(const PictureStore* pictures);

    // A new result list, in cell order, with no cell selected; the sheet takes `width` and the height
    // of the sheet geometry for that many results. Every fingering is drawn by DrawStringsDiagram (six
    // strings as DrawChordDiagram draws them), its bass marked as the open `strings` sound, or, without
    // them, under the first string sounding.
    void showDiagrams(std::vector<Frets> diagrams, int width, const OpenStrings& strings = {});
    void showDiagrams(const std::vector<Voicing>& diagrams, int width);

    // Discards the diagrams: the sheet is blank and has no height.
    void clearDiagrams();

    int count() const { return static_cast<int>(m_diagrams.size()); }
    // The fingerings in cell order, the one of cell `index` (0 <= index < count()), and whether the
    // sheet draws mirrored: what copy, export and print take from it.
    const std::vector<Frets>& diagrams() const { return m_diagrams; }
    Frets diagram(int index) const { return m_diagrams[static_cast<size_t>(index)]; }
    bool leftHanded() const { return m_leftHanded; }
    // The open strings the diagrams' bass marks read, which copy and export mark the bass by; none
    // (count 0) where the bass is marked under the first string sounding.
    const OpenStrings& openStrings() const { return m_openStrings; }

    // Redraws the previously selected cell as normal and this one as selected; -1 selects none.
    void selectCell(int index);
    int selectedCell() const { return m_selected; }

    // The cell the keyboard is on: the first one after each new result list, the clicked one after a
    // click; -1 when the sheet is empty.
    int currentCell() const { return m_current; }
    // Makes this cell current and scrolls it into view; a screen reader hears of the move.
    void moveCurrentCell(int index);
    // Does what a click on this cell does: makes it current and reports the release on it.
    void activateCell(int index);

    // The chord the diagrams are fingerings of, as it is shown, and a cell as a screen reader reads
    // it.
    void setChordName(const QString& name) { m_chordName = name; }
    // A few words a cell's spoken text ends with ("without the 5th"), one per diagram of the next
    // showDiagrams; none by default.
    void setCellNotes(std::vector<QString> notes) { m_cellNotes = std::move(notes); }
    const QString& chordName() const { return m_chordName; }
    QString cellText(int index) const;

    // Mirrors every diagram for left-handed players.
    void setLeftHanded(bool leftHanded);

    // The cell of a result in sheet pixels.
    QRect cellRect(int index) const;

    // Draws the diagrams of the cells that meet `area` (sheet pixels), and no others.
    void drawArea(Canvas& canvas, const QRect& area) const;

signals:
    // Any mouse button was released over the cell of result `index`, at this position in sheet
    // pixels. A release between the last column and the right edge, or past the last result, reports
    // nothing.
    void cellClicked(int index, QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setCurrent(int index);
    void announceCurrent();
    void scrollToCell(int index);
    int rowsInView() const;
    QScrollArea* scrollArea() const;

    const PictureStore* m_pictures = nullptr;
    std::vector<Frets> m_diagrams;
    OpenStrings m_openStrings {};
    int m_selected = -1;
    int m_current = -1;
    QString m_chordName;
    std::vector<QString> m_cellNotes;
    bool m_leftHanded = false;
};

} // namespace corvane
