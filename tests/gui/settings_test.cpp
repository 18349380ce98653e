// Settings that last, through the real window: what the driver's answers do not show (the layout,
// the view, the spelling buttons), what restoring sends to the MIDI port, Restore defaults, the sound
// font item, and the reader's treatment of bad values.

#include "app/kept_settings.h"
#include "drawing/recording_canvas.h"
#include "main_window_fixture.h"
#include "sound/midi_player.h"
#include "windows/song_window.h"

#include <QAction>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QTemporaryDir>

namespace corvane::test {
namespace {

    class SettingsTest : public MainWindowTest {
    protected:
        QString path() const { return directory.filePath(QStringLiteral("settings.ini")); }

        // A second window on the settings file, shown as the program shows it.
        std::unique_ptr<TForm1> Reopen(RecordingPort*& port) const
        {
            auto reopened = std::make_unique<TForm1>([&port](int) {
                auto recording = std::make_unique<RecordingPort>();
                port = recording.get();
                return recording;
            });
            reopened->UseSettings(std::make_unique<QSettings>(path(), QSettings::IniFormat));
            return reopened;
        }

        template <typename T> T* In(TForm1& w, const char* name) const
        {
            T* found = w.findChild<T*>(QString::fromLatin1(name));
            EXPECT_NE(found, nullptr) << "no control " << name;
            return found;
        }

        QTemporaryDir directory;
    };

    TEST_F(SettingsTest, TheLayoutViewAndSpellingButtonsComeBack)
    {
        window->UseSettings(std::make_unique<QSettings>(path(), QSettings::IniFormat));
        Click("SpeedButton8"); // the chord-type list
        Click("SpeedButton6"); // flat roots
        Click("SpeedButton9"); // flat basses
        Click("SpeedButton11"); // the electric neck
        Find<QSpinBox>("SpinEditCapo")->setValue(3);
        window->showNormal();
        window->setGeometry(40, 50, 1100, 720);
        QCoreApplication::processEvents();
        Find<QSplitter>("Splitter3")->setSizes({ 300, 700 });
        Find<QSplitter>("Splitter2")->setSizes({ 450, 200 });
        const QList<int> chooser = Find<QSplitter>("Splitter3")->sizes();
        const QList<int> sheet = Find<QSplitter>("Splitter2")->sizes();
        const QSize size = window->size();
        const std::string rootGrid = GridColumn(RootGrid());
        Find<QAction>("Sair1")->trigger();

        RecordingPort* port = nullptr;
        const std::unique_ptr<TForm1> reopened = Reopen(port);
        reopened->ShowAsKept();
        ShowAndWait(reopened.get());
        EXPECT_FALSE(reopened->isMaximized());
        EXPECT_EQ(reopened->size(), size);
        EXPECT_EQ(In<QSplitter>(*reopened, "Splitter3")->sizes(), chooser);
        EXPECT_EQ(In<QSplitter>(*reopened, "Splitter2")->sizes(), sheet);
        EXPECT_TRUE(In<QToolButton>(*reopened, "SpeedButton8")->isChecked());
        EXPECT_TRUE(In<TextGrid>(*reopened, "StringGrid1")->isVisible());
        EXPECT_FALSE(In<CheckList>(*reopened, "CheckListBox1")->isVisible());
        EXPECT_TRUE(In<QToolButton>(*reopened, "SpeedButton6")->isChecked());
        EXPECT_TRUE(In<QToolButton>(*reopened, "SpeedButton9")->isChecked());
        EXPECT_TRUE(In<QToolButton>(*reopened, "SpeedButton11")->isChecked());
        // The kept capo is on the kept neck from the start.
        RecordingCanvas neck;
        In<CanvasImage>(*reopened, "Image2")->replayLastDrawing(neck);
        ASSERT_EQ(neck.calls().size(), 2u);
        EXPECT_EQ(neck.calls()[0].picture, Picture::NeckElectric);
        EXPECT_EQ(neck.calls()[1].picture, Picture::Capo);
        EXPECT_EQ(GridColumn(In<TextGrid>(*reopened, "StringGridAcorde")), rootGrid);
    }

