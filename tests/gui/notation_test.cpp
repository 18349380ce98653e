// The window's chord names: View > Chord names writes the names list in the chosen notation, the
// name box reads that notation first, and the status bar says when two readings of a name differ.

#include "main_window_fixture.h"

#include "windows/chord_strip.h"
#include "windows/progression_window.h"
#include "windows/song_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextEdit>

namespace corvane::test {
namespace {

    class NotationTest : public MainWindowTest {
    protected:
        void Choose(const char* word)
        {
            auto* names = Find<QMenu>("ChordNames1");
            for (QAction* item : names->actions())
                if (item->objectName() == QStringLiteral("ChordNames_%1").arg(QLatin1String(word)))
                    item->trigger();
        }
        std::string Problem() const { return Label("LabelNameProblem"); }
        bool SheetHolds(int pitchClass) const
        {
            const std::string list = " " + window->noteList() + " ";
            return list.find(" " + std::to_string(pitchClass) + " ") != std::string::npos;
        }
    };

    TEST_F(NotationTest, TheNamesListInGermanAndTheMenuMarksTheChoice)
    {
        TypeName("Bm");
        ASSERT_EQ(Names().front(), "Bm");
        Choose("german");
        EXPECT_EQ(window->notation(), Notation::German);
        EXPECT_EQ(Names().front(), "Hm");
        const auto minor = Names();
        EXPECT_NE(std::find(minor.begin(), minor.end(), "D6(no5)/H"), minor.end());
        TypeName("H7");
        EXPECT_EQ(window->selection().rootIndex, 11);
        // The list keeps its order (A's name of these notes comes first), each root named once.
        const auto seventh = Names();
        EXPECT_NE(std::find(seventh.begin(), seventh.end(), "H7"), seventh.end());
        TypeName("B");
        EXPECT_EQ(window->selection().rootIndex, 10) << "German B is B flat";
        EXPECT_EQ(Names().front(), "B");
        // The diagrams' titles are written in the notation too.
        TypeName("Hm7");
        EXPECT_EQ(Sheet()->chordName().toStdString(), "Hm7");
        TypeName("Bm7");
        EXPECT_EQ(Sheet()->chordName().toStdString(), "Bm7") << "B flat minor";
        EXPECT_EQ(window->selection().rootIndex, 10);
        Choose("parts");
        EXPECT_EQ(Names().front(), "Ab/add2/4/6/Bb (no3) (no5)") << "the list's own order and spelling";
        EXPECT_EQ(Sheet()->chordName(), Find<QLineEdit>("EditAcorde")->text()) << "the box's own words";
    }

    TEST_F(NotationTest, ALeadSheetReadsC9AsTheDominantNinth)
    {
        Choose("lead-sheet");
        TypeName("C9");
        EXPECT_TRUE(SheetHolds(10)) << window->noteList();
        const auto names = Names();
        EXPECT_NE(std::find(names.begin(), names.end(), "C9"), names.end());
        EXPECT_EQ(Problem(), "");
    }

