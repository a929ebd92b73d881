#include "core/grid/gridcommands.h"

#include <vector>

#include "core/app/text.h"

namespace tw {

void ClearRowSelection(EditorState& state, Feedback& feedback) {
    feedback.EndCellEdit();
    state.SelectedRows.Clear();
}

void ClearColumnSelection(EditorState& state, Feedback& feedback) {
    feedback.EndCellEdit();
    state.SelectedCols.Clear();
}

void SetClickedCell(EditorState& state, int row, int col) {
    const TTextGrid& grid = state.SG1();
    state.ClickedRow = row;
    state.ClickedCol = col;
    state.ClickedDataRow = grid.DataRowOf(row);
    state.ClickedDataCol = grid.DataColumnOf(col);
}

bool HideSelectedRows(EditorState& state, Feedback& feedback) {
    TTextGrid& grid = state.SG1();
    // Hiding one row renumbers the rows below it, so every mark is translated first.
    std::vector<int> dataRows;
    dataRows.reserve(state.SelectedRows.Items().size());
    for (int row : state.SelectedRows.Items()) dataRows.push_back(grid.DataRowOf(row));
    grid.HideRows(dataRows);
    ClearRowSelection(state, feedback);
    return true;
}

bool HideSelectedColumns(EditorState& state, Feedback& feedback) {
    TTextGrid& grid = state.SG1();
    for (int column : state.SelectedCols.Items()) grid.HideColumn(column);
    ClearColumnSelection(state, feedback);
    return true;
}

void UnhideAllRowsCommand(EditorState& state, Feedback& feedback) {
    feedback.EndCellEdit();
    feedback.SetStatus(state.Text(101));
    feedback.Refresh();
    state.SG1().UnhideAllRows();
    ClearRowSelection(state, feedback);
    feedback.SetStatus(state.Text(102));
}

void UnhideAllColumnsCommand(EditorState& state, Feedback& feedback) {
    feedback.EndCellEdit();
    state.SG1().UnhideAllColumns();
    if (state.DocumentFileName == "protos.tab") state.SG1().AutoSizeColumn(2, state.Measure);
    ClearColumnSelection(state, feedback);
}

void UnhideRowNumber(EditorState& state, const std::string& answer, Feedback& feedback) {
    auto number = ConvertInteger(answer);
    if (!number) return;
    state.SG1().UnhideRow(*number);
    ClearRowSelection(state, feedback);
}

void UnhideColumnNumber(EditorState& state, const std::string& answer, Feedback& feedback) {
    auto number = ConvertInteger(answer);
    if (!number) return;
    state.SG1().UnhideColumn(*number);
    ClearColumnSelection(state, feedback);
}

void InsertRowAbove(EditorState& state) { state.SG1().InsertRows(state.ClickedRow, 1); }

void DeleteThisRow(EditorState& state) { state.SG1().DeleteRows(state.ClickedRow, 1); }

void CopyThisRow(EditorState& state) {
    TTextGrid& grid = state.SG1();
    int row = state.ClickedRow;
    if (row < 0 || row >= grid.RowCount()) return;
    grid.InsertRows(row, 1);
    // Every data column of the main grid, hidden ones included: the column count of the
    // last load may belong to another grid after a compare and would cut the copy short.
    int last = std::max(state.LastColIndex, grid.DataColumnCount() - 1);
    if (last < 0) return;
    for (int c = 0; c <= last; ++c) grid.SetCell(c, row, grid.Cell(c, row + 1));
}

std::optional<std::pair<int, int>> FindInGrid(EditorState& state, const std::string& text) {
    if (text.empty()) return std::nullopt;
    state.LastFindText = LowerAZ(text);
    const std::string& needle = state.LastFindText;
    const TTextGrid& grid = state.SG1();
    int j = grid.Row();
    int i = grid.Col();
    const int lastCol = grid.ColCount() - 1;
    // Rows past the last one are empty and never match, so the walk ends there.
    while (j < grid.RowCount()) {
        ++i;
        if (i > lastCol) {
            i = 0;
            ++j;
            if (j >= grid.RowCount()) break;
        }
        if (ContainsIgnoringCaseAZ(grid.Cell(grid.DataColumnOf(i), j), needle))
            return std::make_pair(j, i);
    }
    return std::nullopt;
}

CellBackground CellBackgroundOf(const EditorState& state, int row, int dataCol, bool gridHasFocus,
                                bool editorActive) {
    if (state.PaintSuspended) return CellBackground::GridOwn;
    const TTextGrid& grid = state.SG1();
    CellBackground result = CellBackground::Window;
    if (row != 0 && dataCol >= grid.FixedCols() &&
        (state.SelectedRows.Contains(row) || state.SelectedCols.Contains(dataCol)))
        result = CellBackground::Selection;
    if (grid.DisplayColumnOf(dataCol) == grid.Col() && row == grid.Row() && gridHasFocus && editorActive)
        result = CellBackground::ActiveCell;
    return result;
}

void AutoSizeColumns(EditorState& state, Feedback& feedback) {
    TTextGrid& grid = state.SG1();
    feedback.SetStatus(state.Text(114));
    feedback.Refresh();
    feedback.SetProgressMax(grid.ColCount() - 1);
    for (int c = 0; c < grid.ColCount(); ++c) {
        feedback.SetProgress(c);
        grid.AutoSizeColumn(c, state.Measure);
    }
    feedback.SetStatus(state.Text(115));
    feedback.SetProgress(0);
}

void AutoSizeAllRows(EditorState& state) {
    TTextGrid& grid = state.SG1();
    for (int r = 0; r < grid.RowCount(); ++r) grid.AutoSizeRow(r, state.Measure);
}

} // namespace tw
