#pragma once
// The song window: a ChordPro song (or a chord sheet of chords over words) with its title and key,
// the strip of its chords drawn once each with the fingerings chosen over the whole song, and the
// words with the chords above them. The song can be moved to another key, played with a capo,
// strummed, exported, printed and saved back as ChordPro. Modeless; the main window creates it on
// first use and every song opened goes to it.

#include "guitar/tuning.h"
#include "song/chordpro_reader.h"
#include "song/song_fingerings.h"
#include "song/song_sheet.h"
#include "song/song_view.h"
#include "theory/notation.h"
#include "windows/progression_window.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Ui {
class TFormSong;
}

class QComboBox;
class QLabel;
class QMenu;
class QSettings;

namespace corvane {

class MidiPort;
class PictureStore;
class TFormStage;

// What the window takes from the main window, read at the moment it is needed.
struct SongHost : ChordWindowHost {
    std::function<void(const QString& path)> opened; // a song file was read: the recent list takes it
    std::function<void()> openSong; // File > "Open song…" (Ctrl+O)
    std::function<QStringList()> recentSongs; // File > "Recent songs", the latest first
};

// A "Recent songs" menu: one item a path, the latest first, each opening its song through `open`
// while `owner` lives; a disabled "No songs opened yet" when there are none.
void ShowRecentSongsIn(
    QMenu* menu, const QStringList& recent, QObject* owner, std::function<void(const QString&)> open);

// Export and print as in the progression window, and the name to save a ChordPro file under.
struct SongDialogs {
    ProgressionDialogs common;
    std::function<QString(QWidget* owner, const QString& suggestedName)> saveChordProName;
};
// The desktop's, as the progression window's; "Save as ChordPro…" opens where an export would, and
// in Documents before any.
SongDialogs StandardSongDialogs(ExportFolder folder = OwnExportFolder());

class TFormSong final : public QWidget {
    Q_OBJECT
public:
    explicit TFormSong(SongHost host, QWidget* parent = nullptr);
    ~TFormSong() override;

    void setDialogs(SongDialogs dialogs) { m_dialogs = std::move(dialogs); }

    // Reads the file and shows it with no transposition and the file's capo. A file that cannot be
    // read is said why, and the window keeps the song it had; false then.
    bool OpenFile(const QString& path);
    // A song pasted or dropped as text: ChordPro or chords over words.
    bool OpenText(const QString& text);

    void SetTranspose(int semitones); // clamped to -24..24
    int bpm() const;

    // The playing tempo lasts from one run to the next, in the group "song".
    void SaveSettings(QSettings& settings) const;
    void RestoreSettings(QSettings& settings);
    void SetCapo(int fret); // the capo box, 0..11

    // Shows the song again with the transposition, the capo and the main window's search options.
    void Recompute();

    // The main window reports every diagram the user selects on its sheet; while a chord waits for
    // "Other fingerings", the selected one becomes that chord's fingering through the whole song.
    void DiagramSelected(const Frets& frets);
    // The main window shows another instrument or tuning: the song stops and is chosen again for it.
    void InstrumentChanged();
    // View > Chord names changed: the chords are named again, in the new notation.
    void NotationChanged();

    const Song& song() const { return m_song; }
    // A file of several songs shows one at a time, chosen in the list of the file's songs.
    int songCount() const { return static_cast<int>(m_songs.size()); }
    int songIndex() const { return m_songIndex; }
    void ShowSongOfFile(int index);
    const ShownSong& shown() const { return m_shown; }
    // The strip, chosen on the strings of instrument().
    const std::vector<StringStripChord>& strip() const { return m_strip; }
    const HostInstrument& instrument() const { return m_instrument; }
    std::vector<std::string> StripNames() const;
    int transpose() const { return m_transpose; }
    int capo() const;
    int waitingChord() const { return m_waiting; }
    const QString& path() const { return m_path; }
    bool playing() const;
    // F11: the song in the stage view, full screen.
    void OpenStage(const QSize& size = {});
    TFormStage* stageWindow() const { return m_stage; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Take(SongReading reading, const QString& path, const QString& source, int strings, std::string pasted);
    HostInstrument HostShown() const; // the main window's instrument
    int StringsShown() const; // of the main window's instrument
    std::string InstrumentShown() const; // "guitar", "ukulele": the one the file's selectors are read for
    void ReadForStrings(int strings, const std::string& instrument);
    void ShowSongList();
    void ShowFromItsOwnKey();
    void ShowHeading();
    void ShowStrip();
    void ShowLyrics();
    void ShowProblems();
    StrumPlayer::Chord ChordStrum(const std::string& name) const;
    void OtherFingeringsClick(int chord);
    void ButtonExportClick();
    void ButtonPrintClick();
    void ButtonSaveClick();
    void ButtonSuggestCapoClick();
    void Paste();
    void MarkSoundingChord();
    void ShowRecentSongs(QMenu* menu);
    QString SuggestedName() const;
    SongSheetContent SheetContent() const;
    // The chords are chosen by their names in letters and shown in the main window's notation.
    Notation ShownNotation() const;
    std::string ShownName(const std::string& name) const;

    std::unique_ptr<Ui::TFormSong> m_ui;
    SongHost m_host;
    SongDialogs m_dialogs;
    std::unique_ptr<PictureStore> m_pictures;
    Song m_song;
    std::vector<Song> m_songs; // every song of the file, m_song one of them
    int m_songIndex = 0;
    std::string m_readFor = "guitar"; // the instrument the file's selectors were read for
    QComboBox* m_songList = nullptr;
    QLabel* m_songListLabel = nullptr;
    QString m_path; // the file the song came from; empty for a pasted one
    std::vector<std::string> m_readingNotes; // said once per song read: its encoding, a conversion
    int m_transpose = 0;
    // A song's {define} gives one fret per string of this many: the main window's instrument's when
    // the song was read.
    int m_strings = kStrings;
    std::string m_pasted; // the text of a pasted song, to read again for another count of strings
    // Fingerings picked with "Other fingerings", by the shape's name as shown, with the instrument
    // they were picked on; on that instrument they join the file's definitions, so they win as a
    // {define} does and are saved as one.
    std::vector<std::pair<std::string, ChordDefinition>> m_picked;
    ShownSong m_shown;
    HostInstrument m_instrument; // as the strip was chosen
    std::vector<StringStripChord> m_strip;
    int m_waiting = -1;
    StrumPlayer* m_player = nullptr; // its sounding chord is a place in shown().played
    QLabel* m_notes = nullptr; // what the reading did, said apart from the problems
    QLabel* m_capoAdvice = nullptr; // why "Suggest capo" chose its capo
    // The advice holds while the song, its transposition and the capo are the ones it was given for.
    CapoAdvice m_advice;
    int m_adviceTranspose = 0;
    bool m_advised = false;
    bool m_placed = false; // fitted on the screen when first shown
    TFormStage* m_stage = nullptr;
};

} // namespace corvane
