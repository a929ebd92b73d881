#include "core/grid/gridcommands.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/app/text.h"
#include "core/document/documentedits.h"
#include "core/document/fileformat.h"

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
    for (int row : state.SelectedRows.Items())
        dataRows.push_back(grid.DataRowOf(row));
    grid.HideRows(dataRows);
    ClearRowSelection(state, feedback);
    return true;
}

bool HideSelectedColumns(EditorState& state, Feedback& feedback) {
    TTextGrid& grid = state.SG1();
    for (int column : state.SelectedCols.Items())
        grid.HideColumn(column);
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
    if (IsPrototypeTableName(state.DocumentFileName))
        state.SG1().AutoSizeColumn(2, state.Measure);
    ClearColumnSelection(state, feedback);
}

void UnhideRowNumber(EditorState& state, const std::string& answer, Feedback& feedback) {
    auto number = ConvertInteger(answer);
    if (!number)
        return;
    state.SG1().UnhideRow(*number);
    ClearRowSelection(state, feedback);
}

void UnhideColumnNumber(EditorState& state, const std::string& answer, Feedback& feedback) {
    auto number = ConvertInteger(answer);
    if (!number)
        return;
    state.SG1().UnhideColumn(*number);
    ClearColumnSelection(state, feedback);
}

void InsertRowAbove(EditorState& state) {
    InsertDocumentRow(state, state.ClickedRow);
}

void DeleteThisRow(EditorState& state) {
    DeleteDocumentRow(state, state.ClickedRow);
}

void CopyThisRow(EditorState& state) {
    TTextGrid& grid = state.SG1();
    int row = state.ClickedRow;
    if (row < 0 || row >= grid.RowCount())
        return;
    // Every data column of the main grid, hidden ones included: the column count of the
    // last load may belong to another grid after a compare and would cut the copy short.
    std::vector<std::string> cells;
    const int last = std::max(state.LastColIndex, grid.DataColumnCount() - 1);
    for (int c = 0; c <= last; ++c)
        cells.emplace_back(grid.Cell(c, row));
    // The copy comes in whole, as one step.
    InsertDocumentRow(state, row, cells);
}

std::optional<std::pair<int, int>> FindInGrid(EditorState& state, const std::string& text) {
    if (text.empty())
        return std::nullopt;
    state.LastFindText = LowerAZ(text);
    const std::string& needle = state.LastFindText;
    const TTextGrid& grid = state.SG1();
    int j = grid.Row();
    int i = grid.Col();
    const int lastCol = grid.ColCount() - 1;
    // Each row's cells are read in one sweep, not one by one.
    std::vector<std::string_view> cells;
    int cellsOf = -1;
    // Rows past the last one are empty and never match, so the walk ends there.
    while (j < grid.RowCount()) {
        ++i;
        if (i > lastCol) {
            i = 0;
            ++j;
            if (j >= grid.RowCount())
                break;
        }
        if (cellsOf != j) {
            // A row whose joined bytes hold no match has no matching cell either: skip it.
            std::string_view joined;
            if (grid.StoredRow(j).TabJoined(joined) && !ContainsIgnoringCaseAZ(joined, needle)) {
                i = lastCol;
                continue;
            }
            grid.RowCells(j, cells);
            cellsOf = j;
        }
        auto dataCol = static_cast<size_t>(grid.DataColumnOf(i));
        if (dataCol < cells.size() && ContainsIgnoringCaseAZ(cells[dataCol], needle))
            return std::make_pair(j, i);
    }
    return std::nullopt;
}

CellBackground CellBackgroundOf(const EditorState& state, int row, int dataCol, bool gridHasFocus,
                                bool editorActive) {
    if (state.PaintSuspended)
        return CellBackground::GridOwn;
    const TTextGrid& grid = state.SG1();
    CellBackground result = CellBackground::Window;
    if (row != 0 && dataCol >= grid.FixedCols() &&
        (state.SelectedRows.Contains(row) || state.SelectedCols.Contains(dataCol)))
        result = CellBackground::Selection;
    if (grid.DisplayColumnOf(dataCol) == grid.Col() && row == grid.Row() && gridHasFocus &&
        editorActive)
        result = CellBackground::ActiveCell;
    return result;
}

namespace {

struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};
using WidthTable = std::unordered_map<std::string_view, int, TextHash, std::equal_to<>>;

// Widths of texts up to seven bytes, the short numbers and flags most cells hold, keyed
// by the bytes themselves in an open-addressing table: no string hashing, no compare.
class ShortTextWidths {
  public:
    static constexpr size_t MaxLength = 7;
    // The slot for `text` (length 1 to MaxLength) and font; its width is -1 when unknown.
    int& Slot(std::string_view text, bool fixedFont) {
        uint64_t key = static_cast<uint64_t>(text.size()) << 56 | (fixedFont ? 1ull << 63 : 0);
        for (size_t i = 0; i < text.size(); ++i)
            key |= static_cast<uint64_t>(static_cast<unsigned char>(text[i])) << (8 * i);
        if (2 * (Used + 1) > Entries.size())
            Grow();
        size_t mask = Entries.size() - 1;
        for (size_t i = Mix(key) & mask;; i = (i + 1) & mask) {
            Entry& entry = Entries[i];
            if (entry.Key == key)
                return entry.Width;
            if (entry.Key == 0) {
                entry.Key = key;
                ++Used;
                return entry.Width;
            }
        }
    }

