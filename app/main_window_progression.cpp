// The main window's side of the progression window: it lends its search options, its name box, its
// sound, its capo box and its selected diagrams.

#include "app/main_window.h"

#include "ui_main_window.h"

#include "drawing/qt/picture_store.h"
#include "windows/progression_window.h"

#include <QLineEdit>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>

namespace corvane {

// As the user would: the name typed over the box, then the search.
void TForm1::SearchTypedName(const QString& name)
{
    // The song and Progression windows hand over the box's own words ("B" is B whatever the notation).
    ui->EditAcorde->setText(name);
    m_boxWordsHandedOver = true;
    SpeedButton2Click();
    m_boxWordsHandedOver = false;
}

// "Other fingerings" in the Progression or Song window: the chord searched here, the window raised
// and the keyboard on the sheet, where the other fingering is picked.
void TForm1::ShowChordForOtherFingerings(const QString& chord)
{
    SearchTypedName(chord);
    raise();
    activateWindow();
    ui->Image1->setFocus(Qt::OtherFocusReason);
}

void TForm1::FillChordWindowHost(ChordWindowHost& host)
{
    host.searchOptions = [this] { return CurrentSearchOptions(); };
    host.showChord = [this](const QString& chord) { ShowChordForOtherFingerings(chord); };
    host.port = [this] { return m_midi.get(); };
    host.strumTempo = [this] { return ui->TrackBarTempoAcorde->value(); };
    host.leftHanded = [this] { return ui->CheckBoxCanhoto->isChecked(); };
    host.exportPixelRatio = [this] { return m_pictures->devicePixelRatio(); };
    host.instrument = [this] { return WindowsInstrument(); };
    host.notation = [this] { return m_notation; };
}

ExportFolder TForm1::MainExportFolder()
{
    return ExportFolder { [this] { return m_exportFolder; },
        [this](const QString& folder) { m_exportFolder = folder; } };
}

void TForm1::Progression1Click()
{
    if (!m_progression) {
        ProgressionHost host;
        FillChordWindowHost(host);
        host.setCapo = [this](int capo) { ui->SpinEditCapo->setValue(capo); };
        m_progression = new TFormProgression(std::move(host), this);
        m_progression->setObjectName(QStringLiteral("FormProgression"));
        // Its exports start where the main window's last one went.
        m_progression->setDialogs(StandardProgressionDialogs(MainExportFolder()));
        connect(this, &TForm1::diagramSelected, m_progression, &TFormProgression::DiagramSelected);
        if (m_settings)
            m_progression->RestoreSettings(*m_settings);
    }
    m_progression->show();
    m_progression->raise();
    m_progression->activateWindow();
}

} // namespace corvane
