// The driver's actions: each line's words performed as user input on the window.
#include "session/actions.h"

#include "app/main_window.h"
#include "guitar/instrument.h"
#include "session/gestures.h"
#include "session/session.h"
#include "toolkit/canvas_image.h"
#include "toolkit/check_list.h"
#include "toolkit/choice_box.h"
#include "toolkit/result_sheet.h"
#include "toolkit/text_grid.h"
#include "windows/chord_strip.h"
#include "windows/setlist_window.h"
#include "windows/song_window.h"
#include "windows/stage_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string_view>

namespace corvane::session {

namespace {

    using nlohmann::json;
    using Answer = std::optional<std::string>;

    void ExpectCount(const json& arguments, size_t count)
    {
        if (arguments.size() != count)
            throw BadArguments(
                "expected " + std::to_string(count) + " argument(s), got " + std::to_string(arguments.size()));
    }

    int Integer(const json& arguments, size_t at, int lowest, int highest)
    {
        if (at >= arguments.size() || !arguments[at].is_number_integer())
            throw BadArguments("argument " + std::to_string(at + 1) + " must be an integer");
        const auto value = arguments[at].get<long long>();
        if (value < lowest || value > highest)
            throw BadArguments("argument " + std::to_string(at + 1) + " must be " + std::to_string(lowest) + ".."
                + std::to_string(highest) + ", got " + std::to_string(value));
        return static_cast<int>(value);
    }

    bool Boolean(const json& arguments, size_t at)
    {
        if (at >= arguments.size() || !arguments[at].is_boolean())
            throw BadArguments("argument " + std::to_string(at + 1) + " must be true or false");
        return arguments[at].get<bool>();
    }

    std::string Text(const json& arguments, size_t at)
    {
        if (at >= arguments.size() || !arguments[at].is_string())
            throw BadArguments("argument " + std::to_string(at + 1) + " must be a text");
        return arguments[at].get<std::string>();
    }

    template <typename T> T* Need(Session& session, const char* name)
    {
        T* control = session.Control<T>(name);
        if (!control)
            throw BadArguments(std::string("the window has no control ") + name);
        return control;
    }

    Answer PickRow(Session& session, const json& arguments, const char* grid)
    {
        ExpectCount(arguments, 1);
        ClickRow(Need<TextGrid>(session, grid), Integer(arguments, 0, 0, 11));
        return std::nullopt;
    }

    Answer ClickButton(Session& session, const char* name)
    {
        Click(Need<QAbstractButton>(session, name));
        return std::nullopt;
    }

    // The item whose text is `value`, from a fixed list of allowed values.
    Answer ChooseValue(Session& session, const json& arguments, const char* name, std::initializer_list<int> allowed)
    {
        ExpectCount(arguments, 1);
        const int value = Integer(arguments, 0, 0, 1000);
        if (std::find(allowed.begin(), allowed.end(), value) == allowed.end())
            throw BadArguments("not an item of " + std::string(name) + ": " + std::to_string(value));
        auto* box = Need<ChoiceBox>(session, name);
        const int index = box->findText(QString::number(value));
        if (index < 0)
            throw BadArguments("not an item of " + std::string(name) + ": " + std::to_string(value));
        return ChooseFromList(box, index);
    }

    // Clicks the box's own check mark when the box does not show the wanted state.
    Answer SetOption(Session& session, const json& arguments, const char* name)
    {
        ExpectCount(arguments, 1);
        const bool wanted = Boolean(arguments, 0);
        auto* box = Need<QCheckBox>(session, name);
        if (box->isChecked() == wanted)
            return std::nullopt;
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        Click(box, box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center());
        return std::nullopt;
    }

    Answer MoveBar(Session& session, QSlider* bar, int value)
    {
        const int presses = MoveWithArrowKeys(bar, value);
        session.addUserMoves(presses - 1);
        if (bar->value() != value)
            return "the bar " + bar->objectName().toStdString() + " did not reach " + std::to_string(value);
        return std::nullopt;
    }

    Answer Toggle(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        const QString caption = QString::fromStdString(Text(arguments, 0));
        auto* list = Need<CheckList>(session, "CheckListBox1");
        int item = -1;
        for (int i = 0; i < list->count() && item < 0; ++i)
            if (list->item(i)->text() == caption)
                item = i;
        if (item < 0)
            throw BadArguments("no extension " + caption.toStdString());
        if (!list->isVisible())
            return "the extension list is not shown";
        ClickItemCheckBox(list, item);
        return std::nullopt;
    }

