// The main window's side of setlists and songbooks: File > "Setlist…" and File > "Make songbook…".

#include "app/main_window.h"

#include "ui_main_window.h"

#include "windows/setlist_window.h"
#include "windows/song_window.h"
#include "windows/songbook_maker.h"

#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

namespace corvane {

void TForm1::ConnectSongbookHandlers()
{
    connect(ui->Setlist1, &QAction::triggered, this, &TForm1::Setlist1Click);
    connect(ui->MakeSongbook1, &QAction::triggered, this, &TForm1::MakeSongbook1Click);
    m_bookSongsDialog = [](QWidget* parent) {
        return QFileDialog::getOpenFileNames(parent, QStringLiteral("Songs for the songbook"), QString(),
            QStringLiteral("Songs (*.cho *.chopro *.chordpro *.crd *.pro *.txt);;All files (*)"));
    };
    m_bookPdfDialog = [](QWidget* parent, const QString& current) {
        return QFileDialog::getSaveFileName(
            parent, QStringLiteral("Make songbook"), current, QStringLiteral("PDF (*.pdf)"));
    };
}

TFormSetlist& TForm1::SetlistWindow()
{
    if (!m_setlist) {
        SetlistHost host;
        host.recentSongs = [this] { return RecentSongs(); };
        host.openSong = [this](const QString& path) { OpenSongFile(path); };
        host.instrument = [this] { return WindowsInstrument(); };
        host.searchOptions = [this] { return CurrentSearchOptions(); };
        m_setlist = new TFormSetlist(std::move(host), this);
    }
    return *m_setlist;
}

void TForm1::Setlist1Click()
{
    TFormSetlist& window = SetlistWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

void TForm1::MakeSongbook1Click()
{
    const QStringList files = m_bookSongsDialog ? m_bookSongsDialog(this) : QStringList();
    if (files.isEmpty())
        return;
    const QString out = m_bookPdfDialog ? m_bookPdfDialog(this, QFileInfo(files.front()).absolutePath()) : QString();
    if (out.isEmpty())
        return;
    BookRequest request;
    std::vector<std::string> paths;
    for (const QString& file : files)
        paths.push_back(QFile::encodeName(file).toStdString());
    std::vector<std::string> problems;
    request.sources = BookSourcesOf(paths, problems);
    request.instrument = WindowsInstrument();
    request.search = CurrentSearchOptions();
    request.out = out;
    request.options.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    const BookOutcome outcome = MakeSongbook(this, request, m_bookStep);
    if (outcome.made)
        statusBar()->showMessage(QStringLiteral("Songbook of %1 pages written to %2").arg(outcome.pages).arg(out));
    else if (outcome.cancelled)
        statusBar()->showMessage(QStringLiteral("Songbook cancelled"));
    QStringList said;
    for (const std::string& problem : problems)
        said << QString::fromStdString(problem);
    said << outcome.problems;
    if (!outcome.error.isEmpty())
        said << outcome.error;
    if (!said.isEmpty() && m_bookTell)
        m_bookTell(said.join(QLatin1Char('\n')));
}

} // namespace corvane
