// The main window's side of the song window: File > "Open song…", the recent songs, songs dropped on
// the window; it lends the song window its search options, name box, sound and selected diagrams.

#include "app/main_window.h"

#include "ui_main_window.h"

#include "drawing/qt/picture_store.h"
#include "windows/song_window.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QSettings>
#include <QSlider>

namespace corvane {

namespace {

    constexpr int kRecentSongs = 8;
    const QString kRecentKey = QStringLiteral("songs/recent");

    QString AskForSong(QWidget* parent, const QString& current)
    {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Open song"), current,
            QStringLiteral("Songs (*.cho *.chopro *.chordpro *.crd *.pro *.txt);;All files (*)"));
    }

    QString DroppedFile(const QMimeData* data)
    {
        if (!data || !data->hasUrls() || data->urls().isEmpty() || !data->urls().front().isLocalFile())
            return {};
        return data->urls().front().toLocalFile();
    }

} // namespace

void TForm1::ConnectSongHandlers()
{
    ui->OpenSong1->setShortcut(QKeySequence::Open);
    connect(ui->OpenSong1, &QAction::triggered, this, &TForm1::OpenSong1Click);
    connect(ui->RecentSongs1, &QMenu::aboutToShow, this, &TForm1::ShowRecentSongs);
    m_songDialog = AskForSong;
    setAcceptDrops(true);
    ShowRecentSongs();
    ConnectSongbookHandlers();
}

TFormSong& TForm1::SongWindow()
{
    if (!m_song) {
        SongHost host;
        FillChordWindowHost(host);
        host.opened = [this](const QString& path) { AddRecentSong(path); };
        host.openSong = [this] { OpenSong1Click(); };
        host.recentSongs = [this] { return RecentSongs(); };
        m_song = new TFormSong(std::move(host), this);
        m_song->setObjectName(QStringLiteral("FormSong"));
        // Its exports start where the main window's last one went.
        m_song->setDialogs(StandardSongDialogs(MainExportFolder()));
        connect(this, &TForm1::diagramSelected, m_song, &TFormSong::DiagramSelected);
        if (m_settings)
            m_song->RestoreSettings(*m_settings);
    }
    return *m_song;
}

void TForm1::OpenSong1Click()
{
    if (!m_songDialog)
        return;
    const QStringList recent = RecentSongs();
    const QString chosen = m_songDialog(this, recent.isEmpty() ? QString() : QFileInfo(recent.front()).absolutePath());
    if (!chosen.isEmpty())
        OpenSongFile(chosen);
}

// The window shows once the song is read; a file refused leaves it as it was (and hidden if it was).
bool TForm1::OpenSongFile(const QString& path)
{
    TFormSong& window = SongWindow();
    if (!window.OpenFile(path))
        return false;
    window.show();
    window.raise();
    window.activateWindow();
    return true;
}

QStringList TForm1::RecentSongs() const
{
    return m_settings ? m_settings->value(kRecentKey).toStringList() : QStringList();
}

void TForm1::AddRecentSong(const QString& path)
{
    if (!m_settings)
        return;
    QStringList recent = RecentSongs();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kRecentSongs)
        recent.removeLast();
    m_settings->setValue(kRecentKey, recent);
    ShowRecentSongs();
}

void TForm1::ShowRecentSongs()
{
    ShowRecentSongsIn(ui->RecentSongs1, RecentSongs(), this, [this](const QString& path) { OpenSongFile(path); });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    OpenSongFile(path);
}

} // namespace corvane
