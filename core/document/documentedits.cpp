#include "core/document/documentedits.h"

#include <algorithm>
#include <numeric>

namespace tw {

namespace {

// ---------------------------------------------------------------- data rows

// Number of hidden rows whose data index is below `dataRow`.
int HiddenBelow(const TTextGrid& grid, int dataRow) {
    const auto& hidden = grid.HiddenRows();
    auto it = std::lower_bound(hidden.begin(), hidden.end(), dataRow,
                               [](const HiddenRowRecord& r, int d) { return r.DataRow < d; });
    return static_cast<int>(it - hidden.begin());
}

bool IsHiddenRow(const TTextGrid& grid, int dataRow) {
    const auto& hidden = grid.HiddenRows();
    const int below = HiddenBelow(grid, dataRow);
    return below < static_cast<int>(hidden.size()) &&
           hidden[static_cast<size_t>(below)].DataRow == dataRow;
}

// Runs `change` with every row shown, so display rows are data rows, then hides again the
// rows that were hidden, at the places `newPlace` gives them (-1: the row is gone). Row
// changes keep the hidden rows hidden among the rows they were hidden between.
template <typename Change, typename Place>
void WithAllRowsShown(TTextGrid& grid, Change&& change, Place&& newPlace) {
    if (grid.HiddenRows().empty()) {
        change();
        return;
    }
    std::vector<int> hidden;
    hidden.reserve(grid.HiddenRows().size());
    for (const HiddenRowRecord& record : grid.HiddenRows())
        hidden.push_back(record.DataRow);
    const int current = grid.Row();
    grid.UnhideAllRows();
    change();
    std::vector<int> again;
    again.reserve(hidden.size());
    for (int dataRow : hidden) {
        const int place = newPlace(dataRow);
        if (place >= 0)
            again.push_back(place);
    }
    std::sort(again.begin(), again.end());
    grid.HideRows(again);
    grid.SetRow(std::min(current, grid.RowCount() - 1));
}

// Data rows of display rows first .. first+count-1, in one walk.
std::vector<int> DataRowsOf(const TTextGrid& grid, int first, int count) {
    std::vector<int> rows(static_cast<size_t>(std::max(count, 0)));
    const auto& hidden = grid.HiddenRows();
    size_t h = 0;
    int data = 0;
    for (int display = 0; display < first + count; ++display, ++data) {
        while (h < hidden.size() && hidden[h].DataRow <= data) {
            if (hidden[h].DataRow == data)
                ++data;
            ++h;
        }
        if (display >= first)
            rows[static_cast<size_t>(display - first)] = data;
    }
    return rows;
}

StoredRow StoreRow(const TTextGrid& grid, int row) {
    // The row's own storage is already compact: a copy is one block of memory.
    return StoredRow{grid.StoredRow(row), grid.RowHeight(row)};
}

// Whether two rows hold the same cells; rows stored tab-joined compare as one text.
bool SameCells(const GridRow& a, const GridRow& b, std::vector<std::string_view>& left,
               std::vector<std::string_view>& right) {
    std::string_view joinedA, joinedB;
    if (a.TabJoined(joinedA) && b.TabJoined(joinedB))
        return joinedA == joinedB;
    a.StoredCells(left);
    b.StoredCells(right);
    return left == right;
}

void PutRow(TTextGrid& grid, int row, const StoredRow& stored,
            std::vector<std::string_view>& cells) {
    stored.Cells.StoredCells(cells);
    grid.AssignRow(row, cells);
    grid.SetRowHeight(row, stored.Height);
}

// Every row of the grid below the header row, hidden ones at their places. The header
// row holds captions, which follow the language, not the document.
std::vector<StoredRow> StoreAllRows(TTextGrid& grid) {
    std::vector<StoredRow> rows;
    WithAllRowsShown(
        grid,
        [&] {
            rows.reserve(static_cast<size_t>(grid.RowCount()));
            for (int row = 1; row < grid.RowCount(); ++row)
                rows.push_back(StoreRow(grid, row));
        },
        [](int dataRow) { return dataRow; });
    return rows;
}

bool SameRows(TTextGrid& grid, const std::vector<StoredRow>& rows) {
    bool same = true;
    WithAllRowsShown(
        grid,
        [&] {
            if (static_cast<size_t>(grid.RowCount()) != rows.size() + 1) {
                same = false;
                return;
            }
            std::vector<std::string_view> a, b;
            for (int row = 1; row < grid.RowCount() && same; ++row)
                same =
                    SameCells(grid.StoredRow(row), rows[static_cast<size_t>(row - 1)].Cells, a, b);
        },
        [](int dataRow) { return dataRow; });
    return same;
}

// ---------------------------------------------------------------- applying actions

// Writes a cell by data row; a hidden row is shown for the moment of the write. Gives
// the display row written, or -1 when the row is hidden.
int WriteDataCell(TTextGrid& grid, int dataRow, int dataCol, const std::string& text) {
    const int display = dataRow - HiddenBelow(grid, dataRow);
    if (!IsHiddenRow(grid, dataRow)) {
        grid.SetCell(dataCol, display, text);
        return display;
    }
    const int current = grid.Row();
    grid.UnhideRow(dataRow);
    grid.SetCell(dataCol, display, text);
    grid.HideRow(dataRow);
    grid.SetRow(current);
    return -1;
}

void InsertDataRows(TTextGrid& grid, int dataRow, const std::vector<StoredRow>& rows) {
    const int count = static_cast<int>(rows.size());
    WithAllRowsShown(
        grid,
        [&] {
            grid.InsertRows(dataRow, count);
            std::vector<std::string_view> cells;
            for (int k = 0; k < count; ++k)
                PutRow(grid, dataRow + k, rows[static_cast<size_t>(k)], cells);
        },
        [&](int hidden) { return hidden < dataRow ? hidden : hidden + count; });
}

void RemoveDataRows(TTextGrid& grid, int dataRow, int count) {
    WithAllRowsShown(
        grid, [&] { grid.DeleteRows(dataRow, count); },
        [&](int hidden) {
            if (hidden < dataRow)
                return hidden;
            return hidden < dataRow + count ? -1 : hidden - count;
        });
}

// Afterwards the row at positions[k] is the one that was at positions[order[k]].
void ReorderDataRows(TTextGrid& grid, const std::vector<int>& positions,
                     const std::vector<int>& order) {
    if (positions.empty())
        return;
    const int low = positions.front();
    const int high = positions.back();
    std::vector<int> newPlace(static_cast<size_t>(high - low + 1));
    std::iota(newPlace.begin(), newPlace.end(), low);
    for (size_t k = 0; k < order.size(); ++k)
        newPlace[static_cast<size_t>(positions[static_cast<size_t>(order[k])] - low)] =
            positions[k];
    WithAllRowsShown(
        grid,
        [&] {
            std::vector<int> permutation(newPlace.size());
            std::iota(permutation.begin(), permutation.end(), low);
            for (size_t k = 0; k < order.size(); ++k)
                permutation[static_cast<size_t>(positions[k] - low)] =
                    positions[static_cast<size_t>(order[k])];
            grid.PermuteRows(low, permutation);
        },
        [&](int hidden) {
            return hidden < low || hidden > high ? hidden
                                                 : newPlace[static_cast<size_t>(hidden - low)];
        });
}

std::vector<int> Inverse(const std::vector<int>& order) {
    std::vector<int> inverse(order.size());
    for (size_t k = 0; k < order.size(); ++k)
        inverse[static_cast<size_t>(order[k])] = static_cast<int>(k);
    return inverse;
}

// Puts the snapshot's rows into the grid and keeps the grid's rows in their place. A
// whole new version has no place for rows hidden in the old one: all rows show.
void SwapWithGrid(TTextGrid& grid, GridSnapshot& snapshot) {
    grid.UnhideAllRows();
    std::vector<StoredRow> now = StoreAllRows(grid);
    const int current = grid.Row();
    grid.SetRowCount(1 + static_cast<int>(snapshot.Rows.size()));
    std::vector<std::string_view> cells;
    for (size_t row = 0; row < snapshot.Rows.size(); ++row)
        PutRow(grid, 1 + static_cast<int>(row), snapshot.Rows[row], cells);
    grid.SetRow(std::min(current, grid.RowCount() - 1));
    snapshot.Rows = std::move(now);
}

struct Applier {
    EditorState& State;
    bool Forward; // redo (true) or undo (false)
    HistoryMove& Move;

