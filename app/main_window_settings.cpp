// Settings that last: what the window keeps from one run to the next, File > "Restore defaults" and
// File > "Sound font...".

#include "app/main_window.h"

#include "ui_main_window.h"

#include "app/kept_settings.h"
#include "sound/midi_player.h"
#include "sound/patch_table.h"
#include "sound/sound_device.h"
#include "theory/notation.h"
#include "theory/notes.h"
#include "toolkit/check_list.h"
#include "toolkit/choice_box.h"
#include "toolkit/neck_image.h"
#include "toolkit/text_grid.h"
#include "windows/progression_window.h"
#include "windows/song_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

namespace corvane {

namespace {

    QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

    QString AskForSoundFont(QWidget* parent, const QString& current)
    {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Sound font"),
            current.isEmpty() ? QString() : QFileInfo(current).absolutePath(),
            QStringLiteral("Sound fonts (*.sf2 *.sf3);;All files (*)"));
    }

    bool AskYesOrCancel(QWidget* parent, const QString& title, const QString& text)
    {
        return QMessageBox::question(
                   parent, title, text, QMessageBox::RestoreDefaults | QMessageBox::Cancel, QMessageBox::Cancel)
            == QMessageBox::RestoreDefaults;
    }

    // What Restore defaults puts back, said before it does.
    QString RestoreQuestion()
    {
        return QStringLiteral(
            "Put every remembered value back as the program first starts?\n\n"
            "This resets the instrument (back to the guitar) and its tuning, \"Up to fret\", \"Distance\", the option "
            "boxes and the capo, the sound, "
            "the tempo and the sound font, the neck picture, the spelling and the last chord, the notation of chord "
            "names, the export folder, "
            "and the song and "
            "options the Progression window remembers. The window keeps its size until the next start.");
    }

} // namespace

void TForm1::AddSettingsItems()
{
    auto* soundFont = new QAction(QStringLiteral("&Sound font…"), this);
    soundFont->setObjectName(QStringLiteral("SoundFont1"));
    auto* restore = new QAction(QStringLiteral("&Restore defaults"), this);
    restore->setObjectName(QStringLiteral("RestoreDefaults1"));
    ui->File1->insertAction(ui->Sair1, soundFont);
    ui->File1->insertAction(ui->Sair1, restore);
    ui->File1->insertSeparator(ui->Sair1);
    connect(soundFont, &QAction::triggered, this, &TForm1::SoundFont1Click);
    connect(restore, &QAction::triggered, this, &TForm1::RestoreDefaults1Click);
    m_soundFontDialog = AskForSoundFont;
    m_restoreQuestion = AskYesOrCancel;
    m_startupState = std::make_unique<KeptState>(CaptureKept());
    // The program starts maximised, whatever size the window has before it is shown.
    m_startupState->geometry.clear();
    m_startupState->maximised = true;
}

KeptState TForm1::CaptureKept() const
{
    KeptState kept;
    // The button names the preset last applied; the menu may mark another (the button's own click
    // applies the standard tuning without moving the mark).
    // On another instrument the guitar's tuning is kept as its controls last showed it.
    const QString button = m_instrument->tuningPresets ? ui->ToolButton5->text() : m_guitarView.button;
    for (int tag = 0; tag < static_cast<int>(kTuningPresets.size()); ++tag)
        if (button == Text(kTuningPresets[static_cast<size_t>(tag)].buttonCaption))
            kept.presetTag = tag;
    if (m_instrument->tuningPresets)
        kept.markedPreset = m_tuningItems->checkedAction() ? m_tuningItems->checkedAction()->data().toInt() : 0;
    else
        kept.markedPreset = m_guitarView.markedTag;
    kept.tuning = m_tuning;
    const std::array<QLabel*, kStrings> labels { ui->lbAfinacaoCorda1, ui->lbAfinacaoCorda2, ui->lbAfinacaoCorda3,
        ui->lbAfinacaoCorda4, ui->lbAfinacaoCorda5, ui->lbAfinacaoCorda6 };
    for (size_t s = 0; s < kStrings; ++s)
        kept.stringLabels[s] = (m_instrument->tuningPresets ? labels[s]->text() : m_guitarView.labels[s]).toStdString();
    kept.instrument = std::string(m_instrument->name);
    if (!m_instrument->tuningPresets) {
        kept.instrumentStrings = m_openStrings;
        kept.instrumentPreset = m_stringsPreset;
    }

    kept.fretLimitItem = ui->ComboBox1->currentIndex();
    kept.spanItem = ui->ComboBox2->currentIndex();
    kept.omit3 = ui->CheckBoxOmit3->isChecked();
    kept.omit5 = ui->CheckBoxOmit5->isChecked();
    kept.leftHanded = ui->CheckBoxCanhoto->isChecked();
    kept.noBarre = ui->CheckBoxPestanas->isChecked();
    kept.easy = ui->CheckBoxNSI->isChecked();
    if (const auto* capo = findChild<QSpinBox*>(QStringLiteral("SpinEditCapo")))
        kept.capo = capo->value();

    kept.patch = m_patchFitted ? m_guitarView.patch : ui->ComboBoxPatch->currentIndex();
    kept.tempo = ui->TrackBarTempoAcorde->value();
    kept.electricNeck = ui->SpeedButton11->isChecked();
    kept.soundFont = m_soundFont;
    kept.exportFolder = m_exportFolder.toStdString();
    kept.notation = std::string(NotationWord(m_notation));

    kept.selection = m_selection;
    kept.typeRow = ui->StringGrid1->currentRow();
    kept.extensionsShown = ui->SpeedButton7->isChecked();

    kept.geometry = saveGeometry();
    kept.maximised = isMaximized();
    kept.chooserSplitter = ui->Splitter3->sizes();
    kept.sheetSplitter = ui->Splitter2->sizes();
    return kept;
}

