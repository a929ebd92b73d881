#include "core/headers/headersets.h"

#include "core/app/text.h"
#include "core/grid/gridcommands.h"

namespace tw {

std::vector<int> ParseColumnList(std::string_view list) {
    std::vector<int> columns;
    size_t start = 0;
    for (size_t comma = list.find(','); comma != std::string_view::npos;
         comma = list.find(',', start)) {
        if (auto column = ConvertInteger(list.substr(start, comma - start)))
            columns.push_back(*column);
        start = comma + 1;
    }
    return columns;
}

std::vector<int> RowsOfOtherTypes(const TTextGrid& grid, std::string_view typeName) {
    std::string wanted = LowerAZ("obj_t_" + std::string(typeName));
    std::vector<int> rows;
    int last = grid.RowCount() - 2;
    for (int r = 1; r <= last; ++r)
        if (!EqualsIgnoringCaseAZ(grid.Cell(1, r), wanted))
            rows.push_back(r);
    return rows;
}

int HeaderSetProgressStep(int rowCount) {
    if (rowCount <= 500)
        return 1;
    if (rowCount <= 1000)
        return 2;
    if (rowCount <= 3000)
        return 3;
    return 4;
}

namespace {

const std::string& EntryOrEmpty(const std::vector<std::string>& list, int index) {
    static const std::string empty;
    return index >= 0 && static_cast<size_t>(index) < list.size() ? list[static_cast<size_t>(index)]
                                                                  : empty;
}

void ShowOnlyListedColumns(TTextGrid& grid, const std::string& columnList) {
    int last = grid.ColCount() - 1;
    if (last >= 2)
        grid.HideColumns(2, last);
    int dataColumns = grid.DataColumnCount();
    for (int column : ParseColumnList(columnList))
        if (column >= 0 && column < dataColumns)
            grid.UnhideColumn(column);
}

// The rows to hide are decided from the cells first and hidden in one batch, which gives
// the same grid as hiding them one at a time while walking down the table, without
// moving the rows below every hidden one again.
void HideRowsOfOtherTypes(TTextGrid& grid, const std::string& typeName, Feedback& feedback) {
    int rowCount = grid.RowCount();
    feedback.SetProgressMax(rowCount - 2);
    int step = HeaderSetProgressStep(rowCount);
    int position = 0;
    feedback.SetProgress(position);
    for (int r = 1; r <= rowCount - 2; ++r) {
        if (position + 4 * step < r) {
            position = r;
            feedback.SetProgress(position);
        }
    }
    grid.HideRows(RowsOfOtherTypes(grid, typeName));
}

} // namespace

bool ApplyHeaderSet(EditorState& state, int index, Feedback& feedback) {
    if (index < 0 || static_cast<size_t>(index) >= state.HeaderSetNames.size())
        return true;
    state.HeaderSetIndex = index;
    feedback.EndCellEdit();
    state.PaintSuspended = true;
    feedback.SetBusy(true);
    bool succeeded = true;
    try {
        TTextGrid& grid = state.SG1();
        ClearRowSelection(state, feedback);
        ClearColumnSelection(state, feedback);
        state.ErrorContext = state.Text(100);

        feedback.EndCellEdit();
        feedback.SetStatus(state.Text(101));
        feedback.Refresh();
        grid.UnhideAllRows();
        feedback.SetStatus(state.Text(102));

        const std::string& typeName = EntryOrEmpty(state.HeaderSetTypes, index);
        grid.UnhideAllColumns();
        if (index != 0) {
            if (!state.NeverHide) {
                feedback.SetStatus(state.Text(103));
                ShowOnlyListedColumns(grid, EntryOrEmpty(state.HeaderSetColumns, index));
                feedback.SetStatus(state.Text(104));
            }
            if (state.DocumentFileName == PrototypeTableName) {
                feedback.EndCellEdit();
                feedback.SetStatus(state.Text(101));
                feedback.Refresh();
                HideRowsOfOtherTypes(grid, typeName, feedback);
                feedback.SetStatus(state.Text(102));
                feedback.SetProgress(0);
            }
        }
    } catch (const std::exception&) {
        feedback.ShowMessage(state.Text(105) + " " + state.ErrorContext);
        succeeded = false;
    }
    feedback.SetBusy(false);
    state.PaintSuspended = false;
    return succeeded;
}

} // namespace tw
