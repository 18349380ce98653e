// The widget behaviours the handlers rely on, pinned on the real Qt widgets.

#include "gui_test_support.h"
#include "toolkit/application.h"
#include "toolkit/button_groups.h"
#include "toolkit/check_list.h"
#include "toolkit/choice_box.h"
#include "toolkit/text_grid.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <stdexcept>

namespace corvane {
namespace {

    using test::ClickCheck;
    using test::ClickRow;

    struct Window {
        QWidget widget;
        Window()
        {
            widget.resize(300, 300);
            test::ShowAndWait(&widget);
        }
    };

    void FillGrid(TextGrid& grid, int rows)
    {
        grid.setRowCount(rows);
        grid.setColumnCount(1);
        for (int row = 0; row < rows; ++row)
            grid.setText(row, 0, QString::number(row));
        grid.selectRowQuietly(0);
    }

    struct TextGridFixture : testing::Test {
        Window window;
        TextGrid* grid = new TextGrid(&window.widget);
        QSignalSpy selected { grid, &TextGrid::selectCell };
        TextGridFixture()
        {
            grid->setGeometry(0, 0, 60, 200);
            grid->show();
            FillGrid(*grid, 12);
        }
        int Highlighted() const
        {
            const QModelIndexList rows = grid->selectionModel()->selectedRows();
            return rows.size() == 1 ? rows.first().row() : -1;
        }
    };

    TEST_F(TextGridFixture, ReportsEveryClickOnARowAndTheProgramsMovesButNotAMoveToTheCurrentRow)
    {
        ClickRow(grid, 4);
        ASSERT_EQ(selected.count(), 1);
        EXPECT_EQ(selected.at(0).at(0).toInt(), 0);
        EXPECT_EQ(selected.at(0).at(1).toInt(), 4);

        grid->setCurrentCell(7, 0);
        ASSERT_EQ(selected.count(), 2);
        EXPECT_EQ(selected.at(1).at(1).toInt(), 7);
        grid->setCurrentCell(7, 0);
        EXPECT_EQ(selected.count(), 2);

        // The user's click on the row already highlighted is a pick like any other.
        ClickRow(grid, 7);
        ASSERT_EQ(selected.count(), 3);
        EXPECT_EQ(selected.at(2).at(1).toInt(), 7);

        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Down);
        ASSERT_EQ(selected.count(), 4);
        EXPECT_EQ(selected.at(3).at(1).toInt(), 8);

        grid->selectRowQuietly(2);
        EXPECT_EQ(selected.count(), 4);
        EXPECT_EQ(grid->currentRow(), 2);
        EXPECT_EQ(Highlighted(), 2);
    }

    TEST_F(TextGridFixture, AHandlerThatPutsTheSelectionBackHasTheLastWord)
    {
        // A handler that refuses row 5 by mouse, by keyboard or by a program's move.
        QObject::connect(grid, &TextGrid::selectCell, grid, [this](int, int row) {
            if (row == 5)
                grid->selectRowQuietly(3);
        });
        ClickRow(grid, 5);
        EXPECT_EQ(grid->currentRow(), 3);
        EXPECT_EQ(Highlighted(), 3);

        grid->setFocus();
        grid->selectRowQuietly(4);
        QTest::keyClick(grid, Qt::Key_Down);
        EXPECT_EQ(grid->currentRow(), 3);
        EXPECT_EQ(Highlighted(), 3);

        grid->setCurrentCell(5, 0);
        EXPECT_EQ(grid->currentRow(), 3);
        EXPECT_EQ(Highlighted(), 3);
        EXPECT_EQ(selected.count(), 3);
    }

    TEST(GuiTextGrid, EnabledFlagAndBackgroundColourGoTogether)
    {
        TextGrid grid;
        const QColor window = grid.palette().color(QPalette::Active, QPalette::Window);
        const QColor base = grid.palette().color(QPalette::Active, QPalette::Base);
        ASSERT_NE(window, base);

        grid.setEnabledWithColour(false);
        EXPECT_FALSE(grid.isEnabled());
        EXPECT_EQ(grid.palette().color(QPalette::Disabled, QPalette::Base), window);

        grid.setEnabledWithColour(true);
        EXPECT_TRUE(grid.isEnabled());
        EXPECT_EQ(grid.palette().color(QPalette::Active, QPalette::Base), base);
    }

