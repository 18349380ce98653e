// The main window's chord names: View > Chord names, the names list and the name box in the chosen
// notation, and the status bar's word when a typed name reads as two different chords.

#include "app/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

#include "theory/differing_readings.h"
#include "theory/interval_list.h"
#include "theory/notation.h"
#include "theory/typed_chord.h"
#include "ui_main_window.h"
#include "windows/progression_window.h"
#include "windows/song_window.h"

namespace corvane {

namespace {

    QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

    QString ActionName(Notation notation)
    {
        return QStringLiteral("ChordNames_%1").arg(QString::fromUtf8(NotationWord(notation).data()));
    }

} // namespace

void TForm1::SetUpNotationMenu()
{
    auto* view = new QMenu(QStringLiteral("&View"), this);
    view->setObjectName(QStringLiteral("View1"));
    ui->MainMenu1->insertMenu(ui->Help1->menuAction(), view);
    QMenu* names = view->addMenu(QStringLiteral("Chord names"));
    names->setObjectName(QStringLiteral("ChordNames1"));
    m_notationItems = new QActionGroup(this);
    m_notationItems->setExclusive(true);
    for (const Notation notation : kNotations) {
        QAction* item = names->addAction(QString::fromUtf8(NotationCaption(notation).data()));
        item->setObjectName(ActionName(notation));
        item->setCheckable(true);
        item->setChecked(notation == m_notation);
        item->setData(static_cast<int>(notation));
        m_notationItems->addAction(item);
        connect(item, &QAction::triggered, this, [this, notation] { ChooseNotation(notation); });
    }

    // The switch the status bar offers when the two readings of a typed name differ.
    m_useLeadSheet = new QToolButton(ui->StatusBar1);
    m_useLeadSheet->setObjectName(QStringLiteral("ButtonUseLeadSheet"));
    m_useLeadSheet->setText(QStringLiteral("Use &Lead-sheet names"));
    m_useLeadSheet->setToolTip(QStringLiteral("Read and write chord names as lead sheets do (Alt+L)"));
    m_useLeadSheet->hide();
    ui->StatusBar1->addPermanentWidget(m_useLeadSheet);
    connect(m_useLeadSheet, &QToolButton::clicked, this, [this] {
        ChooseNotation(Notation::LeadSheet);
        ui->EditAcorde->setText(QString::fromStdString(m_typedName));
        SpeedButton2Click();
    });
}

void TForm1::ChooseNotation(Notation notation)
{
    if (std::find(kNotations.begin(), kNotations.end(), notation) == kNotations.end())
        return;
    m_notation = notation;
    if (m_notationItems)
        for (QAction* item : m_notationItems->actions())
            item->setChecked(item->data().toInt() == static_cast<int>(notation));
    if (m_useLeadSheet && notation != Notation::Parts)
        m_useLeadSheet->hide();
    RefreshResults();
    if (m_progression)
        m_progression->NotationChanged();
    if (m_song)
        m_song->NotationChanged();
}

std::vector<std::string> TForm1::NamesInNotation(
    const std::vector<std::string>& names, const std::vector<int>& chordTones, const RefreshInput& input) const
{
    return NamesListIn(names, input.rootIndex, chordTones, input.bassIndex, input.rootGridNames, namesNotation());
}

// A name of another notation is read by that notation's reader first; the box then holds the chord
// in its own words. What that reader leaves is the box's to read, as always.
void TForm1::ReadTypedInNotation()
{
    m_typedName = m_selection.editText;
    if (namesNotation() == Notation::Parts || m_boxWordsHandedOver)
        return;
    const LeadSheetChord chord = ReadChordIn(m_selection.editText, namesNotation(), std::nullopt);
    if (!chord.Complete())
        return;
    const SongChord read = ReadSongChord(chord.canonical);
    if (read.Understood() && !read.nameBoxText.empty())
        m_selection.editText = read.nameBoxText;
}

std::string TForm1::ShownChordName(const std::string& boxText) const
{
    if (namesNotation() == Notation::Parts)
        return boxText;
    const auto values = IntervalValues(m_selection.chordIntervals);
    if (!values)
        return boxText;
    const auto written = WriteChordIn(
        m_selection.rootIndex, *values, m_selection.bassIndex, m_selection.rootSpelling, namesNotation(), std::nullopt);
    return written ? *written : boxText;
}

void TForm1::ShowDifferingReadings()
{
    if (!m_nameProblem || !m_useLeadSheet)
        return;
    const auto differing = m_notation == Notation::Parts ? DifferingReadings(m_typedName) : std::nullopt;
    m_useLeadSheet->setVisible(differing.has_value());
    if (differing) {
        m_nameProblem->setText(Text(*differing));
        m_nameProblem->setToolTip(Text(*differing));
    }
}

} // namespace corvane
