#pragma once
// The progression window: the chords of a song typed as text, one fingering chosen per chord with
// the least hand movement, drawn in a row with their names; each chord can be opened in the main
// window, where a diagram clicked replaces the choice; the song can be strummed, exported and
// printed. Modeless; the main window creates it on first use.

#include "drawing/sheet_layout.h"
#include "guitar/instrument_progression.h"
#include "guitar/tuning.h"
#include "theory/notation.h"
#include "windows/export_dialogs.h"
#include "windows/strum_player.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPrinter;
class QSettings;

namespace Ui {
class TFormProgression;
}

namespace corvane {

class MidiPort;
class PictureStore;

// The instrument the main window shows: the strings the windows choose, draw and strum for, and how
// a sheet's heading names them.
struct HostInstrument {
    std::string name; // "ukulele": a change of instrument drops the fingerings picked on the old one
    StringSet strings;
    std::string description; // "Ukulele (G4 C4 E4 A4)"; empty where the sheets leave it unnamed
};

// The six-string guitar tuned as the search options say, unnamed: what the windows choose for when
// their host names no instrument.
HostInstrument GuitarHost(const Tuning& tuning);

// What the progression and song windows take from the main window, read at the moment it is needed.
struct ChordWindowHost {
    std::function<SearchOptions()> searchOptions; // as the main sheet searches
    std::function<void(const QString& chord)> showChord; // type the name in the name box and search
    std::function<MidiPort*()> port; // the main window's MIDI output, with its current patch
    std::function<int()> strumTempo; // the main window's tempo bar position
    std::function<bool()> leftHanded;
    std::function<qreal()> exportPixelRatio; // the scale of the main sheet's PNG export
    std::function<HostInstrument()> instrument; // GuitarHost of the search's tuning when not given
    std::function<Notation()> notation; // View > Chord names; the program's own when not given
};

struct ProgressionHost : ChordWindowHost {
    std::function<void(int capo)> setCapo; // puts the main window's capo on that fret, which searches again
};

// The file and print dialogs, replaceable so that tests run without them.
struct ProgressionDialogs {
    // A file name and the chosen filter, or an empty name when the user cancelled; the dialog offers
    // `suggestedName` (a PNG's) in the folder of the last export.
    std::function<QString(QWidget* owner, const QString& suggestedName, QString* filter)> saveFileName;
    // Lets the user set up the printer; false when cancelled.
    std::function<bool(QWidget* owner, QPrinter& printer)> choosePrinter;
    // Tells the user why something failed.
    std::function<void(QWidget* owner, const QString& text)> warn;
};
// The desktop's dialogs. A save dialog opens in the folder of the last export (before any, Documents
// for a PDF and Pictures for an image, as the suggested name's suffix says) and offers that format.
ProgressionDialogs StandardProgressionDialogs(ExportFolder folder = OwnExportFolder());

class TFormProgression final : public QWidget {
    Q_OBJECT
public:
    explicit TFormProgression(ProgressionHost host, QWidget* parent = nullptr);
    ~TFormProgression() override;

    void setDialogs(ProgressionDialogs dialogs) { m_dialogs = std::move(dialogs); }

    // The text and the options, in the group "progression".
    void SaveSettings(QSettings& settings) const;
    void RestoreSettings(QSettings& settings);

    // Reads the text, chooses the path with the main window's search options and shows it.
    void Recompute();

    // The main window reports every diagram the user selects on its sheet; while a chord waits for
    // "Other fingerings", the selected one replaces its choice and the rest is chosen again.
    void DiagramSelected(const Frets& frets);
    // The main window shows another instrument or tuning: the song stops and is chosen again for it.
    void InstrumentChanged();
    // View > Chord names changed: the chords are named again, in the new notation.
    void NotationChanged() { ShowChoice(); }

    // The key the chords count from: the "Key:" box's, else the one their letters suggest (guessed).
    const std::optional<NotationKey>& key() const { return m_key; }
    bool keyGuessed() const { return m_keyGuessed; }
    // A chord's name as the strip and the sheets show it, in the main window's notation.
    std::string ShownName(const std::string& letters) const;

    const std::vector<ProgressionEntry>& entries() const { return m_entries; } // the text as read
    // The fingerings chosen, on the strings of instrument().
    const StringProgressionChoice& choice() const { return m_choice; }
    const HostInstrument& instrument() const { return m_instrument; }
    int waitingChord() const { return m_waiting; }
    bool playing() const;
    int soundingChord() const; // the chord Play strums now; -1 when none

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ProgressionOptions Options() const;
    void ShowChoice();
    StrumPlayer::Chord ChordStrum(std::size_t chord) const;
    void OtherFingeringsClick(int chord);
    void ButtonExportClick();
    void ButtonPrintClick();
    void ButtonSuggestCapoClick();
    void MarkSoundingChord();
    SheetHeading ExportHeading() const;
    StringSongSheet NamedSheet() const;
    int Capo() const;
    std::size_t ChordCount() const;

    std::unique_ptr<Ui::TFormProgression> m_ui;
    ProgressionHost m_host;
    ProgressionDialogs m_dialogs;
    std::unique_ptr<PictureStore> m_pictures;
    std::vector<ProgressionEntry> m_entries;
    std::vector<std::string> m_textProblems;
    // "Key:": numbers and numerals are read from it, and the strip's numbers count from it.
    QLineEdit* m_keyBox = nullptr;
    std::optional<NotationKey> m_key;
    bool m_keyGuessed = false;
    HostInstrument m_instrument; // as the last choice was made
    StringProgressionChoice m_choice;
    // Fingerings the user chose, per place in the expanded progression, with the chord they were
    // chosen for: a pin holds only while the same chord stands at that place.
    struct Pin {
        std::string chord;
        Frets frets;
    };
    std::vector<std::optional<Pin>> m_pins;
    int m_waiting = -1; // the chord whose "Other fingerings" is open in the main window
    StrumPlayer* m_player = nullptr;
    // Why "Suggest capo" chose its capo, shown while the text and the capo are the ones it was for.
    QLabel* m_capoAdvice = nullptr;
    QString m_advice;
    QString m_advisedText;
    int m_advisedCapo = -1;
};

} // namespace corvane