    // The song window's playing tempo is kept when the program closes and shown when it opens again.
    // View > Chord names comes back, and so does a kept name that named no note, with its message.
    TEST_F(SettingsTest, TheNotationAndAnUnreadNameComeBack)
    {
        window->UseSettings(std::make_unique<QSettings>(path(), QSettings::IniFormat));
        window->ChooseNotation(Notation::German);
        TypeName("Qzz");
        ASSERT_TRUE(Names().empty());
        window->close();

        RecordingPort* port = nullptr;
        const auto reopened = Reopen(port);
        reopened->ShowAsKept();
        EXPECT_EQ(reopened->notation(), Notation::German);
        EXPECT_EQ(reopened->findChild<QListWidget*>(QStringLiteral("ListBox1"))->count(), 0);
        EXPECT_NE(In<QLabel>(*reopened, "LabelNameProblem")->text().indexOf(QStringLiteral("Not understood")), -1);
    }

    TEST_F(SettingsTest, TheSongWindowsTempoComesBack)
    {
        window->UseSettings(std::make_unique<QSettings>(path(), QSettings::IniFormat));
        QSpinBox* bpm = window->SongWindow().findChild<QSpinBox*>(QStringLiteral("SpinBpm"));
        ASSERT_NE(bpm, nullptr);
        bpm->setValue(132);
        Find<QAction>("Sair1")->trigger();

        RecordingPort* port = nullptr;
        const std::unique_ptr<TForm1> reopened = Reopen(port);
        EXPECT_EQ(reopened->SongWindow().bpm(), 132);
    }

    // A typed name writes the grids in its own spelling and leaves the buttons; restored, the buttons
    // show what the grids show.
    TEST_F(SettingsTest, TheRestoredSpellingButtonsShowWhatTheGridsShow)
    {
        const struct {
            const char* name;
            const char* typed;
            const char* rootGrid;
        } rows[] = {
            { "flat buttons, a sharp name", "C#m", "C C# D D# E F F# G G# A A# B" },
            { "flat buttons, a name not read", "xyz", "C C# D D# E F F# G G# A A# B" },
            { "flat buttons, a flat name", "Dbm", "C Db D Eb E F Gb G Ab A Bb B" },
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(row.name);
            QSettings(path(), QSettings::IniFormat).clear();
            auto shown = std::make_unique<TForm1>([](int) { return std::make_unique<RecordingPort>(); });
            shown->UseSettings(std::make_unique<QSettings>(path(), QSettings::IniFormat));
            QTest::mouseClick(In<QToolButton>(*shown, "SpeedButton6"), Qt::LeftButton);
            QTest::mouseClick(In<QToolButton>(*shown, "SpeedButton9"), Qt::LeftButton);
            auto* nameBox = In<QLineEdit>(*shown, "EditAcorde");
            nameBox->setText(QString::fromLatin1(row.typed));
            QTest::keyClick(nameBox, Qt::Key_Return);
            shown->close();

            RecordingPort* port = nullptr;
            const std::unique_ptr<TForm1> reopened = Reopen(port);
            const std::string rootGrid = GridColumn(In<TextGrid>(*reopened, "StringGridAcorde"));
            EXPECT_EQ(rootGrid, row.rootGrid);
            const bool flat = rootGrid.find("Db") != std::string::npos;
            EXPECT_EQ(In<QToolButton>(*reopened, "SpeedButton6")->isChecked(), flat);
            EXPECT_EQ(In<QToolButton>(*reopened, "SpeedButton5")->isChecked(), !flat);
            const bool bassFlat
                = GridColumn(In<TextGrid>(*reopened, "StringGridBaixo")).find("Db") != std::string::npos;
            EXPECT_EQ(In<QToolButton>(*reopened, "SpeedButton9")->isChecked(), bassFlat);
        }
    }

    TEST_F(SettingsTest, RestoringSendsOnlyTheKeptPatchAndFirstStartIsTheStartUp)
    {
        // A file without values changes nothing, not even the MIDI sent.
        RecordingPort* port = nullptr;
        std::unique_ptr<TForm1> reopened = Reopen(port);
        EXPECT_EQ(port->text(), startupMidi);
        EXPECT_EQ(reopened->records().size(), window->records().size());

        {
            QSettings settings(path(), QSettings::IniFormat);
            settings.setValue(QStringLiteral("sound/patch"), 2);
            settings.setValue(QStringLiteral("options/leftHanded"), true);
        }
        reopened = Reopen(port);
        RecordingPort patchOnly;
        (void)ChangePatch(patchOnly, 2);
        EXPECT_EQ(port->text(), startupMidi + patchOnly.text());
        EXPECT_TRUE(In<QCheckBox>(*reopened, "CheckBoxCanhoto")->isChecked());
    }