    Answer TypePick(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        auto* grid = Need<TextGrid>(session, "StringGrid1");
        const int row = Integer(arguments, 0, 0, grid->rowCount() - 1);
        if (!grid->isVisible())
            return "the chord-type list is not shown";
        ClickRow(grid, row);
        return std::nullopt;
    }

    Answer Name(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        TypeIntoAndEnter(Need<QLineEdit>(session, "EditAcorde"), QString::fromStdString(Text(arguments, 0)));
        return std::nullopt;
    }

    Answer Formation(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        TypeIntoAndEnter(Need<QLineEdit>(session, "Edit1"), QString::fromStdString(Text(arguments, 0)));
        return std::nullopt;
    }

    Answer Preset(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        const int tag = Integer(arguments, 0, 0, 11);
        auto* menu = Need<QMenu>(session, "PopupMenu1");
        for (QAction* item : menu->actions())
            if (item->data().toInt() == tag)
                return ChooseFromMenu(Need<QToolButton>(session, "ToolButton5"), item);
        throw BadArguments("no preset " + std::to_string(tag));
    }

    // The bars of the instrument shown: strings 0 .. N - 1, lowest first as held.
    Answer TrackBar(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 2);
        const TForm1& window = session.window();
        const int strings = window.openStrings().count;
        const int string = Integer(arguments, 0, 0, strings - 1);
        const int value = Integer(arguments, 1, 0, 11);
        const std::string name = "TrackBar" + std::to_string(string + 1);
        return MoveBar(session, Need<QSlider>(session, name.c_str()), value);
    }

    // The instrument box's item of the instrument FindInstrument reads the name as ("ukulele",
    // "Baritone ukulele"), chosen from its list.
    Answer ChooseInstrument(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        const std::string name = Text(arguments, 0);
        const Instrument* instrument = FindInstrument(name);
        if (!instrument) {
            std::string known;
            for (const Instrument& each : Instruments())
                known += (known.empty() ? "" : ", ") + std::string(each.name);
            throw BadArguments("no instrument " + name + " (" + known + ")");
        }
        return ChooseFromList(
            Need<ChoiceBox>(session, "ComboBoxInstrument"), static_cast<int>(instrument - Instruments().data()));
    }

    Answer Resize(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        return session.ResizeSheet(Integer(arguments, 0, 1, 100000));
    }