// Writes the controls and the state as the handlers would have left them, without running the
// handlers (no refresh, no strum, no redraw per control), then refreshes once. The only MIDI sent
// is the program change of a patch other than the one already selected.
void TForm1::ApplyKept(const KeptState& kept)
{
    // The guitar's controls first, as they always were; the kept instrument last.
    if (!m_instrument->tuningPresets)
        ShowInstrument(SixStringGuitar(), {}, 0);
    const TuningPreset& preset = kTuningPresets[static_cast<size_t>(kept.presetTag)];
    ui->ToolButton5->setText(Text(preset.buttonCaption));
    m_tuningItems->actions().at(kept.markedPreset)->setChecked(true);
    m_tuning = kept.tuning;
    m_presetRunning = true;
    for (size_t s = 0; s < m_trackBars.size(); ++s)
        m_trackBars[s]->setValue(kept.tuning[s]);
    m_presetRunning = false;
    m_tuning = kept.tuning;
    const std::array<QLabel*, kStrings> labels { ui->lbAfinacaoCorda1, ui->lbAfinacaoCorda2, ui->lbAfinacaoCorda3,
        ui->lbAfinacaoCorda4, ui->lbAfinacaoCorda5, ui->lbAfinacaoCorda6 };
    for (size_t s = 0; s < kStrings; ++s)
        labels[s]->setText(Text(kept.stringLabels[s]));
    m_stringNotes = RebuildStringNotes(m_tuning);
    m_openStrings = GuitarOpenStrings(m_tuning);

    {
        const QSignalBlocker quietLimit(ui->ComboBox1);
        const QSignalBlocker quietSpan(ui->ComboBox2);
        ui->ComboBox1->setCurrentIndex(kept.fretLimitItem);
        ui->ComboBox2->setCurrentIndex(kept.spanItem);
    }
    m_fretLimit = ui->ComboBox1->selectedValue(12);
    ui->CheckBoxOmit3->setChecked(kept.omit3);
    ui->CheckBoxOmit5->setChecked(kept.omit5);
    ui->CheckBoxCanhoto->setChecked(kept.leftHanded);
    ui->CheckBoxPestanas->setChecked(kept.noBarre);
    ui->CheckBoxNSI->setChecked(kept.easy);
    // The capo is read from its box by the refresh below.
    if (auto* capo = findChild<QSpinBox*>(QStringLiteral("SpinEditCapo")); capo && kept.capo) {
        const QSignalBlocker quiet(capo);
        capo->setValue(*kept.capo);
    }

    if (kept.patch != ui->ComboBoxPatch->currentIndex()) {
        {
            const QSignalBlocker quiet(ui->ComboBoxPatch);
            ui->ComboBoxPatch->setCurrentIndex(kept.patch);
        }
        ChangePatch(*m_midi, kept.patch);
    }
    {
        const QSignalBlocker quiet(ui->TrackBarTempoAcorde);
        ui->TrackBarTempoAcorde->setValue(kept.tempo);
    }
    (kept.electricNeck ? ui->SpeedButton11 : ui->SpeedButton12)->setChecked(true);
    // The bare neck, with the kept capo's bar on it.
    ShowBareNeck(kept.electricNeck ? NeckPicture::Electric : NeckPicture::Classic);
    // The sound is started with the kept file by whoever made it (after the first paint), so that
    // reading the settings does not load a sound font on the way to the window.
    m_soundFont = kept.soundFont;
    m_exportFolder = QString::fromStdString(kept.exportFolder);

    m_notation = ParseNotation(kept.notation).value_or(Notation::Parts);
    if (m_notationItems)
        for (QAction* item : m_notationItems->actions())
            item->setChecked(item->data().toInt() == static_cast<int>(m_notation));

    m_selection = kept.selection;
    ui->StringGridAcorde->selectRowQuietly(m_selection.rootRow);
    ui->StringGridBaixo->selectRowQuietly(m_selection.bassRow);
    if (kept.typeRow >= 0)
        ui->StringGrid1->selectRowQuietly(kept.typeRow);
    else {
        const QSignalBlocker quiet(ui->StringGrid1);
        ui->StringGrid1->clearSelection();
        ui->StringGrid1->setCurrentCell(-1, -1);
    }
    ShowSelection();
    ShowGridNames(ui->StringGridAcorde, m_selection.rootSpelling);
    ShowGridNames(ui->StringGridBaixo, m_selection.bassSpelling);
    // The buttons show the spelling the grids are written in. A typed name may have left the grids
    // in its own spelling under the other button; restored, the two agree.
    (m_selection.rootSpelling == Spelling::Flat ? ui->SpeedButton6 : ui->SpeedButton5)->setChecked(true);
    (m_selection.bassSpelling == Spelling::Flat ? ui->SpeedButton9 : ui->SpeedButton10)->setChecked(true);
    (kept.extensionsShown ? ui->SpeedButton7 : ui->SpeedButton8)->setChecked(true);
    ui->CheckListBox1->setVisible(kept.extensionsShown);
    ui->StringGrid1->setVisible(!kept.extensionsShown);

    if (const Instrument* instrument = FindInstrument(kept.instrument);
        instrument && !instrument->tuningPresets && kept.instrumentStrings.count == instrument->Strings())
        ShowInstrument(*instrument, kept.instrumentStrings, kept.instrumentPreset);

    // A kept name that named no note says so again, as it did when it was typed.
    if (m_selection.rootIndex == kNoPitch) {
        SelectionState probe = m_selection;
        ShowNameSearch(SearchTypedChord(probe));
    }
    RefreshResults();
}

