#include "app/kept_settings.h"

#include "sound/patch_table.h"
#include "theory/catalogue.h"
#include "theory/notation.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>

namespace corvane {

namespace {

    // Longest text kept for a name or a label; anything longer was not written by the program.
    constexpr qsizetype kLongestText = 200;
    constexpr int kLargestPane = 100000;

    QVariant Value(const QSettings& settings, const char* key) { return settings.value(QLatin1StringView(key)); }

    std::optional<int> Int(const QSettings& settings, const char* key, int lowest, int highest)
    {
        const QVariant value = Value(settings, key);
        if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::Int)
            return std::nullopt;
        bool ok = false;
        const int number = value.toString().trimmed().toInt(&ok);
        if (!ok || number < lowest || number > highest)
            return std::nullopt;
        return number;
    }

    std::optional<bool> Bool(const QSettings& settings, const char* key)
    {
        const QVariant value = Value(settings, key);
        if (value.typeId() == QMetaType::Bool)
            return value.toBool();
        if (value.typeId() != QMetaType::QString)
            return std::nullopt;
        const QString text = value.toString();
        if (text == QLatin1StringView("true"))
            return true;
        if (text == QLatin1StringView("false"))
            return false;
        return std::nullopt;
    }

    std::optional<std::string> Text(const QSettings& settings, const char* key)
    {
        const QVariant value = Value(settings, key);
        if (value.typeId() != QMetaType::QString || value.toString().size() > kLongestText)
            return std::nullopt;
        return value.toString().toStdString();
    }

    std::optional<Spelling> SpellingValue(const QSettings& settings, const char* key)
    {
        const std::optional<std::string> text = Text(settings, key);
        if (text == "sharp")
            return Spelling::Sharp;
        if (text == "flat")
            return Spelling::Flat;
        return std::nullopt;
    }

    const char* SpellingText(Spelling spelling) { return spelling == Spelling::Flat ? "flat" : "sharp"; }

    // Blank-separated whole numbers, exactly `count` of them when count > 0, each in range.
    std::optional<QList<int>> Numbers(const QSettings& settings, const char* key, int count, int lowest, int highest)
    {
        const std::optional<std::string> text = Text(settings, key);
        if (!text)
            return std::nullopt;
        QList<int> numbers;
        for (const QString& part : QString::fromStdString(*text).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int number = part.toInt(&ok);
            if (!ok || number < lowest || number > highest)
                return std::nullopt;
            numbers.append(number);
        }
        if ((count > 0 && numbers.size() != count) || numbers.isEmpty())
            return std::nullopt;
        return numbers;
    }

    QString NumbersText(const QList<int>& numbers)
    {
        QStringList parts;
        for (const int number : numbers)
            parts << QString::number(number);
        return parts.join(QLatin1Char(' '));
    }

    std::optional<ExtensionFlags> Flags(const QSettings& settings, const char* key)
    {
        const std::optional<std::string> text = Text(settings, key);
        if (!text || text->size() != kExtensionCount)
            return std::nullopt;
        ExtensionFlags flags {};
        for (size_t item = 0; item < flags.size(); ++item) {
            if ((*text)[item] != '0' && (*text)[item] != '1')
                return std::nullopt;
            flags[item] = (*text)[item] == '1';
        }
        return flags;
    }

    QString FlagsText(const ExtensionFlags& flags)
    {
        QString text;
        for (const bool flag : flags)
            text += flag ? QLatin1Char('1') : QLatin1Char('0');
        return text;
    }

