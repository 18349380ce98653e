// What a session answers: the main window's fields under their names, and what its controls show,
// read through the controls themselves.

#include "session/session.h"

#include "app/main_window.h"
#include "drawing/recording_canvas.h"
#include "guitar/fingering_text.h"
#include "sound/recording_port.h"
#include "toolkit/canvas_image.h"
#include "toolkit/check_list.h"
#include "toolkit/choice_box.h"
#include "toolkit/text_grid.h"
#include "windows/setlist_window.h"
#include "windows/song_window.h"
#include "windows/stage_window.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>

namespace corvane::session {

namespace {

    using nlohmann::json;

    std::string Utf8(const QString& text) { return text.toStdString(); }

    json GridTexts(const TextGrid* grid)
    {
        json texts = json::array();
        for (int row = 0; row < grid->rowCount(); ++row)
            texts.push_back(Utf8(grid->text(row, 0)));
        return texts;
    }

    // The row the grid shows highlighted; -1 when none is.
    int HighlightedRow(const TextGrid* grid)
    {
        const QModelIndexList rows = grid->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    json MidiEntry(const RecordingPort::Entry& entry)
    {
        switch (entry.kind) {
        case RecordingPort::Kind::Message:
            return { "send", entry.value };
        case RecordingPort::Kind::Volume:
            return { "volume", entry.value };
        case RecordingPort::Kind::Pause:
            return { "pause", entry.value };
        }
        return nullptr;
    }

} // namespace

json Session::Snapshot() const
{
    const TForm1& window = *m_window;
    const SelectionState& selection = window.selection();
    json answer;

    answer["rootIndex"] = selection.rootIndex;
    answer["bassIndex"] = selection.bassIndex;
    answer["chordIntervals"] = selection.chordIntervals;
    answer["rootName"] = selection.rootName;
    answer["typeSuffix"] = selection.typeSuffix;
    answer["bassSuffix"] = selection.bassSuffix;
    answer["thirdInterval"] = selection.thirdInterval;
    answer["fifthInterval"] = selection.fifthInterval;
    answer["fretLimit"] = window.fretLimit();
    answer["tuning"] = window.tuning();
    answer["selectedX"] = window.selectedX();
    answer["selectedY"] = window.selectedY();
    // The records of the sheet, where the guitar's sessions always had them; another instrument's go
    // with its strings below.
    const bool presetTuned = window.instrument().tuningPresets;
    json records = json::array();
    for (const InstrumentRecord& record : window.records())
        records.push_back(record.Text());
    answer["voicingRecords"] = presetTuned ? std::move(records) : json::array();

    answer["editText"] = Utf8(Control<QLineEdit>("EditAcorde")->text());
    answer["formation"] = Utf8(Control<QLineEdit>("Edit1")->text());
    answer["count"] = Control<QLabel>("LabelTotal")->text().toInt();

    json names = json::array();
    const auto* nameList = Control<QListWidget>("ListBox1");
    for (int i = 0; i < nameList->count(); ++i)
        names.push_back(Utf8(nameList->item(i)->text()));
    answer["names"] = std::move(names);

    const auto* extensions = Control<CheckList>("CheckListBox1");
    json checked = json::array();
    json disabled = json::array();
    for (int i = 0; i < extensions->count(); ++i) {
        if (extensions->isItemChecked(i))
            checked.push_back(i);
        if (!extensions->isItemEnabled(i))
            disabled.push_back(i);
    }
    answer["checked"] = std::move(checked);
    answer["disabled"] = std::move(disabled);
    answer["currentExtension"] = extensions->currentRow();

    const auto* rootGrid = Control<TextGrid>("StringGridAcorde");
    const auto* bassGrid = Control<TextGrid>("StringGridBaixo");
    answer["rootGrid"] = GridTexts(rootGrid);
    answer["bassGrid"] = GridTexts(bassGrid);
    answer["rootGridRow"] = HighlightedRow(rootGrid);
    answer["bassGridRow"] = HighlightedRow(bassGrid);
    answer["typeGridRow"] = HighlightedRow(Control<TextGrid>("StringGrid1"));
    answer["bassGridEnabled"] = bassGrid->isEnabled();

    json bars = json::array();
    json labels = json::array();
    json openNotes = json::array();
    for (int s = 1; s <= 6; ++s) {
        bars.push_back(Control<QSlider>(("TrackBar" + std::to_string(s)).c_str())->value());
        labels.push_back(Utf8(Control<QLabel>(("lbAfinacaoCorda" + std::to_string(s)).c_str())->text()));
        openNotes.push_back(window.stringNotes()[static_cast<size_t>(s - 1)][0]);
    }
    answer["trackBars"] = std::move(bars);
    answer["stringLabels"] = std::move(labels);
    answer["toolButtonCaption"] = Utf8(Control<QToolButton>("ToolButton5")->text());
    answer["openStringNotes"] = std::move(openNotes);

    answer["span"] = Control<ChoiceBox>("ComboBox2")->selectedValue(0);
    answer["omit3"] = Control<QCheckBox>("CheckBoxOmit3")->isChecked();
    answer["omit5"] = Control<QCheckBox>("CheckBoxOmit5")->isChecked();
    answer["leftHanded"] = Control<QCheckBox>("CheckBoxCanhoto")->isChecked();
    answer["noBarre"] = Control<QCheckBox>("CheckBoxPestanas")->isChecked();
    answer["easy"] = Control<QCheckBox>("CheckBoxNSI")->isChecked();
    answer["patch"] = Control<ChoiceBox>("ComboBoxPatch")->currentIndex();
    answer["tempo"] = Control<QSlider>("TrackBarTempoAcorde")->value();

    answer["noteList"] = window.noteList();
    answer["refreshCount"] = m_refreshes;

    json midi = json::array();
    for (const RecordingPort::Entry& entry : m_midi->entries())
        midi.push_back(MidiEntry(entry));
    answer["midi"] = std::move(midi);

    RecordingCanvas neck;
    Control<CanvasImage>("Image2")->replayLastDrawing(neck);
    json neckCalls = json::array();
    for (const RecordingCanvas::Call& call : neck.calls())
        neckCalls.push_back(CallText(call));
    answer["neckCalls"] = std::move(neckCalls);
    answer["capo"] = Control<QSpinBox>("SpinEditCapo")->value();
    // The photographed neck's six strings; bare while another instrument's neck is shown (its own
    // fingering goes with its strings below), as the guitar finds its neck when chosen again.
    answer["neckFingering"] = presetTuned ? window.neckFingering() : StringFingering(kStrings, kFingeringMuted);

    // Only for strings the tuning menu's presets do not tune, so that the guitar's sessions answer as
    // they always did.
    if (!presetTuned) {
        json shown;
        shown["name"] = std::string(window.instrument().name);
        shown["strings"] = OpenStringsText(window.openStrings());
        json instrumentBars = json::array();
        json instrumentLabels = json::array();
        for (int s = 1; s <= window.openStrings().count; ++s) {
            instrumentBars.push_back(Control<QSlider>(("TrackBar" + std::to_string(s)).c_str())->value());
            instrumentLabels.push_back(Utf8(Control<QLabel>(("lbAfinacaoCorda" + std::to_string(s)).c_str())->text()));
        }
        shown["trackBars"] = std::move(instrumentBars);
        shown["stringLabels"] = std::move(instrumentLabels);
        shown["records"] = std::move(records);
        shown["neckFingering"] = window.neckFingering();
        answer["instrument"] = std::move(shown);
    }

    // Only once a song was opened, so that sessions without songs answer as they always did.
    if (const TFormSong* song = window.songWindow(); song && !song->path().isEmpty()) {
        json shown;
        shown["title"] = song->shown().title;
        shown["key"] = song->shown().key;
        shown["transpose"] = song->transpose();
        shown["capo"] = song->capo();
        shown["chords"] = song->StripNames();
        answer["song"] = std::move(shown);
    }

    // Only once chords were typed into the progression window, so that sessions without them answer
    // as they always did: each chord's frets as chosen, "-" for one left out.
    if (const TFormProgression* progression = window.progressionWindow();
        progression && !progression->entries().empty()) {
        json chosen = json::array();
        for (const auto& chord : progression->choice().chords)
            chosen.push_back(chord.Chosen() ? FingeringText(chord.Chosen()->frets) : std::string("-"));
        answer["progression"] = std::move(chosen);
    }

    // Only once the setlist window was opened, or the stage view shown, or a songbook made, so that
    // sessions without them answer as they always did.
    if (const TFormSetlist* setlist = window.setlistWindow()) {
        json songs = json::array();
        for (const SetlistSong& song : setlist->setlist().songs) {
            json item;
            item["file"] = QFileInfo(QString::fromStdString(song.path)).fileName().toStdString();
            item["transpose"] = song.transpose;
            item["capo"] = song.capo ? json(*song.capo) : json(nullptr);
            songs.push_back(std::move(item));
        }
        answer["setlist"] = std::move(songs);
    }
    const TFormSetlist* setlist = window.setlistWindow();
    const TFormSong* songWindow = window.songWindow();
    for (const TFormStage* stage :
        { setlist ? setlist->stageWindow() : nullptr, songWindow ? songWindow->stageWindow() : nullptr }) {
        if (!stage || !stage->isVisible())
            continue;
        const StageScroll& scroll = stage->scroll();
        json shown;
        shown["song"] = scroll.song();
        shown["songs"] = scroll.songs();
        shown["title"] = scroll.song() < static_cast<int>(stage->songs().size())
            ? stage->songs()[static_cast<size_t>(scroll.song())].sheet.title
            : std::string();
        shown["screen"] = scroll.Screen();
        shown["offset"] = static_cast<int>(scroll.offset());
        shown["end"] = scroll.MaxOffset();
        shown["playing"] = scroll.Playing();
        shown["rate"] = scroll.Rate();
        shown["dark"] = stage->dark();
        answer["stage"] = std::move(shown);
        break;
    }
    if (const QString message = window.statusBar()->currentMessage(); message.startsWith(QStringLiteral("Songbook")))
        answer["songbook"]
            = message.section(QStringLiteral(" written to "), 0, 0).toStdString(); // not the passing folder

    if (!m_exceptions.empty())
        answer["exceptions"] = m_exceptions;
    return answer;
}

} // namespace corvane::session