    Answer SheetClick(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 2);
        const int x = Integer(arguments, 0, 0, 1000000);
        const int y = Integer(arguments, 1, 0, 100000000);
        auto* sheet = Need<ResultSheet>(session, "Image1");
        if (x >= sheet->width() || y >= sheet->height())
            return "(" + std::to_string(x) + ", " + std::to_string(y) + ") is outside the sheet, "
                + std::to_string(sheet->width()) + " x " + std::to_string(sheet->height());
        auto* scrollBox = Need<QScrollArea>(session, "ScrollBoxViolao");
        const QPoint inArea = sheet->mapTo(scrollBox->widget(), QPoint(x, y));
        scrollBox->ensureVisible(inArea.x(), inArea.y(), 0, 0);
        QTest::mousePress(sheet, Qt::LeftButton, {}, QPoint(x, y));
        QTest::mouseRelease(sheet, Qt::LeftButton, {}, QPoint(x, y));
        return std::nullopt;
    }

    Answer Neck(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        const std::string neck = Text(arguments, 0);
        if (neck == "classic")
            return ClickButton(session, "SpeedButton12");
        if (neck == "electric")
            return ClickButton(session, "SpeedButton11");
        throw BadArguments("the neck is classic or electric, not " + neck);
    }

    // A window opened modally (Help's "Chord notation…" and "About", F1) is closed again from inside
    // its own loop, as the user would close it, so that the session goes on.
    class ModalCloser {
    public:
        ModalCloser()
        {
            m_timer.setInterval(0);
            QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [] {
                if (QWidget* modal = QApplication::activeModalWidget())
                    modal->close();
            });
            m_timer.start();
        }

    private:
        QTimer m_timer;
    };

    // An item of the menu bar's menus, by its caption; the mnemonic mark may be left out ("Close"
    // for "&Close").
    Answer Menu(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        const ModalCloser closer;
        const auto plain = [](QString caption) { return caption.remove(QLatin1Char('&')); };
        const QString caption = plain(QString::fromStdString(Text(arguments, 0)));
        auto* bar = Need<QMenuBar>(session, "MainMenu1");
        for (QAction* title : bar->actions()) {
            if (!title->menu())
                continue;
            for (QAction* item : title->menu()->actions()) {
                if (item->isSeparator() || plain(item->text()) != caption)
                    continue;
                if (!item->isEnabled())
                    return "the menu item " + caption.toStdString() + " is disabled";
                bool ran = false;
                const QMetaObject::Connection watch
                    = QObject::connect(item, &QAction::triggered, item, [&ran] { ran = true; });
                Answer answer = ChooseFromMenuBar(bar, title, item);
                QObject::disconnect(watch);
                if (!answer && !ran)
                    return "the menu item " + caption.toStdString() + " did not take the click";
                return answer;
            }
        }
        throw BadArguments("no menu item " + caption.toStdString());
    }

    Answer NeckClick(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 2);
        const int x = Integer(arguments, 0, 0, 100000);
        const int y = Integer(arguments, 1, 0, 100000);
        auto* neck = Need<CanvasImage>(session, "Image2");
        if (x >= neck->width() || y >= neck->height())
            return "(" + std::to_string(x) + ", " + std::to_string(y) + ") is outside the neck, "
                + std::to_string(neck->width()) + " x " + std::to_string(neck->height());
        Click(neck, QPoint(x, y));
        return std::nullopt;
    }

    Answer FindFingerings(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 0);
        auto* button = Need<QAbstractButton>(session, "SpeedButtonFind");
        if (!button->isEnabled())
            return "the Find button is greyed: the names list is empty";
        Click(button);
        return std::nullopt;
    }

    Answer Capo(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        const int value = Integer(arguments, 0, 0, 11);
        auto* box = Need<QSpinBox>(session, "SpinEditCapo");
        session.addUserMoves(StepWithArrowKeys(box, value) - 1);
        if (box->value() != value)
            return "the capo did not reach " + std::to_string(value);
        return std::nullopt;
    }

    // File > "Open song…" with the file dialog answering PATH. A file refused is said, and the song
    // window keeps what it had. The user then goes back to the main window, the song window open.
    Answer OpenSong(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        const QString path = QString::fromStdString(Text(arguments, 0));
        TForm1& window = session.window();
        TFormSong& song = window.SongWindow();
        auto refusal = std::make_shared<QString>();
        SongDialogs dialogs;
        dialogs.common.warn = [refusal](QWidget*, const QString& text) { *refusal = text; };
        song.setDialogs(std::move(dialogs));
        window.setSongDialog([path](QWidget*, const QString&) { return path; });
        if (Answer answer = Menu(session, json::array({ "Open song…" })))
            return answer;
        if (!refusal->isEmpty())
            return refusal->toStdString();
        window.activateWindow();
        return std::nullopt;
    }

    // File > "Progression…", then the chords typed over its text box; the main window takes the
    // keyboard back, as after "openSong".
    Answer Progression(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        const QString text = QString::fromStdString(Text(arguments, 0));
        if (Answer answer = Menu(session, json::array({ "Progression…" })))
            return answer;
        TFormProgression* progression = session.window().progressionWindow();
        if (!progression)
            return "the progression window did not open";
        auto* box = progression->findChild<QPlainTextEdit*>(QStringLiteral("MemoChords"));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        if (text.isEmpty())
            box->clear();
        session.window().activateWindow();
        return std::nullopt;
    }

    TFormSong* OpenSongWindow(Session& session)
    {
        TFormSong* song = session.window().songWindow();
        return song && song->isVisible() && !song->path().isEmpty() ? song : nullptr;
    }

    // An action on the song the song window shows, which takes one whole number from LEAST to MOST.
    template <typename Act>
    Answer OnOpenSong(Session& session, const json& arguments, int least, int most, const Act& act)
    {
        ExpectCount(arguments, 1);
        const int value = Integer(arguments, 0, least, most);
        TFormSong* song = OpenSongWindow(session);
        if (!song)
            return "no song is open";
        return act(*song, value);
    }

    // The song window's Transpose buttons, clicked until the song is that many semitones away.
    Answer Transpose(Session& session, const json& arguments)
    {
        return OnOpenSong(session, arguments, -24, 24, [&](TFormSong& song, int value) -> Answer {
            auto* up = song.findChild<QAbstractButton*>(QStringLiteral("ButtonTransposeUp"));
            auto* down = song.findChild<QAbstractButton*>(QStringLiteral("ButtonTransposeDown"));
            int clicks = 0;
            while (song.transpose() != value && clicks++ < 48)
                Click(song.transpose() < value ? up : down);
            session.addUserMoves(std::max(0, clicks - 1));
            if (song.transpose() != value)
                return "the song did not reach " + std::to_string(value) + " semitones";
            return std::nullopt;
        });
    }

    Answer SongCapo(Session& session, const json& arguments)
    {
        return OnOpenSong(session, arguments, 0, 11, [&](TFormSong& song, int value) -> Answer {
            auto* box = song.findChild<QSpinBox*>(QStringLiteral("SpinCapo"));
            session.addUserMoves(StepWithArrowKeys(box, value) - 1);
            if (song.capo() != value)
                return "the song's capo did not reach " + std::to_string(value);
            return std::nullopt;
        });
    }

    // The Song or Progression window ("song", "progression"), open and showing a song or chords.
    QWidget* StripWindow(Session& session, const std::string& name)
    {
        if (name == "song")
            return OpenSongWindow(session);
        if (name != "progression")
            throw BadArguments("the window is song or progression, not " + name);
        TFormProgression* progression = session.window().progressionWindow();
        return progression && progression->isVisible() ? progression : nullptr;
    }

    int WaitingChord(QWidget* window)
    {
        if (const auto* song = qobject_cast<TFormSong*>(window))
            return song->waitingChord();
        return static_cast<TFormProgression*>(window)->waitingChord();
    }

    // The diagram of the strip the window's keyboard is on; -1 when it is elsewhere.
    int FocusedDiagram(const ChordStrip& strip, const QWidget* window)
    {
        for (int k = 0; k < strip.count(); ++k)
            if (window->focusWidget() == strip.diagram(k))
                return k;
        return -1;
    }

    // A key pressed on the strip of WINDOW: the user goes to the window and, unless a diagram has
    // the keyboard, tabs to the first one; then back to the main window. An arrow, Home or End must
    // leave the keyboard on the diagram it leads to.
    Answer StripKey(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 2);
        const std::string name = Text(arguments, 0);
        const QString key = QString::fromStdString(Text(arguments, 1));
        QWidget* window = StripWindow(session, name);
        if (!window)
            return "the " + name + " window shows no chords";
        auto* strip = window->findChild<ChordStrip*>();
        if (!strip || strip->count() == 0)
            return "the " + name + " window shows no chords";
        window->activateWindow();
        if (FocusedDiagram(*strip, window) < 0)
            strip->diagram(0)->setFocus(Qt::TabFocusReason);
        const int from = FocusedDiagram(*strip, window);
        const int last = strip->count() - 1;
        const std::map<QString, int> leadsTo { { QStringLiteral("Left"), std::max(0, from - 1) },
            { QStringLiteral("Up"), std::max(0, from - 1) }, { QStringLiteral("Right"), std::min(last, from + 1) },
            { QStringLiteral("Down"), std::min(last, from + 1) }, { QStringLiteral("Home"), 0 },
            { QStringLiteral("End"), last }, { QStringLiteral("Return"), from }, { QStringLiteral("Space"), from } };
        const ModalCloser closer;
        Answer answer = PressKey(strip->diagram(from), key);
        session.window().activateWindow();
        if (answer)
            return answer;
        const auto expected = leadsTo.find(key);
        if (expected != leadsTo.end() && FocusedDiagram(*strip, window) != expected->second)
            return key.toStdString() + " from diagram " + std::to_string(from) + " left the keyboard on "
                + std::to_string(FocusedDiagram(*strip, window)) + ", not " + std::to_string(expected->second);
        return std::nullopt;
    }

    // "Other fingerings" under chord INDEX of WINDOW, reached with the keyboard and pressed with
    // Space. The window's keyboard stays on that chord's button, checked while the chord waits; the
    // main window comes up with the keyboard on its sheet.
    Answer OtherFingerings(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 2);
        const std::string name = Text(arguments, 0);
        const int index = Integer(arguments, 1, 0, 999);
        QWidget* window = StripWindow(session, name);
        auto* strip = window ? window->findChild<ChordStrip*>() : nullptr;
        if (!strip)
            return "the " + name + " window shows no chords";
        if (index >= strip->count())
            return "the " + name + " window's strip has " + std::to_string(strip->count()) + " chords";
        window->activateWindow();
        strip->otherFingerings(index)->setFocus(Qt::TabFocusReason);
        if (Answer answer = PressKey(strip->otherFingerings(index), QStringLiteral("Space")))
            return answer;
        QAbstractButton* button = strip->otherFingerings(index);
        if (!button || window->focusWidget() != button)
            return "the keyboard left chord " + std::to_string(index) + "'s \"Other fingerings\"";
        if (button->isChecked() != (WaitingChord(window) == index))
            return "chord " + std::to_string(index) + "'s \"Other fingerings\" is "
                + (button->isChecked() ? "checked" : "not checked");
        if (WaitingChord(window) == index
            && session.window().focusWidget() != session.window().findChild<QWidget*>(QStringLiteral("Image1")))
            return "the main window came up without the keyboard on its sheet";
        session.window().activateWindow();
        return std::nullopt;
    }

    // The song window's list of the songs in its file, the song at INDEX chosen from it.
    Answer SongPick(Session& session, const json& arguments)
    {
        return OnOpenSong(session, arguments, 0, 99, [&](TFormSong& song, int value) -> Answer {
            if (value >= song.songCount())
                return "the file holds " + std::to_string(song.songCount()) + " songs";
            auto* list = song.findChild<QComboBox*>(QStringLiteral("ComboSongs"));
            if (!list || list->isHidden())
                return "the song window shows no list of songs";
            if (Answer failed = ChooseFromList(list, value))
                return failed;
            if (song.songIndex() != value)
                return "the song window did not show song " + std::to_string(value);
            return std::nullopt;
        });
    }

    // The song window's "Suggest capo": the capo box takes the capo, and the window says why.
    Answer SuggestSongCapo(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 0);
        TFormSong* song = OpenSongWindow(session);
        if (!song)
            return "no song is open";
        auto* button = song->findChild<QAbstractButton*>(QStringLiteral("ButtonSuggestCapo"));
        if (!button->isEnabled())
            return "the song has no chords to suggest a capo for";
        Click(button);
        if (song->findChild<QLabel*>(QStringLiteral("LabelCapoAdvice"))->text().isEmpty())
            return "the song window did not say why its capo";
        return std::nullopt;
    }

    // Item N (from 0) of the song window's "Recent songs"; the main window then takes the keyboard
    // back, as after "openSong".
    Answer RecentSong(Session& session, const json& arguments)
    {
        return OnOpenSong(session, arguments, 0, 7, [&](TFormSong& song, int item) -> Answer {
            auto* menu = song.findChild<QMenu*>(QStringLiteral("MenuRecentSongs"));
            emit menu->aboutToShow();
            const QList<QAction*> items = menu->actions();
            if (item >= items.size() || !items.at(item)->isEnabled())
                return "there is no recent song " + std::to_string(item);
            items.at(item)->trigger();
            session.window().activateWindow();
            return std::nullopt;
        });
    }

    QStringList Paths(const json& arguments, size_t most)
    {
        if (arguments.empty() || arguments.size() > most)
            throw BadArguments(
                "expected 1 to " + std::to_string(most) + " song paths, got " + std::to_string(arguments.size()));
        QStringList paths;
        for (size_t i = 0; i < arguments.size(); ++i)
            paths << QString::fromStdString(Text(arguments, i));
        return paths;
    }

    // File > "Setlist…", then Add… answered with the PATHS: they join the end of the set. The user
    // then goes back to the main window, the setlist window open.
    Answer SetlistAdd(Session& session, const json& arguments)
    {
        const QStringList paths = Paths(arguments, 8);
        TForm1& window = session.window();
        window.findChild<QAction*>(QStringLiteral("Setlist1"))->trigger();
        TFormSetlist* setlist = window.setlistWindow();
        if (!setlist)
            return "the setlist window did not open";
        SetlistDialogs dialogs;
        dialogs.songFiles = [paths](QWidget*) { return paths; };
        auto told = std::make_shared<QStringList>();
        dialogs.tell = [told](QWidget*, const QString& text) { *told << text; };
        setlist->setDialogs(std::move(dialogs));
        Click(setlist->findChild<QAbstractButton*>(QStringLiteral("ButtonSetlistAdd")));
        window.activateWindow();
        return std::nullopt;
    }

    // The stage view shown, or else opened (from the setlist when it has songs, else from the song
    // window), at a size of its own: there is no screen to fill.
    TFormStage* Stage(Session& session)
    {
        TForm1& window = session.window();
        TFormSetlist* setlist = window.setlistWindow();
        TFormSong* song = window.songWindow();
        for (TFormStage* stage : { setlist ? setlist->stageWindow() : nullptr, song ? song->stageWindow() : nullptr })
            if (stage && stage->isVisible())
                return stage;
        const QSize size(800, 600);
        if (setlist && !setlist->setlist().songs.empty()) {
            setlist->OpenStage(size);
            if (setlist->stageWindow() && setlist->stageWindow()->isVisible())
                return setlist->stageWindow();
        }
        if (song && song->isVisible() && !song->path().isEmpty()) {
            song->OpenStage(size);
            return song->stageWindow();
        }
        return nullptr;
    }

    // A key pressed on the stage view (opened first when it is not shown), or "tick": a second goes
    // by while it scrolls by itself.
    Answer StageKey(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        static const std::map<std::string, Qt::Key, std::less<>> keys { { "PageDown", Qt::Key_PageDown },
            { "PageUp", Qt::Key_PageUp }, { "Right", Qt::Key_Right }, { "Left", Qt::Key_Left },
            { "Down", Qt::Key_Down }, { "Up", Qt::Key_Up }, { "Space", Qt::Key_Space }, { "Plus", Qt::Key_Plus },
            { "Minus", Qt::Key_Minus }, { "N", Qt::Key_N }, { "P", Qt::Key_P }, { "D", Qt::Key_D },
            { "Escape", Qt::Key_Escape } };
        const std::string name = Text(arguments, 0);
        const auto key = keys.find(name);
        if (key == keys.end() && name != "tick")
            throw BadArguments("not a key of the stage view: " + name);
        TFormStage* stage = Stage(session);
        if (!stage)
            return "no song to show on stage";
        if (key == keys.end())
            stage->Advance(1.0);
        else
            QTest::keyClick(stage, key->second);
        return std::nullopt;
    }

    // File > "Make songbook…", the song dialog answering the PATHS and the PDF written to a folder
    // of its own that goes away afterwards. The status bar says how it went.
    Answer Songbook(Session& session, const json& arguments)
    {
        const QStringList paths = Paths(arguments, 8);
        QTemporaryDir folder;
        const QString out = folder.filePath(QStringLiteral("book.pdf"));
        auto told = std::make_shared<QStringList>();
        TForm1& window = session.window();
        window.setSongbookDialogs([paths](QWidget*) { return paths; }, [out](QWidget*, const QString&) { return out; },
            [told](const QString& text) { *told << text; });
        // The item is triggered rather than clicked through the menu, whose closing of modal
        // windows would cancel the progress.
        window.findChild<QAction*>(QStringLiteral("MakeSongbook1"))->trigger();
        if (!QFileInfo::exists(out))
            return told->isEmpty() ? std::string("no songbook was made") : told->join(QLatin1Char('\n')).toStdString();
        return std::nullopt;
    }

    // The key goes where the keyboard is: an open list or menu, else the window's focused control.
    Answer Key(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        const QString name = QString::fromStdString(Text(arguments, 0));
        QWidget* target = nullptr;
        if (QWidget* popup = QApplication::activePopupWidget())
            target = popup->focusWidget() ? popup->focusWidget() : popup;
        if (!target)
            target = session.window().focusWidget();
        if (!target)
            target = &session.window();
        const ModalCloser closer;
        return PressKey(target, name);
    }

    // View > Chord names: the item of the notation by its command-line word.
    Answer ChooseNotation(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        const std::string word = Text(arguments, 0);
        auto* names = Need<QMenu>(session, "ChordNames1");
        for (QAction* item : names->actions()) {
            if (item->objectName() != QString::fromStdString("ChordNames_" + word))
                continue;
            item->trigger();
            return std::nullopt;
        }
        throw BadArguments(
            "the names are written in parts, lead-sheet, german, latin, nashville or roman, not " + word);
    }

} // namespace