void TForm1::UseSettings(std::unique_ptr<QSettings> settings)
{
    m_settings = std::move(settings);
    if (!m_settings)
        return;
    KeptLimits limits;
    limits.fretLimitItems = ui->ComboBox1->count();
    limits.spanItems = ui->ComboBox2->count();
    limits.tempoMinimum = ui->TrackBarTempoAcorde->minimum();
    limits.tempoMaximum = ui->TrackBarTempoAcorde->maximum();
    if (const auto* capo = findChild<QSpinBox*>(QStringLiteral("SpinEditCapo"))) {
        limits.capoMaximum = capo->maximum();
        if (!m_startupState->capo)
            m_startupState->capo = capo->value();
    }
    KeptState kept = ReadKept(*m_settings, *m_startupState, limits);
    // A first start shows the window exactly as it starts.
    if (!m_settings->allKeys().isEmpty())
        ApplyKept(kept);
    m_keptLayout = std::make_unique<KeptState>(std::move(kept));
}

void TForm1::ShowAsKept()
{
    if (!m_keptLayout || m_keptLayout->geometry.isEmpty() || !restoreGeometry(m_keptLayout->geometry)) {
        showMaximized();
        return;
    }
    if (m_keptLayout->chooserSplitter.size() == 2)
        ui->Splitter3->setSizes(m_keptLayout->chooserSplitter);
    if (m_keptLayout->sheetSplitter.size() == 2)
        ui->Splitter2->setSizes(m_keptLayout->sheetSplitter);
    if (m_keptLayout->maximised)
        showMaximized();
    else
        showNormal();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (m_settings && event->isAccepted()) {
        WriteKept(*m_settings, CaptureKept());
        if (m_progression)
            m_progression->SaveSettings(*m_settings);
        if (m_song)
            m_song->SaveSettings(*m_settings);
        m_settings->sync();
    }
}

// Every kept value back to how the program starts, and the file emptied. The window keeps its size
// and place until the next start, which opens it maximised again unless it is moved meanwhile.
void TForm1::RestoreDefaults1Click()
{
    if (m_restoreQuestion && !m_restoreQuestion(this, QStringLiteral("Restore defaults"), RestoreQuestion()))
        return;
    const std::string chosen = m_soundFont;
    ApplyKept(*m_startupState);
    if (!chosen.empty())
        if (auto* device = dynamic_cast<SoundDevice*>(m_midi.get()))
            device->chooseSoundFont(m_soundFont);
    if (m_settings) {
        m_settings->clear();
        m_settings->sync();
    }
}

void TForm1::SoundFont1Click()
{
    if (!m_soundFontDialog)
        return;
    const QString chosen = m_soundFontDialog(this, Text(m_soundFont));
    if (chosen.isEmpty())
        return;
    m_soundFont = chosen.toStdString();
    if (auto* device = dynamic_cast<SoundDevice*>(m_midi.get()))
        device->chooseSoundFont(m_soundFont);
}

} // namespace corvane
