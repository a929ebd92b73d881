#pragma once
// Find and Replace on the main grid: which cells match, what a replacement makes of a
// cell, and the plan of a Replace All. Cells are walked as Find walks them (left to
// right, top to bottom, visible cells only, the header row left out); a replacement the
// cell rule refuses is counted and left out of the plan, never stored.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/editorstate.h"

namespace tw {

struct ReplaceOptions {
    std::string FindWhat;    // bytes; empty finds nothing
    std::string ReplaceWith; // bytes
    bool MatchCase = false;  // otherwise A to Z match a to z, as Find does
    bool WholeCell = false;  // the whole cell text must equal FindWhat
    int OnlyDataColumn = -1; // a data column to stay in; -1 for the whole table
};

bool CellMatches(std::string_view cell, const ReplaceOptions& options);
// The cell text after the replacement: every occurrence, left to right without overlap,
// or the whole text for WholeCell. A cell that does not match comes back unchanged.
std::string ReplacedText(std::string_view cell, const ReplaceOptions& options);

// The next matching cell after (row, display column), display indices; no wrap.
std::optional<std::pair<int, int>> FindNextMatch(const TTextGrid& grid, int row, int col,
                                                 const ReplaceOptions& options);

struct CellReplacement {
    int Row = 0;     // display row
    int DataCol = 0; // data column
    std::string Text;
};

struct ReplacePlan {
    std::vector<CellReplacement> Cells; // the cells to change, in walk order
    int Refused = 0;                    // matches the cell rule does not let change
};

ReplacePlan PlanReplaceAll(const EditorState& state, const ReplaceOptions& options);

} // namespace tw
