#pragma once
// What compare and combine share: which file slots take part, sorting them, the keys of a
// grid read once, and the cell-difference line both write.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/editorstate.h"
#include "core/app/feedback.h"

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

// G, text 132, the key, SG1's header of the column, text 133 with SG1's text, text 134 with
// the other grid's text.
std::string CellDifferenceLine(const EditorState& state, int otherSlot, std::string_view key,
                               int column, std::string_view mine, std::string_view theirs);

// "G - <text> <key>", the shape of the row lines.
std::string RowLine(const EditorState& state, int otherSlot, int text, std::string_view key);

} // namespace tw
