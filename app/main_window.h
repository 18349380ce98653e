#pragma once
// The main window: the chord chooser on the left, the sheet of diagrams in the middle, the options,
// the tuning and the sound below it.
//
// How a change flows. Every control that changes an input of the search has one handler, named
// after the control and its event. A handler reads the event, applies the selection rule of the
// engine to the one SelectionState kept here (PickRoot, PickBass, PickChordType, ChangeExtensions,
// SearchChordName) or stores an option, writes the controls back from that state without letting
// them report anything (ShowSelection, ShowGridNames), and ends with RefreshResults().
// RefreshResults builds the chord as numbers from the selection (FromSelection), asks the engine for the sorted results
// (ComputeRefresh) with the state and the options as they stand, hands the fingerings to the sheet,
// which paints only the cells in view, and fills the name list and the count. The sheet geometry
// (columns, height, hit-testing) is the engine's; a click on the sheet selects the diagram under
// it, draws it on the neck and strums it on the MIDI port.
//
// The two exceptions: the root pick moves the bass grid by code, whose own handler then runs inside
// it (the grid reports moves made by code) and leaves the refresh to the root pick; a track bar moved
// by a tuning preset only stores its string, and the preset refreshes once at its end.

#include "guitar/identify.h"
#include "guitar/result_list.h"
#include "guitar/tuning.h"
#include "guitar/voicing.h"
#include "guitar/voicing_search.h"
#include "sound/midi_port.h"
#include "theory/selection.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QActionGroup;
class QButtonGroup;
class QMenu;
class QSettings;
class QSlider;

namespace Ui {
class TForm1;
}

namespace corvane {

class PictureStore;
class TextGrid;
enum class NeckPicture;
struct KeptState;

class TForm1 final : public QMainWindow {
    Q_OBJECT
public:
    // Opens a MIDI output by device identifier; the program opens device 0 of the sound library.
    using MidiDeviceFactory = std::function<std::unique_ptr<MidiPort>(int deviceId)>;