const std::map<std::string, ActionFunction, std::less<>>& ActionTable()
{
    static const std::map<std::string, ActionFunction, std::less<>> table {
        { "rootPick", [](Session& s, const json& a) { return PickRow(s, a, "StringGridAcorde"); } },
        { "bassPick", [](Session& s, const json& a) { return PickRow(s, a, "StringGridBaixo"); } },
        { "view",
            [](Session& s, const json& a) -> Answer {
                ExpectCount(a, 1);
                const std::string view = Text(a, 0);
                if (view != "mod1" && view != "mod2")
                    throw BadArguments("the view is mod1 or mod2, not " + view);
                return ClickButton(s, view == "mod1" ? "SpeedButton7" : "SpeedButton8");
            } },
        { "toggle", Toggle },
        { "typePick", TypePick },
        { "name", Name },
        { "formation", Formation },
        { "rootFlat",
            [](Session& s, const json& a) {
                ExpectCount(a, 1);
                return ClickButton(s, Boolean(a, 0) ? "SpeedButton6" : "SpeedButton5");
            } },
        { "bassFlat",
            [](Session& s, const json& a) {
                ExpectCount(a, 1);
                return ClickButton(s, Boolean(a, 0) ? "SpeedButton9" : "SpeedButton10");
            } },
        { "preset", Preset },
        { "toolButton",
            [](Session& s, const json& a) -> Answer {
                ExpectCount(a, 0);
                ClickButtonFace(Need<QToolButton>(s, "ToolButton5"));
                return std::nullopt;
            } },
        { "trackBar", TrackBar },
        { "instrument", ChooseInstrument },
        { "fretLimit",
            [](Session& s, const json& a) {
                return ChooseValue(s, a, "ComboBox1", { 6, 12, 18, 24 });
            } },
        { "span",
            [](Session& s, const json& a) {
                return ChooseValue(s, a, "ComboBox2", { 2, 3, 4, 5 });
            } },
        { "omit3", [](Session& s, const json& a) { return SetOption(s, a, "CheckBoxOmit3"); } },
        { "omit5", [](Session& s, const json& a) { return SetOption(s, a, "CheckBoxOmit5"); } },
        { "leftHanded", [](Session& s, const json& a) { return SetOption(s, a, "CheckBoxCanhoto"); } },
        { "noBarre", [](Session& s, const json& a) { return SetOption(s, a, "CheckBoxPestanas"); } },
        { "easy", [](Session& s, const json& a) { return SetOption(s, a, "CheckBoxNSI"); } },
        { "resize", Resize },
        { "click", SheetClick },
        { "patch",
            [](Session& s, const json& a) {
                ExpectCount(a, 1);
                return ChooseFromList(Need<ChoiceBox>(s, "ComboBoxPatch"), Integer(a, 0, 0, 8));
            } },
        { "tempo",
            [](Session& s, const json& a) {
                ExpectCount(a, 1);
                return MoveBar(s, Need<QSlider>(s, "TrackBarTempoAcorde"), Integer(a, 0, 0, 5));
            } },
        { "neck", Neck },
        { "key", Key },
        { "neckClick", NeckClick },
        { "find", FindFingerings },
        { "capo", Capo },
        { "restart",
            [](Session& s, const json& a) {
                ExpectCount(a, 0);
                return s.Restart();
            } },
        { "menu", Menu },
        { "openSong", OpenSong },
        { "transpose", Transpose },
        { "songCapo", SongCapo },
        { "songPick", SongPick },
        { "progression", Progression },
        { "stripKey", StripKey },
        { "otherFingerings", OtherFingerings },
        { "suggestSongCapo", SuggestSongCapo },
        { "recentSong", RecentSong },
        { "notation", ChooseNotation },
        { "setlist", SetlistAdd },
        { "stage", StageKey },
        { "songbook", Songbook },
    };
    return table;
}

} // namespace corvane::session
