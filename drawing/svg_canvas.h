#pragma once
// A canvas that writes SVG elements to a stream as it is drawn on. Each picture is defined once, as a
// group holding the picture's own vector drawing, the first time it is drawn; every drawing of it is
// then a <use> of that group, so that a sheet of many diagrams stays small and nothing is rasterised.

#include "drawing/canvas.h"

#include <array>
#include <ostream>
#include <string>
#include <string_view>

namespace corvane {

// The fret numbers' type in SVG documents; the program's sheet uses the same pixel size.
constexpr int kDiagramTextPixels = 11;

class SvgCanvas final : public Canvas {
public:
    // `out` must outlive the canvas. The caller writes the document's frame (BeginSvgDocument).
    explicit SvgCanvas(std::ostream& out);

    void drawPicture(Picture picture, int x, int y) override;

    // In the diagrams' small type, kDiagramTextPixels high.
    void drawText(int x, int y, std::string_view text) override;

    // A line of text of any pixel size with the top of its box at (x, y); for titles.
    void drawSizedText(int x, int y, std::string_view text, int pixels, bool bold);

    void fillRect(int x, int y, int width, int height, unsigned rgb) override;

private:
    std::ostream& m_out;
    std::array<bool, kPictureTable.size()> m_defined {};
};

// The opening <svg> element and a white background; `width` and `height` in pixels.
void BeginSvgDocument(std::ostream& out, int width, int height);
void EndSvgDocument(std::ostream& out);

// The picture's drawing without its <svg> frame and comments, with its element ids prefixed by the
// picture's name so that several pictures can share one document. Empty when the picture is missing.
std::string PictureDefinitionBody(Picture picture);

// Escapes the five XML special characters.
std::string XmlEscaped(std::string_view text);

} // namespace corvane
