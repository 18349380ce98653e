// The outline and link annotations of a PDF, appended as an incremental update.
#include "toolkit/pdf_navigation.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <optional>
#include <string_view>

namespace corvane {

namespace {

    bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }

    std::size_t SkipSpace(std::string_view text, std::size_t at)
    {
        while (at < text.size() && IsSpace(text[at]))
            ++at;
        return at;
    }

    // The whole number at `at`, past blanks; `at` is moved past it.
    std::optional<long> NumberAt(std::string_view text, std::size_t& at)
    {
        at = SkipSpace(text, at);
        long value = 0;
        const auto [end, ec] = std::from_chars(text.data() + at, text.data() + text.size(), value);
        if (ec != std::errc {})
            return std::nullopt;
        at = static_cast<std::size_t>(end - text.data());
        return value;
    }

    // The number after `key` ("/Root 2 0 R" gives 2) in a dictionary's text.
    std::optional<long> NumberAfter(std::string_view text, std::string_view key)
    {
        std::size_t at = text.find(key);
        if (at == std::string_view::npos)
            return std::nullopt;
        at += key.size();
        return NumberAt(text, at);
    }

    struct Document {
        std::string_view text;
        std::map<long, std::size_t> offsets; // object number to where "N 0 obj" begins
        long size = 0;
        long root = 0;
        std::optional<long> info;
        std::size_t xref = 0;

        // The object's text between "obj" and "endobj".
        std::optional<std::string_view> Object(long number) const
        {
            const auto found = offsets.find(number);
            if (found == offsets.end() || found->second >= text.size())
                return std::nullopt;
            const std::size_t begin = text.find("obj", found->second);
            const std::size_t end = text.find("endobj", found->second);
            if (begin == std::string_view::npos || end == std::string_view::npos || end < begin)
                return std::nullopt;
            return text.substr(begin + 3, end - begin - 3);
        }
    };

    std::optional<Document> Read(std::string_view text)
    {
        Document document;
        document.text = text;
        const std::size_t start = text.rfind("startxref");
        if (start == std::string_view::npos)
            return std::nullopt;
        std::size_t at = start + 9;
        const auto xref = NumberAt(text, at);
        if (!xref || *xref < 0 || static_cast<std::size_t>(*xref) >= text.size())
            return std::nullopt;
        document.xref = static_cast<std::size_t>(*xref);
        at = SkipSpace(text, document.xref);
        if (text.substr(at, 4) != "xref")
            return std::nullopt; // a cross-reference stream, or an earlier update: not ours to edit
        at += 4;
        while (true) {
            std::size_t probe = at;
            const auto first = NumberAt(text, probe);
            if (!first)
                break;
            const auto count = NumberAt(text, probe);
            if (!count || *count < 0)
                return std::nullopt;
            at = probe;
            for (long i = 0; i < *count; ++i) {
                const auto offset = NumberAt(text, at);
                const auto generation = NumberAt(text, at);
                at = SkipSpace(text, at);
                if (!offset || !generation || at >= text.size())
                    return std::nullopt;
                if (text[at] == 'n')
                    document.offsets[*first + i] = static_cast<std::size_t>(*offset);
                ++at;
            }
        }
        at = SkipSpace(text, at);
        if (text.substr(at, 7) != "trailer")
            return std::nullopt;
        const std::string_view trailer = text.substr(at, start - at);
        const auto size = NumberAfter(trailer, "/Size");
        const auto root = NumberAfter(trailer, "/Root");
        if (!size || !root || trailer.find("/Prev") != std::string_view::npos)
            return std::nullopt;
        document.size = *size;
        document.root = *root;
        document.info = NumberAfter(trailer, "/Info");
        return document;
    }

    // The object numbers of "/Key [ 6 0 R 38 0 R ]".
    std::vector<long> References(std::string_view text, std::string_view key)
    {
        std::vector<long> out;
        std::size_t at = text.find(key);
        if (at == std::string_view::npos)
            return out;
        at = text.find('[', at);
        const std::size_t end = text.find(']', at);
        if (at == std::string_view::npos || end == std::string_view::npos)
            return out;
        ++at;
        while (at < end) {
            const auto number = NumberAt(text, at);
            const auto generation = NumberAt(text, at);
            at = SkipSpace(text, at);
            if (!number || !generation || at >= end || text[at] != 'R')
                break;
            out.push_back(*number);
            ++at;
        }
        return out;
    }

    // A text string of any letters: UTF-16 in hexadecimal with its byte order mark.
    std::string TextString(std::string_view utf8)
    {
        std::string out = "<FEFF";
        const auto add = [&](unsigned unit) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "%04X", unit & 0xFFFFu);
            out += buffer;
        };
        for (std::size_t i = 0; i < utf8.size();) {
            const auto byte = static_cast<unsigned char>(utf8[i]);
            const int length = byte < 0x80 ? 1
                : (byte >> 5) == 6         ? 2
                : (byte >> 4) == 14        ? 3
                : (byte >> 3) == 30        ? 4
                                           : 0;
            unsigned code = length == 1 ? byte : length == 2 ? byte & 0x1Fu : length == 3 ? byte & 0x0Fu : byte & 0x07u;
            bool good = length > 0 && i + static_cast<std::size_t>(length) <= utf8.size();
            for (int k = 1; good && k < length; ++k) {
                const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
                good = (next >> 6) == 2;
                code = (code << 6) | (next & 0x3Fu);
            }
            if (!good) {
                add(0xFFFD);
                ++i;
                continue;
            }
            if (code >= 0x10000) {
                code -= 0x10000;
                add(0xD800 + (code >> 10));
                add(0xDC00 + (code & 0x3FF));
            } else {
                add(code);
            }
            i += static_cast<std::size_t>(length);
        }
        return out + ">";
    }

    std::string Number(double value)
    {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.2f", value);
        return buffer;
    }

} // namespace

