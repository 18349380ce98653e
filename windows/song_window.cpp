#include "windows/song_window.h"

#include "ui_song_window.h"

#include "drawing/qt/picture_store.h"
#include "guitar/instrument.h"
#include "guitar/progression.h"
#include "guitar/progression_text.h"
#include "song/chordpro_writer.h"
#include "song/song_notation.h"
#include "song/song_sheet.h"
#include "song/song_svg.h"
#include "sound/midi_player.h"
#include "sound/midi_port.h"
#include "toolkit/chord_export.h"
#include "toolkit/song_export.h"
#include "windows/chord_strip.h"
#include "windows/lyrics_box.h"
#include "windows/stage_window.h"
#include "windows/strum_player.h"
#include "windows/window_export.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
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

SongDialogs StandardSongDialogs(ExportFolder folder)
{
    SongDialogs dialogs;
    dialogs.common = StandardProgressionDialogs(folder);
    dialogs.saveChordProName = [folder](QWidget* owner, const QString& suggestedName) {
        // A ChordPro file is a document, as a PDF is.
        const QString start = QDir(ExportStartFolder(folder.get(), ExportFormat::Pdf)).filePath(suggestedName);
        const QString path = QFileDialog::getSaveFileName(
            owner, QStringLiteral("Save as ChordPro"), start, QStringLiteral("ChordPro (*.cho *.chopro *.pro)"));
        if (!path.isEmpty())
            folder.set(QFileInfo(path).absolutePath());
        return path;
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
    // Read-only, with a caret that walks the words by line and by letter.
    m_ui->TextLyrics->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The chords in the order played, a bar of the default beats each, strummed on the main window's
    // port with the open strings raised by the capo: the song sounds in its key.
    StrumPlayer::Source source;
    source.count = [this] { return m_shown.played.size(); };
    source.chord = [this](std::size_t k) { return ChordStrum(m_shown.played[k]); };
    source.port = [this] { return m_host.port ? m_host.port() : nullptr; };
    source.tempo = [this] { return m_host.strumTempo ? m_host.strumTempo() : 2; };
    source.sounding = [this] { MarkSoundingChord(); };
    m_player = new StrumPlayer(std::move(source), { m_ui->ButtonPlay, m_ui->ButtonStop, m_ui->SpinBpm }, this);
    m_ui->RowDiagrams->setTabPredecessor(m_ui->ButtonSave);
    connect(m_ui->RowDiagrams, &ChordStrip::otherFingeringsClicked, this, &TFormSong::OtherFingeringsClick);
    connect(m_ui->RowDiagrams, &ChordStrip::played, this, [this](int k) {
        const std::vector<std::string> names = StripNames();
        if (k >= 0 && k < static_cast<int>(names.size()))
            m_player->StrumOnce(ChordStrum(names[static_cast<std::size_t>(k)]));
    });
    connect(m_ui->ButtonTransposeDown, &QPushButton::clicked, this, [this] { SetTranspose(m_transpose - 1); });
    connect(m_ui->ButtonTransposeUp, &QPushButton::clicked, this, [this] { SetTranspose(m_transpose + 1); });
    connect(m_ui->SpinCapo, &QSpinBox::valueChanged, this, [this] {
        m_waiting = -1;
        Recompute();
    });
    connect(m_ui->ButtonSuggestCapo, &QPushButton::clicked, this, &TFormSong::ButtonSuggestCapoClick);
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
    // A songbook file: its songs in a list above the title, shown only when there are several.
    auto* songRow = new QHBoxLayout;
    auto* songLabel = new QLabel(QStringLiteral("Song in this file:"), this);
    m_songListLabel = songLabel;
    m_songList = new QComboBox(this);
    m_songList->setObjectName(QStringLiteral("ComboSongs"));
    m_songList->setAccessibleName(QStringLiteral("Song in this file"));
    songLabel->setBuddy(m_songList);
    songRow->addWidget(songLabel);
    songRow->addWidget(m_songList, 1);
    m_ui->LayoutWindow->insertLayout(0, songRow);
    connect(m_songList, &QComboBox::activated, this, &TFormSong::ShowSongOfFile);
    m_songList->setVisible(false);
    songLabel->setVisible(false);
    // Open and the recent songs, as in the main window's File menu.
    auto* open = new QShortcut(QKeySequence::Open, this);
    open->setContext(Qt::WindowShortcut);
    connect(open, &QShortcut::activated, this, [this] {
        if (m_host.openSong)
            m_host.openSong();
    });
    auto* recent = new QToolButton(this);
    recent->setObjectName(QStringLiteral("ButtonRecentSongs"));
    recent->setText(QStringLiteral("Recent songs"));
    recent->setToolTip(QStringLiteral("Open one of the last songs opened"));
    recent->setPopupMode(QToolButton::InstantPopup);
    auto* recentMenu = new QMenu(recent);
    recentMenu->setObjectName(QStringLiteral("MenuRecentSongs"));
    connect(recentMenu, &QMenu::aboutToShow, this, [this, recentMenu] { ShowRecentSongs(recentMenu); });
    recent->setMenu(recentMenu);
    ShowRecentSongs(recentMenu);
    m_ui->LayoutControls->addWidget(recent);
    m_capoAdvice = new QLabel(this);
    m_capoAdvice->setObjectName(QStringLiteral("LabelCapoAdvice"));
    m_capoAdvice->setTextFormat(Qt::PlainText);
    m_capoAdvice->hide();
    m_ui->LayoutWindow->insertWidget(m_ui->LayoutWindow->indexOf(m_ui->ScrollBoxDiagrams), m_capoAdvice);
    m_notes = new QLabel(this);
    m_notes->setObjectName(QStringLiteral("LabelNotes"));
    m_notes->setTextFormat(Qt::PlainText);
    m_notes->setWordWrap(true);
    m_notes->setForegroundRole(QPalette::PlaceholderText);
    m_notes->hide();
    m_ui->LayoutWindow->insertWidget(m_ui->LayoutWindow->indexOf(m_ui->ListProblems), m_notes);
    Recompute();
}

void ShowRecentSongsIn(QMenu* menu, const QStringList& recent, QObject* owner, std::function<void(const QString&)> open)
{
    menu->clear();
    for (const QString& path : recent) {
        QAction* item = menu->addAction(QFileInfo(path).fileName());
        item->setToolTip(path);
        QObject::connect(item, &QAction::triggered, owner, [open, path] { open(path); });
    }
    if (recent.isEmpty())
        menu->addAction(QStringLiteral("No songs opened yet"))->setEnabled(false);
}

void TFormSong::ShowRecentSongs(QMenu* menu)
{
    ShowRecentSongsIn(menu, m_host.recentSongs ? m_host.recentSongs() : QStringList(), this,
        [this](const QString& path) { OpenFile(path); });
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

HostInstrument TFormSong::HostShown() const
{
    if (m_host.instrument)
        return m_host.instrument();
    return GuitarHost(m_host.searchOptions ? m_host.searchOptions().tuning : kStandardTuning);
}

int TFormSong::StringsShown() const { return HostShown().strings.strings.count; }

std::string TFormSong::InstrumentShown() const { return HostShown().name; }

bool TFormSong::OpenFile(const QString& path)
{
    const int strings = StringsShown();
    m_readFor = InstrumentShown();
    const bool read = Take(ReadSongFile(QFile::encodeName(path).toStdString(), strings, m_readFor), path,
        QFileInfo(path).fileName(), strings, {});
    if (read && m_host.opened)
        m_host.opened(path);
    return read;
}

bool TFormSong::OpenText(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::string pasted(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const int strings = StringsShown();
    m_readFor = InstrumentShown();
    SongReading reading = ReadSongBytes(pasted, strings, m_readFor);
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
    m_player->Stop();
    m_songs.clear();
    m_songs.push_back(std::move(reading.song));
    for (Song& other : reading.others)
        m_songs.push_back(std::move(other));
    m_songIndex = 0;
    m_song = m_songs.front();
    m_path = path;
    m_strings = strings;
    m_pasted = std::move(pasted);
    m_readingNotes.clear();
    m_advised = false;
    if (reading.converted)
        m_readingNotes.push_back("read as chords over words and converted to ChordPro");
    ShowFromItsOwnKey();
    return true;
}

// The song as its file has it: not transposed, on its own capo, nothing picked.
void TFormSong::ShowFromItsOwnKey()
{
    m_transpose = 0;
    m_picked.clear();
    m_waiting = -1;
    {
        const QSignalBlocker quiet(m_ui->SpinCapo);
        m_ui->SpinCapo->setValue(m_song.capo.value_or(0));
    }
    ShowSongList();
    Recompute();
}

void TFormSong::ShowSongList()
{
    const QSignalBlocker quiet(m_songList);
    m_songList->clear();
    for (std::size_t k = 0; k < m_songs.size(); ++k) {
        const std::string& title = m_songs[k].title;
        m_songList->addItem(title.empty() ? QStringLiteral("Song %1").arg(k + 1)
                                          : QStringLiteral("%1. %2").arg(k + 1).arg(Text(title)));
    }
    m_songList->setCurrentIndex(m_songIndex);
    m_songList->setVisible(m_songs.size() > 1);
    m_songListLabel->setVisible(m_songs.size() > 1);
}

// Another song of the file, from its own key and capo.
void TFormSong::ShowSongOfFile(int index)
{
    if (index < 0 || index >= static_cast<int>(m_songs.size()) || index == m_songIndex)
        return;
    m_player->Stop();
    m_songIndex = index;
    m_song = m_songs[static_cast<std::size_t>(index)];
    ShowFromItsOwnKey();
}

// A {define} gives one fret per string of the instrument the song was read for: on another count of
// strings the song is read again, its transposition and capo kept. A file gone since stays as it was.
void TFormSong::ReadForStrings(int strings, const std::string& instrument)
{
    if (strings == m_strings && instrument == m_readFor)
        return;
    m_strings = strings;
    m_readFor = instrument;
    SongReading reading = !m_path.isEmpty()
        ? ReadSongFile(QFile::encodeName(m_path).toStdString(), strings, instrument)
        : (!m_pasted.empty() ? ReadSongBytes(m_pasted, strings, instrument) : SongReading {});
    if (!reading.Read())
        return;
    m_songs.clear();
    m_songs.push_back(std::move(reading.song));
    for (Song& other : reading.others)
        m_songs.push_back(std::move(other));
    m_songIndex = std::clamp(m_songIndex, 0, static_cast<int>(m_songs.size()) - 1);
    m_song = m_songs[static_cast<std::size_t>(m_songIndex)];
    ShowSongList();
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
    // A chord waiting for another fingering waits for one on the instrument it was asked on.
    HostInstrument instrument = HostShown();
    if (instrument.name != m_instrument.name)
        m_waiting = -1;
    m_instrument = std::move(instrument);
    ReadForStrings(m_instrument.strings.strings.count, m_instrument.name);

    const PlayedOn on { m_instrument.name, OpenStringsText(m_instrument.strings.strings), {} };
    m_shown = ShowSong(m_song, SongSettings { m_transpose, capo() }, on);
    // Fingerings picked on another instrument mean nothing on this one.
    for (const auto& [instrumentName, definition] : m_picked)
        if (instrumentName == m_instrument.name)
            m_shown.definitions.push_back(definition);
    // The shapes are named from the capo, so their frets count from it: the main window's own capo
    // is not added again.
    SearchOptions options = m_host.searchOptions ? m_host.searchOptions() : SearchOptions {};
    options.capo = 0;
    m_strip = ChooseInstrumentSongFingerings(m_shown, m_instrument.strings, options);
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
    const bool advised = m_advised && m_adviceTranspose == m_transpose && m_advice.capo == capo();
    m_capoAdvice->setText(advised ? Text(m_advice.reason) : QString());
    m_capoAdvice->setVisible(advised);
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
    if (!m_instrument.description.empty())
        key += (key.empty() ? "" : " \u00B7 ") + m_instrument.description;
    m_ui->LabelKey->setText(Text(key));
}

std::vector<std::string> TFormSong::StripNames() const
{
    std::vector<std::string> names;
    for (const StringStripChord& chord : m_strip)
        names.push_back(chord.name);
    return names;
}

void TFormSong::NotationChanged()
{
    ShowStrip();
    ShowLyrics();
}

Notation TFormSong::ShownNotation() const { return m_host.notation ? m_host.notation() : Notation::Parts; }

std::string TFormSong::ShownName(const std::string& name) const
{
    return SongChordIn(name, ShownNotation(), ShapeKeyOf(m_shown));
}

// The sheet names its chords in the notation. Another instrument's sheet names it after the key line.
SongSheetContent TFormSong::SheetContent() const
{
    const Notation notation = ShownNotation();
    ShownSong shown = m_shown;
    WriteSongIn(shown, notation);
    std::vector<StringStripChord> strip = m_strip;
    for (StringStripChord& chord : strip)
        chord.name = ShownName(chord.name);
    SongSheetContent sheet = SongSheetOf(shown, strip, BassMarkStrings(m_instrument.strings));
    if (!m_instrument.description.empty())
        sheet.details += (sheet.details.empty() ? "" : " \u00B7 ") + m_instrument.description;
    return sheet;
}

// The strum of the strip's chord of that name, four beats; silent when it has no fingering.
StrumPlayer::Chord TFormSong::ChordStrum(const std::string& name) const
{
    const auto found = FindChord(m_strip, name);
    if (found == m_strip.end() || !found->frets)
        return StrumPlayer::Chord {};
    return StrumOf(*found->frets, kDefaultBeats, m_instrument.strings.strings, capo());
}

// One column per chord of the strip, as in the progression window: the diagram with the name above
// it, and "Other fingerings" below.
void TFormSong::ShowStrip()
{
    const bool leftHanded = m_host.leftHanded && m_host.leftHanded();
    const OpenStrings strings = BassMarkStrings(m_instrument.strings);
    std::vector<StripCell> cells;
    for (const StringStripChord& chord : m_strip) {
        cells.push_back(StripCellOf(Text(ShownName(chord.name)), chord.frets ? &*chord.frets : nullptr, chord.problem,
            *m_pictures, leftHanded, strings));
        cells.back().waiting = static_cast<int>(cells.size()) - 1 == m_waiting;
    }
    m_ui->RowDiagrams->Show(cells);
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
    // The markup's stretches in their styles; a column is a character, so the chords stay in place.
    const auto styledLine = [&](const SheetBlock& block, const QTextCharFormat& format) {
        line({}, block.indent, format);
        const QList<uint> characters = Text(block.words).toUcs4();
        const auto insert = [&](int from, int to, const TextStyle* style) {
            from = std::clamp(from, 0, static_cast<int>(characters.size()));
            to = std::clamp(to, from, static_cast<int>(characters.size()));
            if (to == from)
                return;
            QTextCharFormat styled = format;
            if (style) {
                if (style->bold)
                    styled.setFontWeight(QFont::Bold);
                if (style->italic)
                    styled.setFontItalic(true);
                styled.setFontUnderline(style->underline);
                styled.setFontStrikeOut(style->struck);
                if (style->rise != 0)
                    styled.setVerticalAlignment(
                        style->rise > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
                if (const QColor color(Text(style->color)); !style->color.empty() && color.isValid())
                    styled.setForeground(color);
                if (style->size != 100)
                    styled.setFontPointSize(std::max(1.0, box->font().pointSizeF() * style->size / 100.0));
            }
            cursor.insertText(
                QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()) + from, to - from), styled);
        };
        int at = 0;
        for (const StyledRun& run : block.styles) {
            insert(at, run.from, nullptr);
            insert(std::max(at, run.from), run.to, &run.style);
            at = std::max(at, run.to);
        }
        insert(at, static_cast<int>(characters.size()), nullptr);
    };
    for (const SheetBlock& block : sheet.blocks) {
        if (block.gap) {
            line({}, 0, plain);
            continue;
        }
        if (!block.chords.empty())
            line(block.chords, block.indent, bold);
        const QTextCharFormat& format = block.heading ? heading : block.remark ? italic : plain;
        if (!block.styles.empty())
            styledLine(block, format);
        else if (!block.words.empty() || block.chords.empty())
            line(block.words, block.indent, format);
    }
    cursor.endEditBlock();
    m_ui->TextLyrics->setSpoken(sheet.blocks);
    box->moveCursor(QTextCursor::Start);
}

void TFormSong::ShowProblems()
{
    m_ui->ListProblems->clear();
    QStringList notes;
    for (const std::string& note : m_readingNotes)
        notes << Text(note);
    for (const SongProblem& note : m_shown.notes)
        notes << Text(note.Text());
    m_notes->setText(notes.join(QStringLiteral("; ")));
    m_notes->setVisible(!notes.isEmpty());
    for (const SongProblem& problem : m_shown.problems)
        m_ui->ListProblems->addItem(Text(problem.Text()));
    for (const StringStripChord& chord : m_strip)
        if (!chord.problem.empty())
            m_ui->ListProblems->addItem(Text("chord \"" + chord.name + "\": " + chord.problem));
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
    m_ui->RowDiagrams->setSounding(sounding);
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

void TFormSong::DiagramSelected(const Frets& frets)
{
    if (m_waiting < 0 || m_waiting >= static_cast<int>(m_strip.size()))
        return;
    const std::string name = m_strip[static_cast<std::size_t>(m_waiting)].name;
    std::erase_if(m_picked, [&](const auto& picked) { return picked.second.name == name; });
    m_picked.emplace_back(m_instrument.name, FingeringDefinition(name, frets));
    m_waiting = -1;
    Recompute();
}

void TFormSong::InstrumentChanged()
{
    m_player->Stop();
    Recompute();
}

bool TFormSong::playing() const { return m_player->playing(); }

QString TFormSong::SuggestedName() const
{
    if (!m_shown.title.empty())
        return ExportFileName(Text(m_shown.title));
    return m_path.isEmpty() ? QStringLiteral("song") : QFileInfo(m_path).completeBaseName();
}

void TFormSong::ButtonExportClick()
{
    const std::optional<WindowExportTarget> target
        = AskExportTarget(m_dialogs.common, this, SuggestedName() + QStringLiteral(".pdf"), ExportFormat::Pdf);
    if (!target)
        return;
    const QString& path = target->path;
    const ExportFormat format = target->format;
    const SongSheetContent sheet = SheetContent();
    const bool leftHanded = m_host.leftHanded && m_host.leftHanded();
    QString error;
    bool written = false;
    if (format == ExportFormat::Svg) {
        std::ostringstream svg;
        WriteSongSvg(sheet, svg);
        written = WriteBytes(path, svg.str(), &error);
    } else if (format == ExportFormat::Png) {
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
    PrintSheet(
        m_dialogs.common, this,
        [this](QPrinter& printer) {
            return PaintSongSheet(printer, SheetContent(), m_host.leftHanded && m_host.leftHanded());
        },
        QStringLiteral("The song sheet could not be printed."));
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
    const std::string chordPro = WriteChordPro(m_shown, m_strip);
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
    m_advice = AdviseInstrumentSongCapo(m_song, m_transpose, m_instrument.strings, options);
    m_adviceTranspose = m_transpose;
    m_advised = true;
    SetCapo(m_advice.capo);
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

// The first time it shows, the window fits on the screen of the main window, all of it within the
// desktop's free area, frame and title bar included.
void TFormSong::showEvent(QShowEvent* event)
{
    if (!m_placed) {
        m_placed = true;
        const QWidget* owner = parentWidget();
        if (QScreen* screen = owner ? owner->screen() : this->screen()) {
            // The frame is not known before the window first shows: room is left for it.
            constexpr int kFrame = 48;
            const QRect free = screen->availableGeometry();
            const QSize room(std::max(1, free.width() - kFrame), std::max(1, free.height() - kFrame));
            const QSize size = this->size().boundedTo(room);
            resize(size);
            QPoint at = owner ? owner->geometry().center() - QPoint(size.width() / 2, size.height() / 2) : pos();
            at.setX(std::clamp(at.x(), free.left(), free.left() + room.width() - size.width()));
            at.setY(
                std::clamp(at.y(), free.top() + kFrame / 2, free.top() + kFrame / 2 + room.height() - size.height()));
            move(at);
        }
    }
    QWidget::showEvent(event);
}

void TFormSong::closeEvent(QCloseEvent* event)
{
    m_player->Stop();
    m_waiting = -1;
    QWidget::closeEvent(event);
}

} // namespace corvane
