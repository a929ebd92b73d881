#include "core/compare/sortbycolumn.h"

#include "core/compare/sortorder.h"
#include "core/document/documentedits.h"
#include "core/grid/gridcommands.h"

namespace tw {

std::vector<int> SortProgressPositions(int rowCount, int last) {
    int step = rowCount > 2000 ? 3 : (rowCount > 1000 ? 2 : 1);
    std::vector<int> positions;
    int position = 0;
    for (int i = 1; i <= last; ++i) {
        if (position + 4 * step < i) {
            position = i;
            positions.push_back(i);
        }
    }
    return positions;
}

bool SortGridByColumn(EditorState& state, int slot, int column, Feedback& feedback) {
    if (slot < 1 || slot > static_cast<int>(state.Grids.size()))
        return false;

    // Marked rows name display rows, which are about to change.
    ClearRowSelection(state, feedback);
    state.PaintSuspended = true;

    feedback.EndCellEdit();
    feedback.SetStatus(state.Text(126) + " " + std::to_string(slot) + state.Text(127));
    feedback.Refresh();
    feedback.SetBusy(true);

    state.CurrentGridSlot = slot;
    TTextGrid& grid = state.Grid(slot);
    if (column > state.LoadedColCount - 1 || column < 0)
        column = 0;

    feedback.SetProgress(0);
    feedback.SetProgressMax(grid.RowCount() - 2);
    const int last = grid.RowCount() - 2;
    if (last >= 1) {
        std::vector<SortKey> keys;
        keys.reserve(static_cast<size_t>(last));
        for (int row = 1; row <= last; ++row) {
            if (row % 16384 == 0)
                StopIfCancelled(feedback);
            keys.push_back(MakeSortKey(grid.Cell(column, row)));
        }
        for (int position : SortProgressPositions(grid.RowCount(), last))
            feedback.SetProgress(position);

        StopIfCancelled(feedback);
        // Only "Sort By Column 0" leaves keys that are not both numbers where they are.
        const bool textOrder = column != 0 || state.TextOrderAllowed;
        std::vector<int> order =
            SortOrder(keys, textOrder, nullptr, [&feedback] { StopIfCancelled(feedback); });
        // The last chance to stop: from here on the rows move.
        StopIfCancelled(feedback);
        bool moved = false;
        for (size_t k = 0; k < order.size(); ++k) {
            moved = moved || order[k] != static_cast<int>(k);
            order[k] += 1;
        }
        if (moved) {
            if (slot == 1)
                RecordRowOrder(state, 1, order);
            grid.PermuteRows(1, order);
        }
    }

    state.PaintSuspended = false;
    feedback.SetStatus(state.Text(126) + " " + std::to_string(slot) + state.Text(130));
    feedback.Refresh();
    feedback.SetProgress(0);
    feedback.SetBusy(false);
    return true;
}

} // namespace tw
