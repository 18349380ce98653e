#pragma once
// A main window as the user meets it, on a recording MIDI port so that no audio is involved.

#include "app/main_window.h"
#include "gui_test_support.h"
#include "sound/recording_port.h"
#include "toolkit/canvas_image.h"
#include "toolkit/check_list.h"
#include "toolkit/choice_box.h"
#include "toolkit/result_sheet.h"
#include "toolkit/text_grid.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace corvane::test {

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest()
    {
        window = std::make_unique<TForm1>([this](int device) {
            openedDevice = device;
            auto port = std::make_unique<RecordingPort>();
            midi = port.get();
            return port;
        });
        window->resize(1000, 700);
        ShowAndWait(window.get());
        // What start-up sent is kept apart, so that each test sees only what its own actions send.
        startupMidi = midi->text();
        midi->clear();
    }

    template <typename T> T* Find(const char* name) const
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << "no control " << name;
        return found;
    }

    TextGrid* RootGrid() const { return Find<TextGrid>("StringGridAcorde"); }
    TextGrid* BassGrid() const { return Find<TextGrid>("StringGridBaixo"); }
    TextGrid* TypeList() const { return Find<TextGrid>("StringGrid1"); }
    CheckList* Extensions() const { return Find<CheckList>("CheckListBox1"); }
    ResultSheet* Sheet() const { return Find<ResultSheet>("Image1"); }
    QScrollArea* ScrollBox() const { return Find<QScrollArea>("ScrollBoxViolao"); }

    std::string Text(const char* lineEdit) const { return Find<QLineEdit>(lineEdit)->text().toStdString(); }
    std::string Label(const char* label) const { return Find<QLabel>(label)->text().toStdString(); }
    int Total() const { return Find<QLabel>("LabelTotal")->text().toInt(); }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        const QListWidget* list = Find<QListWidget>("ListBox1");
        for (int i = 0; i < list->count(); ++i)
            names.push_back(list->item(i)->text().toStdString());
        return names;
    }

    std::string GridColumn(const TextGrid* grid) const
    {
        QStringList texts;
        for (int row = 0; row < grid->rowCount(); ++row)
            texts << grid->text(row, 0);
        return texts.join(QLatin1Char(' ')).toStdString();
    }

    void Click(const char* button) { QTest::mouseClick(Find<QAbstractButton>(button), Qt::LeftButton); }

    void ClickSheet(QPoint at, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(Sheet(), button, {}, at); }

    // Types a chord name into the name box and presses Enter.
    void TypeName(const char* name)
    {
        QLineEdit* box = Find<QLineEdit>("EditAcorde");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::fromUtf8(name));
        QTest::keyClick(box, Qt::Key_Return);
    }

    std::string FirstRecordText(int index) const
    {
        return std::string(window->records().at(static_cast<size_t>(index)).VoicingPart());
    }

    std::unique_ptr<TForm1> window;
    RecordingPort* midi = nullptr;
    std::string startupMidi;
    int openedDevice = -1;
};

} // namespace corvane::test
