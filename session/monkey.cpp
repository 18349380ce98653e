// The monkey: random user actions, and the checks the window must pass after each.
#include "session/monkey.h"

#include "app/main_window.h"
#include "drawing/neck_view.h"
#include "drawing/strings_neck.h"
#include "guitar/identify.h"
#include "guitar/instrument_identify.h"
#include "guitar/instrument_search.h"
#include "guitar/refresh.h"
#include "session/session.h"
#include "theory/catalogue.h"
#include "theory/interval_list.h"
#include "theory/name_reading.h"
#include "toolkit/canvas_image.h"
#include "toolkit/check_list.h"
#include "toolkit/choice_box.h"
#include "toolkit/neck_image.h"
#include "toolkit/result_sheet.h"
#include "toolkit/text_grid.h"
#include "windows/song_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <map>
#include <ostream>
#include <random>
#include <string_view>
#include <vector>

namespace corvane::session {

namespace {

    using nlohmann::json;
    using Random = std::mt19937_64;

    int Uniform(Random& random, int lowest, int highest)
    {
        return std::uniform_int_distribution<int>(lowest, highest)(random);
    }

    bool Coin(Random& random) { return Uniform(random, 0, 1) == 1; }

    template <typename T, size_t N> const T& AnyOf(Random& random, const std::array<T, N>& choices)
    {
        return choices[static_cast<size_t>(Uniform(random, 0, static_cast<int>(N) - 1))];
    }

    // Pieces of chord names: note names read and unread, the extension captions in other letter
    // cases, separators, and things no chord name holds.
    constexpr std::array<std::string_view, 52> kNameTokens { "C", "C#", "Db", "D", "Eb", "E", "Fb", "F", "F#", "Gb",
        "G", "Ab", "A", "Bb", "B", "Cb", "E#", "B#", "H", "/", "/", "(", ")", ",", ".", " ", "\\", "m", "M", "maj",
        "SUS4", "Dim", "#", "b", "X", "ç", "日", "", "dim7", "7b9", "#9", "b5", "\u00b0", "\u00f8", "\u0394", "+", "-",
        "sus", "add9", "maj7", "69", "\u266f" };

    std::string RandomName(Random& random)
    {
        std::string name;
        const int pieces = Uniform(random, 0, 7);
        for (int i = 0; i < pieces; ++i) {
            if (Uniform(random, 0, 2) == 0)
                name += AnyOf(random, kNameTokens);
            else
                name += kExtensions[static_cast<size_t>(Uniform(random, 0, kExtensionCount - 1))].caption;
        }
        return name;
    }

    constexpr std::array<std::string_view, 22> kKeys { "Up", "Down", "Left", "Right", "Home", "End", "PgUp", "PgDown",
        "Space", "Tab", "Shift+Tab", "Return", "Escape", "A", "M", "7", "Backspace", "Ctrl+A", "Ctrl+C", "Ctrl+L", "F6",
        "F1" };

    // What the keyboard does on a strip's diagram.
    constexpr std::array<std::string_view, 8> kStripKeys { "Left", "Right", "Up", "Down", "Home", "End", "Return",
        "Space" };

    // The menu items that leave the window open; their dialogs answer cancel in the driver, and the
    // windows they open modally are closed.
    constexpr std::array<std::string_view, 7> kMenuItems { "Copy diagram", "Export diagram…", "Export sheet…", "Print…",
        "Print preview", "Chord notation…", "About" };

    // The songs of the tests, and a file that is not there.
    constexpr std::array<std::string_view, 12> kSongFiles { "amazing_grace.cho", "circle.cho", "drunken_sailor.cho",
        "greensleeves.cho", "oh_susanna.cho", "red_river.cho", "rising_sun.cho", "scarborough_fair.cho",
        "swing_low.cho", "wayfaring_stranger.cho", "no_such_song.cho", "../corpus/new_song.cho" };

    // Progressions as players type them, with a chord that reads in part and one that does not.
    constexpr std::array<std::string_view, 6> kProgressions { "C Am F G", "| C G | Am F | x2", "Db Gb Ab7",
        "C9:2 Fmaj7 G7sus4", "H7 Cxyz Em", "" };

    json ProgressionText(Random& random, const Session&) { return { std::string(AnyOf(random, kProgressions)) }; }