    // An interval list as the selection holds it: two-digit entries and blanks, no more than a
    // chord's twelve notes.
    bool LooksLikeIntervals(const std::string& text)
    {
        return text.size() <= 3 * 12
            && std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || (c >= '0' && c <= '9'); });
    }

    template <typename T> void Take(T& target, const std::optional<T>& found)
    {
        if (found)
            target = *found;
    }

    // The last chord, whole or not at all.
    std::optional<SelectionState> ReadSelection(const QSettings& settings)
    {
        SelectionState s;
        const auto root = Int(settings, "chord/root", 0, kNoPitch);
        const auto bass = Int(settings, "chord/bass", 0, kNoPitch);
        const auto intervals = Text(settings, "chord/intervals");
        const auto rootName = Text(settings, "chord/rootName");
        const auto typeSuffix = Text(settings, "chord/typeSuffix");
        const auto bassSuffix = Text(settings, "chord/bassSuffix");
        const auto third = Int(settings, "chord/third", 0, 23);
        const auto fifth = Int(settings, "chord/fifth", 0, 23);
        const auto checked = Flags(settings, "chord/checked");
        const auto enabled = Flags(settings, "chord/enabled");
        const auto bassGridEnabled = Bool(settings, "chord/bassGridEnabled");
        const auto rootSpelling = SpellingValue(settings, "chord/rootSpelling");
        const auto bassSpelling = SpellingValue(settings, "chord/bassSpelling");
        const auto rootRow = Int(settings, "chord/rootRow", 0, 11);
        const auto bassRow = Int(settings, "chord/bassRow", 0, 11);
        const auto editText = Text(settings, "chord/nameBox");
        if (!root || !bass || !intervals || !LooksLikeIntervals(*intervals) || !rootName || !typeSuffix || !bassSuffix
            || !third || !fifth || !checked || !enabled || !bassGridEnabled || !rootSpelling || !bassSpelling
            || !rootRow || !bassRow || !editText)
            return std::nullopt;
        s.rootIndex = *root;
        s.bassIndex = *bass;
        s.chordIntervals = *intervals;
        s.rootName = *rootName;
        s.typeSuffix = *typeSuffix;
        s.bassSuffix = *bassSuffix;
        s.thirdInterval = *third;
        s.fifthInterval = *fifth;
        s.checked = *checked;
        s.enabled = *enabled;
        s.bassGridEnabled = *bassGridEnabled;
        s.rootSpelling = *rootSpelling;
        s.bassSpelling = *bassSpelling;
        s.rootRow = *rootRow;
        s.bassRow = *bassRow;
        s.editText = *editText;
        return s;
    }

    void WriteSelection(QSettings& settings, const SelectionState& s)
    {
        const auto set
            = [&settings](const char* key, const QVariant& value) { settings.setValue(QLatin1StringView(key), value); };
        set("chord/root", s.rootIndex);
        set("chord/bass", s.bassIndex);
        set("chord/intervals", QString::fromStdString(s.chordIntervals));
        set("chord/rootName", QString::fromStdString(s.rootName));
        set("chord/typeSuffix", QString::fromStdString(s.typeSuffix));
        set("chord/bassSuffix", QString::fromStdString(s.bassSuffix));
        set("chord/third", s.thirdInterval);
        set("chord/fifth", s.fifthInterval);
        set("chord/checked", FlagsText(s.checked));
        set("chord/enabled", FlagsText(s.enabled));
        set("chord/bassGridEnabled", s.bassGridEnabled);
        set("chord/rootSpelling", QLatin1StringView(SpellingText(s.rootSpelling)));
        set("chord/bassSpelling", QLatin1StringView(SpellingText(s.bassSpelling)));
        set("chord/rootRow", s.rootRow);
        set("chord/bassRow", s.bassRow);
        set("chord/nameBox", QString::fromStdString(s.editText));
    }

    // A label the program itself can show for this pitch class on this string.
    bool IsStringLabel(const std::string& label, size_t string, int pitchClass)
    {
        if (label == kNoteNames[static_cast<size_t>(pitchClass)])
            return true;
        return std::any_of(kTuningPresets.begin(), kTuningPresets.end(), [&](const TuningPreset& preset) {
            return preset.pitchClasses[string] == pitchClass && preset.labels[string] == label;
        });
    }

    std::string LabelKey(size_t string) { return "tuning/label" + std::to_string(string + 1); }

} // namespace

