// The songbook's PDF written by the Qt painting, with an application object made for it.
#include "cli/songbook_pdf.h"

#include "toolkit/songbook_export.h"

#include <QBuffer>
#include <QGuiApplication>

#include <optional>

namespace corvane::cli {

std::string WriteSongbookPdfTo(std::ostream& out, const BookPlan& plan, const std::vector<BookSong>& songs)
{
    // Qt draws text only with an application object; one is made for the drawing, without a display.
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
    if (!WriteSongbookPdf(buffer, plan, songs))
        return "the songbook could not be drawn";
    out.write(buffer.data().constData(), buffer.data().size());
    return {};
}

} // namespace corvane::cli
