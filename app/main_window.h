#pragma once
// The main window: the chord chooser on the left, the sheet of diagrams in the middle, the options,
// the tuning and the sound below it.
//
// How a change flows. Every control that changes an input of the search has one handler, named
// after the control and its event. A handler reads the event, applies the selection rule of the
// engine to the one SelectionState kept here (PickRoot, PickBass, PickChordType, ChangeExtensions,
// SearchTypedChord) or stores an option, writes the controls back from that state without letting
// them report anything (ShowSelection, ShowGridNames), and ends with RefreshResults().
// RefreshResults builds the chord as numbers from the selection (FromSelection), asks the engine for the sorted results
// (ComputeRefresh) with the state and the options as they stand, hands the fingerings to the sheet,
// which paints only the cells in view, and fills the name list and the count. The sheet owns the
// diagrams and finds the cell under a click (with the engine's geometry); it reports the cell, and
// the window, which keeps the records, selects that diagram, draws it on the neck and strums it.
//
// Another instrument than the six-string guitar: the instrument box shows its strings without
// refreshing (ShowInstrument), then refreshes once; every handler whose work depends on the strings
// (the refresh, a sheet or neck click, typed frets, a tuning bar, a preset) hands over first thing to
// its N-string version in main_window_instrument.cpp, so that the guitar's own paths stay as they were.
//
// The two exceptions: the root pick moves the bass grid by code, whose own handler then runs inside
// it (the grid reports moves made by code) and leaves the refresh to the root pick; a track bar moved
// by a tuning preset only stores its string, and the preset refreshes once at its end.
//
// Which control is which. The object names come from the layout file (resources/main_window.ui)
// and the handlers are named after them, so this table is the way from a name to what the user sees.
//
//   Chord chooser
//     EditAcorde            the chord name box ("C" at start-up); Enter searches for the name typed
//     SpeedButton2          the magnifier button beside it: search for the typed name
//     StringGridAcorde      root grid: the twelve notes the chord is built on
//     StringGridBaixo       bass grid: the note played lowest, greyed while the name forbids one
//     SpeedButton5, 6       "#" and "b" over the root grid: name its black keys sharp or flat
//     SpeedButton10, 9      "#" and "b" over the bass grid: the same for the bass grid
//     CheckListBox1         extension list: the ticked intervals make up the chord
//     StringGrid1           chord-type list: a whole chord type picked at once (name, intervals)
//     SpeedButton7, 8       "mod1" and "mod2": switch between the extension list and the chord-type list
//     ListBox1              the names the chosen notes go by
//   Results
//     Image1                result sheet: one diagram per fingering; a click selects and plays one
//     ScrollBoxViolao       the scroll area around the result sheet
//     LabelTotal            the number of results, after Label5 "Results: founded"
//     Edit1                 "Formation:" (Label1): the fingering of the clicked diagram as text; frets
//                           typed there and Enter play on the neck as clicks there would
//     Button2               "Limpar": clears the result sheet
//   Options
//     ComboBox1             "Up to fret" (Label2): the highest fret a fingering may use
//     ComboBox2             "Distance" (Label3): how many frets the fingers may span
//     CheckBoxOmit3, Omit5  "(omit3)", "(omit5)": fingerings may leave out the third or the fifth
//     CheckBoxNSI           "Easy chords": only the common shapes, with the span set to match
//     CheckBoxCanhoto       "Left-hand chords": the diagrams drawn mirrored
//     CheckBoxPestanas      "No barre chords": hides every fingering with a barre
//   Tuning and instrument
//     ComboBoxInstrument    "Instrument:" (LabelInstrument): the six-string guitar, or another fretted
//                           instrument the sheet, the neck and the strum are for
//     ToolButton5           the tuning button: a click restores the instrument's own tuning; its menu
//                           (PopupMenu1, built in code) holds the instrument's presets (the guitar's twelve)
//     TrackBar1 .. 8        the pitch of each string, lowest first as held; lbAfinacaoCorda1 .. 8 name
//                           it. The guitar shows six, the 7-string guitar seven, the others four
//   The neck and the sound
//     Image2                the neck: the clicked fingering drawn on it; clicks and keys play on it
//     SpeedButton11, 12     "Eletric" and "Classic": the neck picture behind it
//     ComboBoxPatch         the instrument sound of the strum
//     TrackBarTempoAcorde   "Tempo:" (Label6): the pause between the strummed strings
//   The window
//     Image3                the banner at the top
//     StatusBar1            the status bar; its first panel says why the sound is off
//     Sair1, Sobre1         File > "Close" and Help > "About"
//     Notation1             Help > "Chord notation…" (F1): the notation, the lists, a diagram's marks
//     ImageBracoEletrico, Image5, Image4   hidden holders of the classic, electric and brown neck
//     braco, braco2, dedo1 .. 6, omin1, omin2, x, d0 .. d4
//                           hidden holders of the diagram and neck pictures (see Picture in
//                           drawing/canvas.h for which is which)
//     Panel*, Bevel*, Splitter2, 3, ToolBar2, PanelBanner ...   layout only

