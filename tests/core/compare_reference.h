#pragma once
// Slow, literal versions of the sort loop, the compare walk and the combine walk, written
// step by step as the procedures read, row moves and all. The fast versions must give
// exactly what these give.

#include <array>
#include <string>
#include <vector>

#include "core/app/editorstate.h"
#include "core/grid/textgrid.h"

namespace tw::reference {

// The double loop over rows 1..RowCount-2 with MoveRow; `column` is already bounded.
void SortRows(TTextGrid& grid, int column, bool textOrderAllowed);

// Sorts every chosen grid by column 0 with text order on, then walks SG1 beside each other
// grid; returns the report lines.
std::vector<std::string> CompareFiles(EditorState& state);

// The change log as ten parallel lists, scanned from the first entry every time.
struct ChangeLogLists {
    std::vector<std::string> Identifier, OldValue;
    std::array<std::vector<std::string>, 4> Value, Mark; // SG2..SG5
    int ChangeCount() const { return static_cast<int>(Identifier.size()); }
};

// Sorts, then merges every other grid into SG1 with InsertRows and DeleteRows; returns the
// report lines and leaves the log in `log`.
std::vector<std::string> CombineFiles(EditorState& state, ChangeLogLists& log);

} // namespace tw::reference
