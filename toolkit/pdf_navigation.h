#pragma once
// Bookmarks and links added to a PDF the painting wrote: an update appended to the file, as PDF
// readers expect of a document edited after it was written. Plain C++, for the PDFs Qt writes.

#include <string>
#include <vector>

namespace corvane {

// A bookmark going to a page (0-based).
struct PdfBookmark {
    std::string title; // UTF-8
    int page = 0;
};

// A link on `page` over a rectangle in points from the page's top left, going to `target`.
struct PdfLink {
    int page = 0;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    int target = 0;
};

// Appends the bookmarks (opened in the reader's side panel) and the links. False, with `pdf`
// unchanged, when it is not laid out as expected or a page or target does not exist.
bool AddPdfNavigation(std::string& pdf, const std::vector<PdfBookmark>& bookmarks, const std::vector<PdfLink>& links);

} // namespace corvane