#include "drawing/sheet_layout.h"
#include "guitar/frets.h"
#include "guitar/identify.h"
#include "guitar/instrument.h"
#include "guitar/instrument_identify.h"
#include "guitar/instrument_search.h"
#include "guitar/result_list.h"
#include "guitar/tuning.h"
#include "guitar/voicing.h"
#include "guitar/voicing_search.h"
#include "sound/midi_port.h"
#include "theory/notation.h"
#include "theory/selection.h"
#include "theory/typed_chord.h"
#include "windows/export_dialogs.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QButtonGroup;
class QMenu;
class QProgressDialog;
class QSettings;
class QSlider;
class QToolButton;

namespace Ui {
class TForm1;
}

namespace corvane {

class PictureStore;
class TextGrid;
enum class NeckPicture;
struct KeptState;
struct ChordWindowHost;
struct HostInstrument;
class TFormProgression;
class TFormSetlist;
class TFormSong;

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
    void LeitordeCifra1Click(); // would open the chord reader window
    void ConfigurarImpressora1Click(); // would open the page set-up dialog
    void SpeedButton13Click(); // would show the brown neck picture

    // The state, for reading.
    const SelectionState& selection() const { return m_selection; }
    const Tuning& tuning() const { return m_tuning; }
    const StringNotes& stringNotes() const { return m_stringNotes; }
    // The sheet's records, in its order, on whichever instrument is shown.
    const std::vector<InstrumentRecord>& records() const { return m_records; }
    int fretLimit() const { return m_fretLimit; }
    int selectedX() const { return m_selectedX; }
    int selectedY() const { return m_selectedY; }
    const std::string& noteList() const { return m_noteList; } // of the last refresh

    // ---- Naming what is played on the neck, and the capo ----
    // The frets the neck shows, counted from the capo: the last diagram clicked, changed by every
    // click on the neck since. The neck click names it in the names list until the next refresh.
    const StringFingering& neckFingering() const { return m_neckFingering; }
    int capo() const;

    // ---- Chord names (app/main_window_notation.cpp) ----
    // The notation of the names list and the name box's first reader, chosen with View > Chord names.
    Notation notation() const { return m_notation; }
    // The names list, the name box and the titles have no key to count numbers and numerals from:
    // with those chosen they read and write lead-sheet names (the song and Progression windows count).
    Notation namesNotation() const { return CountsFromKey(m_notation) ? Notation::LeadSheet : m_notation; }
    void ChooseNotation(Notation notation);

    // ---- The instrument (app/main_window_instrument.cpp) ----
    // The sheet, the neck and the strum are the instrument's, its strings openStrings(); tuning() and
    // stringNotes() keep the six-string guitar's tuning by the tuning menu's presets, for when it is
    // chosen again.
    const Instrument& instrument() const { return *m_instrument; }
    // The instrument shown and its strings, as the fingerings, names and choices are asked of them.
    StringSet PlayedStrings() const;
    const OpenStrings& openStrings() const { return m_openStrings; }
    // Chooses an instrument as the user does in the box, with its own tuning; false for a name
    // FindInstrument does not know, which changes nothing.
    bool ChooseInstrument(std::string_view name);

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
    // Asks a yes-or-no question before something is lost; true for yes. The desktop's message box
    // unless replaced.
    using Question = std::function<bool(QWidget* parent, const QString& title, const QString& text)>;
    void setRestoreQuestion(Question question) { m_restoreQuestion = std::move(question); }
    void RestoreDefaults1Click();
    void SoundFont1Click();
    const std::string& chosenSoundFont() const { return m_soundFont; }