bool AddPdfNavigation(std::string& pdf, const std::vector<PdfBookmark>& bookmarks, const std::vector<PdfLink>& links)
{
    const auto document = Read(pdf);
    if (!document)
        return false;
    const auto catalog = document->Object(document->root);
    if (!catalog || catalog->find("/Outlines") != std::string_view::npos)
        return false;
    const auto pagesNumber = NumberAfter(*catalog, "/Pages");
    const auto pagesTree = pagesNumber ? document->Object(*pagesNumber) : std::nullopt;
    if (!pagesTree)
        return false;
    const std::vector<long> pages = References(*pagesTree, "/Kids");
    struct Page {
        long annots = 0; // the object of the page's (empty) list of annotations
        double height = 0;
    };
    std::vector<Page> facts;
    for (long page : pages) {
        const auto text = document->Object(page);
        if (!text)
            return false;
        Page fact;
        if (const auto annots = NumberAfter(*text, "/Annots"))
            fact.annots = *annots;
        std::size_t at = text->find("/MediaBox");
        at = at == std::string_view::npos ? at : text->find('[', at);
        if (at == std::string_view::npos)
            return false;
        double numbers[4] = {};
        ++at;
        for (double& number : numbers) {
            at = SkipSpace(*text, at);
            const auto [end, ec] = std::from_chars(text->data() + at, text->data() + text->size(), number);
            if (ec != std::errc {})
                return false;
            at = static_cast<std::size_t>(end - text->data());
        }
        fact.height = numbers[3];
        facts.push_back(fact);
    }
    const auto pageCount = static_cast<int>(pages.size());
    for (const PdfBookmark& bookmark : bookmarks)
        if (bookmark.page < 0 || bookmark.page >= pageCount)
            return false;
    for (const PdfLink& link : links)
        if (link.page < 0 || link.page >= pageCount || link.target < 0 || link.target >= pageCount
            || facts[static_cast<std::size_t>(link.page)].annots == 0)
            return false;

    std::string update = pdf.back() == '\n' ? "" : "\n";
    std::map<long, std::size_t> written; // object number to its offset
    long next = document->size;
    const auto object = [&](long number, const std::string& body) {
        written[number] = pdf.size() + update.size();
        update += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
    };
    const auto destination = [&](int page) {
        return "[" + std::to_string(pages[static_cast<std::size_t>(page)]) + " 0 R /XYZ 0 "
            + Number(facts[static_cast<std::size_t>(page)].height) + " null]";
    };

    // Each page's links, in the page's list of annotations.
    std::map<int, std::vector<long>> annotations;
    for (const PdfLink& link : links) {
        const long number = next++;
        const double height = facts[static_cast<std::size_t>(link.page)].height;
        object(number,
            "<< /Type /Annot /Subtype /Link /Border [0 0 0] /Rect [" + Number(link.left) + " "
                + Number(height - link.top - link.height) + " " + Number(link.left + link.width) + " "
                + Number(height - link.top) + "] /Dest " + destination(link.target) + " >>");
        annotations[link.page].push_back(number);
    }
    for (const auto& [page, numbers] : annotations) {
        std::string list = "[";
        for (long number : numbers)
            list += " " + std::to_string(number) + " 0 R";
        object(facts[static_cast<std::size_t>(page)].annots, list + " ]");
    }

    std::string catalogText(*catalog);
    const std::size_t close = catalogText.rfind(">>");
    if (close == std::string::npos)
        return false;
    if (!bookmarks.empty()) {
        const long outline = next;
        const long first = outline + 1;
        const auto count = static_cast<long>(bookmarks.size());
        next += 1 + count;
        object(outline,
            "<< /Type /Outlines /First " + std::to_string(first) + " 0 R /Last " + std::to_string(first + count - 1)
                + " 0 R /Count " + std::to_string(count) + " >>");
        for (long i = 0; i < count; ++i) {
            const PdfBookmark& bookmark = bookmarks[static_cast<std::size_t>(i)];
            std::string item
                = "<< /Title " + TextString(bookmark.title) + " /Parent " + std::to_string(outline) + " 0 R";
            if (i > 0)
                item += " /Prev " + std::to_string(first + i - 1) + " 0 R";
            if (i + 1 < count)
                item += " /Next " + std::to_string(first + i + 1) + " 0 R";
            object(first + i, item + " /Dest " + destination(bookmark.page) + " >>");
        }
        catalogText.insert(close, "/Outlines " + std::to_string(outline) + " 0 R\n/PageMode /UseOutlines\n");
    }
    const std::size_t begin = SkipSpace(catalogText, 0);
    const std::size_t end = catalogText.find_last_not_of(" \n\r\t");
    object(document->root, catalogText.substr(begin, end + 1 - begin));

    const std::size_t xref = pdf.size() + update.size();
    update += "xref\n";
    for (const auto& [number, offset] : written) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        update += std::to_string(number) + " 1\n" + entry;
    }
    update += "trailer\n<<\n/Size " + std::to_string(next) + "\n/Root " + std::to_string(document->root) + " 0 R\n";
    if (document->info)
        update += "/Info " + std::to_string(*document->info) + " 0 R\n";
    update += "/Prev " + std::to_string(document->xref) + "\n>>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    pdf += update;
    return true;
}

} // namespace corvane
