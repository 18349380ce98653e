#pragma once
// The surface the diagrams and the neck view are drawn on. The drawing code composes every picture
// from stored bitmaps and one short text, so two operations are all it needs; a test records them
// (recording_canvas.h) and the program paints them through Qt (qt/qt_canvas.h).

#include <array>
#include <cstddef>
#include <string_view>

namespace corvane {

enum class Picture {
    Braco, // diagram grid, normal
    Braco2, // diagram grid, selected
    Dedo1,
    Dedo2,
    Dedo3,
    Dedo4,
    Dedo5, // kept with the others; the diagram never draws it
    Dedo6, // one segment of a barre
    Omin1, // under the lowest sounding string
    Omin2, // under every other sounding string
    X, // under a muted string
    NeckClassic,
    NeckElectric,
    NeckBrown,
    D0, // open string on the neck
    D1,
    D2,
    D3,
    D4,
    Capo, // the capo bar across the neck
};

struct PictureInfo {
    Picture picture;
    std::string_view name; // used in text forms and as the picture's file name, without ".svg"
    int width;
    int height;
};

// One row per Picture, in enumeration order.
inline constexpr std::array<PictureInfo, 20> kPictureTable { {
    { Picture::Braco, "braco", 56, 83 },
    { Picture::Braco2, "braco2", 56, 83 },
    { Picture::Dedo1, "dedo1", 9, 9 },
    { Picture::Dedo2, "dedo2", 9, 9 },
    { Picture::Dedo3, "dedo3", 9, 9 },
    { Picture::Dedo4, "dedo4", 9, 9 },
    { Picture::Dedo5, "dedo5", 9, 9 },
    { Picture::Dedo6, "dedo6", 15, 4 },
    { Picture::Omin1, "omin1", 6, 6 },
    { Picture::Omin2, "omin2", 6, 6 },
    { Picture::X, "x", 6, 6 },
    { Picture::NeckClassic, "neck-classic", 625, 85 },
    { Picture::NeckElectric, "neck-electric", 625, 85 },
    { Picture::NeckBrown, "neck-brown", 625, 85 },
    { Picture::D0, "d0", 12, 12 },
    { Picture::D1, "d1", 13, 12 },
    { Picture::D2, "d2", 13, 12 },
    { Picture::D3, "d3", 13, 12 },
    { Picture::D4, "d4", 13, 12 },
    { Picture::Capo, "capo", 7, 85 },
} };

constexpr bool PictureTableInEnumOrder()
{
    for (std::size_t i = 0; i < kPictureTable.size(); ++i) {
        if (static_cast<std::size_t>(kPictureTable[i].picture) != i)
            return false;
    }
    return true;
}
static_assert(PictureTableInEnumOrder(), "kPictureTable must list the pictures in enumeration order");

constexpr const PictureInfo& InfoOf(Picture picture) { return kPictureTable[static_cast<std::size_t>(picture)]; }

class Canvas {
public:
    virtual ~Canvas() = default;

    // Copies the stored picture unscaled with its top-left corner at (x, y).
    virtual void drawPicture(Picture picture, int x, int y) = 0;

    // Writes a short text in the canvas's default font with the top-left corner of its box at (x, y).
    virtual void drawText(int x, int y, std::string_view text) = 0;
};

} // namespace corvane
