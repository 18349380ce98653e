// A canvas that remembers what it was asked to draw, one line of text per call.
#include "drawing/recording_canvas.h"

#include <cstdio>

namespace corvane {

void RecordingCanvas::drawPicture(Picture picture, int x, int y)
{
    m_calls.push_back(Call { false, picture, x, y, {} });
}

void RecordingCanvas::drawText(int x, int y, std::string_view text)
{
    m_calls.push_back(Call { true, Picture::DiagramGrid, x, y, std::string(text) });
}

void RecordingCanvas::fillRect(int x, int y, int width, int height, unsigned rgb)
{
    Call call;
    call.isRect = true;
    call.x = x;
    call.y = y;
    call.width = width;
    call.height = height;
    call.rgb = rgb;
    m_calls.push_back(call);
}

std::string CallText(const RecordingCanvas::Call& call)
{
    std::string line;
    if (call.isRect) {
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%06x", call.rgb & 0xFFFFFFu);
        return "rect " + std::to_string(call.x) + ' ' + std::to_string(call.y) + ' ' + std::to_string(call.width) + ' '
            + std::to_string(call.height) + ' ' + colour;
    }
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
