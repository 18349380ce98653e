#include "drawing/qt/picture_store.h"

#include "drawing/neck_view.h"

#include <QColor>

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

    const PictureStore& Store()
    {
        static const PictureStore store(1.0);
        return store;
    }

    int Lightness(const QImage& image, int x, int y) { return image.pixelColor(x, y).lightness(); }

    std::string At(int x, int y) { return "at " + std::to_string(x) + "," + std::to_string(y); }

    TEST(PictureStore, RendersEveryPictureAtItsSizeAndRatio)
    {
        const PictureStore hiDpi(2.0);
        ASSERT_TRUE(Store().complete());
        ASSERT_TRUE(hiDpi.complete());
        for (const PictureInfo& info : kPictureTable) {
            SCOPED_TRACE(std::string(info.name));
            EXPECT_EQ(Store().image(info.picture).size(), QSize(info.width, info.height));
            EXPECT_EQ(hiDpi.image(info.picture).size(), QSize(info.width, info.height) * 2);
            EXPECT_EQ(hiDpi.image(info.picture).deviceIndependentSize(), QSizeF(info.width, info.height));
        }
        for (Artwork artwork : { Artwork::Banner, Artwork::Logo, Artwork::Tuning, Artwork::Magnifier }) {
            SCOPED_TRACE(PictureStore::resourcePath(artwork).toStdString());
            EXPECT_EQ(hiDpi.image(artwork).deviceIndependentSize(), QSizeF(PictureStore::logicalSize(artwork)));
        }
        EXPECT_FALSE(PictureStore::applicationIcon().isNull());
    }

    TEST(PictureStore, DiagramGridHasLinesWhereTheDrawingExpectsThem)
    {
        for (Picture grid : { Picture::DiagramGrid, Picture::SelectedGrid }) {
            const QImage& image = Store().image(grid);
            SCOPED_TRACE(std::string(InfoOf(grid).name));
            const QColor background = image.pixelColor(5, 10);
            EXPECT_GT(background.lightness(), 220);
            if (grid == Picture::SelectedGrid) {
                EXPECT_GT(background.red() - background.blue(), 30) << "selected grid should be cream";
            } else {
                EXPECT_EQ(background, QColor(Qt::white));
            }
            for (int y : { 1, 10, 40, 75 }) {
                for (int string = 0; string < 6; ++string) {
                    EXPECT_LT(Lightness(image, 11 * string, y), 80) << At(11 * string, y);
                    if (string < 5 && y > 2) {
                        EXPECT_GT(Lightness(image, 11 * string + 5, y), 220) << At(11 * string + 5, y);
                    }
                }
            }
            for (int y : { 0, 2, 18, 34, 50, 66, 82 })
                EXPECT_LT(Lightness(image, 5, y), 100) << At(5, y);
            for (int y : { 3, 17, 19, 81 })
                EXPECT_GT(Lightness(image, 5, y), 220) << At(5, y);
        }
    }

    TEST(PictureStore, NecksFollowTheSharedGeometry)
    {
        for (NeckPicture neck : { NeckPicture::Classic, NeckPicture::Electric, NeckPicture::Brown }) {
            const QImage& image = Store().image(NeckPictureImage(neck));
            SCOPED_TRACE(std::string(InfoOf(NeckPictureImage(neck)).name));
            const int board = Lightness(image, 30, 13);
            EXPECT_GT(Lightness(image, 4, 40), board + 80) << "nut";
            // Wires: probed on a row clear of strings and dots.
            for (int x : kNeckWireX)
                EXPECT_GT(Lightness(image, x, 13), board + 80) << At(x, 13);
            for (int s = 0; s < kStrings; ++s) {
                const int y = kNeckStringY[s];
                const QColor string = image.pixelColor(30, y);
                EXPECT_GT(string.lightness(), board + 50) << At(30, y);
                const bool bronze = neck == NeckPicture::Electric && s <= 2;
                EXPECT_EQ(string.red() - string.blue() > 60, bronze) << At(30, y);
            }
            for (int space : kNeckDotSpaces) {
                const int x = (kNeckWireX[space - 2] + kNeckWireX[space - 1]) / 2 + 1;
                EXPECT_GT(Lightness(image, x, kNeckDotY), board + 80) << "dot " << At(x, kNeckDotY);
                EXPECT_LT(Lightness(image, x, kNeckPairY[0]), board + 30) << "no pair " << At(x, kNeckPairY[0]);
            }
            for (int space : kNeckPairSpaces) {
                const int x = (kNeckWireX[space - 2] + kNeckWireX[space - 1]) / 2 + 1;
                for (int y : kNeckPairY)
                    EXPECT_GT(Lightness(image, x, y), board + 80) << "pair " << At(x, y);
                EXPECT_LT(Lightness(image, x, kNeckDotY), board + 30) << "no single dot " << At(x, kNeckDotY);
            }
        }
    }

    TEST(PictureStore, MarksAreDistinctAndShaped)
    {
        const QImage& dot = Store().image(Picture::BassStringMark);
        const QImage& ring = Store().image(Picture::SoundingStringMark);
        const QImage& cross = Store().image(Picture::MutedStringMark);
        EXPECT_LT(Lightness(dot, 3, 3), 60);
        EXPECT_LT(Lightness(ring, 3, 0), 160);
        EXPECT_GT(Lightness(ring, 3, 3), 200);
        EXPECT_LT(Lightness(cross, 2, 2), 100);
        EXPECT_GT(Lightness(cross, 3, 0), 200);
        EXPECT_LT(Lightness(Store().image(Picture::BarreSegment), 7, 2), 60);

        // Each numbered mark must show its own digit: no two alike, a dark or blue disc with white in it.
        const Picture discs[] = { Picture::Finger1, Picture::Finger2, Picture::Finger3, Picture::Finger4,
            Picture::Finger5, Picture::NeckFinger1, Picture::NeckFinger2, Picture::NeckFinger3, Picture::NeckFinger4 };
        for (Picture a : discs) {
            const QImage& image = Store().image(a);
            SCOPED_TRACE(std::string(InfoOf(a).name));
            EXPECT_LT(image.pixelColor(0, 0).alpha(), 128) << "corners stay clear";
            EXPECT_GT(image.pixelColor(1, image.height() / 2).alpha(), 200);
            EXPECT_LT(Lightness(image, 1, image.height() / 2), 140);
            int white = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x)
                    white += image.pixelColor(x, y) == QColor(Qt::white) ? 1 : 0;
            }
            EXPECT_GE(white, 5);
            for (Picture b : discs) {
                if (a != b) {
                    EXPECT_NE(image, Store().image(b)) << InfoOf(b).name;
                }
            }
        }
        const QColor open = Store().image(Picture::NeckOpenString).pixelColor(5, 6);
        EXPECT_GT(open.blue(), open.red() + 80) << "open-string mark is blue";
    }

} // namespace
} // namespace corvane