    json SongFile(Random& random, const Session&)
    {
        return { std::string(CORVANE_SONG_FOLDER) + "/" + std::string(AnyOf(random, kSongFiles)) };
    }

    struct Generator {
        std::string_view name;
        int weight;
        json (*arguments)(Random& random, const Session& session);
    };

    json None(Random&, const Session&) { return json::array(); }
    json Row(Random& random, const Session&) { return { Uniform(random, 0, 11) }; }
    json Flag(Random& random, const Session&) { return { Coin(random) }; }

    json SheetPoint(Random& random, const Session& session)
    {
        const auto* sheet = session.Control<ResultSheet>("Image1");
        // Mostly on a diagram, sometimes anywhere, the edges of the cells included.
        if (sheet->count() > 0 && Uniform(random, 0, 3) != 0) {
            const QRect cell = sheet->cellRect(Uniform(random, 0, sheet->count() - 1));
            return { cell.left() + Uniform(random, 0, cell.width() - 1),
                cell.top() + Uniform(random, 0, cell.height() - 1) };
        }
        return { Uniform(random, 0, sheet->width() - 1), Uniform(random, 0, sheet->height() - 1) };
    }

    int ShownStrings(const Session& session) { return session.window().openStrings().count; }

    json NeckPoint(Random& random, const Session& session)
    {
        const auto* neck = session.Control<NeckImage>("Image2");
        // Mostly on a string, sometimes anywhere on the control, the strip below the picture included.
        if (Uniform(random, 0, 3) != 0) {
            const StringsNeck geometry = neck->geometry();
            return { Uniform(random, 0, kNeckWidth - 1),
                StringsNeckStringY(geometry, Uniform(random, 0, geometry.strings - 1)) + Uniform(random, -3, 3) };
        }
        return { Uniform(random, 0, neck->width() - 1), Uniform(random, 0, neck->height() - 1) };
    }

    // Mostly as many frets as the instrument has strings, frets a hand can play, sometimes written
    // together, sometimes another count.
    json RandomFrets(Random& random, const Session& session)
    {
        const int count = Uniform(random, 0, 5) == 0 ? Uniform(random, 0, 9) : ShownStrings(session);
        const bool together = Coin(random);
        std::string text;
        for (int s = 0; s < count; ++s) {
            const int fret = Uniform(random, -1, together ? 9 : 25);
            text += (fret < 0 ? std::string("x") : std::to_string(fret)) + (together ? "" : " ");
        }
        return { text };
    }

    // Every instrument by its name or caption, and one the program does not know.
    constexpr std::array<std::string_view, 8> kInstrumentNames { "guitar", "Guitar", "7-string guitar", "ukulele",
        "Baritone ukulele", "tenor-guitar", "mandolin", "banjo" };

    // One to three of the test songs, at times one that is not there.
    json SongFiles(Random& random, const Session& session)
    {
        json files = json::array();
        for (int i = Uniform(random, 1, 3); i > 0; --i)
            files.push_back(SongFile(random, session)[0]);
        return files;
    }

    constexpr std::array<std::string_view, 14> kStageKeys { "PageDown", "PageUp", "Right", "Left", "Down", "Up",
        "Space", "Plus", "Minus", "N", "P", "D", "Escape", "tick" };

    // clang-format off
    constexpr std::array<std::string_view, 6> kNotationWords { "parts", "lead-sheet", "german", "latin", "nashville",
        "roman" };