    TEST_F(SettingsTest, RestoreDefaultsReturnsToTheStartUpAndEmptiesTheFile)
    {
        window->UseSettings(std::make_unique<QSettings>(path(), QSettings::IniFormat));
        const size_t startCount = window->records().size();
        const std::string startFirst = FirstRecordText(0);
        const std::vector<std::string> startNames = Names();
        Click("CheckBoxOmit5");
        Click("SpeedButton6");
        ClickRow(RootGrid(), 3);
        TypeName("Am7");
        QTest::mouseClick(Find<QToolButton>("SpeedButton11"), Qt::LeftButton);
        window->setSoundFontDialog([](QWidget*, const QString&) { return QStringLiteral("/music/own.sf2"); });
        Find<QAction>("SoundFont1")->trigger();
        EXPECT_EQ(window->chosenSoundFont(), "/music/own.sf2");
        window->close();
        EXPECT_EQ(KeptSoundFont(QSettings(path(), QSettings::IniFormat)), "/music/own.sf2");

        // Asked first, and told what is reset; a no changes nothing.
        QString asked;
        bool answer = false;
        window->setRestoreQuestion([&](QWidget*, const QString&, const QString& text) {
            asked = text;
            return answer;
        });
        Find<QAction>("RestoreDefaults1")->trigger();
        for (const char* named : { "tuning", "capo", "sound font", "last chord", "Progression" })
            EXPECT_TRUE(asked.contains(QLatin1StringView(named))) << named;
        EXPECT_FALSE(QSettings(path(), QSettings::IniFormat).allKeys().isEmpty());
        EXPECT_NE(Text("EditAcorde"), "C");
        EXPECT_TRUE(Find<QCheckBox>("CheckBoxOmit5")->isChecked());

        answer = true;
        Find<QAction>("RestoreDefaults1")->trigger();
        EXPECT_TRUE(QSettings(path(), QSettings::IniFormat).allKeys().isEmpty());
        ASSERT_EQ(window->records().size(), startCount);
        EXPECT_EQ(FirstRecordText(0), startFirst);
        EXPECT_EQ(Names(), startNames);
        EXPECT_EQ(Text("EditAcorde"), "C");
        EXPECT_FALSE(Find<QCheckBox>("CheckBoxOmit5")->isChecked());
        EXPECT_TRUE(Find<QToolButton>("SpeedButton5")->isChecked());
        EXPECT_TRUE(Find<QToolButton>("SpeedButton12")->isChecked());
        EXPECT_EQ(window->chosenSoundFont(), "");
        EXPECT_EQ(GridColumn(RootGrid()), "C C# D D# E F F# G G# A A# B");
    }

    TEST_F(SettingsTest, TheInstrumentAndItsTuningComeBackAndRestoreDefaultsLeavesThem)
    {
        window->UseSettings(std::make_unique<QSettings>(path(), QSettings::IniFormat));
        ASSERT_TRUE(window->ChooseInstrument("ukulele"));
        Find<QAction>("InstrumentTuning2")->trigger(); // Low G
        const size_t count = window->records().size();
        window->close();

        RecordingPort* port = nullptr;
        const std::unique_ptr<TForm1> reopened = Reopen(port);
        reopened->setRestoreQuestion([](QWidget*, const QString&, const QString&) { return true; });
        EXPECT_EQ(reopened->instrument().name, "ukulele");
        EXPECT_EQ(OpenStringsText(reopened->openStrings()), "G3 C4 E4 A4");
        EXPECT_EQ(In<QToolButton>(*reopened, "ToolButton5")->text().toStdString(), "Low G");
        EXPECT_EQ(In<QComboBox>(*reopened, "ComboBoxInstrument")->currentText().toStdString(), "Ukulele");
        EXPECT_TRUE(In<QSlider>(*reopened, "TrackBar5")->isHidden());
        EXPECT_EQ(reopened->records().size(), count);

        In<QAction>(*reopened, "RestoreDefaults1")->trigger();
        EXPECT_TRUE(reopened->instrument().tuningPresets);
        EXPECT_EQ(In<QToolButton>(*reopened, "ToolButton5")->text().toStdString(), "Standard Tuning");
        EXPECT_FALSE(In<QSlider>(*reopened, "TrackBar6")->isHidden());
        EXPECT_EQ(reopened->records().size(), 165u);
    }

