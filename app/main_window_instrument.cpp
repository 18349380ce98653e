// The instrument: the box that chooses it, the tuning bars and menu of its strings, and what changes
// with it (the neck's picture, the patch, the windows' choice); the sheet, the neck and the strum ask it
// for their fingerings and names in the other files.

#include "app/main_window.h"

#include "ui_main_window.h"

#include "drawing/canvas.h"
#include "drawing/strings_neck.h"
#include "sound/midi_player.h"
#include "sound/patch_table.h"
#include "theory/best_name.h"
#include "theory/notes.h"
#include "toolkit/accessibility.h"
#include "toolkit/choice_box.h"
#include "toolkit/neck_image.h"
#include "toolkit/result_sheet.h"
#include "toolkit/text_grid.h"
#include "windows/progression_window.h"
#include "windows/song_window.h"

#include <QActionGroup>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>

#include <algorithm>

namespace corvane {

namespace {

    constexpr int kMessageMs = 5000;

    QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

    StringsNeck NeckOf(const Instrument& instrument) { return StringsNeck { instrument.Strings(), instrument.frets }; }

} // namespace

void TForm1::SetUpInstrument()
{
    m_instrument = &SixStringGuitar();
    m_openStrings = GuitarOpenStrings(m_tuning);
    for (const Instrument& instrument : Instruments())
        ui->ComboBoxInstrument->addItem(Text(instrument.caption));
    ui->ComboBoxInstrument->setCurrentIndex(0);
    m_allBars = { ui->TrackBar1, ui->TrackBar2, ui->TrackBar3, ui->TrackBar4, ui->TrackBar5, ui->TrackBar6,
        ui->TrackBar7, ui->TrackBar8 };
    m_allLabels = { ui->lbAfinacaoCorda1, ui->lbAfinacaoCorda2, ui->lbAfinacaoCorda3, ui->lbAfinacaoCorda4,
        ui->lbAfinacaoCorda5, ui->lbAfinacaoCorda6, ui->lbAfinacaoCorda7, ui->lbAfinacaoCorda8 };
    for (size_t s = 0; s < m_allBars.size(); ++s) {
        m_barPlaces[s] = m_allBars[s]->geometry();
        m_labelPlaces[s] = m_allLabels[s]->geometry();
    }
    m_neckPlace = { ui->Image2->height(), ui->Panel5->height(), ui->PanelBraco->minimumHeight(), 0 };
    for (size_t s = kStrings; s < m_allBars.size(); ++s)
        connect(m_allBars[s], &QSlider::valueChanged, this, &TForm1::TrackBarChange);
    connect(ui->ComboBoxInstrument, &ChoiceBox::changed, this, &TForm1::ComboBoxInstrumentChange);
}

std::array<std::string, 12> TForm1::RootGridNames() const
{
    std::array<std::string, 12> names;
    for (int row = 0; row < 12; ++row)
        names[static_cast<size_t>(row)] = ui->StringGridAcorde->text(row, 0).toStdString();
    return names;
}

void TForm1::ComboBoxInstrumentChange(int index)
{
    const std::vector<Instrument>& instruments = Instruments();
    if (index < 0 || index >= static_cast<int>(instruments.size()))
        return;
    const Instrument& chosen = instruments[static_cast<size_t>(index)];
    if (&chosen == m_instrument)
        return;
    ShowInstrument(chosen, chosen.tunings.front().strings, 0);
    RefreshResults();
}

bool TForm1::ChooseInstrument(std::string_view name)
{
    const Instrument* found = FindInstrument(name);
    if (!found)
        return false;
    ComboBoxInstrumentChange(static_cast<int>(found - Instruments().data()));
    return true;
}

void TForm1::ShowInstrument(const Instrument& instrument, const OpenStrings& strings, int tag)
{
    if (&instrument == m_instrument)
        return;
    // The tuning controls of the presets' instrument are kept while another is shown.
    if (m_instrument->tuningPresets) {
        m_guitarView.button = ui->ToolButton5->text();
        m_guitarView.markedTag = m_tuningItems->checkedAction() ? m_tuningItems->checkedAction()->data().toInt() : 0;
        for (size_t s = 0; s < kStrings; ++s)
            m_guitarView.labels[s] = m_allLabels[s]->text();
    }
    m_instrument = &instrument;
    {
        const QSignalBlocker quiet(ui->ComboBoxInstrument);
        ui->ComboBoxInstrument->setCurrentIndex(static_cast<int>(&instrument - Instruments().data()));
    }

    m_presetRunning = true;
    if (instrument.tuningPresets) {
        FillTuningMenu(instrument, m_guitarView.markedTag);
        ui->ToolButton5->setText(m_guitarView.button);
        for (size_t s = 0; s < kStrings; ++s) {
            m_allBars[s]->setValue(m_tuning[s]);
            m_allLabels[s]->setText(m_guitarView.labels[s]);
        }
        m_openStrings = GuitarOpenStrings(m_tuning);
    } else {
        m_openStrings = strings;
        m_stringsPreset = std::clamp(tag, 0, static_cast<int>(instrument.tunings.size()) - 1);
        FillTuningMenu(instrument, m_stringsPreset);
        ui->ToolButton5->setText(Text(instrument.tunings[static_cast<size_t>(m_stringsPreset)].name));
        for (int s = 0; s < strings.count; ++s) {
            m_allBars[static_cast<size_t>(s)]->setValue(strings[s] % 12);
            m_allLabels[static_cast<size_t>(s)]->setText(Text(kNoteNames[static_cast<size_t>(strings[s] % 12)]));
        }
        // The bars retune their strings to the own tuning's octaves; the preset's stand.
        m_openStrings = strings;
    }
    m_presetRunning = false;
    if (m_guitarView.tip.isEmpty())
        m_guitarView.tip = ui->ToolButton5->toolTip();
    ui->ToolButton5->setToolTip(instrument.tuningPresets
            ? m_guitarView.tip
            : QStringLiteral("Change the tuning of the %1").arg(Text(instrument.caption).toLower()));
    LayOutTuningBars(m_openStrings.count);
    ShowStringNotes();

    // The four-string instruments sound on the patch that fits them; the guitars get back the user's.
    const std::optional<int> fitting = InstrumentPatchItem(instrument.name);
    if (fitting && !m_patchFitted)
        m_guitarView.patch = ui->ComboBoxPatch->currentIndex();
    const int patch = fitting ? *fitting : m_patchFitted ? m_guitarView.patch : ui->ComboBoxPatch->currentIndex();
    m_patchFitted = fitting.has_value();
    if (patch != ui->ComboBoxPatch->currentIndex()) {
        {
            const QSignalBlocker quiet(ui->ComboBoxPatch);
            ui->ComboBoxPatch->setCurrentIndex(patch);
        }
        ChangePatch(*m_midi, patch);
    }

    // A fingering of the other instrument means nothing on this one: the neck and the box start bare.
    m_records.clear();
    ui->Edit1->clear();
    m_played = FretsOfFingering(StringFingering(static_cast<size_t>(m_openStrings.count), kFingeringMuted));
    // The electric and classic pictures are the photographed neck's; another instrument's is drawn.
    ui->SpeedButton11->setEnabled(instrument.neckPhotos);
    ui->SpeedButton12->setEnabled(instrument.neckPhotos);
    ui->Image2->setStringsNeck(instrument.neckPhotos ? std::nullopt : std::optional(NeckOf(instrument)));
    ShowBareNeck(ui->SpeedButton11->isChecked() ? NeckPicture::Electric : NeckPicture::Classic);
    FitNeckPanel();
    ShowInstrumentInWindows();
}

// The instrument the other windows choose, draw and strum for, on the strings shown; the presets'
// instrument goes unnamed on their sheets, as it always did.
HostInstrument TForm1::WindowsInstrument() const
{
    return HostInstrument { std::string(m_instrument->name), StringSetOf(*m_instrument, m_openStrings),
        m_instrument->tuningPresets ? std::string() : InstrumentDescription(*m_instrument, m_openStrings) };
}

void TForm1::ShowInstrumentInWindows()
{
    if (m_progression)
        m_progression->InstrumentChanged();
    if (m_song)
        m_song->InstrumentChanged();
}

// The neck of seven or eight strings is taller than the six-string picture's place: its panel and the
// strip below the sheet grow by the difference, the sheet giving up as much, and shrink back after.
void TForm1::FitNeckPanel()
{
    const int extra = std::max(0, ui->Image2->height() - m_neckPlace.height);
    const int grow = extra - m_neckPlace.extra;
    if (grow == 0)
        return;
    m_neckPlace.extra = extra;
    ui->Panel5->resize(ui->Panel5->width(), m_neckPlace.panelHeight + extra);
    ui->PanelBraco->setMinimumHeight(m_neckPlace.stripHeight + extra);
    QList<int> sizes = ui->Splitter2->sizes();
    if (sizes.size() == 2) {
        sizes[0] -= grow;
        sizes[1] += grow;
        ui->Splitter2->setSizes(sizes);
    }
}

// The guitar's twelve presets as they always were; another instrument's by their names.
void TForm1::FillTuningMenu(const Instrument& instrument, int markedTag)
{
    for (QAction* item : m_tuningItems->actions()) {
        m_tuningItems->removeAction(item);
        m_tuningMenu->removeAction(item);
        item->deleteLater();
    }
    const bool guitar = instrument.tuningPresets;
    const int count = guitar ? static_cast<int>(kTuningPresets.size()) : static_cast<int>(instrument.tunings.size());
    for (int tag = 0; tag < count; ++tag) {
        const TuningPreset* preset = guitar ? &kTuningPresets[static_cast<size_t>(tag)] : nullptr;
        QAction* item = m_tuningMenu->addAction(
            preset ? Text(preset->menuCaption) : Text(instrument.tunings[static_cast<size_t>(tag)].name));
        item->setObjectName(preset ? Text(preset->itemName) : QStringLiteral("InstrumentTuning%1").arg(tag + 1));
        item->setData(tag);
        item->setCheckable(true);
        item->setChecked(tag == markedTag);
        m_tuningItems->addAction(item);
    }
}

// Six bars stand where the layout file puts them; four or five are centred on the same spacing, and
// seven or eight closer together, so that every bar stays inside the tuning panel.
void TForm1::LayOutTuningBars(int strings)
{
    const int shown = std::clamp(strings, 1, kMaxInstrumentStrings);
    const int panel = ui->Panel2->width();
    const int step = shown <= kStrings ? m_barPlaces[1].x() - m_barPlaces[0].x() : (panel - 10) / shown;
    const int barWidth = std::min(m_barPlaces[0].width(), step - 1);
    const int left = (panel - (step * (shown - 1) + barWidth)) / 2;
    for (size_t s = 0; s < m_allBars.size(); ++s) {
        const int string = static_cast<int>(s);
        m_allBars[s]->setVisible(string < shown);
        m_allLabels[s]->setVisible(string < shown);
        if (shown == kStrings && s < kStrings) {
            m_allBars[s]->setGeometry(m_barPlaces[s]);
            m_allLabels[s]->setGeometry(m_labelPlaces[s]);
            continue;
        }
        const int x = left + string * step;
        m_allBars[s]->setGeometry(x, m_barPlaces[0].y(), barWidth, m_barPlaces[0].height());
        m_allLabels[s]->setGeometry(x + barWidth / 2 - step / 2, m_labelPlaces[0].y(), step, m_labelPlaces[0].height());
    }
}

void TForm1::StringsBarChange(size_t string, int position)
{
    if (string >= static_cast<size_t>(m_openStrings.count))
        return;
    m_allLabels[string]->setText(Text(kNoteNames[static_cast<size_t>(position)]));
    m_openStrings.notes[string] = RetunedString(*m_instrument, static_cast<int>(string), position);
    ShowStringNotes();
    if (m_presetRunning)
        return;
    RefreshResults();
    ShowInstrumentInWindows();
}

void TForm1::ApplyStringsPreset(int tag)
{
    if (tag < 0 || tag >= static_cast<int>(m_instrument->tunings.size()))
        return;
    const OpenStrings& strings = m_instrument->tunings[static_cast<size_t>(tag)].strings;
    m_openStrings = strings;
    m_stringsPreset = tag;
    ui->ToolButton5->setText(Text(m_instrument->tunings[static_cast<size_t>(tag)].name));
    m_presetRunning = true;
    for (int s = 0; s < strings.count; ++s) {
        m_allBars[static_cast<size_t>(s)]->setValue(strings[s] % 12);
        m_allLabels[static_cast<size_t>(s)]->setText(Text(kNoteNames[static_cast<size_t>(strings[s] % 12)]));
    }
    m_presetRunning = false;
    m_openStrings = strings;
    ShowStringNotes();
    RefreshResults();
    ShowInstrumentInWindows();
}

StringSet TForm1::PlayedStrings() const { return StringSetOf(*m_instrument, m_openStrings); }

} // namespace corvane
