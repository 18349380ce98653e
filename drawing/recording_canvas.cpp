#include "drawing/recording_canvas.h"

namespace corvane {

void RecordingCanvas::drawPicture(Picture picture, int x, int y)
{
    m_calls.push_back(Call { false, picture, x, y, {} });
}

void RecordingCanvas::drawText(int x, int y, std::string_view text)
{
    m_calls.push_back(Call { true, Picture::DiagramGrid, x, y, std::string(text) });
}

std::string CallText(const RecordingCanvas::Call& call)
{
    std::string line;
    if (!call.isText) {
        line = "picture ";
        line += InfoOf(call.picture).name;
        line += ' ' + std::to_string(call.x) + ' ' + std::to_string(call.y);
        return line;
    }
    line = "text " + std::to_string(call.x) + ' ' + std::to_string(call.y) + " \"";
    // Quotes and backslashes are escaped so that a line always reads back as one call.
    for (char c : call.text) {
        if (c == '"' || c == '\\')
            line += '\\';
        line += c;
    }
    line += '"';
    return line;
}

std::string RecordingCanvas::text() const
{
    std::string all;
    for (const Call& call : m_calls) {
        all += CallText(call);
        all += '\n';
    }
    return all;
}

} // namespace corvane
