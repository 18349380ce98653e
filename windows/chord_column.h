#pragma once
// The chord columns the Progression and Song windows show in a row: each chord's diagram under its
// name, or its name and a dash when no fingering was found, and the "Other fingerings" button below.

#include "guitar/frets.h"
#include "guitar/open_strings.h"
#include "guitar/voicing.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class QLayout;
class QWidget;

namespace corvane {

class PictureStore;

// A chosen fingering drawn as a cell with its name over it, and its tooltip, on the six-string guitar
// and on another instrument.
QImage ChordColumnImage(const Voicing& frets, const PictureStore& pictures, bool leftHanded, const std::string& name,
    const OpenStrings& strings);
QImage ChordColumnImage(const Frets& frets, const PictureStore& pictures, bool leftHanded, const std::string& name,
    const OpenStrings& strings);
QString ChordColumnTip(const Voicing& frets);
QString ChordColumnTip(const Frets& frets);

struct ChordColumn {
    QString name;
    std::optional<QImage> picture; // none: no fingering was found
    QString tip; // the fingering, or why there is none
    bool waiting = false; // "Other fingerings" is checked: the next diagram selected is taken
};

// Column k ("Chord<k>", its diagram "Diagram" and button "OtherFingerings"), added to `row`.
void AddChordColumn(
    QLayout* row, QWidget* parent, int k, const ChordColumn& column, std::function<void()> otherClicked);

// Takes every column out of the row at once; the widgets are deleted later, as the button of one may
// be the one being clicked.
void ClearChordColumns(QLayout* row);

} // namespace corvane
