#pragma once
// A canvas that only remembers what it was asked to draw, so that a computed picture can be compared
// as text: one line per call, "picture dedo2 54 27", "text 10 3 \"1\"" or "rect 35 3 34 83 #ffffff".

#include "drawing/canvas.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class RecordingCanvas final : public Canvas {
public:
    struct Call {
        bool isText = false;
        Picture picture = Picture::DiagramGrid; // meaningful when !isText
        int x = 0;
        int y = 0;
        std::string text; // meaningful when isText
        bool isRect = false;
        int width = 0; // width, height and rgb meaningful when isRect
        int height = 0;
        unsigned rgb = 0;
    };

    void drawPicture(Picture picture, int x, int y) override;
    void drawText(int x, int y, std::string_view text) override;
    void fillRect(int x, int y, int width, int height, unsigned rgb) override;

    const std::vector<Call>& calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

    // Every call in order, each line ending in '\n'.
    std::string text() const;

private:
    std::vector<Call> m_calls;
};

// The text form of one call, without the line end.
std::string CallText(const RecordingCanvas::Call& call);

} // namespace corvane
