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
#include <QShortcut>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <sstream>

namespace corvane {

namespace {

    constexpr int kMillisecondsPerMinute = 60000;
    constexpr int kMaxTranspose = 24;
    constexpr int kTitlePoints = 16;

    QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

    int StrumMs(const Voicing& frets, int tempo)
    {
        const auto sounding = std::count_if(frets.begin(), frets.end(), [](int f) { return f != kMuted; });
        return static_cast<int>(sounding) * StrumDelayMs(tempo);
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
    , m_playTimer(new QTimer(this))
{
    m_ui->setupUi(this);
    QFont title = m_ui->LabelTitle->font();
    title.setPointSize(kTitlePoints);
    title.setBold(true);
    m_ui->LabelTitle->setFont(title);
    m_ui->TextLyrics->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_playTimer->setSingleShot(true);
    connect(m_playTimer, &QTimer::timeout, this, &TFormSong::PlayNextChord);
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
    m_ui->TextLyrics->installEventFilter(this);
    Recompute();
}

TFormSong::~TFormSong() = default;

bool TFormSong::OpenFile(const QString& path)
{
    const bool read
        = Take(ReadSongFile(QFile::encodeName(path).toStdString(), m_strings), path, QFileInfo(path).fileName());
    if (read && m_host.opened)
        m_host.opened(path);
    return read;
}

bool TFormSong::OpenText(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return Take(ReadSongBytes(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), m_strings),
        QString(), QStringLiteral("the pasted text"));
}

// A song refused leaves the window as it was: the user is told why, naming the file.
bool TFormSong::Take(SongReading reading, const QString& path, const QString& source)
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
    m_readingNotes.clear();
    if (reading.converted)
        m_readingNotes.push_back("read as chords over words and converted to ChordPro");
    m_transpose = 0;
    m_picked.clear();
    m_waiting = -1;
    {
        const QSignalBlocker quiet(m_ui->SpinCapo);
        m_ui->SpinCapo->setValue(m_song.capo.value_or(0));
    }
    Recompute();
    return true;
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
    m_shown = ShowSong(m_song, SongSettings { m_transpose, capo() });
    m_shown.definitions.insert(m_shown.definitions.end(), m_picked.begin(), m_picked.end());
    // The shapes are named from the capo, so their frets count from it: the main window's own capo
    // is not added again.
    SearchOptions options = m_host.searchOptions ? m_host.searchOptions() : SearchOptions {};
    options.capo = 0;
    m_strip = ChooseSongFingerings(m_shown, options);
    if (m_waiting >= static_cast<int>(m_strip.size()))
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
    m_ui->LabelKey->setText(Text(KeyLine(m_shown)));
}

// One column per chord of the strip, as in the progression window: the diagram with the name above
// it, and "Other fingerings" below.
void TFormSong::ShowStrip()
{
    QLayout* row = m_ui->LayoutDiagrams;
    while (QLayoutItem* item = row->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        delete item;
    }
    const bool leftHanded = m_host.leftHanded && m_host.leftHanded();
    for (std::size_t k = 0; k < m_strip.size(); ++k) {
        const StripChord& chord = m_strip[k];
        auto* column = new QWidget(m_ui->RowDiagrams);
        column->setObjectName(QStringLiteral("Chord%1").arg(k));
        auto* layout = new QVBoxLayout(column);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* diagram = new QLabel(column);
        diagram->setObjectName(QStringLiteral("Diagram"));
        diagram->setAccessibleName(Text(chord.name));
        if (chord.frets) {
            diagram->setPixmap(QPixmap::fromImage(
                DiagramImage(*chord.frets, *m_pictures, leftHanded, SheetHeading { chord.name, {} })));
            diagram->setToolTip(FingeringClipboardText(*chord.frets));
        } else {
            diagram->setText(Text(chord.name) + QStringLiteral("\n\n—"));
            diagram->setAlignment(Qt::AlignCenter);
            diagram->setMinimumSize(100, 176);
            diagram->setToolTip(Text(chord.problem));
        }
        layout->addWidget(diagram);
        auto* other = new QToolButton(column);
        other->setObjectName(QStringLiteral("OtherFingerings"));
        other->setText(QStringLiteral("Other fingerings"));
        other->setCheckable(true);
        other->setChecked(static_cast<int>(k) == m_waiting);
        connect(other, &QToolButton::clicked, this, [this, k] { OtherFingeringsClick(static_cast<int>(k)); });
        layout->addWidget(other);
        row->addWidget(column);
    }
    // Laid out now, not at the next pass of the event loop: the strip is drawn with the song.
    m_ui->LayoutDiagrams->activate();
    MarkSoundingChord();
}

// The lines as the printed sheet sets them: the chords in bold over their characters, section names
// in bold, comments in italics, the chorus set in.
void TFormSong::ShowLyrics()
{
    const SongSheetContent sheet = SongSheetOf(m_shown, m_strip);
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
    for (const StripChord& chord : m_strip)
        if (!chord.problem.empty())
            m_ui->ListProblems->addItem(Text("chord \"" + chord.name + "\": " + chord.problem));
    m_ui->ListProblems->setVisible(m_ui->ListProblems->count() > 0);
}

// The chord Play strums now has its column framed.
void TFormSong::MarkSoundingChord()
{
    int sounding = -1;
    if (m_sounding >= 0 && m_sounding < static_cast<int>(m_shown.played.size())) {
        const std::string& name = m_shown.played[static_cast<std::size_t>(m_sounding)];
        const auto found
            = std::find_if(m_strip.begin(), m_strip.end(), [&](const StripChord& c) { return c.name == name; });
        sounding = found == m_strip.end() ? -1 : static_cast<int>(found - m_strip.begin());
    }
    for (std::size_t k = 0; k < m_strip.size(); ++k)
        if (auto* column = m_ui->RowDiagrams->findChild<QWidget*>(QStringLiteral("Chord%1").arg(k)))
            if (auto* diagram = column->findChild<QLabel*>(QStringLiteral("Diagram")))
                diagram->setFrameShape(static_cast<int>(k) == sounding ? QFrame::Box : QFrame::NoFrame);
}

// As in the progression window: the chord goes to the main window's name box and the window waits
// for a diagram clicked there; a second click stops waiting.
void TFormSong::OtherFingeringsClick(int chord)
{
    if (chord < 0 || chord >= static_cast<int>(m_strip.size()))
        return;
    m_waiting = m_waiting == chord ? -1 : chord;
    ShowStrip();
    if (m_waiting >= 0 && m_host.showChord)
        m_host.showChord(Text(m_strip[static_cast<std::size_t>(chord)].name));
}

void TFormSong::DiagramSelected(const Voicing& frets)
{
    if (m_waiting < 0 || m_waiting >= static_cast<int>(m_strip.size()))
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

bool TFormSong::playing() const { return m_playTimer->isActive(); }

void TFormSong::ButtonPlayClick()
{
    m_nextChord = 0;
    m_ui->ButtonStop->setEnabled(true);
    PlayNextChord();
}

void TFormSong::ButtonStopClick()
{
    m_playTimer->stop();
    m_nextChord = m_shown.played.size();
    m_ui->ButtonStop->setEnabled(false);
    m_sounding = -1;
    MarkSoundingChord();
}

// The chords in the order played, a bar of the default beats each, strummed on the main window's
// port with the open strings raised by the capo: the song sounds in its key.
void TFormSong::PlayNextChord()
{
    if (m_nextChord >= m_shown.played.size()) {
        ButtonStopClick();
        return;
    }
    m_sounding = static_cast<int>(m_nextChord);
    MarkSoundingChord();
    const std::string& name = m_shown.played[m_nextChord++];
    const auto chord
        = std::find_if(m_strip.begin(), m_strip.end(), [&](const StripChord& c) { return c.name == name; });
    const int beatMs = kMillisecondsPerMinute / std::max(1, m_ui->SpinBpm->value());
    MidiPort* port = m_host.port ? m_host.port() : nullptr;
    if (port && chord != m_strip.end() && chord->frets) {
        const int tempo = m_host.strumTempo ? m_host.strumTempo() : 2;
        const StringNotes notes = m_host.stringNotes ? m_host.stringNotes(capo()) : StringNotes {};
        const int rest = std::max(0, beatMs - StrumMs(*chord->frets, tempo));
        for (int beat = 0; beat < kDefaultBeats; ++beat) {
            PlayVoicing(*port, *chord->frets, notes, tempo);
            if (rest > 0)
                port->pause(rest);
        }
    }
    m_playTimer->start(beatMs * kDefaultBeats);
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
    const SongSheetContent sheet = SongSheetOf(m_shown, m_strip);
    const bool leftHanded = m_host.leftHanded && m_host.leftHanded();
    QString error;
    bool written = false;
    if (*format == ExportFormat::Svg) {
        std::ostringstream svg;
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
    if (!PaintSongSheet(printer, SongSheetOf(m_shown, m_strip), m_host.leftHanded && m_host.leftHanded())
        && m_dialogs.common.warn)
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
    if (!WriteBytes(path, WriteChordPro(m_shown, m_strip), &error) && m_dialogs.common.warn)
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
    SetCapo(SuggestSongCapo(m_song, m_transpose, options));
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
