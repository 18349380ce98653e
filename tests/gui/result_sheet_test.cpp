// The result sheet: its geometry, which cells a paint draws, what the painted pixels are, and the
// release of any mouse button.

#include "drawing/chord_diagram.h"
#include "drawing/qt/picture_store.h"
#include "drawing/qt/qt_canvas.h"
#include "drawing/recording_canvas.h"
#include "gui_test_support.h"
#include "toolkit/result_sheet.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

    const Voicing kOpenC { 99, 3, 2, 0, 1, 0 };
    const Voicing kBarreF { -1, 3, 3, 2, 1, 1 };

    std::vector<Voicing> Diagrams(int count)
    {
        std::vector<Voicing> diagrams;
        for (int i = 0; i < count; ++i)
            diagrams.push_back(i % 2 ? kBarreF : kOpenC);
        return diagrams;
    }

    struct SheetFixture : testing::Test {
        PictureStore pictures { 1.0 };
        ResultSheet sheet;
        SheetFixture() { sheet.setPictures(&pictures); }

        QImage Painted()
        {
            QImage image(sheet.size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::red);
            sheet.render(&image);
            return image;
        }

        // One diagram drawn straight through the canvas on a white cell, as the sheet should draw it.
        QImage Reference(const Voicing& voicing, int mode, bool leftHanded)
        {
            QImage image(100, 130, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setFont(sheet.font());
            painter.setBackground(Qt::white);
            painter.setPen(Qt::black);
            QtCanvas canvas(painter, pictures);
            DrawChordDiagram(canvas, voicing, 0, 0, mode, leftHanded);
            return image;
        }

        QImage Reference(const Frets& frets, int mode)
        {
            QImage image(100, 130, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setFont(sheet.font());
            painter.setBackground(Qt::white);
            painter.setPen(Qt::black);
            QtCanvas canvas(painter, pictures);
            DrawStringsDiagram(canvas, frets, 0, 0, mode, false);
            return image;
        }
    };

    TEST_F(SheetFixture, TakesTheWidthAndTheHeightOfTheSheetGeometry)
    {
        struct Row {
            const char* name;
            int count;
            int width;
            QSize size;
        };
        const Row rows[] = {
            { "seven results on six columns", 7, 650, QSize(650, 390) },
            { "six results fill one row and still add one", 6, 650, QSize(650, 390) },
            { "no result", 0, 650, QSize(650, 260) },
            { "narrower than a cell: one column", 3, 60, QSize(60, 3 * 130 + 260) },
            { "no width at all: one column", 2, 0, QSize(0, 2 * 130 + 260) },
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            sheet.showDiagrams(Diagrams(row.count), row.width);
            EXPECT_EQ(sheet.size(), row.size);
            EXPECT_EQ(sheet.count(), row.count);
            EXPECT_EQ(sheet.selectedCell(), -1);
        }
        sheet.clearDiagrams();
        EXPECT_EQ(sheet.count(), 0);
        EXPECT_EQ(sheet.height(), 0);
    }

    TEST_F(SheetFixture, APaintDrawsOnlyTheCellsInTheAreaAskedFor)
    {
        sheet.showDiagrams(Diagrams(5000), 650); // six columns
        RecordingCanvas recording;
        // Rows 10 and 11, and one pixel of row 12; the last column is only partly inside.
        sheet.drawArea(recording, QRect(0, 1300, 560, 261));
        std::vector<std::pair<int, int>> grids;
        for (const auto& call : recording.calls())
            if (!call.isText && (call.picture == Picture::DiagramGrid || call.picture == Picture::SelectedGrid))
                grids.emplace_back(call.x - 24, call.y - 3);
        ASSERT_EQ(grids.size(), 18u);
        EXPECT_EQ(grids.front(), std::make_pair(0, 1300));
        EXPECT_EQ(grids.at(5), std::make_pair(500, 1300));
        EXPECT_EQ(grids.back(), std::make_pair(500, 1560));

        recording.clear();
        sheet.showDiagrams(Diagrams(8), 650);
        sheet.drawArea(recording, QRect(0, 0, 650, 2000));
        int cells = 0;
        for (const auto& call : recording.calls())
            cells += !call.isText && call.picture == Picture::DiagramGrid;
        EXPECT_EQ(cells, 8) << "cells past the last result are left blank";
    }

    TEST_F(SheetFixture, TheBarreExampleIsDrawnInItsCellWithTheRecordedPictures)
    {
        sheet.showDiagrams({ kOpenC, kOpenC, kBarreF }, 650);
        RecordingCanvas recording;
        sheet.drawArea(recording, sheet.cellRect(2));
        const std::string expected = "picture omin1 221 91\n"
                                     "picture omin2 232 91\n"
                                     "picture omin2 243 91\n"
                                     "picture omin2 254 91\n"
                                     "picture omin2 265 91\n"
                                     "picture omin2 276 91\n"
                                     "picture braco 224 3\n"
                                     "text 210 3 \"1\"\n"
                                     "picture dedo6 218 11\n"
                                     "picture dedo6 229 11\n"
                                     "picture dedo6 240 11\n"
                                     "picture dedo6 251 11\n"
                                     "picture dedo6 262 11\n"
                                     "picture dedo6 273 11\n"
                                     "picture dedo2 254 27\n"
                                     "picture dedo3 232 43\n"
                                     "picture dedo4 243 43\n";
        EXPECT_EQ(recording.text(), expected);
    }

    TEST_F(SheetFixture, PaintedCellsAreTheDiagramsInNormalSelectedAndMirroredForm)
    {
        sheet.showDiagrams({ kOpenC, kBarreF, kOpenC, kBarreF }, 250); // two columns
        const auto cell = [&](const QImage& painted, int index) { return painted.copy(sheet.cellRect(index)); };

        QImage painted = Painted();
        EXPECT_EQ(cell(painted, 1), Reference(kBarreF, kDiagramNormal, false));
        EXPECT_EQ(cell(painted, 2), Reference(kOpenC, kDiagramNormal, false));
        // The strip right of the last whole column stays white.
        EXPECT_EQ(painted.pixelColor(220, 60), QColor(Qt::white));
        // The disc of finger 2 of the barre chord, in the second cell.
        EXPECT_EQ(painted.pixelColor(100 + 54 + 4, 27 + 4), Reference(kBarreF, 1, false).pixelColor(58, 31));
        EXPECT_LT(painted.pixelColor(100 + 54 + 1, 27 + 4).lightness(), 100);

        sheet.selectCell(1);
        painted = Painted();
        EXPECT_EQ(cell(painted, 1), Reference(kBarreF, kDiagramSelected, false));
        EXPECT_NE(cell(painted, 1), Reference(kBarreF, kDiagramNormal, false));

        sheet.selectCell(3);
        painted = Painted();
        EXPECT_EQ(cell(painted, 1), Reference(kBarreF, kDiagramNormal, false)) << "the previous cell is normal again";
        EXPECT_EQ(cell(painted, 3), Reference(kBarreF, kDiagramSelected, false));

        sheet.setLeftHanded(true);
        painted = Painted();
        EXPECT_EQ(cell(painted, 0), Reference(kOpenC, kDiagramNormal, true));
        EXPECT_EQ(cell(painted, 3), Reference(kBarreF, kDiagramSelected, true));
        EXPECT_NE(cell(painted, 0), Reference(kOpenC, kDiagramNormal, false));

        sheet.showDiagrams({ kOpenC }, 250);
        EXPECT_EQ(sheet.selectedCell(), -1) << "a new result list has no cell selected";
    }

    TEST_F(SheetFixture, ReportsTheCellUnderTheReleaseOfAnyMouseButton)
    {
        sheet.showDiagrams(Diagrams(14), 650); // six columns, two results on the third row
        test::ShowAndWait(&sheet);
        QSignalSpy clicked(&sheet, &ResultSheet::cellClicked);
        QTest::mouseClick(&sheet, Qt::LeftButton, {}, QPoint(150, 40));
        QTest::mouseClick(&sheet, Qt::RightButton, {}, QPoint(595, 140));
        QTest::mouseClick(&sheet, Qt::MiddleButton, {}, QPoint(1, 1));
        // The last five pixels of the last column, the strip past it and a cell with no result.
        QTest::mouseClick(&sheet, Qt::LeftButton, {}, QPoint(596, 40));
        QTest::mouseClick(&sheet, Qt::LeftButton, {}, QPoint(630, 40));
        QTest::mouseClick(&sheet, Qt::LeftButton, {}, QPoint(250, 270));
        ASSERT_EQ(clicked.count(), 3);
        EXPECT_EQ(clicked.at(0).at(0).toInt(), 1);
        EXPECT_EQ(clicked.at(0).at(1).toPoint(), QPoint(150, 40));
        EXPECT_EQ(clicked.at(1).at(0).toInt(), 11);
        EXPECT_EQ(clicked.at(1).at(1).toPoint(), QPoint(595, 140));
        EXPECT_EQ(clicked.at(2).at(0).toInt(), 0);
    }

    // Another instrument's sheet is the same control with its own drawing: the cells paint the
    // N-string diagrams, report their clicks and read out every string.
    TEST_F(SheetFixture, AUkuleleSheetPaintsItsCellsAndReportsTheirClicks)
    {
        const Frets ukuleleC { 4, { 0, 0, 0, 3 } };
        const Frets ukuleleF { 4, { 2, 0, 1, 0 } };
        sheet.showDiagrams({ ukuleleC, ukuleleF, ukuleleC }, 250);
        sheet.setChordName(QStringLiteral("C"));
        EXPECT_EQ(sheet.openStrings().count, 0)
            << "no open strings given: the bass is marked under the first string sounding";
        ASSERT_EQ(sheet.count(), 3);
        EXPECT_EQ(sheet.diagram(1), ukuleleF);
        EXPECT_EQ(sheet.cellText(0), QStringLiteral("0 0 0 3, base fret 1, fingers 1, open C"));
        sheet.selectCell(1);
        const QImage painted = Painted();
        EXPECT_EQ(painted.copy(sheet.cellRect(0)), Reference(ukuleleC, kDiagramNormal));
        EXPECT_EQ(painted.copy(sheet.cellRect(1)), Reference(ukuleleF, kDiagramSelected));

        test::ShowAndWait(&sheet);
        QSignalSpy clicked(&sheet, &ResultSheet::cellClicked);
        QTest::mouseClick(&sheet, Qt::LeftButton, {}, QPoint(40, 170));
        ASSERT_EQ(clicked.count(), 1);
        EXPECT_EQ(clicked.at(0).at(0).toInt(), 2);

        const OpenStrings ukulele { 4, { 67, 60, 64, 69 } };
        sheet.showDiagrams({ ukuleleC }, 250, ukulele);
        EXPECT_GT(sheet.openStrings().count, 0);
        EXPECT_EQ(sheet.openStrings(), ukulele);
        sheet.showDiagrams({ kOpenC }, 250);
        EXPECT_EQ(sheet.openStrings().count, 0);
        EXPECT_EQ(sheet.count(), 1);
        EXPECT_EQ(sheet.diagram(0), FretsOfVoicing(kOpenC));
    }

} // namespace
} // namespace corvane
