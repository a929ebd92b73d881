#pragma once
// The document's content as plain texts, for comparing states before and after edits.

#include <string>
#include <vector>

#include "core/app/editorstate.h"

namespace tw {

// Every row of SG1 with hidden rows at their places, all data columns.
inline std::vector<std::vector<std::string>> Content(const EditorState& state) {
    TTextGrid grid = state.SG1();
    grid.UnhideAllRows();
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < grid.RowCount(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < grid.DataColumnCount(); ++c)
            rows.back().push_back(grid.CellText(c, r));
    }
    return rows;
}

} // namespace tw
