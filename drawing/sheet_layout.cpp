// Where the heading and the diagrams go on an exported chord or song sheet.
#include "drawing/sheet_layout.h"

#include <algorithm>

namespace corvane {

using namespace export_sheet;

namespace {

    int HeadingHeight(const SheetHeading& heading) { return heading.empty() ? 0 : kHeadingHeight; }

    int CellHeight(bool named) { return named ? kCellHeight + kNameHeight : kCellHeight; }

    int HeadingWidth(const SheetHeading& heading)
    {
        if (heading.empty())
            return 0;
        return 2 * kMargin
            + std::max(
                EstimatedTextWidth(heading.title, kTitlePixels), EstimatedTextWidth(heading.details, kDetailPixels));
    }

} // namespace

int EstimatedTextWidth(std::string_view text, int pixels)
{
    // UTF-8 continuation bytes do not start a character.
    const auto characters = std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    return static_cast<int>((characters * pixels * 62 + 99) / 100);
}

SheetLayout::SheetLayout(std::size_t count, int columns, const SheetHeading& heading, bool named)
    : m_columns(std::max(1, columns))
    , m_headingHeight(HeadingHeight(heading))
    , m_cellHeight(CellHeight(named))
{
    const std::size_t rows = (count + static_cast<std::size_t>(m_columns) - 1) / static_cast<std::size_t>(m_columns);
    m_width = std::max(m_columns * kCellWidth, HeadingWidth(heading));
    m_height = m_headingHeight + static_cast<int>(rows) * m_cellHeight;
}

Placement SheetLayout::cell(std::size_t index) const
{
    const auto columns = static_cast<std::size_t>(m_columns);
    return { static_cast<int>(index % columns) * kCellWidth,
        m_headingHeight + static_cast<int>(index / columns) * m_cellHeight };
}

PageLayout::PageLayout(
    std::size_t count, int pageWidth, int pageHeight, const SheetHeading& heading, int columns, bool named)
    : m_count(count)
    , m_headingHeight(HeadingHeight(heading))
    , m_cellHeight(CellHeight(named))
{
    // A page too small for one cell still takes one per page rather than none.
    const int fit = std::max(1, pageWidth / kCellWidth);
    m_columns = columns > 0 ? std::min(columns, fit) : fit;
    m_rows = std::max(1, (pageHeight - m_headingHeight) / m_cellHeight);
}

std::size_t PageLayout::pageCount() const { return std::max<std::size_t>(1, (m_count + perPage() - 1) / perPage()); }

Placement PageLayout::cell(std::size_t index) const
{
    const std::size_t onPage = index % perPage();
    const auto columns = static_cast<std::size_t>(m_columns);
    return { static_cast<int>(onPage % columns) * kCellWidth,
        m_headingHeight + static_cast<int>(onPage / columns) * m_cellHeight };
}

std::string SheetDetails(std::string_view tuning, std::size_t count) { return SheetDetails(tuning, count, count); }

std::string SheetDetails(std::string_view tuning, std::size_t shown, std::size_t total)
{
    std::string details(tuning);
    if (!details.empty())
        details += ", ";
    if (shown < total)
        details += std::to_string(shown) + " of ";
    details += std::to_string(total) + (total == 1 ? " diagram" : " diagrams");
    return details;
}

} // namespace corvane
