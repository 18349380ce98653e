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
#include "windows/song_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <array>
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

    // The song window's Transpose buttons, clicked until the song is that many semitones away.
    Answer Transpose(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        const int value = Integer(arguments, 0, -24, 24);
        TFormSong* song = OpenSongWindow(session);
        if (!song)
            return "no song is open";
        auto* up = song->findChild<QAbstractButton*>(QStringLiteral("ButtonTransposeUp"));
        auto* down = song->findChild<QAbstractButton*>(QStringLiteral("ButtonTransposeDown"));
        int clicks = 0;
        while (song->transpose() != value && clicks++ < 48)
            Click(song->transpose() < value ? up : down);
        session.addUserMoves(std::max(0, clicks - 1));
        if (song->transpose() != value)
            return "the song did not reach " + std::to_string(value) + " semitones";
        return std::nullopt;
    }

    Answer SongCapo(Session& session, const json& arguments)
    {
        ExpectCount(arguments, 1);
        const int value = Integer(arguments, 0, 0, 11);
        TFormSong* song = OpenSongWindow(session);
        if (!song)
            return "no song is open";
        auto* box = song->findChild<QSpinBox*>(QStringLiteral("SpinCapo"));
        session.addUserMoves(StepWithArrowKeys(box, value) - 1);
        if (song->capo() != value)
            return "the song's capo did not reach " + std::to_string(value);
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
        { "progression", Progression },
    };
    return table;
}

} // namespace corvane::session
