// Song sheets as PDF and PNG, painted with Qt.
#include "cli/song_pdf.h"

#include "toolkit/song_export.h"

#include <QBuffer>
#include <QGuiApplication>

#include <functional>
#include <optional>

namespace corvane::cli {

namespace {

    // Qt draws text only with an application object; one is made for the drawing, without a display.
    std::string Drawn(std::ostream& out, const std::function<bool(QBuffer&)>& draw)
    {
        std::optional<QGuiApplication> application;
        int argc = 1;
        char name[] = "corvane-cli";
        char* argv[] = { name, nullptr };
        if (!QGuiApplication::instance()) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            application.emplace(argc, argv);
        }
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!draw(buffer))
            return "the song sheet could not be drawn";
        out.write(buffer.data().constData(), buffer.data().size());
        return {};
    }

} // namespace

std::string WriteSongPdfTo(std::ostream& out, const std::vector<SongSheetContent>& sheets)
{
    return Drawn(out, [&](QBuffer& buffer) { return WriteSongPdf(buffer, sheets); });
}

std::string WriteSongPngTo(std::ostream& out, const SongSheetContent& sheet)
{
    return Drawn(out, [&](QBuffer& buffer) { return SongSheetFirstPage(sheet, 2.0).save(&buffer, "PNG"); });
}

} // namespace corvane::cli
