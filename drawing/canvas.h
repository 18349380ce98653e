#pragma once
// The surface the diagrams and the neck view are drawn on. The six-string drawing composes every
// picture from stored bitmaps and one short text; the grids of other instruments, which have no
// stored picture, are filled rectangles. A test records the calls (recording_canvas.h) and the
// program paints them through Qt (qt/qt_canvas.h).

#include <array>
#include <cstddef>
#include <string_view>

namespace corvane {

// The stored pictures, named by what they show. Their files keep older names: kPictureTable maps
// each one to its file, and that file name is also how the text forms and the SVG documents call it.
enum class Picture {
    DiagramGrid, // the strings and frets of a chord diagram
    SelectedGrid, // the same grid, as drawn for the selected diagram
    Finger1, // the discs of the fingers on a diagram, index to little finger
    Finger2,
    Finger3,
    Finger4,
    Finger5, // kept with the others; the diagram never draws it
    BarreSegment, // one string's segment of a barre
    BassStringMark, // under the lowest sounding string
    SoundingStringMark, // under every other sounding string
    MutedStringMark, // under a muted string
    NeckClassic,
    NeckElectric,
    NeckBrown,
    NeckOpenString, // an open string on the neck
    NeckFinger1, // the fingers on the neck, index to little finger
    NeckFinger2,
    NeckFinger3,
    NeckFinger4,
    Capo, // the capo bar across the neck
};

struct PictureInfo {
    Picture picture;
    std::string_view name; // the file name, without ".svg"; text forms and SVG documents use it too
    int width;
    int height;
};

// One row per Picture, in enumeration order.
inline constexpr std::array<PictureInfo, 20> kPictureTable { {
    { Picture::DiagramGrid, "braco", 56, 83 },
    { Picture::SelectedGrid, "braco2", 56, 83 },
    { Picture::Finger1, "dedo1", 9, 9 },
    { Picture::Finger2, "dedo2", 9, 9 },
    { Picture::Finger3, "dedo3", 9, 9 },
    { Picture::Finger4, "dedo4", 9, 9 },
    { Picture::Finger5, "dedo5", 9, 9 },
    { Picture::BarreSegment, "dedo6", 15, 4 },
    { Picture::BassStringMark, "omin1", 6, 6 },
    { Picture::SoundingStringMark, "omin2", 6, 6 },
    { Picture::MutedStringMark, "x", 6, 6 },
    { Picture::NeckClassic, "neck-classic", 625, 85 },
    { Picture::NeckElectric, "neck-electric", 625, 85 },
    { Picture::NeckBrown, "neck-brown", 625, 85 },
    { Picture::NeckOpenString, "d0", 12, 12 },
    { Picture::NeckFinger1, "d1", 13, 12 },
    { Picture::NeckFinger2, "d2", 13, 12 },
    { Picture::NeckFinger3, "d3", 13, 12 },
    { Picture::NeckFinger4, "d4", 13, 12 },
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

    // Fills a rectangle with a colour given as 0xRRGGBB, opaque.
    virtual void fillRect(int x, int y, int width, int height, unsigned rgb) = 0;
};

} // namespace corvane
