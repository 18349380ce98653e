#include "windows/chord_column.h"

#include "toolkit/chord_export.h"

#include <QLabel>
#include <QLayout>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

namespace corvane {

QImage ChordColumnImage(
    const Voicing& frets, const PictureStore& pictures, bool leftHanded, const std::string& name, const OpenStrings&)
{
    return DiagramImage(frets, pictures, leftHanded, SheetHeading { name, {} });
}

QImage ChordColumnImage(const Frets& frets, const PictureStore& pictures, bool leftHanded, const std::string& name,
    const OpenStrings& strings)
{
    return StringsDiagramImage(frets, pictures, leftHanded, SheetHeading { name, {} }, strings);
}

QString ChordColumnTip(const Voicing& frets) { return FingeringClipboardText(frets); }
QString ChordColumnTip(const Frets& frets) { return StringsFingeringClipboardText(frets); }

void AddChordColumn(QLayout* row, QWidget* parent, int k, const ChordColumn& chord, std::function<void()> otherClicked)
{
    auto* column = new QWidget(parent);
    column->setObjectName(QStringLiteral("Chord%1").arg(k));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* diagram = new QLabel(column);
    diagram->setObjectName(QStringLiteral("Diagram"));
    diagram->setAccessibleName(chord.name);
    if (chord.picture) {
        diagram->setPixmap(QPixmap::fromImage(*chord.picture));
    } else {
        diagram->setText(chord.name + QStringLiteral("\n\n—"));
        diagram->setAlignment(Qt::AlignCenter);
        diagram->setMinimumSize(100, 176);
    }
    diagram->setToolTip(chord.tip);
    // As wide as its card: the frame drawn around the chord playing fits the card, not the column.
    layout->addWidget(diagram, 0, Qt::AlignHCenter);
    auto* other = new QToolButton(column);
    other->setObjectName(QStringLiteral("OtherFingerings"));
    other->setText(QStringLiteral("Other fingerings"));
    other->setCheckable(true);
    other->setChecked(chord.waiting);
    QObject::connect(
        other, &QToolButton::clicked, column, [otherClicked = std::move(otherClicked)] { otherClicked(); });
    layout->addWidget(other, 0, Qt::AlignHCenter);
    row->addWidget(column);
}

void ClearChordColumns(QLayout* row)
{
    while (QLayoutItem* item = row->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        delete item;
    }
}

} // namespace corvane
