#pragma once
// Moving the current cell of the result sheet with the keyboard. Pure geometry over the cell order,
// like the hit-testing: the sheet only turns keys into steps.

namespace corvane::sheet {

enum class Step { Left, Right, Up, Down, PageUp, PageDown, First, Last };

// The cell one step away from `current` on a sheet of `count` cells, `columns` across, with
// `rowsInView` whole rows in view (a page; at least one). Left and Right run on through the rows;
// Up, Down and the page steps keep the column, and Down reaches the last cell from the row above a
// short last row. A step past the edge stops there. -1 when the sheet is empty; a current cell
// outside the sheet counts as the first.
int StepCell(int current, Step step, int count, int columns, int rowsInView);

}
