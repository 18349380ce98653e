#pragma once
// The strip of chords the Progression and Song windows show: a row of columns, each chord's diagram
// under its name (or its name and a dash when no fingering was found) and its "Other fingerings"
// button below. The diagrams take the keyboard: the arrow keys move along the strip, Enter or Space
// plays the chord, and a screen reader hears each as the main sheet's are heard, with the chord
// sounding during Play as the selected one.

#include "guitar/frets.h"
#include "guitar/open_strings.h"
#include "guitar/voicing.h"

#include <QImage>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QAbstractButton;

namespace corvane {

class PictureStore;

// One chord of the strip as the window shows it.
struct StripCell {
    QString name;
    std::optional<QImage> picture; // none: no fingering was found
    QString tip; // the fingering, or why there is none
    QString spoken; // what a screen reader says of the diagram
    bool waiting = false; // "Other fingerings" is checked: the next diagram selected is taken
};

// A chosen fingering drawn as a cell with its name over it, its tooltip and its spoken form, on the
// six-string guitar and on another instrument; `problem` says why there is none.
StripCell StripCellOf(const QString& name, const Voicing* frets, const std::string& problem,
    const PictureStore& pictures, bool leftHanded, const OpenStrings& strings);
StripCell StripCellOf(const QString& name, const Frets* frets, const std::string& problem, const PictureStore& pictures,
    bool leftHanded, const OpenStrings& strings);

// A diagram of the strip: a picture that takes the keyboard. Its accessible name is the spoken form.
class StripDiagram final : public QLabel {
    Q_OBJECT
public:
    StripDiagram(int index, QWidget* parent);
    int index() const { return m_index; }
    bool sounding() const { return m_sounding; }
    void setSounding(bool sounding);

signals:
    void moveBy(int step); // an arrow key: to the next (1) or previous (-1) diagram
    void moveTo(int index); // Home (0) and End (-1)
    void played();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_index;
    bool m_sounding = false;
};

class ChordStrip final : public QWidget {
    Q_OBJECT
public:
    explicit ChordStrip(QWidget* parent = nullptr);

    // Column k ("Chord<k>", its diagram "Diagram" and button "OtherFingerings") for each cell. The
    // control that had the keyboard keeps it: the same control of the same column, or of the last
    // one when the strip got shorter. The columns follow `before` in the Tab order.
    void Show(const std::vector<StripCell>& cells);
    void setTabPredecessor(QWidget* before) { m_before = before; }

    int count() const { return static_cast<int>(m_names.size()); }
    const QStringList& names() const { return m_names; }
    // The chord Play strums now has its diagram framed and selected; -1 for none.
    void setSounding(int index);
    int sounding() const { return m_sounding; }

    StripDiagram* diagram(int index) const;
    QAbstractButton* otherFingerings(int index) const;

signals:
    void otherFingeringsClicked(int index);
    void played(int index); // Enter or Space on a diagram

private:
    std::vector<QWidget*> TakeColumns();
    void FocusDiagram(int index);

    QStringList m_names;
    int m_sounding = -1;
    QWidget* m_before = nullptr;
};

} // namespace corvane
