#include "windows/progression_window.h"

#include "ui_progression_window.h"

#include "drawing/qt/picture_store.h"
#include "guitar/instrument.h"
#include "song/capo_reason.h"
#include "song/song_notation.h"
#include "sound/midi_player.h"
#include "sound/midi_port.h"
#include "theory/key_guess.h"
#include "toolkit/chord_export.h"
#include "windows/chord_strip.h"
#include "windows/export_dialogs.h"
#include "windows/strum_player.h"
#include "windows/window_export.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane {

HostInstrument GuitarHost(const Tuning& tuning)
{
    return { std::string(SixStringGuitar().name), GuitarStrings(tuning), {} };
}

namespace {

    QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

    constexpr int kChordsInFileName = 8;

} // namespace

ProgressionDialogs StandardProgressionDialogs(ExportFolder folder)
{
    ProgressionDialogs dialogs;
    dialogs.saveFileName = [folder](QWidget* owner, const QString& suggestedName, QString* filter) {
        const ExportFormat format = ExportFormatOfPath(suggestedName).value_or(ExportFormat::Png);
        const QString start = QDir(ExportStartFolder(folder.get(), format)).filePath(suggestedName);
        // The filter of the suggested name's format is the one selected.
        QString selected;
        for (const QString& one : ExportFileFilters().split(QStringLiteral(";;")))
            if (ExportFormatOfFilter(one) == format)
                selected = one;
        const QString path
            = QFileDialog::getSaveFileName(owner, QStringLiteral("Export"), start, ExportFileFilters(), &selected);
        if (filter)
            *filter = selected;
        if (!path.isEmpty())
            folder.set(QFileInfo(path).absolutePath());
        return path;
    };
    dialogs.choosePrinter = [](QWidget* owner, QPrinter& printer) {
        QPrintDialog dialog(&printer, owner);
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.warn = [](QWidget* owner, const QString& text) {
        QMessageBox::warning(owner, QStringLiteral("Corvane Chords"), text);
    };
    return dialogs;
}

TFormProgression::TFormProgression(ProgressionHost host, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_ui(std::make_unique<Ui::TFormProgression>())
    , m_host(std::move(host))
    , m_dialogs(StandardProgressionDialogs())
    , m_pictures(std::make_unique<PictureStore>(devicePixelRatioF()))
{
    m_ui->setupUi(this);
    StrumPlayer::Source source;
    source.count = [this] { return ChordCount(); };
    source.chord = [this](std::size_t k) { return ChordStrum(k); };
    source.port = [this] { return m_host.port ? m_host.port() : nullptr; };
    source.tempo = [this] { return m_host.strumTempo ? m_host.strumTempo() : 2; };
    source.sounding = [this] { MarkSoundingChord(); };
    m_player = new StrumPlayer(std::move(source), { m_ui->ButtonPlay, m_ui->ButtonStop, m_ui->SpinBpm }, this);
    m_ui->RowDiagrams->setTabPredecessor(m_ui->ButtonSuggestCapo);
    connect(m_ui->RowDiagrams, &ChordStrip::otherFingeringsClicked, this, &TFormProgression::OtherFingeringsClick);
    // Enter on a diagram strums that chord once, as a click on the main sheet does.
    connect(m_ui->RowDiagrams, &ChordStrip::played, this, [this](int k) {
        if (k >= 0 && static_cast<std::size_t>(k) < ChordCount())
            m_player->StrumOnce(ChordStrum(static_cast<std::size_t>(k)));
    });
    // Tab leaves the chord box as it leaves every other control; Ctrl+Enter chooses at once.
    m_ui->MemoChords->setTabChangesFocus(true);
    m_ui->MemoChords->installEventFilter(this);
    connect(m_ui->MemoChords, &QPlainTextEdit::textChanged, this, &TFormProgression::Recompute);
    for (QCheckBox* box : { m_ui->CheckBoxStartNear, m_ui->CheckBoxKeepPosition, m_ui->CheckBoxLoop })
        connect(box, &QCheckBox::toggled, this, &TFormProgression::Recompute);
    for (QSpinBox* box : { m_ui->SpinLowestFret, m_ui->SpinHighestFret })
        connect(box, &QSpinBox::valueChanged, this, &TFormProgression::Recompute);
    connect(m_ui->ButtonExport, &QPushButton::clicked, this, &TFormProgression::ButtonExportClick);
    connect(m_ui->ButtonPrint, &QPushButton::clicked, this, &TFormProgression::ButtonPrintClick);
    connect(m_ui->ButtonSuggestCapo, &QPushButton::clicked, this, &TFormProgression::ButtonSuggestCapoClick);
    m_ui->ButtonSuggestCapo->setEnabled(static_cast<bool>(m_host.setCapo));
    m_ui->LabelTotal->setToolTip(QStringLiteral(
        "What the song asks of the hand, in one count: lower is easier. Every finger placed, the stretch, "
        "a barre, a muted string, a shape on no chord chart, a hand high on the neck and every move from "
        "one chord to the next add to it."));
    // "Key:" beside the options, before "Suggest capo" in the keyboard's order as on the screen.
    auto* keyLabel = new QLabel(QStringLiteral("&Key:"), this);
    m_keyBox = new QLineEdit(this);
    m_keyBox->setObjectName(QStringLiteral("EditKey"));
    m_keyBox->setAccessibleName(QStringLiteral("Key"));
    m_keyBox->setToolTip(QStringLiteral(
        "The key the chords count from: with a key, numbers (1 5 6m 4) and numerals (ii V I) are read as its "
        "chords. Left empty, the key the chords suggest."));
    m_keyBox->setMaximumWidth(m_keyBox->fontMetrics().horizontalAdvance(QStringLiteral("Bbm (guessed)")) + 16);
    keyLabel->setBuddy(m_keyBox);
    if (const int at = m_ui->LayoutOptions->indexOf(m_ui->ButtonSuggestCapo); at >= 0) {
        m_ui->LayoutOptions->insertWidget(at, keyLabel);
        m_ui->LayoutOptions->insertWidget(at + 1, m_keyBox);
    }
    setTabOrder(m_ui->CheckBoxLoop, m_keyBox);
    setTabOrder(m_keyBox, m_ui->ButtonSuggestCapo);
    connect(m_keyBox, &QLineEdit::textChanged, this, &TFormProgression::Recompute);
    m_capoAdvice = new QLabel(this);
    m_capoAdvice->setObjectName(QStringLiteral("LabelCapoAdvice"));
    m_capoAdvice->setTextFormat(Qt::PlainText);
    m_capoAdvice->hide();
    for (auto* row : findChildren<QBoxLayout*>())
        if (const int at = row->indexOf(m_ui->LabelTotal); at >= 0) {
            row->insertWidget(at + 1, m_capoAdvice);
            break;
        }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    Recompute();
}

TFormProgression::~TFormProgression() = default;

void TFormProgression::SaveSettings(QSettings& settings) const
{
    settings.beginGroup(QStringLiteral("progression"));
    settings.setValue(QStringLiteral("text"), m_ui->MemoChords->toPlainText());
    settings.setValue(QStringLiteral("startNear"), m_ui->CheckBoxStartNear->isChecked());
    settings.setValue(QStringLiteral("keepPosition"), m_ui->CheckBoxKeepPosition->isChecked());
    settings.setValue(QStringLiteral("lowestFret"), m_ui->SpinLowestFret->value());
    settings.setValue(QStringLiteral("highestFret"), m_ui->SpinHighestFret->value());
    settings.setValue(QStringLiteral("loop"), m_ui->CheckBoxLoop->isChecked());
    settings.setValue(QStringLiteral("bpm"), m_ui->SpinBpm->value());
    settings.setValue(QStringLiteral("key"), m_keyBox->text());
    settings.endGroup();
}

// Values missing or out of range keep what the window shows; the spin boxes clamp numbers.
void TFormProgression::RestoreSettings(QSettings& settings)
{
    settings.beginGroup(QStringLiteral("progression"));
    const auto check = [&](QCheckBox* box, const char* key) {
        box->setChecked(settings.value(QLatin1String(key), box->isChecked()).toBool());
    };
    const auto number = [&](QSpinBox* box, const char* key) {
        bool ok = false;
        const int value = settings.value(QLatin1String(key)).toInt(&ok);
        if (ok)
            box->setValue(value);
    };
    check(m_ui->CheckBoxStartNear, "startNear");
    check(m_ui->CheckBoxKeepPosition, "keepPosition");
    number(m_ui->SpinLowestFret, "lowestFret");
    number(m_ui->SpinHighestFret, "highestFret");
    check(m_ui->CheckBoxLoop, "loop");
    number(m_ui->SpinBpm, "bpm");
    m_keyBox->setText(settings.value(QStringLiteral("key"), m_keyBox->text()).toString());
    m_ui->MemoChords->setPlainText(settings.value(QStringLiteral("text"), m_ui->MemoChords->toPlainText()).toString());
    settings.endGroup();
}

ProgressionOptions TFormProgression::Options() const
{
    ProgressionOptions options;
    if (m_host.searchOptions)
        options.search = m_host.searchOptions();
    options.startNear = m_ui->CheckBoxStartNear->isChecked();
    if (m_ui->CheckBoxKeepPosition->isChecked()) {
        // The two boxes may be set in either order; the window runs from the lower to the higher.
        const int a = m_ui->SpinLowestFret->value();
        const int b = m_ui->SpinHighestFret->value();
        options.keepPosition = FretWindow { std::min(a, b), std::max(a, b) };
    }
    options.loop = m_ui->CheckBoxLoop->isChecked();
    return options;
}

void TFormProgression::Recompute()
{
    const ProgressionText parsed = ParseProgression(m_ui->MemoChords->toPlainText().toStdString());
    m_entries = parsed.entries;
    m_textProblems = parsed.problems;
    // A key given reads numbers and numerals as its chords; with none, the letters suggest one.
    const std::string keyText = m_keyBox->text().trimmed().toStdString();
    m_key = NotationKeyOf(keyText);
    m_keyGuessed = false;
    if (!keyText.empty() && !m_key)
        m_textProblems.push_back("unknown key \"" + keyText + "\" (a key such as G, Bb or F#m)");
    for (ProgressionEntry& entry : m_entries)
        entry.chord = ChordInLetters(entry.chord, m_key);
    if (!m_key) {
        std::vector<std::string> names;
        for (const ProgressionEntry& entry : m_entries)
            names.push_back(entry.chord);
        m_key = GuessKeyOfNames(names);
        m_keyGuessed = m_key.has_value();
    }
    m_keyBox->setPlaceholderText(
        m_keyGuessed ? Text(NotationKeyName(*m_key)) + QStringLiteral(" (guessed)") : QString());
    if (m_waiting >= static_cast<int>(m_entries.size()))
        m_waiting = -1;

    // Fingerings picked on another instrument mean nothing on this one.
    HostInstrument instrument = m_host.instrument ? m_host.instrument() : GuitarHost(Options().search.tuning);
    if (instrument.name != m_instrument.name) {
        m_pins.clear();
        m_waiting = -1;
    }
    m_instrument = std::move(instrument);

    // Choosing the path searches every chord once; the pins are known only after that, as indexes
    // into each chord's results, so a pinned progression is chosen twice.
    const ProgressionOptions options = Options();
    m_pins.resize(m_entries.size());
    m_choice = ChooseInstrumentProgression(m_entries, options, m_instrument.strings);
    std::vector<int> pinned(m_entries.size(), -1);
    bool anyPin = false;
    for (std::size_t k = 0; k < m_entries.size(); ++k) {
        const std::optional<Pin>& pin = m_pins[k];
        if (!pin || pin->chord != m_entries[k].chord)
            continue;
        const auto& results = m_choice.chords[k].results;
        const auto found
            = std::find_if(results.begin(), results.end(), [&](const auto& r) { return r.frets == pin->frets; });
        if (found != results.end()) {
            pinned[k] = static_cast<int>(found - results.begin());
            anyPin = true;
        }
    }
    if (anyPin)
        m_choice = ChooseInstrumentProgression(m_entries, options, m_instrument.strings, pinned);
    ShowChoice();
}

std::size_t TFormProgression::ChordCount() const { return m_choice.chords.size(); }

// The strum of chord k as chosen, for its beats; a chord left out keeps its beats silent.
StrumPlayer::Chord TFormProgression::ChordStrum(std::size_t k) const
{
    const auto& chord = m_choice.chords[k];
    const InstrumentRecord* chosen = chord.Chosen();
    if (!chosen) {
        StrumPlayer::Chord silent;
        silent.beats = chord.beats;
        return silent;
    }
    return StrumOf(chosen->frets, chord.beats, m_instrument.strings.strings, Capo());
}

// One column per chord: the diagram with the name above it, drawn as the export draws it, and the
// "Other fingerings" button below.
void TFormProgression::ShowChoice()
{
    const bool leftHanded = m_host.leftHanded && m_host.leftHanded();
    const OpenStrings strings = BassMarkStrings(m_instrument.strings);
    std::vector<StripCell> cells;
    for (std::size_t k = 0; k < m_choice.chords.size(); ++k) {
        const auto& chord = m_choice.chords[k];
        const InstrumentRecord* chosen = chord.Chosen();
        cells.push_back(StripCellOf(Text(ShownName(chord.text)), chosen ? &chosen->frets : nullptr, chord.problem,
            *m_pictures, leftHanded, strings));
        cells.back().waiting = static_cast<int>(k) == m_waiting;
    }
    m_ui->RowDiagrams->Show(cells);
    m_ui->ListProblems->clear();
    for (const std::string& problem : m_textProblems)
        m_ui->ListProblems->addItem(Text(problem));
    for (const std::string& problem : m_choice.problems)
        m_ui->ListProblems->addItem(Text(problem));
    m_ui->LabelTotal->setText(m_choice.chords.empty() ? QString() : QStringLiteral("Cost %1").arg(m_choice.total));
    m_ui->ListProblems->setVisible(m_ui->ListProblems->count() > 0);
    // The shapes count from the capo: said beside them, as on the sheet; another instrument is named.
    const bool advised = m_advisedText == m_ui->MemoChords->toPlainText() && m_advisedCapo == Capo();
    m_capoAdvice->setText(advised ? m_advice : QString());
    m_capoAdvice->setVisible(advised);
    const QString capo = Capo() > 0 ? QStringLiteral("Capo %1").arg(Capo()) : QString();
    const QString named = Text(m_instrument.description);
    m_ui->LabelCapo->setText(named.isEmpty() ? capo
            : capo.isEmpty()                 ? named
                                             : named + QStringLiteral(", ") + capo.toLower());
    MarkSoundingChord();
}

std::string TFormProgression::ShownName(const std::string& letters) const
{
    return SongChordIn(letters, m_host.notation ? m_host.notation() : Notation::Parts, m_key);
}

int TFormProgression::Capo() const { return m_host.searchOptions ? m_host.searchOptions().capo : 0; }

// The song's text on one line as the title, the capo in small type; another instrument is named
// before it.
SheetHeading TFormProgression::ExportHeading() const
{
    std::string details = Capo() > 0 ? "Capo " + std::to_string(Capo()) : std::string();
    if (!m_instrument.description.empty())
        details = m_instrument.description + (details.empty() ? "" : " \u00B7 ") + details;
    return { m_ui->MemoChords->toPlainText().simplified().toStdString(), details };
}

// The chord Play strums now has its column framed.
void TFormProgression::MarkSoundingChord() { m_ui->RowDiagrams->setSounding(soundingChord()); }

// The chord goes to the main window as if typed there; the window waits for a diagram clicked on its
// sheet. A second click on the same button stops waiting.
void TFormProgression::OtherFingeringsClick(int chord)
{
    if (chord < 0 || chord >= static_cast<int>(m_entries.size()))
        return;
    if (m_waiting == chord) {
        m_waiting = -1;
        ShowChoice();
        return;
    }
    m_waiting = chord;
    ShowChoice();
    // The box name of a lead-sheet symbol: typed as written, "C9" would be the box's add-nine chord.
    const auto k = static_cast<std::size_t>(chord);
    const std::string boxText = k < m_choice.chords.size() ? m_choice.chords[k].nameBoxText : std::string();
    const std::string& typed = !boxText.empty() ? boxText : m_entries[k].chord;
    if (m_host.showChord)
        m_host.showChord(Text(typed));
}

// The chords before the one replaced keep what they have; the ones after it are chosen again.
void TFormProgression::DiagramSelected(const Frets& frets)
{
    if (m_waiting < 0 || m_waiting >= static_cast<int>(m_entries.size()))
        return;
    const auto chord = static_cast<std::size_t>(m_waiting);
    m_pins.resize(m_entries.size());
    for (std::size_t k = 0; k < chord && k < m_choice.chords.size(); ++k) {
        if (const InstrumentRecord* chosen = m_choice.chords[k].Chosen())
            m_pins[k] = Pin { m_entries[k].chord, chosen->frets };
    }
    m_pins[chord] = Pin { m_entries[chord].chord, frets };
    for (std::size_t k = chord + 1; k < m_pins.size(); ++k)
        m_pins[k].reset();
    m_waiting = -1;
    Recompute();
}

void TFormProgression::InstrumentChanged()
{
    m_player->Stop();
    Recompute();
}

bool TFormProgression::playing() const { return m_player->playing(); }

int TFormProgression::soundingChord() const { return m_player->sounding(); }

// The song sheet, its names in the notation the strip shows.
StringSongSheet TFormProgression::NamedSheet() const
{
    StringSongSheet sheet = SongSheetOf(m_choice);
    for (std::string& name : sheet.names)
        name = ShownName(name);
    return sheet;
}

void TFormProgression::ButtonExportClick()
{
    // The song's first chords name the file, as the name box names the sheet's.
    QStringList chords;
    for (const ProgressionEntry& entry : m_entries)
        if (chords.size() < kChordsInFileName && !chords.contains(Text(entry.chord)))
            chords << Text(entry.chord);
    const QString suggested = ExportFileName(chords.join(QLatin1Char(' '))) + QStringLiteral(".png");
    const std::optional<WindowExportTarget> target = AskExportTarget(m_dialogs, this, suggested, ExportFormat::Png);
    if (!target)
        return;
    const QString& path = target->path;
    const ExportFormat format = target->format;
    QString error;
    const qreal ratio = m_host.exportPixelRatio ? m_host.exportPixelRatio() : devicePixelRatioF();
    const bool leftHanded = m_host.leftHanded && m_host.leftHanded();
    const StringSongSheet sheet = NamedSheet();
    const bool written = ExportSongSheet(path, format, sheet.diagrams, sheet.names, ExportHeading(),
        export_sheet::kDefaultColumns, ratio, leftHanded, &error, BassMarkStrings(m_instrument.strings));
    if (!written && m_dialogs.warn)
        m_dialogs.warn(this, QStringLiteral("The sheet could not be written to %1: %2").arg(path, error));
}

void TFormProgression::ButtonPrintClick()
{
    const bool leftHanded = m_host.leftHanded && m_host.leftHanded();
    PrintSheet(
        m_dialogs, this,
        [&](QPrinter& printer) {
            const StringSongSheet sheet = NamedSheet();
            return PaintSongPages(printer, sheet.diagrams, sheet.names, ExportHeading(), leftHanded, 0,
                BassMarkStrings(m_instrument.strings));
        },
        QStringLiteral("The sheet could not be printed."));
}

// The capo is suggested for the song as typed, without the fingerings the user picked: those were
// picked for the old capo, so they go, and the window shows the choice the capo was suggested for.
void TFormProgression::ButtonSuggestCapoClick()
{
    if (!m_host.setCapo || m_entries.empty())
        return;
    // Said with the shapes played from the capo, each chord that has a fingering once.
    const auto advise = [this](const auto& suggestion) {
        std::vector<std::string> sounding;
        for (const auto& chord : suggestion.choice.chords)
            if (!chord.results.empty())
                sounding.push_back(chord.text);
        m_advice = Text(CapoReason(
            suggestion.capo, suggestion.ease, suggestion.withoutCapo, ShapeNames(sounding, suggestion.capo)));
        return suggestion.capo;
    };
    const int capo = advise(SuggestInstrumentCapo(m_entries, Options(), m_instrument.strings));
    m_advisedText = m_ui->MemoChords->toPlainText();
    m_advisedCapo = capo;
    m_pins.assign(m_entries.size(), std::nullopt);
    m_waiting = -1;
    m_host.setCapo(capo);
    Recompute();
}

// Back from the main window, the options there may have changed.
void TFormProgression::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !playing())
        Recompute();
}

// Tab and Ctrl+Tab leave the box (Qt keeps Ctrl+Tab for the box itself); Ctrl+Enter chooses the
// fingerings for the text now.
bool TFormProgression::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->MemoChords && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool control = key->modifiers().testFlag(Qt::ControlModifier);
        if (control && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            const bool back = key->key() == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
            focusNextPrevChild(!back);
            return true;
        }
        if (control && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            Recompute();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFormProgression::closeEvent(QCloseEvent* event)
{
    m_player->Stop();
    m_waiting = -1;
    QWidget::closeEvent(event);
}

} // namespace corvane
