// PNG output through the program's own export, so a PNG from the command line is the window's
// drawing.

#include "cli/formats.h"
#include "cli/qt_drawing.h"

#include "drawing/qt/picture_store.h"
#include "toolkit/chord_export.h"

namespace corvane::cli {

namespace {
    template <class Paint> std::string WritePng(std::ostream& out, Paint paint)
    {
        return DrawWithQt(out, [&](QBuffer& buffer) -> std::string {
            const QImage image = paint();
            if (image.isNull())
                return "the sheet is too large for one image; use --limit, more --columns, or --format svg";
            if (!image.save(&buffer, "PNG"))
                return "the image could not be encoded as PNG";
            return {};
        });
    }
}

std::string WritePngSheet(std::ostream& out, std::span<const Frets> frets, const SheetHeading& heading, int columns,
    bool leftHanded, const OpenStrings& strings)
{
    return WritePng(out, [&] { return SheetImage(frets, heading, columns, PictureStore(1.0), leftHanded, strings); });
}

} // namespace corvane::cli