    // Copy, export and print: the dialogs they ask (the desktop's unless replaced).
    void setExportDialogs(std::unique_ptr<ExportDialogs> dialogs);

    // Progression window: the search options as the sheet uses them, the name box searched as if
    // typed, the window itself (created on first use), and every diagram the user selects.
    SearchOptions CurrentSearchOptions() const;
    void SearchTypedName(const QString& name);
    void ShowChordForOtherFingerings(const QString& chord);
    void Progression1Click();
    TFormProgression* progressionWindow() const { return m_progression; }

    // Song window (main_window_song.cpp): File > "Open song…", the recent songs and a file dropped
    // on the window open the song there; the window is created on first use.
    void OpenSong1Click();
    bool OpenSongFile(const QString& path);
    TFormSong* songWindow() const { return m_song; }
    TFormSong& SongWindow(); // created hidden on first use
    void setSongDialog(FileDialog dialog) { m_songDialog = std::move(dialog); }
    QStringList RecentSongs() const;

    // Setlists and songbooks (main_window_songbook.cpp): File > "Setlist…" opens the setlist window,
    // File > "Make songbook…" makes a book of the song files chosen.
    void Setlist1Click();
    void MakeSongbook1Click();
    TFormSetlist* setlistWindow() const { return m_setlist; }
    TFormSetlist& SetlistWindow(); // created hidden on first use
    using FilesDialog = std::function<QStringList(QWidget* parent)>;
    // The dialogs of "Make songbook…", replaceable for tests: the songs, the PDF's name, what to say
    // of songs left out, and a look at each step of the progress.
    void setSongbookDialogs(FilesDialog songs, FileDialog pdf, std::function<void(const QString&)> tell,
        std::function<void(QProgressDialog&, int)> step = {})
    {
        m_bookSongsDialog = std::move(songs);
        m_bookPdfDialog = std::move(pdf);
        m_bookTell = std::move(tell);
        m_bookStep = std::move(step);
    }
signals:
    // A diagram selected on the sheet: the Progression and Song windows take it for a chord waiting.
    void diagramSelected(const corvane::Frets& frets);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ConnectSongHandlers();
    void ConnectSongbookHandlers();
    void AddRecentSong(const QString& path);
    void ShowRecentSongs();
    void SetUpControls();
    void LoadPictures(qreal devicePixelRatio);
    void ScreenChanged();
    void ConnectHandlers();
    void FormCreate();
    void FormResize();

    // Writing the controls from the state; none of these reports anything.
    void ShowSelection();
    void ShowGridNames(TextGrid* grid, Spelling spelling);
    void ShowNameSearch(const NameBoxSearch& search); // the status bar's word on a typed name, and the box's tooltip
    int SheetWidth() const;
    void ShowNamesAndCount(const std::vector<std::string>& names, const RefreshInput& input, size_t count);

    // Chord selection.
    void StringGridAcordeSelectCell(int column, int row); // picked a root
    void StringGridBaixoSelectCell(int column, int row); // picked a bass
    void StringGrid1SelectCell(int column, int row); // picked a chord type
    void CheckListBox1ClickCheck(int item); // ticked or unticked an extension
    void SpeedButton7Click(); // asked for the extension list
    void SpeedButton8Click(); // asked for the chord-type list
    void SpeedButton5Click(); // root names sharp
    void SpeedButton6Click(); // root names flat
    void SpeedButton9Click(); // bass names flat
    void SpeedButton10Click(); // bass names sharp
    void SpeedButton2Click(); // searched for the typed name (button or Enter)

    // Tuning.
    void TrackBarChange(int position); // moved a string's pitch bar
    void ToolButton5Click(); // clicked the tuning button: standard tuning
    void StandardTunning1Click(QAction* item); // chose a preset from the tuning menu
    void ApplyPreset(int tag);

