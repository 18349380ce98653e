// Moving the result sheet's current cell from the keyboard.
#include "guitar/sheet_navigation.h"

#include <algorithm>

namespace corvane::sheet {

int StepCell(int current, Step step, int count, int columns, int rowsInView)
{
    if (count <= 0)
        return -1;
    const long long cells = count;
    const long long across = std::max(columns, 1);
    const long long page = across * std::max(rowsInView, 1);
    const long long at = (current >= 0 && current < count) ? current : 0;
    const long long last = cells - 1;
    const long long column = at % across;
    const long long lastRowStart = last - last % across;

    long long next = at;
    switch (step) {
    case Step::Left:
        next = std::max(at - 1, 0LL);
        break;
    case Step::Right:
        next = std::min(at + 1, last);
        break;
    case Step::Up:
        next = at >= across ? at - across : at;
        break;
    case Step::Down:
        // From the row above a short last row, Down goes to its last cell.
        next = at < lastRowStart ? std::min(at + across, last) : at;
        break;
    case Step::PageUp:
        next = at - page >= 0 ? at - page : column;
        break;
    case Step::PageDown:
        if (at + page <= last)
            next = at + page;
        else if (at < lastRowStart)
            next = std::min(lastRowStart + column, last);
        break;
    case Step::First:
        next = 0;
        break;
    case Step::Last:
        next = last;
        break;
    }
    return static_cast<int>(next);
}

}
