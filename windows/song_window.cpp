#include "windows/song_window.h"

#include "ui_song_window.h"

#include "drawing/qt/picture_store.h"
#include "guitar/progression.h"
#include "guitar/progression_text.h"
#include "song/chordpro_writer.h"
#include "song/song_sheet.h"
#include "song/song_svg.h"
#include "sound/midi_player.h"
#include "sound/midi_port.h"
#include "toolkit/chord_export.h"
#include "toolkit/song_export.h"
#include "windows/chord_column.h"
#include "windows/stage_window.h"
#include "windows/strum_player.h"

#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPrinter>
#include <QSettings>
#include <QShortcut>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <sstream>

namespace corvane {

namespace {

    constexpr int kMaxTranspose = 24;
    constexpr int kTitlePoints = 16;

    QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

    template <class Chord> auto FindChord(const std::vector<Chord>& strip, const std::string& name)
    {
        return std::find_if(strip.begin(), strip.end(), [&](const Chord& c) { return c.name == name; });
    }

    bool WriteBytes(const QString& path, const std::string& bytes, QString* error)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
            *error = file.errorString();
            return false;
        }
        return true;
    }

} // namespace

SongDialogs StandardSongDialogs()
{
    SongDialogs dialogs;
    dialogs.common = StandardProgressionDialogs();
    dialogs.saveChordProName = [](QWidget* owner, const QString& suggestedName) {
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Save as ChordPro"),
            QDir(QDir::homePath()).filePath(suggestedName), QStringLiteral("ChordPro (*.cho *.chopro *.pro)"));
    };
    return dialogs;
}