    const std::array<Generator, 43> kGenerators { {
        { "rootPick", 8, Row },
        { "bassPick", 8, Row },
        { "view", 3, [](Random& r, const Session&) -> json { return { Coin(r) ? "mod1" : "mod2" }; } },
        { "toggle", 16, [](Random& r, const Session&) -> json {
            return { std::string(kExtensions[static_cast<size_t>(Uniform(r, 0, kExtensionCount - 1))].caption) }; } },
        { "typePick", 6, [](Random& r, const Session&) -> json { return { Uniform(r, 0, kChordTypeCount - 1) }; } },
        { "name", 8, [](Random& r, const Session&) -> json { return { RandomName(r) }; } },
        { "rootFlat", 2, Flag },
        { "bassFlat", 2, Flag },
        { "preset", 3, [](Random& r, const Session&) -> json { return { Uniform(r, 0, 11) }; } },
        { "toolButton", 1, None },
        { "trackBar", 3, [](Random& r, const Session& s) -> json {
            return { Uniform(r, 0, ShownStrings(s) - 1), Uniform(r, 0, 11) }; } },
        { "instrument", 2, [](Random& r, const Session&) -> json { return { std::string(AnyOf(r, kInstrumentNames)) }; } },
        { "fretLimit", 2, [](Random& r, const Session&) -> json { return { 6 * Uniform(r, 1, 4) }; } },
        { "span", 2, [](Random& r, const Session&) -> json { return { Uniform(r, 2, 5) }; } },
        { "omit3", 2, Flag },
        { "omit5", 2, Flag },
        { "leftHanded", 1, Flag },
        { "noBarre", 1, Flag },
        { "easy", 2, Flag },
        { "resize", 2, [](Random& r, const Session& s) -> json {
            const int narrowest = s.NarrowestSheetWidth();
            return { Uniform(r, narrowest - 20, narrowest + 900) }; } },
        { "click", 8, SheetPoint },
        { "patch", 1, [](Random& r, const Session&) -> json { return { Uniform(r, 0, 8) }; } },
        { "tempo", 1, [](Random& r, const Session&) -> json { return { Uniform(r, 0, 5) }; } },
        { "neck", 1, [](Random& r, const Session&) -> json { return { Coin(r) ? "classic" : "electric" }; } },
        { "key", 6, [](Random& r, const Session&) -> json { return { std::string(AnyOf(r, kKeys)) }; } },
        { "menu", 2, [](Random& r, const Session&) -> json { return { std::string(AnyOf(r, kMenuItems)) }; } },
        { "neckClick", 8, NeckPoint },
        { "find", 2, None },
        { "formation", 2, RandomFrets },
        { "capo", 2, [](Random& r, const Session&) -> json { return { Uniform(r, 0, 11) }; } },
        { "openSong", 1, SongFile },
        { "transpose", 2, [](Random& r, const Session&) -> json { return { Uniform(r, -24, 24) }; } },
        { "progression", 2, ProgressionText },
        { "songCapo", 2, [](Random& r, const Session&) -> json { return { Uniform(r, 0, 11) }; } },
        { "stripKey", 2, [](Random& r, const Session&) -> json {
            return { Coin(r) ? "song" : "progression", std::string(AnyOf(r, kStripKeys)) }; } },
        { "otherFingerings", 2, [](Random& r, const Session&) -> json {
            return { Coin(r) ? "song" : "progression", Uniform(r, 0, 5) }; } },
        { "songPick", 1, [](Random& r, const Session&) -> json { return { Uniform(r, 0, 2) }; } },
        { "suggestSongCapo", 1, None },
        { "recentSong", 1, [](Random& r, const Session&) -> json { return { Uniform(r, 0, 7) }; } },
        { "notation", 2, [](Random& r, const Session&) -> json { return { std::string(AnyOf(r, kNotationWords)) }; } },
        { "setlist", 1, SongFiles },
        { "stage", 4, [](Random& r, const Session&) -> json { return { std::string(AnyOf(r, kStageKeys)) }; } },
        { "songbook", 1, SongFiles },
    } };
    // clang-format on

    json RandomAction(Random& random, const Session& session)
    {
        static const int total = [] {
            int sum = 0;
            for (const Generator& generator : kGenerators)
                sum += generator.weight;
            return sum;
        }();
        int pick = Uniform(random, 0, total - 1);
        for (const Generator& generator : kGenerators) {
            if (pick < generator.weight) {
                json action = json::array({ std::string(generator.name) });
                for (const json& argument : generator.arguments(random, session))
                    action.push_back(argument);
                return action;
            }
            pick -= generator.weight;
        }
        return json::array({ "toolButton" });
    }

    // A typed name leaves the grid highlights where they were; a pick through a grid binds them to
    // the indexes again.
    struct Binding {
        bool root = true;
        bool bass = true;
    };

