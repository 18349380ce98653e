// Drawing with Qt from the command line.
#include "cli/qt_drawing.h"

#include <QGuiApplication>

#include <optional>

namespace corvane::cli {

std::string DrawWithQt(std::ostream& out, const std::function<std::string(QBuffer& buffer)>& draw)
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
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (std::string why = draw(buffer); !why.empty())
        return why;
    out.write(buffer.data().constData(), buffer.data().size());
    return {};
}

} // namespace corvane::cli
