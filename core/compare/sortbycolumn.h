#pragma once
// Sorting one grid's data rows by a column, as "Sort By Column 0", "Sort By Column #",
// Compare and Combine do it.

#include "core/app/editorstate.h"
#include "core/app/feedback.h"

namespace tw {

// Sorts the data rows (1 to RowCount - 2) of grid `slot` by `column`; the header row and
// the spare last row stay where they are. A column past the loaded document's last column,
// or a negative one, means column 0. Returns false only for a slot outside 1 to 5.
bool SortGridByColumn(EditorState& state, int slot, int column, Feedback& feedback);

// The progress positions the sort shows while it walks rows 1 to `last` of a grid with
// `rowCount` rows: the bar moves every 5, 9 or 13 rows.
std::vector<int> SortProgressPositions(int rowCount, int last);

} // namespace tw