  private:
    struct Entry {
        uint64_t Key = 0; // never 0 for a text: its length is part of the key
        int Width = -1;
    };
    std::vector<Entry> Entries = std::vector<Entry>(1024);
    size_t Used = 0;

    static size_t Mix(uint64_t key) {
        key ^= key >> 33;
        key *= 0xff51afd7ed558ccdull;
        key ^= key >> 33;
        return static_cast<size_t>(key);
    }
    void Grow() {
        std::vector<Entry> old(Entries.size() * 2);
        old.swap(Entries);
        size_t mask = Entries.size() - 1;
        for (const Entry& entry : old) {
            if (entry.Key == 0)
                continue;
            size_t i = Mix(entry.Key) & mask;
            while (Entries[i].Key != 0)
                i = (i + 1) & mask;
            Entries[i] = entry;
        }
    }
};

// Columns sized together: the rows' buffers are read once per block, not once per column.
constexpr int ColumnBlock = 32;

} // namespace

void AutoSizeColumnRange(TTextGrid& grid, int first, int last, const TextMeasure& measure,
                         const std::function<void(int column)>& progress,
                         const std::function<void()>& poll) {
    if (!measure.Width)
        return;
    first = std::max(first, 0);
    last = std::min(last, grid.ColCount() - 1);
    // The texts stay in the grid for the whole command, so views of them are the keys.
    WidthTable normalWidths, fixedWidths;
    ShortTextWidths shortWidths;
    auto widthOf = [&](std::string_view text, bool fixedFont) {
        if (text.size() <= ShortTextWidths::MaxLength) {
            int& width = shortWidths.Slot(text, fixedFont);
            if (width < 0)
                width = measure.Width(text, fixedFont);
            return width;
        }
        WidthTable& known = fixedFont ? fixedWidths : normalWidths;
        auto it = known.find(text);
        if (it != known.end())
            return it->second;
        int width = measure.Width(text, fixedFont);
        known.emplace(text, width);
        return width;
    };
    std::vector<int> dataCols;
    std::vector<int> widest;
    std::vector<std::string_view> cells;
    for (int blockStart = first; blockStart <= last; blockStart += ColumnBlock) {
        if (progress)
            progress(blockStart);
        const int blockEnd = std::min(blockStart + ColumnBlock - 1, last);
        dataCols.clear();
        for (int d = blockStart; d <= blockEnd; ++d)
            dataCols.push_back(grid.DataColumnOf(d));
        widest.assign(dataCols.size(), 0);
        for (int r = 0; r < grid.RowCount(); ++r) {
            if (poll && r % 4096 == 0)
                poll();
            const bool fixedRow = r < grid.FixedRows();
            grid.RowCellRange(r, dataCols.front(), dataCols.back(), cells);
            for (size_t k = 0; k < dataCols.size(); ++k) {
                auto at = static_cast<size_t>(dataCols[k] - dataCols.front());
                std::string_view text = at < cells.size() ? cells[at] : std::string_view();
                if (text.empty())
                    continue;
                const bool fixedFont =
                    fixedRow || blockStart + static_cast<int>(k) < grid.FixedCols();
                widest[k] = std::max(widest[k], widthOf(text, fixedFont));
            }
        }
        for (size_t k = 0; k < dataCols.size(); ++k)
            grid.SetColWidth(blockStart + static_cast<int>(k),
                             std::max(widest[k] + 2 * grid.GridLineWidth() + 8, 10));
    }
}

void AutoSizeColumns(EditorState& state, Feedback& feedback) {
    TTextGrid& grid = state.SG1();
    feedback.SetStatus(state.Text(114));
    feedback.Refresh();
    feedback.SetProgressMax(grid.ColCount() - 1);
    AutoSizeColumnRange(
        grid, 0, grid.ColCount() - 1, state.Measure,
        [&feedback](int column) { feedback.SetProgress(column); },
        [&feedback] { StopIfCancelled(feedback); });
    feedback.SetStatus(state.Text(115));
    feedback.SetProgress(0);
}

void AutoSizeAllRows(EditorState& state) {
    TTextGrid& grid = state.SG1();
    for (int r = 0; r < grid.RowCount(); ++r)
        grid.AutoSizeRow(r, state.Measure);
}

} // namespace tw

namespace tw {

void WidenColumnsToHeaders(TTextGrid& grid, const TextMeasure& measure, int least) {
    if (!measure.Width)
        return;
    for (int col = 0; col < grid.ColCount(); ++col) {
        const std::string_view header = grid.Cell(grid.DataColumnOf(col), 0);
        int wanted = least;
        // Header cells are drawn in the fixed font; the margins are AutoSizeColumn's.
        if (!header.empty())
            wanted = std::max(wanted, measure.Width(header, true) + 2 * grid.GridLineWidth() + 8);
        if (wanted > grid.ColWidth(col))
            grid.SetColWidth(col, wanted);
    }
}

} // namespace tw