    // Options.
    void ComboBox1Change(int index); // chose "Up to fret"
    void ComboBox2Change(int index); // chose the finger "Distance"
    void CheckBoxOmit3Click(); // ticked or unticked "(omit3)"
    void CheckBoxOmit5Click(); // ticked or unticked "(omit5)"
    void CheckBoxCanhotoClick(); // ticked or unticked "Left-hand chords"
    void CheckBoxPestanasClick(); // ticked or unticked "No barre chords"
    void CheckBoxNSIClick(); // ticked or unticked "Easy chords"

    // The sheet, the neck and the sound.
    void Image1MouseUp(int index, QPoint position); // clicked a diagram on the result sheet
    void ComboBoxPatchChange(int index); // chose an instrument sound
    void SpeedButton11Click(); // asked for the electric neck
    void SpeedButton12Click(); // asked for the classic neck

    // Naming what is played on the neck, and the capo (main_window_identify.cpp).
    void ConnectIdentifyHandlers();
    void Image2Click(QPoint position);
    void Edit1Enter(); // typed frets into the Formation box and pressed Enter
    Identification Identify(const StringFingering& fingering) const;
    void PlayOnNeck(const StringFingering& fingering, const Identification& named);
    void SpeedButtonFindClick();
    void SpinEditCapoChange(int value);
    void ShowNeckFingering();
    std::vector<std::string> OpenStringNames() const;
    void ShowBareNeck(NeckPicture neck);
    void ShowCapoCount();
    StringFingering m_neckFingering = StringFingering(kStrings, kFingeringMuted);
    Frets m_played { kStrings,
        { kMuted, kMuted, kMuted, kMuted, kMuted, kMuted } }; // the last diagram or neck click, barres marked
    // The note the names in the names list stand on, in the root grid's spelling: the neck's lowest
    // note after a neck click, the chosen bass after a refresh. "Find" adds it to a name that omits it.
    std::string m_namesBass;

    // The window.
    void Button2Click(); // pressed "Limpar": clear the sheet
    void Sair1Click(); // File > "Close"
    void Notation1Click(); // Help > "Chord notation…" (F1)
    void Sobre1Click(); // Help > "About"

    // Copy, export and print (main_window_export.cpp).
    void SetUpExport();
    void ShowExportEnabled();
    void CopyDiagramClick();
    void ExportDiagramClick();
    void ExportSheetClick();
    void PrintClick();
    void PrintPreviewClick();
    int ExportedDiagram() const;
    std::string TuningText() const;
    SheetHeading ExportHeading(std::optional<size_t> count) const;
    ExportDialogs::PaintPages SheetPainter() const;
    std::optional<ExportTarget> AskExportTarget(const QString& title, const QString& suggestedName);
    static QString WriteFailure(const QString& path, const QString& why);

    // The instrument (main_window_instrument.cpp).
    void SetUpInstrument();
    void ComboBoxInstrumentChange(int index);
    // Shows an instrument with these strings and the preset `tag` named on the tuning button: the bars,
    // labels, tuning menu, patch and bare neck, without refreshing. Leaving the guitar keeps what its
    // controls show; coming back shows it again.
    void ShowInstrument(const Instrument& instrument, const OpenStrings& strings, int tag);
    void FillTuningMenu(const Instrument& instrument, int markedTag);
    void LayOutTuningBars(int strings);
    void ShowStringsTuning();
    void StringsBarChange(size_t string, int position);
    void ApplyStringsPreset(int tag);
    void FitNeckPanel();
    // The progression and song windows choose again for the instrument and strings shown.
    void ShowInstrumentInWindows();
    HostInstrument WindowsInstrument() const;
    // What the progression and song windows both read from this window, and the export folder they
    // share with it.
    void FillChordWindowHost(ChordWindowHost& host);
    ExportFolder MainExportFolder();
    // The six-string neck's place: the picture's height, its panel's and the strip's, and what a
    // taller neck has added to them.
    struct NeckPlace {
        int height = 0;
        int panelHeight = 0;
        int stripHeight = 0;
        int extra = 0;
    };
    NeckPlace m_neckPlace;
    std::array<std::string, 12> RootGridNames() const;
    const Instrument* m_instrument = &SixStringGuitar();
    OpenStrings m_openStrings {};
    int m_stringsPreset = 0; // the preset the tuning button names on another instrument
    std::array<QSlider*, kMaxInstrumentStrings> m_allBars {};
    std::array<QLabel*, kMaxInstrumentStrings> m_allLabels {};
    std::array<QRect, kMaxInstrumentStrings> m_barPlaces {}; // the six bars as the layout file places them
    std::array<QRect, kMaxInstrumentStrings> m_labelPlaces {};
    // What the guitar's tuning controls showed when another instrument was chosen, and its patch.
    struct GuitarView {
        QString button;
        QString tip; // the tuning button's own
        int markedTag = 0;
        std::array<QString, kStrings> labels;
        int patch = 0;
    };
    GuitarView m_guitarView;
    bool m_patchFitted = false; // the patch box holds an instrument's patch, not the user's guitar patch

