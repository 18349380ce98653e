// The canvas written as SVG.
#include "drawing/svg_canvas.h"

#include <cstdio>

#include "drawing/picture_sources.h"

#include <string>

namespace corvane {

namespace {

    // SVG places text by its baseline; the canvas by the top of the text's box. Sans-serif faces put
    // the baseline at about 93% of the pixel size below the top.
    int Baseline(int top, int pixels) { return top + (pixels * 93 + 50) / 100; }

    void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
    {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    }

    void WriteText(std::ostream& out, int x, int y, std::string_view text, int pixels, bool bold)
    {
        out << "<text x=\"" << x << "\" y=\"" << Baseline(y, pixels) << "\" font-size=\"" << pixels << '"';
        if (bold)
            out << " font-weight=\"bold\"";
        out << '>' << XmlEscaped(text) << "</text>\n";
    }

} // namespace

std::string XmlEscaped(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string PictureDefinitionBody(Picture picture)
{
    const std::string_view name = InfoOf(picture).name;
    const std::string_view source = PictureSource(name);
    const size_t open = source.find("<svg");
    const size_t bodyStart = open == std::string_view::npos ? open : source.find('>', open);
    const size_t bodyEnd = source.rfind("</svg>");
    if (bodyStart == std::string_view::npos || bodyEnd == std::string_view::npos || bodyEnd <= bodyStart)
        return {};
    std::string body(source.substr(bodyStart + 1, bodyEnd - bodyStart - 1));

    for (size_t at = body.find("<!--"); at != std::string::npos; at = body.find("<!--", at)) {
        const size_t end = body.find("-->", at);
        body.erase(at, end == std::string::npos ? std::string::npos : end + 3 - at);
    }
    // Ids are unique within one picture file; the prefix keeps them unique within a document.
    const std::string prefix = std::string(name) + '-';
    ReplaceAll(body, "id=\"", "id=\"" + prefix);
    ReplaceAll(body, "url(#", "url(#" + prefix);
    ReplaceAll(body, "href=\"#", "href=\"#" + prefix);

    // One element per line, without the file's indentation.
    std::string compact;
    size_t lineStart = 0;
    while (lineStart < body.size()) {
        size_t lineEnd = body.find('\n', lineStart);
        if (lineEnd == std::string::npos)
            lineEnd = body.size();
        const std::string_view line(body.data() + lineStart, lineEnd - lineStart);
        const size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string_view::npos) {
            const size_t last = line.find_last_not_of(" \t\r");
            compact.append(line.substr(first, last - first + 1));
            compact += '\n';
        }
        lineStart = lineEnd + 1;
    }
    return compact;
}

SvgCanvas::SvgCanvas(std::ostream& out)
    : m_out(out)
{
}

void SvgCanvas::drawPicture(Picture picture, int x, int y)
{
    const std::string_view name = InfoOf(picture).name;
    bool& defined = m_defined[static_cast<size_t>(picture)];
    if (!defined) {
        // Definitions may stand anywhere in the document; putting each before its first use lets the
        // document be written in one pass.
        m_out << "<defs><g id=\"" << name << "\">\n" << PictureDefinitionBody(picture) << "</g></defs>\n";
        defined = true;
    }
    m_out << "<use xlink:href=\"#" << name << "\" x=\"" << x << "\" y=\"" << y << "\"/>\n";
}

void SvgCanvas::drawText(int x, int y, std::string_view text)
{
    WriteText(m_out, x, y, text, kDiagramTextPixels, false);
}

void SvgCanvas::drawSizedText(int x, int y, std::string_view text, int pixels, bool bold)
{
    WriteText(m_out, x, y, text, pixels, bold);
}

void SvgCanvas::fillRect(int x, int y, int width, int height, unsigned rgb)
{
    char colour[8];
    std::snprintf(colour, sizeof colour, "#%06x", rgb & 0xFFFFFFu);
    m_out << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << width << "\" height=\"" << height << "\" fill=\""
          << colour << "\"/>\n";
}

void BeginSvgDocument(std::ostream& out, int width, int height)
{
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\""
        << " width=\"" << width << "\" height=\"" << height << "\" viewBox=\"0 0 " << width << ' ' << height
        << "\" font-family=\"sans-serif\" fill=\"#000000\">\n"
        << "<rect width=\"" << width << "\" height=\"" << height << "\" fill=\"#ffffff\"/>\n";
}

void EndSvgDocument(std::ostream& out) { out << "</svg>\n"; }

} // namespace corvane