    TTextGrid& Grid() { return State.SG1(); }

    void operator()(CellWrite& write) {
        const int row = WriteDataCell(Grid(), write.DataRow, write.DataCol,
                                      Forward ? write.After : write.Before);
        if (row >= 0)
            Move.Cells.emplace_back(row, write.DataCol);
    }
    void operator()(RowInsert& insert) {
        Move.RowsChanged = true;
        if (Forward)
            InsertDataRows(Grid(), insert.DataRow, insert.Rows);
        else
            RemoveDataRows(Grid(), insert.DataRow, static_cast<int>(insert.Rows.size()));
    }
    void operator()(RowRemoval& removal) {
        Move.RowsChanged = true;
        if (Forward)
            RemoveDataRows(Grid(), removal.DataRow, static_cast<int>(removal.Rows.size()));
        else
            InsertDataRows(Grid(), removal.DataRow, removal.Rows);
    }
    void operator()(RowReorder& reorder) {
        // Marks name display rows, whose rows have just changed places (as the sort does).
        Move.RowsChanged = true;
        Move.MarksCleared = true;
        State.SelectedRows.Clear();
        ReorderDataRows(Grid(), reorder.Positions,
                        Forward ? reorder.Order : Inverse(reorder.Order));
    }
    void operator()(GridSnapshot& snapshot) {
        Move.RowsChanged = true;
        Move.MarksCleared = true;
        State.SelectedRows.Clear();
        SwapWithGrid(Grid(), snapshot);
    }
};

void Record(EditorState& state, EditAction action) {
    DocumentHistory& history = state.History;
    if (history.Depth > 0) {
        // A whole-document step already holds the version before everything inside it.
        if (!history.OpenIsWhole)
            history.Open.Actions.push_back(std::move(action));
        return;
    }
    EditStep step;
    step.Actions.push_back(std::move(action));
    history.Push(std::move(step));
}

void CloseScope(DocumentHistory& history) {
    if (--history.Depth > 0)
        return;
    EditStep step = std::move(history.Open);
    history.Open = EditStep();
    history.OpenIsWhole = false;
    history.Push(std::move(step));
}

} // namespace

// ---------------------------------------------------------------- scopes

EditStepScope::EditStepScope(EditorState& state) : State(state) {
    ++State.History.Depth;
}

EditStepScope::~EditStepScope() {
    CloseScope(State.History);
}

WholeDocumentStep::WholeDocumentStep(EditorState& state) : State(state) {
    DocumentHistory& history = State.History;
    if (!history.OpenIsWhole) {
        history.Open.Actions.push_back(GridSnapshot{StoreAllRows(State.SG1())});
        history.OpenIsWhole = true;
        Owner = true;
    }
    ++history.Depth;
}

WholeDocumentStep::~WholeDocumentStep() {
    DocumentHistory& history = State.History;
    if (Owner && !history.Open.Actions.empty()) {
        // A run that changed nothing is no step.
        auto* snapshot = std::get_if<GridSnapshot>(&history.Open.Actions.back());
        if (snapshot && SameRows(State.SG1(), snapshot->Rows))
            history.Open.Actions.pop_back();
    }
    CloseScope(history);
}

// ---------------------------------------------------------------- commands

std::optional<CellRefusal> WriteCell(EditorState& state, int dataCol, int row,
                                     std::string_view text) {
    TTextGrid& grid = state.SG1();
    if (row < 0 || row >= grid.RowCount() || dataCol < 0 || dataCol >= grid.DataColumnCount())
        return std::nullopt;
    if (auto refused = RefusedCellText(state, row, dataCol, text))
        return refused;
    const std::string_view before = grid.Cell(dataCol, row);
    if (before == text)
        return std::nullopt;
    Record(state, CellWrite{grid.DataRowOf(row), dataCol, std::string(before), std::string(text)});
    grid.SetCell(dataCol, row, text);
    return std::nullopt;
}

std::optional<CellRefusal> WriteCells(EditorState& state, const std::vector<CellText>& cells) {
    TTextGrid& grid = state.SG1();
    // Each cell is judged with the cells written before it in place, as the row will be;
    // a refusal takes back what was written, so nothing of the batch stays.
    std::vector<CellWrite> written;
    std::vector<int> rows;
    for (const CellText& cell : cells) {
        if (cell.Row < 0 || cell.Row >= grid.RowCount() || cell.DataCol < 0 ||
            cell.DataCol >= grid.DataColumnCount())
            continue;
        if (auto refused = RefusedCellText(state, cell.Row, cell.DataCol, cell.Text)) {
            for (size_t k = written.size(); k-- > 0;)
                grid.SetCell(written[k].DataCol, rows[k], written[k].Before);
            return refused;
        }
        const std::string_view before = grid.Cell(cell.DataCol, cell.Row);
        if (before == cell.Text)
            continue;
        written.push_back(
            CellWrite{grid.DataRowOf(cell.Row), cell.DataCol, std::string(before), cell.Text});
        rows.push_back(cell.Row);
        grid.SetCell(cell.DataCol, cell.Row, cell.Text);
    }
    EditStepScope step(state);
    for (CellWrite& write : written)
        Record(state, std::move(write));
    return std::nullopt;
}

void InsertDocumentRow(EditorState& state, int row, const std::vector<std::string>& cells) {
    TTextGrid& grid = state.SG1();
    row = std::clamp(row, 0, grid.RowCount());
    RowInsert insert;
    insert.DataRow = grid.DataRowOf(row);
    StoredRow stored;
    std::vector<std::string_view> views(cells.begin(), cells.end());
    if (static_cast<int>(views.size()) > grid.DataColumnCount())
        views.resize(static_cast<size_t>(grid.DataColumnCount()));
    stored.Cells.Assign(views);
    stored.Height = grid.DefaultRowHeight();
    insert.Rows.push_back(std::move(stored));
    InsertDataRows(grid, insert.DataRow, insert.Rows);
    Record(state, std::move(insert));
}

void DeleteDocumentRow(EditorState& state, int row) {
    TTextGrid& grid = state.SG1();
    if (row < 0 || row >= grid.RowCount())
        return;
    RowRemoval removal;
    removal.DataRow = grid.DataRowOf(row);
    removal.Rows.push_back(StoreRow(grid, row));
    // The grid lowers the hidden rows below by itself, as the undo's insert raises them.
    grid.DeleteRows(row, 1);
    Record(state, std::move(removal));
}

void RecordRowOrder(EditorState& state, int first, const std::vector<int>& order) {
    if (state.History.OpenIsWhole)
        return;
    RowReorder reorder;
    reorder.Positions = DataRowsOf(state.SG1(), first, static_cast<int>(order.size()));
    reorder.Order.reserve(order.size());
    for (int source : order)
        reorder.Order.push_back(source - first);
    Record(state, std::move(reorder));
}

HistoryMove UndoDocument(EditorState& state) {
    HistoryMove move;
    EditStep step;
    if (!state.History.PopUndo(step))
        return move;
    move.Moved = true;
    Applier apply{state, false, move};
    for (auto action = step.Actions.rbegin(); action != step.Actions.rend(); ++action)
        std::visit(apply, *action);
    state.History.PushUndone(std::move(step));
    return move;
}

HistoryMove RedoDocument(EditorState& state) {
    HistoryMove move;
    EditStep step;
    if (!state.History.PopRedo(step))
        return move;
    move.Moved = true;
    Applier apply{state, true, move};
    for (EditAction& action : step.Actions)
        std::visit(apply, action);
    state.History.PushDone(std::move(step));
    return move;
}

void ClearDocumentHistory(EditorState& state) {
    state.History.Clear();
}

void MarkDocumentSaved(EditorState& state) {
    state.History.MarkSaved();
}

namespace {

// What long work may change besides the rows themselves, kept to be put back on a stop.
struct KeptView {
    MarkList SelectedRows, SelectedCols;
    int ClickedRow, ClickedCol, ClickedDataRow, ClickedDataCol;
    bool PaintSuspended, BatchActive, TextOrderAllowed;
    int CurrentGridSlot;
    int Row, Col;
    std::vector<int> HiddenRows;
    std::vector<int> Widths;