    // Builds the window from its layout and runs FormCreate. Without a factory the sound library's
    // default device is opened.
    explicit TForm1(MidiDeviceFactory openMidiDevice = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Recomputes and redraws everything on the result sheet for this note list (bass first).
    void RefreshResults();

    // Operations the interface has no control for.
    void LeitordeCifra1Click();
    void ConfigurarImpressora1Click();
    void SpeedButton13Click();

    // The state, for reading.
    const SelectionState& selection() const { return m_selection; }
    const Tuning& tuning() const { return m_tuning; }
    const StringNotes& stringNotes() const { return m_stringNotes; }
    const Voicing& playedFrets() const { return m_playedFrets; }
    const std::vector<int>& chordTones() const { return m_chordTones; }
    const std::vector<VoicingRecord>& voicingRecords() const { return m_voicingRecords; }
    int fretLimit() const { return m_fretLimit; }
    int selectedX() const { return m_selectedX; }
    int selectedY() const { return m_selectedY; }
    const std::string& noteList() const { return m_noteList; } // of the last refresh

    // ---- Naming what is played on the neck, and the capo ----
    // The frets the neck shows, counted from the capo: the last diagram clicked, changed by every
    // click on the neck since. The neck click names it in the names list until the next refresh.
    const Fingering& neckFingering() const { return m_neckFingering; }
    int capo() const;

    // ---- Settings that last (app/main_window_settings.cpp) ----
    // Reads the kept values from `settings` and shows them with one refresh, the window's size and
    // place left to ShowAsKept; they are written back when the window closes. A window never given
    // settings reads and writes nothing.
    void UseSettings(std::unique_ptr<QSettings> settings);
    // Shows the window where and as large as it was left; maximised on a first start.
    void ShowAsKept();
    QSettings* settings() const { return m_settings.get(); }
    // Asks for a sound font file, given the one chosen before; an empty answer cancels.
    using FileDialog = std::function<QString(QWidget* parent, const QString& current)>;
    void setSoundFontDialog(FileDialog dialog) { m_soundFontDialog = std::move(dialog); }
    void RestoreDefaults1Click();
    void SoundFont1Click();
    const std::string& chosenSoundFont() const { return m_soundFont; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void SetUpControls();
    void LoadPictures(qreal devicePixelRatio);
    void ScreenChanged();
    void ConnectHandlers();
    void FormCreate();
    void FormResize();

    // Writing the controls from the state; none of these reports anything.
    void ShowSelection();
    void ShowGridNames(TextGrid* grid, Spelling spelling);
    int SheetWidth() const;

    // Chord selection.
    void StringGridAcordeSelectCell(int column, int row);
    void StringGridBaixoSelectCell(int column, int row);
    void StringGrid1SelectCell(int column, int row);
    void CheckListBox1ClickCheck(int item);
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton9Click();
    void SpeedButton10Click();
    void SpeedButton2Click();

    // Tuning.
    void TrackBarChange(int position);
    void ToolButton5Click();
    void StandardTunning1Click(QAction* item);
    void ApplyPreset(int tag);

    // Options.
    void ComboBox1Change(int index);
    void ComboBox2Change(int index);
    void CheckBoxOmit3Click();
    void CheckBoxOmit5Click();
    void CheckBoxCanhotoClick();
    void CheckBoxPestanasClick();
    void CheckBoxNSIClick();

    // The sheet, the neck and the sound.
    void Image1MouseUp(QPoint position);
    void ComboBoxPatchChange(int index);
    void SpeedButton11Click();
    void SpeedButton12Click();

    // Naming what is played on the neck, and the capo (main_window_identify.cpp).
    void ConnectIdentifyHandlers();
    void Image2Click(QPoint position);
    void SpeedButtonFindClick();
    void SpinEditCapoChange(int value);
    void ShowNeckFingering();
    void ShowBareNeck(NeckPicture neck);
    void ShowCapoCount();
    Fingering m_neckFingering = kAllMuted;

    // The window.
    void Button2Click();
    void Sair1Click();
    void Sobre1Click();

    std::unique_ptr<Ui::TForm1> ui;
    std::unique_ptr<PictureStore> m_pictures;
    MidiDeviceFactory m_openMidiDevice;
    std::unique_ptr<MidiPort> m_midi;
    int m_midiProgram = -1;

    QMenu* m_tuningMenu = nullptr; // PopupMenu1
    QActionGroup* m_tuningItems = nullptr;
    std::array<QSlider*, kStrings> m_trackBars {};

    // The window's state. The search's working tables (chord tones and bass per string and fret,
    // the first free string) and the layout cursor live inside the engine for the length of one
    // refresh; the easy shapes, note names and extension codes are the engine's constant tables.
    StringNotes m_stringNotes {};
    Voicing m_playedFrets {};
    Tuning m_tuning {};
    SelectionState m_selection; // root, bass, intervals, the shown name, third and fifth, checks
    int m_fretLimit = 12;
    int m_selectedX = 0;
    int m_selectedY = 0;
    std::vector<int> m_chordTones;
    std::vector<VoicingRecord> m_voicingRecords;
    std::string m_noteList;

    bool m_rootPickRunning = false;
    bool m_presetRunning = false;
    bool m_watchingScreen = false;

    // Settings that last.
    void AddSettingsItems();
    KeptState CaptureKept() const;
    void ApplyKept(const KeptState& kept);
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<KeptState> m_startupState;
    std::unique_ptr<KeptState> m_keptLayout; // the size, place and panes to show the window with
    std::string m_soundFont;
    FileDialog m_soundFontDialog;
};

// The "Formation:" box's text for a fingering written as VoicingText.
QString FormationText(std::string_view voicingText);

// The main window, created first at start-up.
extern TForm1* Form1;

} // namespace corvane