KeptState ReadKept(const QSettings& settings, const KeptState& defaults, const KeptLimits& limits)
{
    KeptState kept = defaults;

    Take(kept.presetTag, Int(settings, "tuning/preset", 0, static_cast<int>(kTuningPresets.size()) - 1));
    Take(kept.markedPreset, Int(settings, "tuning/menuItem", 0, static_cast<int>(kTuningPresets.size()) - 1));
    if (const auto bars = Numbers(settings, "tuning/strings", kStrings, 0, 11)) {
        std::array<std::string, kStrings> labels;
        for (size_t s = 0; s < kStrings; ++s) {
            const int pitchClass = bars->at(static_cast<qsizetype>(s));
            const auto label = Text(settings, LabelKey(s).c_str());
            labels[s] = label && IsStringLabel(*label, s, pitchClass)
                ? *label
                : std::string(kNoteNames[static_cast<size_t>(pitchClass)]);
            kept.tuning[s] = pitchClass;
        }
        kept.stringLabels = labels;
    }

    if (const auto name = Text(settings, "instrument/name")) {
        if (const Instrument* found = FindInstrument(*name); found && !found->tuningPresets) {
            kept.instrument = std::string(found->name);
            kept.instrumentStrings = found->tunings.front().strings;
            kept.instrumentPreset = 0;
            if (const auto strings = Text(settings, "instrument/strings")) {
                const OpenStringsReading reading = ReadOpenStrings(*strings, *found);
                if (reading.strings && reading.strings->count == found->Strings())
                    kept.instrumentStrings = *reading.strings;
            }
            Take(kept.instrumentPreset,
                Int(settings, "instrument/preset", 0, static_cast<int>(found->tunings.size()) - 1));
        } else if (found) {
            kept.instrument = std::string(found->name);
            kept.instrumentStrings = {};
            kept.instrumentPreset = 0;
        }
    }

    Take(kept.fretLimitItem, Int(settings, "options/upToFret", 0, limits.fretLimitItems - 1));
    Take(kept.spanItem, Int(settings, "options/distance", 0, limits.spanItems - 1));
    Take(kept.omit3, Bool(settings, "options/omit3"));
    Take(kept.omit5, Bool(settings, "options/omit5"));
    Take(kept.leftHanded, Bool(settings, "options/leftHanded"));
    Take(kept.noBarre, Bool(settings, "options/noBarre"));
    Take(kept.easy, Bool(settings, "options/easy"));
    if (kept.capo)
        Take(*kept.capo, Int(settings, "options/capo", 0, limits.capoMaximum));

    Take(kept.patch, Int(settings, "sound/patch", 0, static_cast<int>(kPatches.size()) - 1));
    Take(kept.tempo, Int(settings, "sound/tempo", limits.tempoMinimum, limits.tempoMaximum));
    Take(kept.soundFont, Text(settings, "sound/soundFont"));
    Take(kept.exportFolder, Text(settings, "export/folder"));
    if (const auto notation = Text(settings, "names/notation"); notation && ParseNotation(*notation))
        kept.notation = *notation;
    if (const auto neck = Text(settings, "neck/picture"); neck == "electric" || neck == "classic")
        kept.electricNeck = neck == "electric";

    if (const std::optional<SelectionState> selection = ReadSelection(settings)) {
        if (const auto typeRow = Int(settings, "chord/typeRow", -1, kChordTypeCount - 1)) {
            kept.selection = *selection;
            kept.typeRow = *typeRow;
        }
    }
    if (const auto view = Text(settings, "chord/view"); view == "mod1" || view == "mod2")
        kept.extensionsShown = view == "mod1";

    if (const QVariant geometry = Value(settings, "window/geometry"); geometry.typeId() == QMetaType::QByteArray)
        kept.geometry = geometry.toByteArray();
    Take(kept.maximised, Bool(settings, "window/maximised"));
    Take(kept.chooserSplitter, Numbers(settings, "window/chooserSplitter", 2, 0, kLargestPane));
    Take(kept.sheetSplitter, Numbers(settings, "window/sheetSplitter", 2, 0, kLargestPane));
    return kept;
}

void WriteKept(QSettings& settings, const KeptState& state)
{
    const auto set
        = [&settings](const char* key, const QVariant& value) { settings.setValue(QLatin1StringView(key), value); };
    set("tuning/preset", state.presetTag);
    set("tuning/menuItem", state.markedPreset);
    set("tuning/strings", NumbersText(QList<int>(state.tuning.begin(), state.tuning.end())));
    for (size_t s = 0; s < kStrings; ++s)
        settings.setValue(QString::fromStdString(LabelKey(s)), QString::fromStdString(state.stringLabels[s]));

    set("instrument/name", QString::fromStdString(state.instrument));
    const Instrument* instrument = FindInstrument(state.instrument);
    if (!instrument || instrument->tuningPresets || state.instrumentStrings.count == 0) {
        settings.remove(QStringLiteral("instrument/strings"));
        settings.remove(QStringLiteral("instrument/preset"));
    } else {
        set("instrument/strings", QString::fromStdString(OpenStringsText(state.instrumentStrings)));
        set("instrument/preset", state.instrumentPreset);
    }

    set("options/upToFret", state.fretLimitItem);
    set("options/distance", state.spanItem);
    set("options/omit3", state.omit3);
    set("options/omit5", state.omit5);
    set("options/leftHanded", state.leftHanded);
    set("options/noBarre", state.noBarre);
    set("options/easy", state.easy);
    if (state.capo)
        set("options/capo", *state.capo);

    set("sound/patch", state.patch);
    set("sound/tempo", state.tempo);
    if (state.soundFont.empty())
        settings.remove(QStringLiteral("sound/soundFont"));
    else
        set("sound/soundFont", QString::fromStdString(state.soundFont));
    if (state.exportFolder.empty())
        settings.remove(QStringLiteral("export/folder"));
    else
        set("export/folder", QString::fromStdString(state.exportFolder));
    set("names/notation", QString::fromStdString(state.notation));
    set("neck/picture", state.electricNeck ? QStringLiteral("electric") : QStringLiteral("classic"));

    WriteSelection(settings, state.selection);
    set("chord/typeRow", state.typeRow);
    set("chord/view", state.extensionsShown ? QStringLiteral("mod1") : QStringLiteral("mod2"));

    set("window/geometry", state.geometry);
    set("window/maximised", state.maximised);
    set("window/chooserSplitter", NumbersText(state.chooserSplitter));
    set("window/sheetSplitter", NumbersText(state.sheetSplitter));
}

std::string KeptSoundFont(const QSettings& settings) { return Text(settings, "sound/soundFont").value_or(""); }

} // namespace corvane