    explicit KeptView(const EditorState& state)
        : SelectedRows(state.SelectedRows), SelectedCols(state.SelectedCols),
          ClickedRow(state.ClickedRow), ClickedCol(state.ClickedCol),
          ClickedDataRow(state.ClickedDataRow), ClickedDataCol(state.ClickedDataCol),
          PaintSuspended(state.PaintSuspended), BatchActive(state.BatchActive),
          TextOrderAllowed(state.TextOrderAllowed), CurrentGridSlot(state.CurrentGridSlot),
          Row(state.SG1().Row()), Col(state.SG1().Col()), HiddenRows(HiddenOf(state.SG1())) {
        const TTextGrid& grid = state.SG1();
        Widths.reserve(static_cast<size_t>(grid.ColCount()));
        for (int col = 0; col < grid.ColCount(); ++col)
            Widths.push_back(grid.ColWidth(col));
    }

    static std::vector<int> HiddenOf(const TTextGrid& grid) {
        std::vector<int> rows;
        rows.reserve(grid.HiddenRows().size());
        for (const HiddenRowRecord& record : grid.HiddenRows())
            rows.push_back(record.DataRow);
        return rows;
    }

    void PutBack(EditorState& state) {
        TTextGrid& grid = state.SG1();
        // Taking back a whole-document version shows every row; the rows are the same
        // ones again, so the same data rows hide.
        if (HiddenOf(grid) != HiddenRows) {
            grid.UnhideAllRows();
            grid.HideRows(HiddenRows);
        }
        if (grid.ColCount() == static_cast<int>(Widths.size())) {
            for (int col = 0; col < grid.ColCount(); ++col) {
                if (grid.ColWidth(col) != Widths[static_cast<size_t>(col)])
                    grid.SetColWidth(col, Widths[static_cast<size_t>(col)]);
            }
        }
        grid.SetRow(std::min(Row, grid.RowCount() - 1));
        grid.SetCol(std::min(Col, grid.ColCount() - 1));
        state.SelectedRows = std::move(SelectedRows);
        state.SelectedCols = std::move(SelectedCols);
        state.ClickedRow = ClickedRow;
        state.ClickedCol = ClickedCol;
        state.ClickedDataRow = ClickedDataRow;
        state.ClickedDataCol = ClickedDataCol;
        state.PaintSuspended = PaintSuspended;
        state.BatchActive = BatchActive;
        state.TextOrderAllowed = TextOrderAllowed;
        state.CurrentGridSlot = CurrentGridSlot;
    }
};

} // namespace

bool RunCancellable(EditorState& state, const std::function<void()>& work) {
    DocumentHistory& history = state.History;
    KeptView kept(state);
    const size_t recordedBefore = history.Open.Actions.size();
    const bool wholeBefore = history.OpenIsWhole;
    // An outer scope: whatever the work records collects in the open step, where a stop
    // can still take it back without touching the history's steps.
    EditStepScope scope(state);
    try {
        work();
    } catch (const WorkCancelled&) {
        // The work's own scopes have closed as the stop unwound through them; the open
        // step holds what it changed, newest last.
        HistoryMove ignored;
        Applier undo{state, false, ignored};
        std::vector<EditAction>& actions = history.Open.Actions;
        for (size_t k = actions.size(); k-- > recordedBefore;)
            std::visit(undo, actions[k]);
        actions.erase(actions.begin() + static_cast<std::ptrdiff_t>(recordedBefore), actions.end());
        history.OpenIsWhole = wholeBefore;
        kept.PutBack(state);
        return false;
    }
    return true;
}

} // namespace tw