    std::vector<std::string> ListTexts(const QListWidget* list)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list->count(); ++i)
            texts.push_back(list->item(i)->text().toStdString());
        return texts;
    }

    int Highlighted(const TextGrid* grid)
    {
        const QModelIndexList rows = grid->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    struct ExpectedSheet {
        std::vector<std::string> names;
        std::vector<std::string> records;
    };

    // The open notes another instrument's strings sound: each bar's pitch class in the window's octave.
    // The bars are the controls' word; the octaves are checked apart (Broken).
    OpenStrings BarStrings(const Session& session)
    {
        OpenStrings strings = session.window().openStrings();
        for (int s = 0; s < strings.count; ++s) {
            const int bar = session.Control<QSlider>(("TrackBar" + std::to_string(s + 1)).c_str())->value();
            strings.notes[static_cast<size_t>(s)] += bar - strings[s] % 12;
        }
        return strings;
    }

    // The chord the controls and fields stand for now, searched and named afresh.
    ExpectedSheet Expected(const Session& session)
    {
        const TForm1& window = session.window();
        const SelectionState& selection = window.selection();
        RefreshInput input = FromSelection(selection, {});
        for (int s = 0; s < 6; ++s)
            input.options.tuning[static_cast<size_t>(s)]
                = session.Control<QSlider>(("TrackBar" + std::to_string(s + 1)).c_str())->value();
        input.options.fretLimit = session.Control<ChoiceBox>("ComboBox1")->selectedValue(0);
        input.options.span = session.Control<ChoiceBox>("ComboBox2")->selectedValue(0);
        input.options.omit3 = session.Control<QCheckBox>("CheckBoxOmit3")->isChecked();
        input.options.omit5 = session.Control<QCheckBox>("CheckBoxOmit5")->isChecked();
        input.options.noBarre = session.Control<QCheckBox>("CheckBoxPestanas")->isChecked();
        input.options.easy = session.Control<QCheckBox>("CheckBoxNSI")->isChecked();
        input.options.capo = session.Control<QSpinBox>("SpinEditCapo")->value();
        input.rootGridNames = session.rootNamesAtRefresh();
        ExpectedSheet expected;
        const InstrumentRefreshResult result
            = ComputeInstrumentRefresh(input, StringSetOf(window.instrument(), BarStrings(session)));
        expected.names = NamesListIn(result.names, input.rootIndex, result.chordTones, input.bassIndex,
            input.rootGridNames, window.namesNotation());
        for (const InstrumentRecord& record : result.records)
            expected.records.push_back(record.Text());
        return expected;
    }

    // After a click on the neck the names list names what the neck holds, until the next refresh.
    struct NeckNames {
        bool shown = false;
        std::vector<std::string> names;
        bool justClicked = false; // the last action was that click
        std::string best; // the name a guitarist says, as the list spells it: the list's current item
    };

    std::array<std::string, 12> RootNames(const Session& session)
    {
        std::array<std::string, 12> rootNames;
        const auto* rootGrid = session.Control<TextGrid>("StringGridAcorde");
        for (int row = 0; row < 12; ++row)
            rootNames[static_cast<size_t>(row)] = rootGrid->text(row, 0).toStdString();
        return rootNames;
    }

    Identification IdentifiedOnStrings(const Session& session, const StringFingering& fingering)
    {
        return IdentifyPlayed(fingering, StringSetOf(session.window().instrument(), BarStrings(session)),
            session.Control<QSpinBox>("SpinEditCapo")->value(), RootNames(session));
    }

    // Frets the Formation box plays: read, and on the neck above the capo.
    bool Playable(const Session& session, const std::string& typed)
    {
        const StringFretsReading reading
            = ReadPlayedFretsOn(typed, StringSetOf(session.window().instrument(), BarStrings(session)));
        return reading.fingering && IdentifiedOnStrings(session, *reading.fingering).error.empty();
    }

    Identification IdentifiedNames(const Session& session)
    {
        return IdentifiedOnStrings(session, session.window().neckFingering());
    }

    std::optional<std::string> Broken(
        const Session& session, const Binding& binding, const NeckNames& neckNames, int refreshes)
    {
        const TForm1& window = session.window();
        const SelectionState& selection = window.selection();
        const auto* sheet = session.Control<ResultSheet>("Image1");
        const int records = static_cast<int>(window.records().size());
        if (!session.reportedExceptions().empty())
            return "an exception escaped a handler: " + session.reportedExceptions().back();

        // The song window shows the song as the song library shows it with its transposition and capo.
        if (const TFormSong* song = window.songWindow(); song && !song->path().isEmpty()) {
            const ShownSong expected = ShowSong(song->song(), SongSettings { song->transpose(), song->capo() });
            if (song->StripNames() != expected.chords)
                return "the song window's strip is not the song's chords";
            // ... chosen for the main window's instrument: one fret per string of it.
            for (const StringStripChord& chord : song->strip())
                if (chord.frets && chord.frets->count != window.openStrings().count)
                    return "the song window's \"" + chord.name + "\" has " + std::to_string(chord.frets->count)
                        + " frets on " + std::to_string(window.openStrings().count) + " strings";
        }
        // ... and the progression window's fingerings too.
        if (const TFormProgression* progression = window.progressionWindow()) {
            for (const auto& chord : progression->choice().chords)
                if (chord.Chosen() && chord.Chosen()->frets.count != window.openStrings().count)
                    return "the progression window's \"" + chord.text + "\" has "
                        + std::to_string(chord.Chosen()->frets.count) + " frets on "
                        + std::to_string(window.openStrings().count) + " strings";
        }
        // Their strips are built anew under the keyboard, which stays on a control they show.
        for (const QWidget* shown :
            std::initializer_list<const QWidget*> { window.songWindow(), window.progressionWindow() })
            if (const QWidget* focused = shown ? shown->focusWidget() : nullptr;
                focused && shown->isVisible() && (!shown->isAncestorOf(focused) || !focused->isVisibleTo(shown)))
                return "the " + shown->windowTitle().toStdString()
                    + " window's keyboard is on a control it no longer shows";

        const int count = session.Control<QLabel>("LabelTotal")->text().toInt();
        if (count != records || sheet->count() != records)
            return "the count shows " + std::to_string(count) + ", the sheet has " + std::to_string(sheet->count())
                + " diagrams, for " + std::to_string(records) + " records";

        // Another instrument's strings: as many bars as strings shown, each string at the pitch class its
        // bar shows.
        {
            const OpenStrings& strings = window.openStrings();
            if (strings.count != window.instrument().Strings())
                return "the window holds " + std::to_string(strings.count) + " strings for an instrument of "
                    + std::to_string(window.instrument().Strings());
            for (int s = 0; s < kMaxInstrumentStrings; ++s) {
                const auto* bar = session.Control<QSlider>(("TrackBar" + std::to_string(s + 1)).c_str());
                if (bar->isVisible() != (s < strings.count))
                    return "the bar of string " + std::to_string(s) + " is " + (bar->isVisible() ? "shown" : "hidden");
                // A string sounds where a preset tunes it or where its bar retunes it.
                const auto tunedThere = [&](const InstrumentTuning& tuning) { return tuning.strings[s] == strings[s]; };
                if (s < strings.count
                    && (bar->value() != strings[s] % 12
                        || (strings[s] != RetunedString(window.instrument(), s, bar->value())
                            && std::none_of(
                                window.instrument().tunings.begin(), window.instrument().tunings.end(), tunedThere))))
                    return "string " + std::to_string(s) + " sounds " + std::to_string(strings[s]) + ", its bar shows "
                        + std::to_string(bar->value());
            }
        }
        const ExpectedSheet expected = Expected(session);
        const std::vector<std::string> names = ListTexts(session.Control<QListWidget>("ListBox1"));
        if (neckNames.shown) {
            if (names != neckNames.names)
                return "the names list is not the naming of the fingering clicked on the neck";
            const QString formation = FormationText(FretsOfFingering(window.neckFingering()));
            if (neckNames.justClicked && session.Control<QLineEdit>("Edit1")->text() != formation)
                return "the formation box does not show the fingering clicked on the neck";
            const QListWidgetItem* current = session.Control<QListWidget>("ListBox1")->currentItem();
            if (neckNames.justClicked && !names.empty()
                && (current == nullptr || current->text().toStdString() != neckNames.best))
                return "the names list's current item is not the name a guitarist says, " + neckNames.best;
        } else if (names != expected.names) {
            return "the names list is not the naming of the current chord "
                + NoteListText(FromSelection(selection, {}));
        }
        if (session.Control<QWidget>("SpeedButtonFind")->isEnabled() != !names.empty())
            return "the Find button's greying does not follow the names list";
        std::vector<std::string> shown;
        for (const InstrumentRecord& record : window.records())
            shown.push_back(record.Text());
        const std::vector<std::string>& wanted = expected.records;
        if (shown != wanted)
            return "the sheet does not show the results of the current chord "
                + NoteListText(FromSelection(selection, {})) + " (" + std::to_string(shown.size()) + " shown, "
                + std::to_string(wanted.size()) + " expected)";
        // Each diagram marks its bass on the string that sounds lowest as the bars tune them.
        if (const auto* sheet = session.Control<ResultSheet>("Image1");
            sheet->openStrings().count > 0 && sheet->openStrings() != BarStrings(session))
            return "the sheet marks the bass on strings tuned " + OpenStringsText(sheet->openStrings()) + ", not "
                + OpenStringsText(BarStrings(session));

        const int rootRow = Highlighted(session.Control<TextGrid>("StringGridAcorde"));
        const int bassRow = Highlighted(session.Control<TextGrid>("StringGridBaixo"));
        if (binding.root && rootRow != selection.rootIndex)
            return "the root grid highlights row " + std::to_string(rootRow) + ", the root is "
                + std::to_string(selection.rootIndex);
        if (binding.bass && bassRow != selection.bassIndex)
            return "the bass grid highlights row " + std::to_string(bassRow) + ", the bass is "
                + std::to_string(selection.bassIndex);

        const auto* extensions = session.Control<CheckList>("CheckListBox1");
        for (int i = 0; i < kExtensionCount; ++i) {
            if (extensions->isItemChecked(i) != selection.checked[static_cast<size_t>(i)]
                || extensions->isItemEnabled(i) != selection.enabled[static_cast<size_t>(i)])
                return "the extension list does not show the check or greying of item " + std::to_string(i);
        }
        if (session.Control<TextGrid>("StringGridBaixo")->isEnabled() != selection.bassGridEnabled)
            return "the bass grid's greying does not follow the selection";

        if (refreshes > std::max(1, session.userMoves()))
            return std::to_string(refreshes) + " refreshes for " + std::to_string(session.userMoves())
                + " user move(s)";

        // A sheet narrower than one cell shows one column of cut diagrams, so a cell need only start
        // inside the sheet; the selected cell is the one clicked.
        const int selected = sheet->selectedCell();
        if (selected >= records
            || (selected >= 0
                && (!sheet->rect().contains(sheet->cellRect(selected).topLeft())
                    || !sheet->cellRect(selected).contains(window.selectedX(), window.selectedY()))))
            return "the selected diagram " + std::to_string(selected) + " is outside the sheet or not where ("
                + std::to_string(window.selectedX()) + ", " + std::to_string(window.selectedY()) + ") was clicked";
        if (window.selectedX() < 0 || window.selectedX() >= sheet->width() || window.selectedY() < 0
            || window.selectedY() >= sheet->height())
            return "the selected point (" + std::to_string(window.selectedX()) + ", "
                + std::to_string(window.selectedY()) + ") is outside the sheet";
        return std::nullopt;
    }

    // Which highlights the action bound to the indexes or set free.
    void Follow(const json& action, const Session& session, QWidget* focusBefore, bool refreshed, Binding& binding)
    {
        const std::string name = action[0].get<std::string>();
        const SelectionState& selection = session.window().selection();
        QWidget* nameBox = session.Control<QWidget>("EditAcorde");
        // "Other fingerings" types its chord into the name box and searches, as the user would.
        if (name == "name" || (name == "find" && refreshed) || (name == "key" && refreshed && focusBefore == nameBox)
            || (name == "otherFingerings" && refreshed)) {
            binding = { false, false };
        } else if (name == "rootPick"
            || (name == "key" && focusBefore == session.Control<QWidget>("StringGridAcorde"))) {
            if (refreshed)
                binding = { true, true };
        } else if (name == "bassPick"
            || (name == "key" && focusBefore == session.Control<QWidget>("StringGridBaixo"))) {
            // A refused bass leaves the highlight and the bass as they were.
            if (Highlighted(session.Control<TextGrid>("StringGridBaixo")) == selection.bassIndex)
                binding.bass = true;
        } else if (name == "key" && refreshed && focusBefore
            && (focusBefore->objectName() == QLatin1StringView("SpeedButton2")
                || focusBefore->objectName() == QLatin1StringView("SpeedButtonFind"))) {
            binding = { false, false };
        }
    }

    // After a typed name the status bar is silent only when the box shows a name its own notation
    // reads in full: either the name typed, or the lead-sheet chord written in that notation.
    std::optional<std::string> NameProblemBroken(const Session& session)
    {
        const std::string problem = session.Control<QLabel>("LabelNameProblem")->text().toStdString();
        const std::string shown = session.Control<QLineEdit>("EditAcorde")->text().toStdString();
        if (!problem.empty())
            return problem.rfind("Not understood: ", 0) == 0
                ? std::nullopt
                : std::optional<std::string>("the status bar says \"" + problem + "\" after a typed name");
        const NameReading reading = ReadChordName(shown);
        if (!TrimBlanks(shown).empty() && (!reading.unread.empty() || reading.root == kNoPitch))
            return "the box shows \"" + shown + "\", which it does not read in full, and the status bar is silent";
        return std::nullopt;
    }

} // namespace