    // The instrument is read by name; what does not fit falls back, the guitar for the instrument and
    // the instrument's own tuning for its strings.
    TEST(KeptSettings, AnInstrumentOutOfTheFileFallsBackWhereItDoesNotFit)
    {
        const struct {
            const char* name;
            const char* instrument;
            const char* strings;
            const char* readInstrument;
            const char* readStrings;
        } rows[] = {
            { "kept as written", "mandolin", "A3 D4 A4 E5", "mandolin", "A3 D4 A4 E5" },
            { "a caption is a name", "Baritone ukulele", "D3 G3 B3 E4", "baritone-ukulele", "D3 G3 B3 E4" },
            { "an unknown instrument is the guitar", "banjo", "G4 D3 G3 B3 D4", "guitar", "" },
            { "too few strings give the own tuning", "ukulele", "G4 C4 E4", "ukulele", "G4 C4 E4 A4" },
            { "a bad note gives the own tuning", "ukulele", "G4 C4 E4 Q4", "ukulele", "G4 C4 E4 A4" },
        };
        const QTemporaryDir directory;
        KeptState defaults;
        for (const auto& row : rows) {
            SCOPED_TRACE(row.name);
            QSettings settings(directory.filePath(QStringLiteral("kept.ini")), QSettings::IniFormat);
            settings.clear();
            settings.setValue(QStringLiteral("instrument/name"), QString::fromLatin1(row.instrument));
            settings.setValue(QStringLiteral("instrument/strings"), QString::fromLatin1(row.strings));
            const KeptState read = ReadKept(settings, defaults, KeptLimits {});
            EXPECT_EQ(read.instrument, row.readInstrument);
            EXPECT_EQ(read.instrumentStrings.count ? OpenStringsText(read.instrumentStrings) : "", row.readStrings);
            EXPECT_EQ(read.tuning, defaults.tuning);
        }
    }

    // Each bad value is passed over on its own; the good ones beside it are still read.
    TEST(KeptSettings, ABadValueKeepsItsDefaultAndSparesTheOthers)
    {
        const struct {
            const char* key;
            QVariant bad;
        } rows[] = {
            { "options/upToFret", 4 },
            { "options/omit3", QStringLiteral("yes") },
            { "options/capo", 12 },
            { "sound/patch", QStringLiteral("2.5") },
            { "sound/tempo", QStringList { QStringLiteral("1"), QStringLiteral("2") } },
            { "tuning/preset", -1 },
            { "tuning/strings", QStringLiteral("0 1 2 3 4 12") },
            { "chord/root", 13 },
            { "chord/checked", QStringLiteral("101") },
            { "chord/intervals", QStringLiteral("00 04 zz") },
            { "window/sheetSplitter", QStringLiteral("400") },
        };
        const QTemporaryDir directory;
        KeptState defaults;
        defaults.capo = 0;
        for (const auto& row : rows) {
            SCOPED_TRACE(row.key);
            QSettings settings(directory.filePath(QStringLiteral("kept.ini")), QSettings::IniFormat);
            settings.clear();
            KeptState changed = defaults;
            changed.tempo = 4;
            changed.capo = 3;
            changed.selection.editText = "Dm";
            changed.sheetSplitter = { 400, 220 };
            WriteKept(settings, changed);
            settings.setValue(QString::fromLatin1(row.key), row.bad);
            const KeptState read = ReadKept(settings, defaults, KeptLimits {});
            const std::string key = row.key;
            EXPECT_EQ(read.fretLimitItem, defaults.fretLimitItem);
            EXPECT_EQ(read.omit3, defaults.omit3);
            EXPECT_EQ(read.patch, defaults.patch);
            EXPECT_EQ(read.presetTag, defaults.presetTag);
            EXPECT_EQ(read.tuning, defaults.tuning);
            EXPECT_EQ(read.capo, key == "options/capo" ? defaults.capo : changed.capo);
            EXPECT_EQ(read.tempo, key == "sound/tempo" ? defaults.tempo : changed.tempo);
            // The chord goes whole or not at all.
            const bool chordSpoilt = key.starts_with("chord/");
            EXPECT_EQ(read.selection.editText, chordSpoilt ? "C" : "Dm");
            EXPECT_EQ(
                read.sheetSplitter, key == "window/sheetSplitter" ? defaults.sheetSplitter : changed.sheetSplitter);
        }
    }

} // namespace
} // namespace corvane::test
