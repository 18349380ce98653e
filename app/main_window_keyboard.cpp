// The main window from the keyboard and through a screen reader: a name for every control, a hint
// for every control without a caption, the shortcuts, and the tuning bars' notes.

#include "app/main_window.h"

#include "ui_main_window.h"

#include "toolkit/accessibility.h"
#include "toolkit/result_sheet.h"

#include <QShortcut>

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
    };
    for (const Description& description : descriptions) {
        description.control->setAccessibleName(QString::fromUtf8(description.name));
        if (description.hint)
            description.control->setToolTip(QString::fromUtf8(description.hint));
    }
    for (size_t s = 0; s < m_trackBars.size(); ++s)
        m_trackBars[s]->setAccessibleName(QStringLiteral("Tuning of the %1").arg(QLatin1StringView(kStringNames[s])));
    ShowStringNotes();

    // The scroll box passes the keyboard on to the sheet inside it, which scrolls itself.
    ui->ScrollBoxViolao->setFocusPolicy(Qt::NoFocus);

    for (const QKeySequence& keys : { QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F6) }) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &TForm1::FocusNameBox);
    }
    ui->Notation1->setShortcut(QKeySequence(Qt::Key_F1));
}

// Each bar's hint and value name the note its label shows, whichever way the tuning changed.
void TForm1::ShowStringNotes()
{
    const std::array<QLabel*, kStrings> labels { ui->lbAfinacaoCorda1, ui->lbAfinacaoCorda2, ui->lbAfinacaoCorda3,
        ui->lbAfinacaoCorda4, ui->lbAfinacaoCorda5, ui->lbAfinacaoCorda6 };
    for (size_t s = 0; s < m_trackBars.size(); ++s) {
        const QString note = labels[s]->text();
        m_trackBars[s]->setToolTip(QStringLiteral("%1: %2").arg(QLatin1StringView(kStringNames[s]), note));
        SetNoteName(m_trackBars[s], note);
    }
}

void TForm1::FocusNameBox()
{
    ui->EditAcorde->setFocus(Qt::ShortcutFocusReason);
    ui->EditAcorde->selectAll();
}

} // namespace corvane
