// PNG output through the program's own export, so a PNG from the command line is the window's
// drawing. Qt needs an application object for fonts; it is made for the drawing, without a display.

#include "cli/formats.h"

#include "drawing/qt/picture_store.h"
#include "toolkit/chord_export.h"

#include <QBuffer>
#include <QGuiApplication>

#include <optional>

namespace corvane::cli {

namespace {
    template <class Paint> std::string WritePng(std::ostream& out, Paint paint)
    {
        // Made here and gone before the program exits: Qt's own globals must outlive it.
        std::optional<QGuiApplication> application;
        int argc = 1;
        char name[] = "corvane-cli";
        char* argv[] = { name, nullptr };
        if (!QGuiApplication::instance()) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            application.emplace(argc, argv);
        }
        const QImage image = paint();
        if (image.isNull())
            return "the sheet is too large for one image; use --limit, more --columns, or --format svg";
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return "the image could not be encoded as PNG";
        out.write(buffer.data().constData(), buffer.data().size());
        return {};
    }
}

std::string WritePngSheet(std::ostream& out, std::span<const Frets> frets, const SheetHeading& heading, int columns,
    bool leftHanded, const OpenStrings& strings)
{
    return WritePng(out, [&] { return SheetImage(frets, heading, columns, PictureStore(1.0), leftHanded, strings); });
}

} // namespace corvane::cli
