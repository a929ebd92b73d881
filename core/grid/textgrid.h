#pragma once
// The text grid every table lives in: cells addressed by data column and display row,
// hidden rows cut out into a list of whole-row records, hidden columns kept in place
// behind a flag. Widths and heights are plain pixel numbers; measuring text is the
// caller's job (see TextMeasure).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

struct GridProperties {
    int ColCount = 3;
    int RowCount = 3;
    int FixedRows = 1;
    int FixedCols = 1;
    int DefaultRowHeight = 24;
    int DefaultColWidth = 64;
    int GridLineWidth = 2;
    std::vector<int> ColWidths; // initial widths of the first columns
};

// Property values of the main grid and of the four hidden grids.
GridProperties MainGridProperties();
GridProperties SecondaryGridProperties();

// Measures text for auto-sizing: width of `text` (or, for heights, of "gh") in the font
// the cell is drawn with; `fixedFont` is true for cells of a fixed row or column.
struct TextMeasure {
    std::function<int(std::string_view text, bool fixedFont)> Width;
    std::function<int(bool fixedFont)> LineHeight;
};

// One row's cells in a single byte buffer: `Ends[i]` is the end offset of cell i.
// Trailing empty cells need not be stored; a read past the stored cells is empty.
class GridRow {
public:
    std::string_view Cell(int column) const;
    // The stored cells in column order (a row ending in empty cells stores fewer).
    void StoredCells(std::vector<std::string_view>& cells) const;
    void SetCell(int column, std::string_view text);
    void Assign(const std::vector<std::string_view>& cells);
    void Clear();
    int StoredCount() const { return static_cast<int>(Ends.size()); }
    // Drops stored cells from `columnCount` on.
    void Truncate(int columnCount);

private:
    std::string Bytes;
    std::vector<uint32_t> Ends;
};

struct HiddenRowRecord {
    int DataRow = 0;
    GridRow Cells;
    int Height = 0;
};

class TTextGrid {
public:
    explicit TTextGrid(const GridProperties& properties = MainGridProperties());

    // --- cells (column is always a data index, row a display index) ---
    // Reads outside the grid's rows or data columns give the empty text.
    std::string_view Cell(int dataCol, int row) const;
    std::string CellText(int dataCol, int row) const { return std::string(Cell(dataCol, row)); }
    // Writes outside the grid's rows or data columns are ignored.
    void SetCell(int dataCol, int row, std::string_view text);
    // Fast path for walks over whole rows: the row's cells of data columns 0, 1, ... in
    // order, stopping after the last non-empty one (further columns read as empty).
    void RowCells(int row, std::vector<std::string_view>& cells) const;
    // Fast path for loaders: replaces every cell of a row at once.
    void AssignRow(int row, const std::vector<std::string_view>& cells);
    void ClearCells();
    std::string CurrentCellText() const;

    // --- shape ---
    int RowCount() const { return static_cast<int>(Rows.size()); }
    void SetRowCount(int count);
    int ColCount() const { return VisibleColCount; }  // visible columns only
    void SetColCount(int count);                      // adds or removes data columns at the end
    int DataColumnCount() const { return VisibleColCount + HiddenColCount; }
    int FixedRows() const { return FixedRowCount; }
    int FixedCols() const { return FixedColCount; }
    // Refuses a negative count and one not below ColCount; returns whether it was taken.
    bool SetFixedCols(int count);

    int Row() const { return CurrentRow; }
    int Col() const { return CurrentCol; }
    void SetRow(int row);
    void SetCol(int col);

    int ColWidth(int displayCol) const;
    void SetColWidth(int displayCol, int width);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    int DefaultRowHeight() const { return DefaultHeight; }
    int GridLineWidth() const { return LineWidth; }

    // --- visibility (all by data index) ---
    void HideRow(int dataRow);
    // Same result as HideRow for each entry in the given order, in one pass.
    void HideRows(const std::vector<int>& dataRows);
    void UnhideRow(int dataRow);
    void UnhideAllRows();
    // Forgets every hidden row without bringing it back (a new document replaces the old).
    void DiscardHiddenRows();
    const std::vector<HiddenRowRecord>& HiddenRows() const { return Hidden; }

    void HideColumn(int dataCol) { HideColumns(dataCol, dataCol); }
    void HideColumns(int first, int last);
    void UnhideColumn(int dataCol) { UnhideColumns(dataCol, dataCol); }
    void UnhideColumns(int first, int last);
    void UnhideAllColumns();
    bool IsColumnHidden(int dataCol) const;
    int HiddenColumnCount() const { return HiddenColCount; }

    int DataRowOf(int displayRow) const;
    int DataColumnOf(int displayCol) const;
    int DisplayColumnOf(int dataCol) const;

    // --- rows ---
    void InsertRows(int row, int count);
    void DeleteRows(int row, int count);
    void MoveRow(int from, int to);
    // Puts the rows first..first+order.size()-1 into the order given: new row first+k is
    // the row that was at order[k]. Heights stay with their positions, as with MoveRow.
    void PermuteRows(int first, const std::vector<int>& order);

    // --- sizing ---
    void AutoSizeColumn(int displayCol, const TextMeasure& measure);
    void AutoSizeRow(int row, const TextMeasure& measure);

private:
    // implementation state is private to textgrid.cpp
    struct RowSlot {
        GridRow Cells;
        int Height = 0;
    };
    std::vector<RowSlot> Rows;
    std::vector<HiddenRowRecord> Hidden;       // ascending DataRow
    std::vector<uint8_t> ColumnHidden;         // per data column
    std::vector<int> DataColWidths;            // per data column (saved width while hidden)
    std::vector<int> DisplayToData;            // cache of DataColumnOf for visible columns
    int VisibleColCount = 0;
    int HiddenColCount = 0;
    int FixedRowCount = 1;
    int FixedColCount = 1;
    int CurrentRow = 0;
    int CurrentCol = 0;
    int DefaultHeight = 24;
    int DefaultWidth = 64;
    int LineWidth = 2;

    void RebuildColumnMap();
};

} // namespace tw
