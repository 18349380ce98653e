#pragma once
// Where things go on an exported chord sheet: an optional heading (the chord's name as a title, the
// tuning and the count in small type), then the diagrams in 100 x 130 cells, row by row, in the
// result sheet's order; on a song sheet each cell has a line for its chord's name above the
// diagram. Pure geometry; every output format draws from it.

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

struct SheetHeading {
    std::string title; // the chord's name
    std::string details; // tuning and count, in small type
    bool empty() const { return title.empty() && details.empty(); }
};

namespace export_sheet {
    constexpr int kCellWidth = 100;
    constexpr int kCellHeight = 130;
    constexpr int kTitlePixels = 16;
    constexpr int kDetailPixels = 11;
    constexpr int kMargin = 8;
    constexpr int kTitleTop = 6;
    constexpr int kDetailsTop = 28;
    constexpr int kHeadingHeight = 46;
    constexpr int kDefaultColumns = 6;
    // On a song sheet each diagram has its chord's name above it, over the grid.
    constexpr int kNameHeight = 18;
    constexpr int kNamePixels = 13;
    constexpr int kNameLeft = 24;
    constexpr int kNameTop = 2;
}

struct Placement {
    int left;
    int top;
};

class SheetLayout {
public:
    // `columns` below 1 counts as 1. A sheet is never narrower than its heading is estimated to be.
    // With `named`, every cell is taller by a line for the chord's name.
    SheetLayout(std::size_t count, int columns, const SheetHeading& heading, bool named = false);

    int columns() const { return m_columns; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    int headingHeight() const { return m_headingHeight; }
    Placement cell(std::size_t index) const;

private:
    int m_columns;
    int m_headingHeight;
    int m_cellHeight;
    int m_width;
    int m_height;
};

// Pages of a fixed size (in the sheet's pixels), each with the heading and as many whole rows of
// cells as fit; the diagrams run on from page to page in sheet order.
class PageLayout {
public:
    // `columns` 0 fits as many as the page width allows; otherwise at most that many.
    PageLayout(std::size_t count, int pageWidth, int pageHeight, const SheetHeading& heading, int columns = 0,
        bool named = false);

    int columns() const { return m_columns; }
    int rowsPerPage() const { return m_rows; }
    std::size_t perPage() const { return static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows); }
    std::size_t pageCount() const; // at least 1: an empty result still prints its heading
    std::size_t pageOf(std::size_t index) const { return index / perPage(); }
    std::size_t firstOnPage(std::size_t page) const { return page * perPage(); }
    int headingHeight() const { return m_headingHeight; }
    // Within its page.
    Placement cell(std::size_t index) const;

private:
    std::size_t m_count;
    int m_columns;
    int m_rows;
    int m_headingHeight;
    int m_cellHeight;
};

// "Drop D (D A D G B E), 57 diagrams"; "..., 12 of 57 diagrams" when fewer than all are shown.
std::string SheetDetails(std::string_view tuning, std::size_t count);
std::string SheetDetails(std::string_view tuning, std::size_t shown, std::size_t total);

// A generous guess at the width of a line of text in a sans-serif face, for sizing documents without
// a font engine.
int EstimatedTextWidth(std::string_view text, int pixels);

} // namespace corvane