    struct CheckListFixture : testing::Test {
        Window window;
        CheckList* list = new CheckList(&window.widget);
        CheckListFixture()
        {
            list->setGeometry(0, 0, 120, 280);
            list->setItemTexts({ QString(), QStringLiteral("m"), QStringLiteral("aug"), QStringLiteral("º") });
            list->show();
        }
    };

    TEST_F(CheckListFixture, ReportsAToggleByMouseOrSpaceBarAsTheCurrentItem)
    {
        QSignalSpy toggled(list, &CheckList::clickCheck);

        ClickCheck(list, 2);
        ASSERT_EQ(toggled.count(), 1);
        EXPECT_EQ(toggled.at(0).at(0).toInt(), 2);
        EXPECT_TRUE(list->isItemChecked(2));
        EXPECT_EQ(list->currentRow(), 2);

        list->setFocus();
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_Space);
        ASSERT_EQ(toggled.count(), 2);
        EXPECT_EQ(toggled.at(1).at(0).toInt(), 1);
        EXPECT_TRUE(list->isItemChecked(1));

        ClickCheck(list, 2);
        EXPECT_EQ(toggled.count(), 3);
        EXPECT_FALSE(list->isItemChecked(2));
    }

    TEST_F(CheckListFixture, CheckMarksAndGreyingSetByTheProgramReportNothing)
    {
        QSignalSpy toggled(list, &CheckList::clickCheck);
        list->setItemChecked(0, true);
        list->item(1)->setCheckState(Qt::Checked);
        list->setItemEnabled(2, false);
        list->setItemChecked(0, false);
        EXPECT_EQ(toggled.count(), 0);
        EXPECT_FALSE(list->isItemChecked(0));
        EXPECT_TRUE(list->isItemChecked(1));
    }

    TEST_F(CheckListFixture, WhatTheHandlerOfAToggleSetsByCodeReportsNothing)
    {
        // The handler checks, unchecks and greys other items; were that reported, it would run again
        // inside itself (it changes nothing on a second run, so that the count stays finite).
        int calls = 0;
        bool set = true;
        QObject::connect(list, &CheckList::clickCheck, list, [&](int) {
            if (++calls > 1)
                return;
            list->setItemChecked(1, set);
            list->setItemChecked(3, set);
            list->setItemEnabled(0, !set);
        });
        ClickCheck(list, 2);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(list->currentRow(), 2);
        EXPECT_TRUE(list->isItemChecked(1));
        EXPECT_FALSE(list->isItemEnabled(0));

        calls = 0;
        set = false;
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Space);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(list->currentRow(), 2);
        EXPECT_FALSE(list->isItemChecked(3));
        EXPECT_TRUE(list->isItemEnabled(0));
    }

    TEST_F(CheckListFixture, AGreyedItemCannotBeToggled)
    {
        QSignalSpy toggled(list, &CheckList::clickCheck);
        list->setItemEnabled(3, false);
        ClickCheck(list, 3);
        EXPECT_EQ(toggled.count(), 0);
        EXPECT_FALSE(list->isItemChecked(3));
        EXPECT_FALSE(list->isItemEnabled(3));

        list->setItemEnabled(3, true);
        ClickCheck(list, 3);
        EXPECT_EQ(toggled.count(), 1);
        EXPECT_TRUE(list->isItemChecked(3));
    }

    TEST(GuiChoiceBox, ReportsTheUsersPickButNotAnIndexSetByTheProgram)
    {
        Window window;
        auto* box = new ChoiceBox(&window.widget);
        box->addItems({ QStringLiteral("6"), QStringLiteral("12"), QStringLiteral("18"), QStringLiteral("24") });
        box->show();
        QSignalSpy changed(box, &ChoiceBox::changed);

        box->setCurrentIndex(2);
        EXPECT_EQ(changed.count(), 0);
        EXPECT_EQ(box->selectedValue(), 18);

        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        ASSERT_EQ(changed.count(), 1);
        EXPECT_EQ(changed.at(0).at(0).toInt(), 3);
        EXPECT_EQ(box->selectedValue(), 24);
    }

    TEST(GuiChoiceBox, AnEditableBoxTypedOverNeverGrowsAndTakesAnItemsText)
    {
        Window window;
        auto* box = new ChoiceBox(&window.widget);
        box->setEditable(true);
        box->addItems({ QStringLiteral("Nylon guitar"), QStringLiteral("Jazz guitar") });
        box->show();
        QSignalSpy changed(box, &ChoiceBox::changed);

        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), QStringLiteral("Banjo"));
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(box->count(), 2);
        EXPECT_EQ(changed.count(), 0);
        EXPECT_EQ(box->currentIndex(), 0);

        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), QStringLiteral("Jazz guitar"));
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(box->count(), 2);
        ASSERT_EQ(changed.count(), 1);
        EXPECT_EQ(changed.at(0).at(0).toInt(), 1);
    }

    TEST(GuiTrackBar, ReportsAMoveToANewValueAlsoFromTheProgramButNotToTheSameValue)
    {
        QSlider bar(Qt::Vertical);
        bar.setRange(0, 11);
        bar.setValue(4);
        QSignalSpy moved(&bar, &QSlider::valueChanged);

        bar.setValue(4);
        EXPECT_EQ(moved.count(), 0);
        bar.setValue(9);
        ASSERT_EQ(moved.count(), 1);
        EXPECT_EQ(moved.at(0).at(0).toInt(), 9);
        bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(moved.count(), 2);
        EXPECT_EQ(bar.value(), 10);
    }

    TEST(GuiButtonGroups, ExactlyOneButtonOfAGroupIsDown)
    {
        Window window;
        auto* sharp = new QToolButton(&window.widget);
        auto* flat = new QToolButton(&window.widget);
        flat->move(30, 0);
        sharp->show();
        flat->show();
        MakeExclusiveGroup(&window.widget, { sharp, flat }, sharp);
        EXPECT_TRUE(sharp->isChecked());
        EXPECT_FALSE(flat->isChecked());
        EXPECT_TRUE(sharp->autoRaise());

        QSignalSpy sharpClicked(sharp, &QToolButton::clicked);
        QTest::mouseClick(sharp, Qt::LeftButton);
        EXPECT_EQ(sharpClicked.count(), 1);
        EXPECT_TRUE(sharp->isChecked());

        QTest::mouseClick(flat, Qt::LeftButton);
        EXPECT_TRUE(flat->isChecked());
        EXPECT_FALSE(sharp->isChecked());

        // Pressed by the program, a button reports no click.
        QSignalSpy flatClicked(flat, &QToolButton::clicked);
        sharp->setChecked(true);
        flat->setChecked(true);
        EXPECT_EQ(sharpClicked.count(), 1);
        EXPECT_EQ(flatClicked.count(), 0);
    }

    TEST(GuiCheckBox, ReportsTheUsersClickButNotAStateSetByTheProgram)
    {
        Window window;
        auto* box = new QCheckBox(QStringLiteral("(omit3)"), &window.widget);
        box->show();
        QSignalSpy clicked(box, &QCheckBox::clicked);
        box->setChecked(true);
        EXPECT_EQ(clicked.count(), 0);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        EXPECT_EQ(clicked.count(), 1);
        EXPECT_FALSE(box->isChecked());
    }

    TEST(GuiButtonGroups, TheDropDownButtonShowsItsCaptionAndReportsAClickOnItsFace)
    {
        Window window;
        auto* menu = new QMenu(&window.widget);
        menu->addAction(QStringLiteral("Drop D"));
        auto* button = new QToolButton(&window.widget);
        MakeDropDownButton(button, menu, QStringLiteral("Standard Tuning"), QIcon());
        button->setGeometry(0, 0, 137, 24);
        button->show();

        EXPECT_EQ(button->text(), QStringLiteral("Standard Tuning"));
        EXPECT_EQ(button->menu(), menu);
        EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup);
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);

        QSignalSpy clicked(button, &QToolButton::clicked);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 12));
        EXPECT_EQ(clicked.count(), 1);
        EXPECT_FALSE(menu->isVisible());
    }

    TEST(GuiApplication, AnExceptionEscapingAHandlerIsReportedAndTheLoopGoesOn)
    {
        test::ReportedExceptions().clear();
        bool later = false;
        QTimer::singleShot(0, qApp, [] { throw std::runtime_error("the chord could not be read"); });
        QTimer::singleShot(0, qApp, [] { throw 42; });
        QTimer::singleShot(0, qApp, [&later] { later = true; });
        QTest::qWait(20);
        ASSERT_EQ(test::ReportedExceptions().size(), 2);
        EXPECT_EQ(test::ReportedExceptions().at(0), QStringLiteral("the chord could not be read"));
        EXPECT_EQ(test::ReportedExceptions().at(1), QString());
        EXPECT_TRUE(later);
    }

} // namespace
} // namespace corvane