TFormSong::TFormSong(SongHost host, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_ui(std::make_unique<Ui::TFormSong>())
    , m_host(std::move(host))
    , m_dialogs(StandardSongDialogs())
    , m_pictures(std::make_unique<PictureStore>(devicePixelRatioF()))
{
    m_ui->setupUi(this);
    QFont title = m_ui->LabelTitle->font();
    title.setPointSize(kTitlePoints);
    title.setBold(true);
    m_ui->LabelTitle->setFont(title);
    m_ui->TextLyrics->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The chords in the order played, a bar of the default beats each, strummed on the main window's
    // port with the open strings raised by the capo: the song sounds in its key.
    StrumPlayer::Source source;
    source.count = [this] { return m_shown.played.size(); };
    source.chord = [this](std::size_t k) {
        const std::string& name = m_shown.played[k];
        const auto strum = [this, &name](const auto& strip) {
            StrumPlayer::Chord chord;
            const auto found = FindChord(strip, name);
            if (found == strip.end() || !found->frets)
                return chord;
            chord.strings = SoundingStrings(*found->frets);
            chord.strum = [this, frets = *found->frets](MidiPort& port, int tempo) {
                if constexpr (std::is_same_v<std::decay_t<decltype(frets)>, Voicing>)
                    PlayVoicing(port, frets, m_host.stringNotes ? m_host.stringNotes(capo()) : StringNotes {}, tempo);
                else
                    PlayStrings(port, frets, m_instrument->strings.strings, capo(), tempo);
            };
            return chord;
        };
        return m_instrument ? strum(m_stringsStrip) : strum(m_strip);
    };
    source.bpm = [this] { return m_ui->SpinBpm->value(); };
    source.port = [this] { return m_host.port ? m_host.port() : nullptr; };
    source.tempo = [this] { return m_host.strumTempo ? m_host.strumTempo() : 2; };
    source.sounding = [this] { MarkSoundingChord(); };
    source.ended = [this] { ButtonStopClick(); };
    m_player = new StrumPlayer(std::move(source), this);
    connect(m_ui->ButtonTransposeDown, &QPushButton::clicked, this, [this] { SetTranspose(m_transpose - 1); });
    connect(m_ui->ButtonTransposeUp, &QPushButton::clicked, this, [this] { SetTranspose(m_transpose + 1); });
    connect(m_ui->SpinCapo, &QSpinBox::valueChanged, this, [this] {
        m_waiting = -1;
        Recompute();
    });
    connect(m_ui->ButtonSuggestCapo, &QPushButton::clicked, this, &TFormSong::ButtonSuggestCapoClick);
    connect(m_ui->ButtonPlay, &QPushButton::clicked, this, &TFormSong::ButtonPlayClick);
    connect(m_ui->ButtonStop, &QPushButton::clicked, this, &TFormSong::ButtonStopClick);
    connect(m_ui->ButtonExport, &QPushButton::clicked, this, &TFormSong::ButtonExportClick);
    connect(m_ui->ButtonPrint, &QPushButton::clicked, this, &TFormSong::ButtonPrintClick);
    connect(m_ui->ButtonSave, &QPushButton::clicked, this, &TFormSong::ButtonSaveClick);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    auto* paste = new QShortcut(QKeySequence::Paste, this);
    paste->setContext(Qt::WidgetWithChildrenShortcut);
    connect(paste, &QShortcut::activated, this, &TFormSong::Paste);
    auto* stage = new QShortcut(QKeySequence(Qt::Key_F11), this);
    stage->setContext(Qt::WidgetWithChildrenShortcut);
    connect(stage, &QShortcut::activated, this, [this] { OpenStage(); });
    m_ui->TextLyrics->installEventFilter(this);
    Recompute();
}

void TFormSong::OpenStage(const QSize& size)
{
    if (!m_stage)
        m_stage = new TFormStage(this);
    m_stage->SetSongs({ StageSongOf(m_shown, SheetContent()) });
    m_stage->ShowStage(size);
}

TFormSong::~TFormSong() = default;

int TFormSong::bpm() const { return m_ui->SpinBpm->value(); }

void TFormSong::SaveSettings(QSettings& settings) const
{
    settings.setValue(QStringLiteral("song/bpm"), m_ui->SpinBpm->value());
}

// A value missing or not a number keeps what the box shows; the box clamps the rest.
void TFormSong::RestoreSettings(QSettings& settings)
{
    bool ok = false;
    const int value = settings.value(QStringLiteral("song/bpm")).toInt(&ok);
    if (ok)
        m_ui->SpinBpm->setValue(value);
}

int TFormSong::StringsShown() const
{
    const std::optional<HostInstrument> instrument = m_host.instrument ? m_host.instrument() : std::nullopt;
    return instrument ? instrument->strings.strings.count : kStrings;
}

bool TFormSong::OpenFile(const QString& path)
{
    const int strings = StringsShown();
    const bool read = Take(
        ReadSongFile(QFile::encodeName(path).toStdString(), strings), path, QFileInfo(path).fileName(), strings, {});
    if (read && m_host.opened)
        m_host.opened(path);
    return read;
}

bool TFormSong::OpenText(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::string pasted(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const int strings = StringsShown();
    SongReading reading = ReadSongBytes(pasted, strings);
    return Take(std::move(reading), QString(), QStringLiteral("the pasted text"), strings, std::move(pasted));
}

// A song refused leaves the window as it was: the user is told why, naming the file.
bool TFormSong::Take(SongReading reading, const QString& path, const QString& source, int strings, std::string pasted)
{
    if (!reading.Read()) {
        if (m_dialogs.common.warn)
            m_dialogs.common.warn(
                this, QStringLiteral("%1 cannot be read as a song: %2").arg(source, Text(reading.refused)));
        return false;
    }
    ButtonStopClick();
    m_song = std::move(reading.song);
    m_path = path;
    m_strings = strings;
    m_pasted = std::move(pasted);
    m_readingNotes.clear();
    if (reading.converted)
        m_readingNotes.push_back("read as chords over words and converted to ChordPro");
    m_transpose = 0;
    m_picked.clear();
    m_pickedStrings.clear();
    m_waiting = -1;
    {
        const QSignalBlocker quiet(m_ui->SpinCapo);
        m_ui->SpinCapo->setValue(m_song.capo.value_or(0));
    }
    Recompute();
    return true;
}

// A {define} gives one fret per string of the instrument the song was read for: on another count of
// strings the song is read again, its transposition and capo kept. A file gone since stays as it was.
void TFormSong::ReadForStrings(int strings)
{
    if (strings == m_strings)
        return;
    m_strings = strings;
    SongReading reading = !m_path.isEmpty() ? ReadSongFile(QFile::encodeName(m_path).toStdString(), strings)
                                            : (!m_pasted.empty() ? ReadSongBytes(m_pasted, strings) : SongReading {});
    if (!reading.Read())
        return;
    m_song = std::move(reading.song);
}

int TFormSong::capo() const { return m_ui->SpinCapo->value(); }

void TFormSong::SetTranspose(int semitones)
{
    const int clamped = std::clamp(semitones, -kMaxTranspose, kMaxTranspose);
    if (clamped == m_transpose)
        return;
    m_transpose = clamped;
    m_waiting = -1;
    Recompute();
}

void TFormSong::SetCapo(int fret) { m_ui->SpinCapo->setValue(fret); }

void TFormSong::Recompute()
{
    // Fingerings picked on another instrument mean nothing on this one.
    std::optional<HostInstrument> instrument = m_host.instrument ? m_host.instrument() : std::nullopt;
    if ((instrument ? instrument->name : std::string()) != (m_instrument ? m_instrument->name : std::string())) {
        m_pickedStrings.clear();
        m_waiting = -1;
    }
    m_instrument = std::move(instrument);
    ReadForStrings(m_instrument ? m_instrument->strings.strings.count : kStrings);

    m_shown = ShowSong(m_song, SongSettings { m_transpose, capo() });
    m_shown.definitions.insert(m_shown.definitions.end(), m_picked.begin(), m_picked.end());
    // The shapes are named from the capo, so their frets count from it: the main window's own capo
    // is not added again.
    SearchOptions options = m_host.searchOptions ? m_host.searchOptions() : SearchOptions {};
    options.capo = 0;
    if (m_instrument) {
        m_strip.clear();
        m_stringsStrip = ChooseInstrumentSongFingerings(m_shown, m_instrument->strings, options);
        for (const auto& [name, frets] : m_pickedStrings) {
            const auto found = std::find_if(m_stringsStrip.begin(), m_stringsStrip.end(),
                [&](const StringStripChord& c) { return c.name == name; });
            if (found != m_stringsStrip.end()) {
                found->frets = frets;
                found->problem.clear();
            }
        }
    } else {
        m_stringsStrip.clear();
        m_strip = ChooseSongFingerings(m_shown, options);
    }
    if (m_waiting >= static_cast<int>(StripNames().size()))
        m_waiting = -1;
    ShowHeading();
    ShowStrip();
    ShowLyrics();
    ShowProblems();
    m_ui->LabelTranspose->setText(
        m_transpose > 0 ? QStringLiteral("+%1").arg(m_transpose) : QString::number(m_transpose));
    const bool any = !m_shown.played.empty();
    for (QWidget* control : std::initializer_list<QWidget*> { m_ui->ButtonSuggestCapo, m_ui->ButtonPlay })
        control->setEnabled(any);
}

void TFormSong::ShowHeading()
{
    const QString title = Text(m_shown.title);
    setWindowTitle(title.isEmpty() ? QStringLiteral("Song") : title + QStringLiteral(" — Song"));
    m_ui->LabelTitle->setText(title);
    QStringList subtitles;
    for (const std::string& subtitle : m_shown.subtitles)
        subtitles << Text(subtitle);
    if (!m_shown.artist.empty())
        subtitles << Text(m_shown.artist);
    m_ui->LabelSubtitle->setText(subtitles.join(QStringLiteral(" · ")));
    m_ui->LabelSubtitle->setVisible(!subtitles.isEmpty());
    // Another instrument is named after the key line, as on its printed sheet.
    std::string key = KeyLine(m_shown);
    if (m_instrument)
        key += (key.empty() ? "" : " \u00B7 ") + m_instrument->description;
    m_ui->LabelKey->setText(Text(key));
}

std::vector<std::string> TFormSong::StripNames() const
{
    std::vector<std::string> names;
    const auto add = [&](const auto& strip) {
        for (const auto& chord : strip)
            names.push_back(chord.name);
    };
    if (m_instrument)
        add(m_stringsStrip);
    else
        add(m_strip);
    return names;
}

// Another instrument's sheet names it after the key line.
SongSheetContent TFormSong::SheetContent() const
{
    if (!m_instrument)
        return SongSheetOf(m_shown, m_strip);
    SongSheetContent sheet = SongSheetOf(m_shown, m_stringsStrip, m_instrument->strings.strings);
    sheet.details += (sheet.details.empty() ? "" : " \u00B7 ") + m_instrument->description;
    return sheet;
}

// One column per chord of the strip, as in the progression window: the diagram with the name above
// it, and "Other fingerings" below.
void TFormSong::ShowStrip()
{
    QLayout* row = m_ui->LayoutDiagrams;
    ClearChordColumns(row);
    const bool leftHanded = m_host.leftHanded && m_host.leftHanded();
    const OpenStrings strings = m_instrument ? m_instrument->strings.strings : OpenStrings {};
    const auto showColumn = [&](const auto& chord, std::size_t k) {
        ChordColumn column { Text(chord.name), {}, Text(chord.problem), static_cast<int>(k) == m_waiting };
        if (chord.frets) {
            column.picture = ChordColumnImage(*chord.frets, *m_pictures, leftHanded, chord.name, strings);
            column.tip = ChordColumnTip(*chord.frets);
        }
        AddChordColumn(row, m_ui->RowDiagrams, static_cast<int>(k), column,
            [this, k] { OtherFingeringsClick(static_cast<int>(k)); });
    };
    if (m_instrument)
        for (std::size_t k = 0; k < m_stringsStrip.size(); ++k)
            showColumn(m_stringsStrip[k], k);
    else
        for (std::size_t k = 0; k < m_strip.size(); ++k)
            showColumn(m_strip[k], k);
    // Laid out now, not at the next pass of the event loop: the strip is drawn with the song.
    m_ui->LayoutDiagrams->activate();
    MarkSoundingChord();
}

// The lines as the printed sheet sets them: the chords in bold over their characters, section names
// in bold, comments in italics, the chorus set in.
void TFormSong::ShowLyrics()
{
    const SongSheetContent sheet = SheetContent();
    QTextEdit* box = m_ui->TextLyrics;
    box->clear();
    QTextCursor cursor(box->document());
    // One edit for the whole song: the box lays the text out once, not once a line.
    cursor.beginEditBlock();
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    QTextCharFormat heading = bold;
    heading.setFontItalic(true);
    bool first = true;
    const auto line = [&](const std::string& text, int indent, const QTextCharFormat& format) {
        if (!first)
            cursor.insertBlock();
        first = false;
        cursor.insertText(QString(indent, QLatin1Char(' ')) + Text(text), format);
    };
    for (const SheetBlock& block : sheet.blocks) {
        if (block.gap) {
            line({}, 0, plain);
            continue;
        }
        if (!block.chords.empty())
            line(block.chords, block.indent, bold);
        if (!block.words.empty() || block.chords.empty())
            line(block.words, block.indent, block.heading ? heading : block.remark ? italic : plain);
    }
    cursor.endEditBlock();
    box->moveCursor(QTextCursor::Start);
}

void TFormSong::ShowProblems()
{
    m_ui->ListProblems->clear();
    for (const std::string& note : m_readingNotes)
        m_ui->ListProblems->addItem(Text(note));
    for (const SongProblem& problem : m_shown.problems)
        m_ui->ListProblems->addItem(Text(problem.Text()));
    const auto addProblems = [this](const auto& strip) {
        for (const auto& chord : strip)
            if (!chord.problem.empty())
                m_ui->ListProblems->addItem(Text("chord \"" + chord.name + "\": " + chord.problem));
    };
    if (m_instrument)
        addProblems(m_stringsStrip);
    else
        addProblems(m_strip);
    m_ui->ListProblems->setVisible(m_ui->ListProblems->count() > 0);
}

// The chord Play strums now has its column framed.
void TFormSong::MarkSoundingChord()
{
    int sounding = -1;
    const std::vector<std::string> names = StripNames();
    const int played = m_player->sounding();
    if (played >= 0 && played < static_cast<int>(m_shown.played.size())) {
        const auto found = std::find(names.begin(), names.end(), m_shown.played[static_cast<std::size_t>(played)]);
        sounding = found == names.end() ? -1 : static_cast<int>(found - names.begin());
    }
    for (std::size_t k = 0; k < names.size(); ++k)
        if (auto* column = m_ui->RowDiagrams->findChild<QWidget*>(QStringLiteral("Chord%1").arg(k)))
            if (auto* diagram = column->findChild<QLabel*>(QStringLiteral("Diagram")))
                diagram->setFrameShape(static_cast<int>(k) == sounding ? QFrame::Box : QFrame::NoFrame);
}

// As in the progression window: the chord goes to the main window's name box and the window waits
// for a diagram clicked there; a second click stops waiting.
void TFormSong::OtherFingeringsClick(int chord)
{
    const std::vector<std::string> names = StripNames();
    if (chord < 0 || chord >= static_cast<int>(names.size()))
        return;
    m_waiting = m_waiting == chord ? -1 : chord;
    ShowStrip();
    if (m_waiting >= 0 && m_host.showChord)
        m_host.showChord(Text(names[static_cast<std::size_t>(chord)]));
}

void TFormSong::DiagramSelected(const Voicing& frets)
{
    if (m_instrument || m_waiting < 0 || m_waiting >= static_cast<int>(m_strip.size()))
        return;
    const std::string name = m_strip[static_cast<std::size_t>(m_waiting)].name;
    std::erase_if(m_picked, [&](const ChordDefinition& d) { return d.name == name; });
    ChordDefinition picked;
    picked.name = name;
    picked.frets = frets;
    m_picked.push_back(std::move(picked));
    m_waiting = -1;
    Recompute();
}

// On another instrument the pick stands in the strip until the song or the instrument changes; it is
// saved as the {define} of every chord given a fingering there.
void TFormSong::StringsDiagramSelected(const Frets& frets)
{
    if (!m_instrument || m_waiting < 0 || m_waiting >= static_cast<int>(m_stringsStrip.size()))
        return;
    const std::string name = m_stringsStrip[static_cast<std::size_t>(m_waiting)].name;
    std::erase_if(m_pickedStrings, [&](const auto& picked) { return picked.first == name; });
    m_pickedStrings.emplace_back(name, frets);
    m_waiting = -1;
    Recompute();
}

void TFormSong::InstrumentChanged()
{
    ButtonStopClick();
    Recompute();
}

bool TFormSong::playing() const { return m_player->playing(); }

void TFormSong::ButtonPlayClick()
{
    m_ui->ButtonStop->setEnabled(true);
    m_player->Play();
}

void TFormSong::ButtonStopClick()
{
    m_player->Stop();
    m_ui->ButtonStop->setEnabled(false);
    MarkSoundingChord();
}

QString TFormSong::SuggestedName() const
{
    if (!m_shown.title.empty())
        return ExportFileName(Text(m_shown.title));
    return m_path.isEmpty() ? QStringLiteral("song") : QFileInfo(m_path).completeBaseName();
}

void TFormSong::ButtonExportClick()
{
    QString filter;
    QString path = m_dialogs.common.saveFileName
        ? m_dialogs.common.saveFileName(this, SuggestedName() + QStringLiteral(".pdf"), &filter)
        : QString();
    if (path.isEmpty())
        return;
    std::optional<ExportFormat> format = ExportFormatOfPath(path);
    if (!format) {
        format = ExportFormatOfFilter(filter).value_or(ExportFormat::Pdf);
        path += *format == ExportFormat::Png ? QStringLiteral(".png")
            : *format == ExportFormat::Svg   ? QStringLiteral(".svg")
                                             : QStringLiteral(".pdf");
    }
    const SongSheetContent sheet = SheetContent();
    const bool leftHanded = m_host.leftHanded && m_host.leftHanded();
    QString error;
    bool written = false;
    if (*format == ExportFormat::Svg) {
        std::ostringstream svg;
        if (m_instrument)
            WriteSongSvg(sheet, svg);
        else
            WriteSongSvg(m_shown, m_strip, svg);
        written = WriteBytes(path, svg.str(), &error);
    } else if (*format == ExportFormat::Png) {
        const qreal ratio = m_host.exportPixelRatio ? m_host.exportPixelRatio() : devicePixelRatioF();
        written = SongSheetFirstPage(sheet, ratio).save(path, "PNG");
    } else {
        QFile file(path);
        written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && WriteSongPdf(file, sheet, leftHanded);
        if (!written)
            error = file.errorString();
    }
    if (!written && m_dialogs.common.warn)
        m_dialogs.common.warn(this, QStringLiteral("The song sheet could not be written to %1: %2").arg(path, error));
}

void TFormSong::ButtonPrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_dialogs.common.choosePrinter || !m_dialogs.common.choosePrinter(this, printer))
        return;
    if (!PaintSongSheet(printer, SheetContent(), m_host.leftHanded && m_host.leftHanded()) && m_dialogs.common.warn)
        m_dialogs.common.warn(this, QStringLiteral("The song sheet could not be printed."));
}