    // Keyboard and screen reader (main_window_keyboard.cpp): names and hints for every control, the
    // window's shortcuts, and the tuning bars' notes as hint and value.
    void SetUpKeyboardAndReader();
    void ShowStringNotes();
    void FocusNameBox();

    std::unique_ptr<Ui::TForm1> ui;
    std::unique_ptr<PictureStore> m_pictures;
    MidiDeviceFactory m_openMidiDevice;
    std::unique_ptr<MidiPort> m_midi;

    QMenu* m_tuningMenu = nullptr; // PopupMenu1
    QActionGroup* m_tuningItems = nullptr;
    std::array<QSlider*, kStrings> m_trackBars {};

    // The window's state. The search's working tables (chord tones and bass per string and fret,
    // the first free string) and the layout cursor live inside the engine for the length of one
    // refresh; the easy shapes, note names and extension codes are the engine's constant tables.
    StringNotes m_stringNotes {};
    Tuning m_tuning {};
    SelectionState m_selection; // root, bass, intervals, the shown name, third and fifth, checks
    int m_fretLimit = 12;
    int m_selectedX = 0;
    int m_selectedY = 0;
    std::vector<InstrumentRecord> m_records;
    std::string m_noteList;
    std::vector<unsigned> m_leftOut; // what the results leave out (LeftOutTone sets), for the export's heading
    QString m_searchMessage; // the status bar's message of the last refresh, or empty

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
    Question m_restoreQuestion;

    // Copy, export and print.
    std::unique_ptr<ExportDialogs> m_exportDialogs;
    QString m_exportFolder; // of the last export, kept with the settings; empty before the first
    QAction* m_copyDiagram = nullptr;
    QAction* m_exportDiagram = nullptr;

    TFormProgression* m_progression = nullptr; // progression window
    TFormSong* m_song = nullptr; // song window
    FileDialog m_songDialog;
    TFormSetlist* m_setlist = nullptr; // setlist window
    FilesDialog m_bookSongsDialog;
    FileDialog m_bookPdfDialog;
    std::function<void(QProgressDialog&, int)> m_bookStep;
    std::function<void(const QString&)> m_bookTell;
    QLabel* m_nameProblem = nullptr; // status bar: "Not understood: dim7" after a typed name

    // Chord names.
    void SetUpNotationMenu();
    std::vector<std::string> NamesInNotation(
        const std::vector<std::string>& names, const std::vector<int>& chordTones, const RefreshInput& input) const;
    void ReadTypedInNotation(); // before the box's search: m_typedName kept, editText in the box's words
    void ShowDifferingReadings(); // after it
    // The current chord's name for titles, exports and prints: the box's text in the program's own
    // notation, else the chord written in the chosen one.
    std::string ShownChordName(const std::string& boxText) const;
    void ShowSearchMessage(const std::string& message);
    Notation m_notation = Notation::Parts;
    QActionGroup* m_notationItems = nullptr;
    QToolButton* m_useLeadSheet = nullptr; // status bar: offers the lead-sheet reading
    std::string m_typedName; // the name box's text as typed, before the search rewrote it
    std::vector<std::string> m_partsNames; // the names list in the program's own words, which "Find" reads
    bool m_boxWordsHandedOver = false; // the box holds a name another window gave in the box's own words
};

// The "Formation:" box's text for a fingering, barre marks as plain frets, muted as X: on six strings
// its record text cut after 20 characters ("X 3 2 0 1 0 "), on any other count one value a string
// ("X 0 2 3").
QString FormationText(const Frets& frets);

} // namespace corvane