    TEST_F(NotationTest, TwoReadingsThatDifferAreSaidAndOneClickSwitches)
    {
        TypeName("C9");
        EXPECT_FALSE(SheetHolds(10));
        EXPECT_EQ(
            Problem(), "C9 read as Cadd9 (C E G D); on a lead sheet C9 is C E G B\u266d D: use Lead-sheet names?");
        auto* button = Find<QToolButton>("ButtonUseLeadSheet");
        ASSERT_TRUE(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(window->notation(), Notation::LeadSheet);
        EXPECT_TRUE(SheetHolds(10)) << window->noteList();
        EXPECT_FALSE(button->isVisible());
        TypeName("Cm7");
        EXPECT_EQ(Problem(), "");
    }

    TEST_F(NotationTest, ANameWithNoNoteLeavesNoNamesAndSaysSoWhole)
    {
        TypeName("Qzz");
        EXPECT_TRUE(Names().empty());
        EXPECT_EQ(Total(), 0);
        const QString message = Find<QLabel>("LabelNameProblem")->toolTip();
        EXPECT_EQ(message.toStdString(), "Not understood: \"Qzz\" does not start with a note name");
    }

    // Frets played on the neck are named in the notation; the list's copy and "Find" follow it.
    TEST_F(NotationTest, NeckNamesFindAndCopyInTheNotation)
    {
        Choose("german");
        auto* frets = Find<QLineEdit>("Edit1");
        frets->setText(QStringLiteral("x24432"));
        QTest::keyClick(frets, Qt::Key_Return);
        auto* list = Find<QListWidget>("ListBox1");
        ASSERT_NE(list->currentItem(), nullptr);
        EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Hm"));
        const auto names = Names();
        EXPECT_EQ(std::count(names.begin(), names.end(), "Hm"), 1);
        list->selectAll();
        list->findChild<QAction*>(QStringLiteral("ListBox1Copy"))->trigger();
        EXPECT_TRUE(QApplication::clipboard()->text().split(QLatin1Char('\n')).contains(QStringLiteral("Hm")))
            << QApplication::clipboard()->text().toStdString();
        // "Find" searches B minor, not the German B (B flat).
        QTest::mouseClick(Find<QToolButton>("SpeedButtonFind"), Qt::LeftButton);
        EXPECT_EQ(window->selection().rootIndex, 11);
        EXPECT_EQ(Sheet()->chordName().toStdString(), "Hm");
    }

    std::vector<std::string> StripOf(const QWidget* owner)
    {
        std::vector<std::string> names;
        for (const QString& name : owner->findChild<ChordStrip*>()->names())
            names.push_back(name.toStdString());
        return names;
    }

    // The song window's strip and words follow the menu; the chords are still found by their letters.
    TEST_F(NotationTest, TheSongWindowNamesItsChordsInTheNotation)
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("song.cho"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{title: Blues in E}\n{key: E}\n[E]one [A]two [B7]three [Bb]four\n");
        file.close();
        ASSERT_TRUE(window->OpenSongFile(path));
        TFormSong* song = window->songWindow();
        ASSERT_NE(song, nullptr);
        EXPECT_EQ(StripOf(song), (std::vector<std::string> { "E", "A", "B7", "Bb" }));
        Choose("german");
        EXPECT_EQ(StripOf(song), (std::vector<std::string> { "E", "A", "H7", "B" }));
        const QString words = song->findChild<QTextEdit*>(QStringLiteral("TextLyrics"))->toPlainText();
        EXPECT_TRUE(words.contains(QStringLiteral("H7"))) << words.toStdString();
        EXPECT_FALSE(words.contains(QStringLiteral("B7"))) << words.toStdString();
        EXPECT_EQ(song->StripNames(), (std::vector<std::string> { "E", "A", "B7", "Bb" })) << "letters underneath";
        EXPECT_EQ(song->strip().at(2).frets.has_value(), true);
        Choose("latin");
        EXPECT_EQ(StripOf(song), (std::vector<std::string> { "Mi", "La", "Si7", "Si\u266d" }));
        // Numbers count from the song's key; the names list, which has none, reads as a lead sheet.
        Choose("nashville");
        EXPECT_EQ(StripOf(song), (std::vector<std::string> { "1", "4", "57", "#4" }));
        TypeName("C9");
        EXPECT_TRUE(SheetHolds(10)) << window->noteList();
        const auto names = Names();
        EXPECT_NE(std::find(names.begin(), names.end(), "C9"), names.end());
        Choose("roman");
        EXPECT_EQ(StripOf(song), (std::vector<std::string> { "I", "IV", "V7", "\u266fIV" }));
        Choose("parts");
        EXPECT_EQ(StripOf(song), (std::vector<std::string> { "E", "A", "B7", "Bb" }));
    }

    // The Progression window: numbers and numerals read from its key, names shown in the notation,
    // and a chord handed to the name box in its letters whatever the notation.
    TEST_F(NotationTest, TheProgressionWindowReadsNumbersFromItsKey)
    {
        window->findChild<QAction*>(QStringLiteral("Progression1"))->trigger();
        auto* progression = window->findChild<TFormProgression*>();
        ASSERT_NE(progression, nullptr);
        auto* key = progression->findChild<QLineEdit*>(QStringLiteral("EditKey"));
        ASSERT_NE(key, nullptr);
        auto* chords = progression->findChild<QPlainTextEdit*>(QStringLiteral("MemoChords"));
        const auto entries = [&] {
            std::vector<std::string> letters;
            for (const ProgressionEntry& entry : progression->entries())
                letters.push_back(entry.chord);
            return letters;
        };
        key->setText(QStringLiteral("G"));
        chords->setPlainText(QStringLiteral("1 5 6m 4"));
        EXPECT_EQ(entries(), (std::vector<std::string> { "G", "D", "Em", "C" }));
        EXPECT_EQ(StripOf(progression), (std::vector<std::string> { "G", "D", "Em", "C" }));
        key->setText(QStringLiteral("C"));
        chords->setPlainText(QStringLiteral("ii V I"));
        EXPECT_EQ(entries(), (std::vector<std::string> { "Dm", "G", "C" }));
        EXPECT_FALSE(progression->keyGuessed());

        // With no key the chords' own suggests one; letters are never read as numerals.
        key->clear();
        chords->setPlainText(QStringLiteral("E A B7 E"));
        ASSERT_TRUE(progression->key().has_value());
        EXPECT_TRUE(progression->keyGuessed());
        EXPECT_EQ(progression->key()->tonic, 4);
        EXPECT_EQ(key->placeholderText(), QStringLiteral("E (guessed)"));
        Choose("german");
        EXPECT_EQ(StripOf(progression), (std::vector<std::string> { "E", "A", "H7", "E" }));
        EXPECT_EQ(entries(), (std::vector<std::string> { "E", "A", "B7", "E" }));

        // "Other fingerings" of B7 shows B7 on the main sheet, not German B (B flat).
        auto* column = progression->findChild<QWidget*>(QStringLiteral("Chord2"));
        ASSERT_NE(column, nullptr);
        QTest::mouseClick(column->findChild<QToolButton*>(QStringLiteral("OtherFingerings")), Qt::LeftButton);
        EXPECT_EQ(window->selection().rootIndex, 11);

        key->setText(QStringLiteral("Xq"));
        EXPECT_GT(progression->findChild<QListWidget*>(QStringLiteral("ListProblems"))->count(), 0)
            << "an unknown key is said";
    }

} // namespace
} // namespace corvane::test
