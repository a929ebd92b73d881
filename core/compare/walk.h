#pragma once
// What compare and combine share: which file slots take part, sorting them, the keys of a
// grid read once, and the records of the report both write.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/editorstate.h"
#include "core/app/feedback.h"
#include "core/compare/reportrecords.h"

namespace tw {

// A slot takes part when its path sorts above a single blank.
bool SlotChosen(const EditorState& state, int slot);

// Sorts every chosen grid by column 0 (with the state's text-order flag as it stands) and
// returns the highest chosen slot, 0 when none.
int SortChosenGrids(EditorState& state, Feedback& feedback);

// Column 0 of rows 0..RowCount-1 converted once.
std::vector<std::optional<int32_t>> KeyValues(const TTextGrid& grid);

// Cell `column` of a row read with TTextGrid::RowCells.
inline std::string_view CellOf(const std::vector<std::string_view>& cells, int column) {
    return column < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(column)]
                                                   : std::string_view();
}

// Keeps the record in the state's report (unless the report keeps none) and writes its
// line to the report area. The line is formatted from the record, so the two never part.
void AppendRecord(EditorState& state, Feedback& feedback, ReportRecord&& record);

// Notes, as DuplicateKey records at the head of the state's report, every non-empty key
// that stands on more than one data row of a chosen grid 1..last, in the grid's row order.
// Long work: looks for a stop now and then.
void NoteDuplicateKeys(EditorState& state, int last, Feedback& feedback);

} // namespace tw
