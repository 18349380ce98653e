#include "drawing/qt/qt_canvas.h"

#include "drawing/chord_diagram.h"
#include "drawing/neck_view.h"
#include "drawing/qt/picture_store.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

    const Voicing kBarreChord { -1, 3, 3, 2, 1, 1 };

    QImage PaintCell(const PictureStore& store, int mode, int times = 1)
    {
        const qreal ratio = store.devicePixelRatio();
        QImage image(QSize(100, 130) * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        QPainter painter(&image);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        painter.setFont(font);
        QtCanvas canvas(painter, store);
        for (int i = 0; i < times; ++i)
            DrawChordDiagram(canvas, kBarreChord, 0, 0, mode, false);
        return image;
    }

    int Lightness(const QImage& image, int x, int y) { return image.pixelColor(x, y).lightness(); }

    std::string At(int x, int y) { return "at " + std::to_string(x) + "," + std::to_string(y); }

    struct Probe {
        const char* what;
        int x;
        int y;
        bool dark;
    };

    // Logical pixels of the barre chord drawn in a cell at (0, 0).
    const Probe kCellProbes[] = {
        { "dedo2 disc at 54,27", 55, 31, true },
        { "digit inside dedo2", 57, 29, false },
        { "dedo3 disc at 32,43", 33, 47, true },
        { "dedo4 disc at 43,43", 44, 47, true },
        { "left end of the barre", 19, 12, true },
        { "right end of the barre", 86, 13, true },
        { "below the barre", 30, 16, false },
        { "no disc on string 4 at fret 2", 70, 31, false },
        { "grid string line of column 5", 79, 60, true },
        { "right of the grid", 82, 60, false },
        { "bass dot", 24, 94, true },
        { "inside a ring", 35, 94, false },
        { "below the marks", 50, 110, false },
    };

    TEST(QtCanvas, PaintsTheDiagramWherePlaced)
    {
        const PictureStore store(1.0);
        const QImage image = PaintCell(store, kDiagramNormal);
        for (const Probe& probe : kCellProbes) {
            const int lightness = Lightness(image, probe.x, probe.y);
            if (probe.dark) {
                EXPECT_LT(lightness, 90) << probe.what << ' ' << At(probe.x, probe.y);
            } else {
                EXPECT_GT(lightness, 200) << probe.what << ' ' << At(probe.x, probe.y);
            }
        }
        int inkInTextBox = 0;
        for (int y = 3; y < 17; ++y) {
            for (int x = 10; x < 18; ++x)
                inkInTextBox += Lightness(image, x, y) < 128 ? 1 : 0;
        }
        EXPECT_GT(inkInTextBox, 3) << "fret number 1 at 10,3";
        for (int x = 0; x < 100; ++x)
            EXPECT_GT(Lightness(image, x, 1), 200) << "nothing above the grid " << At(x, 1);
    }

    TEST(QtCanvas, SelectedModeShowsTheCreamGridUnderTheDiscs)
    {
        const PictureStore store(1.0);
        const QImage image = PaintCell(store, kDiagramSelected);
        const QColor grid = image.pixelColor(29, 60);
        EXPECT_GT(grid.red() - grid.blue(), 30);
        // The disc's corner pixel shows the cream, not a white square.
        const QColor corner = image.pixelColor(54, 27);
        EXPECT_GT(corner.red() - corner.blue(), 20);
    }

    TEST(QtCanvas, DrawingACellAgainGivesTheSamePixels)
    {
        const PictureStore store(1.0);
        EXPECT_EQ(PaintCell(store, kDiagramNormal, 1), PaintCell(store, kDiagramNormal, 3));
    }

    TEST(QtCanvas, HighDensityKeepsLogicalPlacement)
    {
        const PictureStore store(2.0);
        const QImage image = PaintCell(store, kDiagramNormal);
        ASSERT_EQ(image.size(), QSize(200, 260));
        EXPECT_LT(Lightness(image, 2 * 55 + 1, 2 * 31), 90) << "dedo2 disc";
        EXPECT_LT(Lightness(image, 2 * 79 + 1, 2 * 60), 90) << "string line of column 5, two device pixels wide";
        EXPECT_GT(Lightness(image, 2 * 82, 2 * 60), 200) << "right of the grid";
    }

    TEST(QtCanvas, NeckMarksLandOnTheirStrings)
    {
        const PictureStore store(1.0);
        QImage image(625, 89, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        QtCanvas canvas(painter, store);
        DrawNeck(canvas, { 0, 99, 99, 99, 99, 3 }, NeckPicture::Classic);
        painter.end();
        const QColor open = image.pixelColor(5, kNeckStringY[0]);
        EXPECT_GT(open.blue(), open.red() + 80) << "d0 on the nut, lowest string at the bottom";
        const QColor finger = image.pixelColor(NeckMarkLeft(3) + 2, kNeckStringY[5]);
        EXPECT_GT(finger.blue(), finger.red() + 80) << "d1 at fret 3 on the top string";
        const QColor bare = image.pixelColor(NeckMarkLeft(3) + 2, kNeckStringY[0]);
        EXPECT_LT(bare.blue(), bare.red() + 40) << "nothing at fret 3 on the lowest string";
    }

} // namespace
} // namespace corvane
