// An arbitrary settings file read at start-up: the reading never crashes, every value the window
// takes lies within its control's range, the chord it restores is one the refresh can search, and
// what was read, written back and read again, is the same.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "app/kept_settings.h"
#include "fuzz/fuzz_support.h"
#include "guitar/refresh.h"
#include "sound/patch_table.h"
#include "theory/catalogue.h"

using corvane::fuzz::Require;

namespace {

using namespace corvane;

// The window's start-up values, as it captures them before reading a file.
KeptState StartUp()
{
    KeptState kept;
    for (size_t s = 0; s < kStrings; ++s)
        kept.stringLabels[s] = std::string(kTuningPresets[0].labels[s]);
    kept.capo = 0;
    return kept;
}

void CheckUsable(const KeptState& kept, const KeptLimits& limits)
{
    const int presets = static_cast<int>(kTuningPresets.size());
    Require(kept.presetTag >= 0 && kept.presetTag < presets, "a preset of the menu");
    Require(kept.markedPreset >= 0 && kept.markedPreset < presets, "a marked item of the menu");
    for (size_t s = 0; s < kStrings; ++s) {
        Require(kept.tuning[s] >= 0 && kept.tuning[s] <= 11, "a track bar's position");
        Require(!kept.stringLabels[s].empty(), "a string's label");
    }
    const Instrument* instrument = FindInstrument(kept.instrument);
    Require(instrument != nullptr, "an instrument the program knows");
    if (!instrument->IsSixStringGuitar()) {
        Require(kept.instrumentStrings.count == instrument->Strings(), "as many strings as the instrument has");
        Require(kept.instrumentPreset >= 0 && kept.instrumentPreset < static_cast<int>(instrument->tunings.size()),
            "a preset of the instrument");
        for (const int note : kept.instrumentStrings.Notes())
            Require(note >= 0 && note <= 127, "a string's note is a MIDI note");
    }
    Require(kept.fretLimitItem >= 0 && kept.fretLimitItem < limits.fretLimitItems, "an item of Up to fret");
    Require(kept.spanItem >= 0 && kept.spanItem < limits.spanItems, "an item of Distance");
    Require(kept.capo && *kept.capo >= 0 && *kept.capo <= limits.capoMaximum, "a capo the box holds");
    Require(kept.patch >= 0 && kept.patch < static_cast<int>(kPatches.size()), "a patch of the list");
    Require(kept.tempo >= limits.tempoMinimum && kept.tempo <= limits.tempoMaximum, "a tempo of the bar");
    Require(kept.typeRow >= -1 && kept.typeRow < kChordTypeCount, "a row of the chord-type list");

    const SelectionState& s = kept.selection;
    Require(s.rootIndex >= 0 && s.rootIndex <= kNoPitch && s.bassIndex >= 0 && s.bassIndex <= kNoPitch,
        "root and bass are notes or none");
    Require(s.rootRow >= 0 && s.rootRow < 12 && s.bassRow >= 0 && s.bassRow < 12, "rows of the grids");
    // The refresh the window opens with; each chord in each tuning once, since a search is slow
    // beside the reading.
    SearchOptions options;
    options.tuning = kept.tuning;
    options.capo = *kept.capo;
    const RefreshInput input = FromSelection(s, options);
    static std::set<std::string> searched;
    std::string key = NoteListText(input) + '/' + s.chordIntervals + '/' + std::to_string(*kept.capo);
    for (const PitchClass string : kept.tuning)
        key += ' ' + std::to_string(string);
    if (searched.insert(key).second) {
        const RefreshResult result = ComputeRefresh(input);
        Require(result.records.size() < 100000, "a result the sheet can hold");
    }
}

std::string FileText(const QString& path)
{
    QFile file(path);
    Require(file.open(QIODevice::ReadOnly), "the written file opens");
    return file.readAll().toStdString();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "settings_fuzz";
    static char* argv[] = { name, nullptr };
    static QCoreApplication application(argc, argv);
    static QTemporaryDir folder;
    static const KeptState startUp = StartUp();
    const KeptLimits limits;

    const QString given = folder.filePath(QStringLiteral("given.conf"));
    {
        QFile file(given);
        Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the scratch file opens");
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const KeptState read = ReadKept(QSettings(given, QSettings::IniFormat), startUp, limits);
    CheckUsable(read, limits);

    // Written back and read again, the values are the same: both writings are the same file.
    const QString first = folder.filePath(QStringLiteral("first.conf"));
    const QString second = folder.filePath(QStringLiteral("second.conf"));
    QFile::remove(first);
    QFile::remove(second);
    {
        QSettings out(first, QSettings::IniFormat);
        WriteKept(out, read);
    }
    const KeptState again = ReadKept(QSettings(first, QSettings::IniFormat), startUp, limits);
    {
        QSettings out(second, QSettings::IniFormat);
        WriteKept(out, again);
    }
    Require(FileText(first) == FileText(second), "what was read reads back the same");
    return 0;
}