// The song as shown: transposed, with its capo, and a {define} for every fingering chosen.
void TFormSong::ButtonSaveClick()
{
    QString path = m_dialogs.saveChordProName
        ? m_dialogs.saveChordProName(this, SuggestedName() + QStringLiteral(".cho"))
        : QString();
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".cho");
    QString error;
    const std::string chordPro
        = m_instrument ? WriteChordPro(m_shown, m_stringsStrip) : WriteChordPro(m_shown, m_strip);
    if (!WriteBytes(path, chordPro, &error) && m_dialogs.common.warn)
        m_dialogs.common.warn(this, QStringLiteral("The song could not be saved to %1: %2").arg(path, error));
}

// The fingerings picked were picked for the old capo, so they go.
void TFormSong::ButtonSuggestCapoClick()
{
    ProgressionOptions options;
    if (m_host.searchOptions)
        options.search = m_host.searchOptions();
    options.search.capo = 0;
    m_picked.clear();
    m_pickedStrings.clear();
    SetCapo(m_instrument ? SuggestInstrumentSongCapo(m_song, m_transpose, m_instrument->strings, options)
                         : SuggestSongCapo(m_song, m_transpose, options));
    Recompute();
}

void TFormSong::Paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.trimmed().isEmpty())
        OpenText(text);
}

// The words' box is read-only, yet as a text box it claims Ctrl+V before the window's shortcut sees
// it: there the key pastes a song as it does everywhere else in the window.
bool TFormSong::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->TextLyrics && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        if (event->type() == QEvent::KeyPress)
            Paste();
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFormSong::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* data = event->mimeData();
    const bool file = data->hasUrls() && !data->urls().isEmpty() && data->urls().front().isLocalFile();
    if (file || data->hasText())
        event->acceptProposedAction();
}

void TFormSong::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().front().isLocalFile())
        OpenFile(data->urls().front().toLocalFile());
    else if (data->hasText())
        OpenText(data->text());
    event->acceptProposedAction();
}

void TFormSong::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !playing())
        Recompute();
}

void TFormSong::closeEvent(QCloseEvent* event)
{
    ButtonStopClick();
    m_waiting = -1;
    QWidget::closeEvent(event);
}

} // namespace corvane