int RunMonkey(long steps, std::uint64_t seed, std::ostream& progress, std::ostream& failures)
{
    Random random(seed);
    std::string error;
    std::unique_ptr<Session> session = Session::Open(600, error);
    if (!session) {
        failures << "monkey: seed " << seed << ": " << error << "\n";
        return 1;
    }
    Binding binding;
    NeckNames neckNames;
    std::map<std::string, long> refused;
    for (long step = 1; step <= steps; ++step) {
        const json action = RandomAction(random, *session);
        QWidget* focusBefore = session->window().focusWidget();
        const int refreshesBefore = session->refreshCount();
        const StringFingering neckBefore = session->window().neckFingering();
        auto* formationBox = session->Control<QLineEdit>("Edit1");
        const std::string formationBefore = formationBox->text().toStdString();
        if (session->Perform(action))
            ++refused[action[0].get<std::string>()];
        const int refreshes = session->refreshCount() - refreshesBefore;
        Follow(action, *session, focusBefore, refreshes > 0, binding);
        if (refreshes > 0)
            neckNames.shown = false;
        // Space or Enter on the neck plays it as a click there does; frets typed into the Formation box
        // and Enter play what they say, when it can be read.
        const bool onNeck
            = action[0] == "neckClick" || (action[0] == "key" && focusBefore == session->Control<QWidget>("Image2"));
        const bool typedFrets
            = (action[0] == "formation" || (action[0] == "key" && action[1] == "Return" && focusBefore == formationBox))
            && Playable(*session, action[0] == "formation" ? action[1].get<std::string>() : formationBefore);
        const bool neckChanged = session->window().neckFingering() != neckBefore;
        neckNames.justClicked = (onNeck && neckChanged) || typedFrets;
        if (neckNames.justClicked) {
            // The list names them in the window's notation, one name per root.
            const Identification named = IdentifiedNames(*session);
            const Notation notation = session->window().namesNotation();
            const PitchClass bass = named.bass.value_or(kNoPitch);
            const auto roots = RootNames(*session);
            neckNames = { true, NamesIn(named.names, named.chordTones, bass, roots, notation, std::nullopt), true,
                named.namesBestFirst.empty() ? std::string()
                                             : ListedNameIn(named.names, named.namesBestFirst.front(), named.chordTones,
                                                 bass, roots, notation, std::nullopt) };
        }
        std::optional<std::string> broken = Broken(*session, binding, neckNames, refreshes);
        if (!broken && action[0] == "name")
            broken = NameProblemBroken(*session);
        if (broken) {
            failures << "monkey: seed " << seed << ", step " << step << ", action " << action.dump() << ": " << *broken
                     << "\n";
            return 1;
        }
        if (step % 10000 == 0)
            progress << "monkey: " << step << " actions\n" << std::flush;
    }
    progress << "monkey: " << steps << " actions, seed " << seed << ", every check held (" << session->refreshCount()
             << " refreshes; refused:";
    for (const auto& [name, count] : refused)
        progress << " " << name << " " << count;
    progress << ")\n";
    return 0;
}

} // namespace corvane::session
