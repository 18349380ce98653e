// The setlist window, built in code: the list, the song's settings, the buttons.
#include "windows/setlist_window.h"

#include "song/chordpro_reader.h"
#include "song/songbook_songs.h"
#include "windows/stage_window.h"

#include <QBoxLayout>
#include <QDate>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QToolButton>

namespace corvane {

namespace {

    constexpr int kNoCapo = -1; // the capo box's "Song's": the song's own {capo}

    QString Q(const std::string& text) { return QString::fromStdString(text); }

    QStringList DroppedFiles(const QMimeData* data)
    {
        QStringList files;
        if (data && data->hasUrls())
            for (const QUrl& url : data->urls())
                if (url.isLocalFile())
                    files << url.toLocalFile();
        return files;
    }

    // The song's file name, with its transposition and capo when it has them.
    QString ItemText(const SetlistSong& song)
    {
        QString text = QFileInfo(Q(song.path)).completeBaseName();
        if (song.transpose != 0)
            text += QStringLiteral(" · transpose %1%2")
                        .arg(song.transpose > 0 ? QStringLiteral("+") : QString())
                        .arg(song.transpose);
        if (song.capo)
            text += QStringLiteral(" · capo %1").arg(*song.capo);
        return text;
    }

    QPushButton* Button(const QString& text, const char* name, QWidget* parent)
    {
        auto* button = new QPushButton(text, parent);
        button->setObjectName(QLatin1String(name));
        return button;
    }

} // namespace

SetlistDialogs StandardSetlistDialogs()
{
    SetlistDialogs dialogs;
    dialogs.songFiles = [](QWidget* owner) {
        return QFileDialog::getOpenFileNames(owner, QStringLiteral("Add songs"), QString(),
            QStringLiteral("Songs (*.cho *.chopro *.chordpro *.crd *.pro *.txt);;All files (*)"));
    };
    dialogs.openSetlist = [](QWidget* owner) {
        return QFileDialog::getOpenFileName(
            owner, QStringLiteral("Open setlist"), QString(), QStringLiteral("Setlists (*.setlist);;All files (*)"));
    };
    dialogs.saveSetlist = [](QWidget* owner, const QString& suggested) {
        return QFileDialog::getSaveFileName(
            owner, QStringLiteral("Save setlist"), suggested, QStringLiteral("Setlists (*.setlist)"));
    };
    dialogs.savePdf = [](QWidget* owner, const QString& suggested) {
        return QFileDialog::getSaveFileName(
            owner, QStringLiteral("Make songbook"), suggested, QStringLiteral("PDF (*.pdf)"));
    };
    dialogs.tell
        = [](QWidget* owner, const QString& text) { QMessageBox::information(owner, QStringLiteral("Setlist"), text); };
    return dialogs;
}

TFormSetlist::TFormSetlist(SetlistHost host, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_host(std::move(host))
    , m_dialogs(StandardSetlistDialogs())
{
    setObjectName(QStringLiteral("FormSetlist"));
    setWindowTitle(QStringLiteral("Setlist"));
    setAcceptDrops(true);
    auto* layout = new QHBoxLayout(this);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListSetlist"));
    m_list->setAccessibleName(QStringLiteral("Songs of the setlist"));
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_list->setDefaultDropAction(Qt::MoveAction);
    m_list->installEventFilter(this);
    layout->addWidget(m_list, 1);

    auto* side = new QVBoxLayout;
    layout->addLayout(side);
    auto* form = new QFormLayout;
    side->addLayout(form);
    m_transpose = new QSpinBox(this);
    m_transpose->setObjectName(QStringLiteral("SpinSetlistTranspose"));
    m_transpose->setRange(-24, 24);
    m_transpose->setAccessibleName(QStringLiteral("Transpose, semitones"));
    form->addRow(QStringLiteral("&Transpose"), m_transpose);
    m_capo = new QSpinBox(this);
    m_capo->setObjectName(QStringLiteral("SpinSetlistCapo"));
    m_capo->setRange(kNoCapo, 11);
    m_capo->setSpecialValueText(QStringLiteral("Song's"));
    m_capo->setAccessibleName(QStringLiteral("Capo"));
    form->addRow(QStringLiteral("&Capo"), m_capo);
    m_notes = new QLineEdit(this);
    m_notes->setObjectName(QStringLiteral("EditSetlistNotes"));
    m_notes->setAccessibleName(QStringLiteral("Notes"));
    form->addRow(QStringLiteral("&Notes"), m_notes);

    auto* add = Button(QStringLiteral("&Add…"), "ButtonSetlistAdd", this);
    m_recent = new QToolButton(this);
    m_recent->setObjectName(QStringLiteral("ButtonSetlistRecent"));
    m_recent->setText(QStringLiteral("Recent songs"));
    m_recent->setPopupMode(QToolButton::InstantPopup);
    m_recent->setMenu(new QMenu(m_recent));
    auto* remove = Button(QStringLiteral("&Remove"), "ButtonSetlistRemove", this);
    auto* up = Button(QStringLiteral("Move &up"), "ButtonSetlistUp", this);
    up->setToolTip(QStringLiteral("Alt+Up"));
    auto* down = Button(QStringLiteral("Move &down"), "ButtonSetlistDown", this);
    down->setToolTip(QStringLiteral("Alt+Down"));
    auto* open = Button(QStringLiteral("&Open song"), "ButtonSetlistOpen", this);
    auto* stage = Button(QStringLiteral("&Stage view"), "ButtonSetlistStage", this);
    stage->setToolTip(QStringLiteral("F11"));
    auto* book = Button(QStringLiteral("Make song&book…"), "ButtonSetlistBook", this);
    auto* print = Button(QStringLiteral("&Print…"), "ButtonSetlistPrint", this);
    auto* load = Button(QStringLiteral("Open setl&ist…"), "ButtonSetlistLoad", this);
    auto* save = Button(QStringLiteral("Sa&ve setlist…"), "ButtonSetlistSave", this);
    for (QWidget* widget :
        std::initializer_list<QWidget*> { add, m_recent, remove, up, down, open, stage, print, book, load, save })
        side->addWidget(widget);
    side->addStretch();

    connect(add, &QPushButton::clicked, this, [this] {
        if (m_dialogs.songFiles)
            AddSongs(m_dialogs.songFiles(this));
    });
    connect(m_recent->menu(), &QMenu::aboutToShow, this, &TFormSetlist::ShowRecent);
    connect(remove, &QPushButton::clicked, this, &TFormSetlist::RemoveSelected);
    connect(up, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveSelected(1); });
    connect(open, &QPushButton::clicked, this, &TFormSetlist::OpenSelected);
    connect(stage, &QPushButton::clicked, this, [this] { OpenStage(); });
    connect(book, &QPushButton::clicked, this, [this] {
        const QString out = m_dialogs.savePdf ? m_dialogs.savePdf(this, QStringLiteral("setlist.pdf")) : QString();
        if (!out.isEmpty())
            MakeBook(out);
    });
    connect(print, &QPushButton::clicked, this, [this] {
        QPrinter printer(QPrinter::HighResolution);
        if (m_dialogs.choosePrinter && m_dialogs.choosePrinter(this, printer))
            PrintBook(printer);
    });
    connect(load, &QPushButton::clicked, this, [this] {
        const QString path = m_dialogs.openSetlist ? m_dialogs.openSetlist(this) : QString();
        if (!path.isEmpty())
            Load(path);
    });
    connect(save, &QPushButton::clicked, this, [this] {
        const QString path
            = m_dialogs.saveSetlist ? m_dialogs.saveSetlist(this, QStringLiteral("set.setlist")) : QString();
        if (!path.isEmpty())
            Save(path);
    });
    connect(m_list, &QListWidget::currentRowChanged, this, &TFormSetlist::ShowCurrent);
    connect(m_list, &QListWidget::itemActivated, this, &TFormSetlist::OpenSelected);
    connect(m_list->model(), &QAbstractItemModel::rowsMoved, this, &TFormSetlist::TakeOrderFromList);
    connect(m_transpose, &QSpinBox::valueChanged, this, &TFormSetlist::TakeEdits);
    connect(m_capo, &QSpinBox::valueChanged, this, &TFormSetlist::TakeEdits);
    connect(m_notes, &QLineEdit::textEdited, this, &TFormSetlist::TakeEdits);
    auto* f11 = new QShortcut(QKeySequence(Qt::Key_F11), this);
    f11->setContext(Qt::WidgetWithChildrenShortcut);
    connect(f11, &QShortcut::activated, this, [this] { OpenStage(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    ShowList(-1);
}

TFormSetlist::~TFormSetlist() = default;

int TFormSetlist::current() const { return m_list->currentRow(); }

void TFormSetlist::AddSongs(const QStringList& paths, int row)
{
    if (paths.isEmpty())
        return;
    auto at = row < 0 || row > static_cast<int>(m_setlist.songs.size()) ? m_setlist.songs.end()
                                                                        : m_setlist.songs.begin() + row;
    const int first = static_cast<int>(at - m_setlist.songs.begin());
    std::vector<SetlistSong> added;
    for (const QString& path : paths)
        added.push_back({ QFileInfo(path).absoluteFilePath().toStdString(), 0, std::nullopt, {} });
    m_setlist.songs.insert(at, added.begin(), added.end());
    ShowList(first);
}

bool TFormSetlist::Load(const QString& path)
{
    const SetlistReading reading = ReadSetlistFile(QFile::encodeName(path).toStdString());
    if (!reading.refused.empty()) {
        if (m_dialogs.tell)
            m_dialogs.tell(this, QStringLiteral("%1 %2.").arg(QFileInfo(path).fileName(), Q(reading.refused)));
        return false;
    }
    const std::string folder = QFileInfo(path).absolutePath().toStdString();
    m_setlist = reading.setlist;
    QStringList missing;
    for (SetlistSong& song : m_setlist.songs) {
        song.path = SetlistFileOf(folder, song.path);
        if (!QFileInfo::exists(Q(song.path)))
            missing << Q(song.path);
    }
    ShowList(m_setlist.songs.empty() ? -1 : 0);
    QStringList said;
    for (const SongProblem& problem : reading.problems)
        said << Q(problem.Text());
    for (const QString& file : missing)
        said << QStringLiteral("missing: %1").arg(file);
    if (!said.isEmpty() && m_dialogs.tell)
        m_dialogs.tell(this, QStringLiteral("%1:\n%2").arg(QFileInfo(path).fileName(), said.join(QLatin1Char('\n'))));
    return true;
}

bool TFormSetlist::Save(const QString& path)
{
    const std::string folder = QFileInfo(path).absolutePath().toStdString();
    Setlist written = m_setlist;
    for (SetlistSong& song : written.songs)
        song.path = SetlistPathOf(folder, song.path);
    if (WriteSetlistFile(QFile::encodeName(path).toStdString(), written))
        return true;
    if (m_dialogs.tell)
        m_dialogs.tell(this, QStringLiteral("Cannot write %1.").arg(path));
    return false;
}

void TFormSetlist::MoveSelected(int by)
{
    const int row = current();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= static_cast<int>(m_setlist.songs.size()))
        return;
    std::swap(m_setlist.songs[static_cast<std::size_t>(row)], m_setlist.songs[static_cast<std::size_t>(to)]);
    ShowList(to);
}

void TFormSetlist::RemoveSelected()
{
    const int row = current();
    if (row < 0)
        return;
    m_setlist.songs.erase(m_setlist.songs.begin() + row);
    ShowList(std::min(row, static_cast<int>(m_setlist.songs.size()) - 1));
}

void TFormSetlist::OpenSelected()
{
    const int row = current();
    if (row >= 0 && m_host.openSong)
        m_host.openSong(Q(m_setlist.songs[static_cast<std::size_t>(row)].path));
}

void TFormSetlist::OpenStage(const QSize& size)
{
    // Read for the strings they are played on, as a songbook's songs are: a {define} gives one fret
    // per string of them.
    const HostInstrument instrument = Played();
    std::vector<std::string> problems;
    const std::vector<LoadedSong> loaded
        = LoadBookSongs(BookSourcesOf(m_setlist, {}), problems, instrument.strings.strings.count, instrument.name);
    std::vector<StageSong> songs;
    const BookInstrument played
        = BookInstrumentOf(instrument, m_host.searchOptions ? m_host.searchOptions() : SearchOptions {});
    int first = 0;
    for (const LoadedSong& song : loaded) {
        if (song.source.file == m_setlist.songs[static_cast<std::size_t>(std::max(0, current()))].path && first == 0)
            first = static_cast<int>(songs.size());
        songs.push_back(StageSongOf(ShowSong(song.song, song.source.settings), BookSongOf(song, played).sheet));
    }
    if (!problems.empty() && m_dialogs.tell)
        m_dialogs.tell(this, Q(problems.front()));
    if (songs.empty())
        return;
    if (!m_stage)
        m_stage = new TFormStage(this);
    m_stage->SetSongs(std::move(songs), current() < 0 ? 0 : first);
    m_stage->ShowStage(size);
}

HostInstrument TFormSetlist::Played() const
{
    if (m_host.instrument)
        return m_host.instrument();
    return GuitarHost(m_host.searchOptions ? m_host.searchOptions().tuning : kStandardTuning);
}

BookRequest TFormSetlist::Request() const
{
    BookRequest request;
    request.sources = BookSourcesOf(m_setlist, {});
    request.options.title = m_setlist.title.empty() ? "Setlist" : m_setlist.title;
    request.options.keepOrder = true;
    request.options.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    request.instrument = Played();
    if (m_host.searchOptions)
        request.search = m_host.searchOptions();
    return request;
}

BookOutcome TFormSetlist::MakeBook(const QString& out)
{
    BookRequest request = Request();
    request.out = out;
    return Said(MakeSongbook(this, request, m_dialogs.bookStep));
}

BookOutcome TFormSetlist::PrintBook(QPrinter& printer)
{
    return Said(PrintSongbook(this, Request(), printer, m_dialogs.bookStep));
}

// The songs left out and any failure, told.
BookOutcome TFormSetlist::Said(const BookOutcome& outcome)
{
    QStringList said = outcome.problems;
    if (!outcome.error.isEmpty())
        said << outcome.error;
    if (!said.isEmpty() && m_dialogs.tell)
        m_dialogs.tell(this, said.join(QLatin1Char('\n')));
    return outcome;
}

void TFormSetlist::ShowList(int select)
{
    m_showing = true;
    m_list->clear();
    for (const SetlistSong& song : m_setlist.songs) {
        const QString file = Q(song.path);
        auto* item = new QListWidgetItem(ItemText(song), m_list);
        item->setToolTip(file);
        item->setData(Qt::UserRole, file);
    }
    m_list->setCurrentRow(select);
    m_showing = false;
    ShowCurrent();
}

void TFormSetlist::ShowCurrent()
{
    if (m_showing)
        return;
    const int row = current();
    const bool chosen = row >= 0 && row < static_cast<int>(m_setlist.songs.size());
    m_showing = true;
    m_transpose->setEnabled(chosen);
    m_capo->setEnabled(chosen);
    m_notes->setEnabled(chosen);
    const SetlistSong none;
    const SetlistSong& song = chosen ? m_setlist.songs[static_cast<std::size_t>(row)] : none;
    m_transpose->setValue(song.transpose);
    m_capo->setValue(song.capo.value_or(kNoCapo));
    m_notes->setText(Q(song.notes));
    m_showing = false;
}

void TFormSetlist::TakeEdits()
{
    const int row = current();
    if (m_showing || row < 0 || row >= static_cast<int>(m_setlist.songs.size()))
        return;
    SetlistSong& song = m_setlist.songs[static_cast<std::size_t>(row)];
    song.transpose = m_transpose->value();
    song.capo = m_capo->value() == kNoCapo ? std::nullopt : std::optional<int>(m_capo->value());
    song.notes = m_notes->text().toStdString();
    m_list->item(row)->setText(ItemText(song));
}

// A drag within the list reordered its items: the setlist follows them.
void TFormSetlist::TakeOrderFromList()
{
    std::vector<SetlistSong> ordered;
    for (int i = 0; i < m_list->count(); ++i) {
        const std::string file = m_list->item(i)->data(Qt::UserRole).toString().toStdString();
        for (auto it = m_setlist.songs.begin(); it != m_setlist.songs.end(); ++it)
            if (it->path == file) {
                ordered.push_back(*it);
                m_setlist.songs.erase(it);
                break;
            }
    }
    ordered.insert(ordered.end(), m_setlist.songs.begin(), m_setlist.songs.end());
    m_setlist.songs = std::move(ordered);
}

void TFormSetlist::ShowRecent()
{
    QMenu* menu = m_recent->menu();
    menu->clear();
    const QStringList recent = m_host.recentSongs ? m_host.recentSongs() : QStringList();
    for (const QString& path : recent) {
        QAction* item = menu->addAction(QFileInfo(path).fileName());
        item->setToolTip(path);
        connect(item, &QAction::triggered, this, [this, path] { AddSongs({ path }); });
    }
    if (recent.isEmpty())
        menu->addAction(QStringLiteral("No songs opened yet"))->setEnabled(false);
}

void TFormSetlist::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TFormSetlist::dropEvent(QDropEvent* event)
{
    const QStringList files = DroppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    AddSongs(files);
}

bool TFormSetlist::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::AltModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            MoveSelected(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            RemoveSelected();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace corvane
