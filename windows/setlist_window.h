#pragma once
// The setlist window: the songs of a set in the order played, each with its own transpose, capo and
// notes. Songs come by Add…, by dropping files, or from the recent songs; they are reordered by
// dragging or Alt+Up/Down, removed, opened in the song window, played in the stage view (F11), and
// the whole set is saved as a setlist file or made into a songbook.

#include "song/setlist.h"
#include "windows/songbook_maker.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class QPrinter;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace corvane {

class TFormStage;

struct SetlistHost {
    std::function<QStringList()> recentSongs;
    std::function<void(const QString& path)> openSong; // in the song window
    std::function<HostInstrument()> instrument; // GuitarHost of the search's tuning when not given
    std::function<SearchOptions()> searchOptions;
};

// The dialogs, replaceable so that tests run without them; an empty answer is a cancel.
struct SetlistDialogs {
    std::function<QStringList(QWidget* owner)> songFiles;
    std::function<QString(QWidget* owner)> openSetlist;
    std::function<QString(QWidget* owner, const QString& suggested)> saveSetlist;
    std::function<QString(QWidget* owner, const QString& suggested)> savePdf;
    std::function<void(QWidget* owner, const QString& text)> tell;
    std::function<bool(QWidget* owner, QPrinter& printer)> choosePrinter; // false: cancelled
    BookStepHook bookStep; // for tests: the songbook's progress
};
SetlistDialogs StandardSetlistDialogs();

class TFormSetlist final : public QWidget {
    Q_OBJECT
public:
    explicit TFormSetlist(SetlistHost host, QWidget* parent = nullptr);
    ~TFormSetlist() override;

    void setDialogs(SetlistDialogs dialogs) { m_dialogs = std::move(dialogs); }

    // Song files go at the end, or before `row`.
    void AddSongs(const QStringList& paths, int row = -1);
    bool Load(const QString& path); // a setlist file; false, said why, when it cannot be read
    bool Save(const QString& path);
    void MoveSelected(int by); // Alt+Up/Down
    void RemoveSelected();
    void OpenSelected();
    void OpenStage(const QSize& size = {}); // from the selected song
    BookOutcome MakeBook(const QString& out);
    BookOutcome PrintBook(QPrinter& printer);

    // The songs with absolute paths, in order.
    const Setlist& setlist() const { return m_setlist; }
    int current() const;
    TFormStage* stageWindow() const { return m_stage; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowList(int select);
    void ShowCurrent();
    void TakeEdits();
    void TakeOrderFromList();
    void ShowRecent();
    BookRequest Request() const;
    HostInstrument Played() const; // the instrument the songs are read and fingered for
    BookOutcome Said(const BookOutcome& outcome);

    SetlistHost m_host;
    SetlistDialogs m_dialogs;
    Setlist m_setlist;
    QListWidget* m_list = nullptr;
    QSpinBox* m_transpose = nullptr;
    QSpinBox* m_capo = nullptr;
    QLineEdit* m_notes = nullptr;
    QToolButton* m_recent = nullptr;
    TFormStage* m_stage = nullptr;
    bool m_showing = false;
};

} // namespace corvane
