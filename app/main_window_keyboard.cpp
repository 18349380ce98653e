// The main window from the keyboard and through a screen reader: a name for every control, a hint
// for every control without a caption, the shortcuts, and the tuning bars' notes.

#include "app/main_window.h"

#include "ui_main_window.h"

#include "toolkit/accessibility.h"
#include "toolkit/result_sheet.h"

#include <QLineEdit>
#include <QListWidgetItem>
#include <QShortcut>

#include <algorithm>

namespace corvane {

namespace {

    struct Description {
        QWidget* control;
        const char* name; // for a screen reader
        const char* hint; // the tooltip; null keeps the layout's own hint or none
    };

    // Guitarists count the strings from the highest: the bar of string 0 tunes the sixth.
    const std::array<const char*, kStrings> kStringNames { "6th string (lowest)", "5th string", "4th string",
        "3rd string", "2nd string", "1st string (highest)" };

    // "4th string", counted from the highest as held, as players of every fretted instrument count them;
    // the lowest- and highest-sounding strings say so, which on a re-entrant tuning need not be the first
    // and last.
    QString StringsBarName(const OpenStrings& strings, int string)
    {
        const int number = strings.count - string;
        const char* suffix = number == 1 ? "st" : number == 2 ? "nd" : number == 3 ? "rd" : "th";
        QString name = QStringLiteral("%1%2 string").arg(number).arg(QLatin1StringView(suffix));
        const auto notes = strings.Notes();
        if (strings[string] == *std::min_element(notes.begin(), notes.end()))
            name += QStringLiteral(" (lowest)");
        else if (strings[string] == *std::max_element(notes.begin(), notes.end()))
            name += QStringLiteral(" (highest)");
        return name;
    }

} // namespace

void TForm1::SetUpKeyboardAndReader()
{
    InstallAccessibleInterfaces();

    const Description descriptions[] = {
        { ui->EditAcorde, "Chord name", nullptr },
        { ui->SpeedButton2, "Search for chord", nullptr },
        { ui->StringGridAcorde, "Root note", nullptr },
        { ui->StringGridBaixo, "Bass note", nullptr },
        { ui->CheckListBox1, "Chord extensions", nullptr },
        { ui->StringGrid1, "Chord types", nullptr },
        { ui->SpeedButton5, "Root names with sharps", "Root names with sharps" },
        { ui->SpeedButton6, "Root names with flats", "Root names with flats" },
        { ui->SpeedButton7, "Chord from extensions", "Build the chord from the extension list" },
        { ui->SpeedButton8, "Chord from chord types", "Pick the chord from the list of chord types" },
        { ui->SpeedButton10, "Bass names with sharps", "Bass names with sharps" },
        { ui->SpeedButton9, "Bass names with flats", "Bass names with flats" },
        { ui->ListBox1, "Chord names", nullptr },
        { ui->Image1, "Chord diagrams", nullptr },
        { ui->Edit1, "Formation", "Frets lowest string first, as x 3 2 0 1 0 or x32010; Enter plays them on the neck" },
        { ui->ComboBox2, "Distance", nullptr },
        { ui->ComboBox1, "Up to fret", nullptr },
        { ui->ToolButton5, "Tuning", nullptr },
        { ui->ComboBoxPatch, "Sound", nullptr },
        { ui->TrackBarTempoAcorde, "Tempo", nullptr },
        { ui->SpeedButton11, "Electric neck", "Show the fingering on the electric guitar's neck" },
        { ui->SpeedButton12, "Classic neck", "Show the fingering on the classical guitar's neck" },
        { ui->Image2, "Neck", nullptr },
        { ui->SpinEditCapo, "Capo", nullptr },
        { ui->ComboBoxInstrument, "Instrument", nullptr },
    };
    for (const Description& description : descriptions) {
        description.control->setAccessibleName(QString::fromUtf8(description.name));
        if (description.hint)
            description.control->setToolTip(QString::fromUtf8(description.hint));
    }
    // The typed part of the sound box, and the major triad's item, whose caption is empty on screen.
    if (QLineEdit* typed = ui->ComboBoxPatch->lineEdit())
        typed->setAccessibleName(QStringLiteral("Sound"));
    if (QListWidgetItem* major = ui->CheckListBox1->item(kMajorItem); major && major->text().isEmpty())
        major->setData(Qt::AccessibleTextRole, QStringLiteral("major"));
    ShowStringNotes();

    // The scroll box passes the keyboard on to the sheet inside it, which scrolls itself.
    ui->ScrollBoxViolao->setFocusPolicy(Qt::NoFocus);

    for (const QKeySequence& keys : { QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F6) }) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &TForm1::FocusNameBox);
    }
    ui->Notation1->setShortcut(QKeySequence(Qt::Key_F1));
}

// Each bar's name, hint and value name its string and the note its label shows, whichever way the
// tuning or the instrument changed.
void TForm1::ShowStringNotes()
{
    if (!m_allBars[0])
        return;
    for (int s = 0; s < m_openStrings.count; ++s) {
        const auto at = static_cast<size_t>(s);
        const QString string
            = m_instrument->tuningPresets ? QLatin1StringView(kStringNames[at]) : StringsBarName(m_openStrings, s);
        const QString note = m_allLabels[at]->text();
        m_allBars[at]->setAccessibleName(QStringLiteral("Tuning of the %1").arg(string));
        m_allBars[at]->setToolTip(QStringLiteral("%1: %2").arg(string, note));
        SetNoteName(m_allBars[at], note);
    }
    // The drawn neck names its strings at the nut.
    if (!m_instrument->neckPhotos)
        ShowNeckFingering();
}

void TForm1::FocusNameBox()
{
    ui->EditAcorde->setFocus(Qt::ShortcutFocusReason);
    ui->EditAcorde->selectAll();
}

} // namespace corvane
