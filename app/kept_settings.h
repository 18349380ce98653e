#pragma once
// The values the main window keeps from one run to the next, as plain data, and how they are read
// from and written to a settings file. Reading takes one value at a time: a value that is missing,
// of the wrong kind or out of range leaves the default in place, so a damaged or foreign file gives
// a window that works. The last chord is the exception: its values only make sense together, so it
// is taken whole or not at all.

#include "guitar/instrument.h"
#include "guitar/tuning.h"
#include "guitar/voicing.h"
#include "theory/selection.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <optional>
#include <string>

class QSettings;

namespace corvane {

struct KeptState {
    // The tuning: the preset the tuning button names and the one its menu marks, the six track bars and their labels.
    int presetTag = 0; // named on the tuning button
    int markedPreset = 0; // marked in its menu
    Tuning tuning = kStandardTuning;
    std::array<std::string, kStrings> stringLabels;

    // The instrument, by the name FindInstrument reads; on another than the guitar, its strings and the
    // preset its tuning button names. The guitar's tuning above stays the guitar's, for when it is
    // chosen again. An instrument the program does not know is read as the guitar.
    std::string instrument { SixStringGuitar().name };
    OpenStrings instrumentStrings {};
    int instrumentPreset = 0;

    // The options. The capo is there only when the window has one.
    int fretLimitItem = 1;
    int spanItem = 3;
    bool omit3 = false;
    bool omit5 = false;
    bool leftHanded = false;
    bool noBarre = false;
    bool easy = false;
    std::optional<int> capo;

    // The sound and the neck.
    int patch = 0;
    int tempo = 2;
    bool electricNeck = false;
    std::string soundFont; // the file chosen with File > Sound font..., or empty
    std::string exportFolder; // where the last export was written, or empty
    std::string notation { "parts" }; // View > Chord names, by its command-line word

    // The last chord as the selection controls hold it, and how they show it.
    SelectionState selection = StartupSelection();
    // The spelling buttons are not kept: they are restored as the grids show the chord's names.
    int typeRow = 0;
    bool extensionsShown = true; // the check list (mod1) rather than the chord-type list (mod2)

    // The window. An empty geometry means the window opens maximised, as on a first start.
    QByteArray geometry;
    bool maximised = true;
    QList<int> chooserSplitter; // the chord chooser beside the sheet
    QList<int> sheetSplitter; // the sheet above the options
};

// The ranges of the values the layout decides.
struct KeptLimits {
    int fretLimitItems = 4;
    int spanItems = 4;
    int tempoMinimum = 0;
    int tempoMaximum = 5;
    int capoMaximum = kMaxCapo;
};

// Each value found in `settings` and valid replaces the one in `defaults`.
KeptState ReadKept(const QSettings& settings, const KeptState& defaults, const KeptLimits& limits);

void WriteKept(QSettings& settings, const KeptState& state);

// The chosen sound font alone, for the sound that starts before the window reads the rest.
std::string KeptSoundFont(const QSettings& settings);

} // namespace corvane
