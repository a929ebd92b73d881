#pragma once
// The text grid every table lives in: cells addressed by data column and display row,
// hidden rows cut out into a list of whole-row records, hidden columns kept in place
// behind a flag. Widths and heights are plain pixel numbers; measuring text is the
// caller's job (see TextMeasure).

#include <algorithm>
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

// One row's cells in a single byte buffer, about as large as the row's line in the file.
// Trailing empty cells are not stored; a read past the stored cells is empty.
//
// The buffer starts with a small table of offsets and goes on with the cell texts. The
// offsets take 16 bits where the texts are shorter than 64 KiB, as nearly every row's are,
// and 32 bits otherwise.
// As a rule no cell holds a tab, and the texts are stored joined by tabs, as a tab file
// holds them: the table then gives the start of every eighth cell, and a read skips at
// most seven cells from there. A row with a tab inside a cell stores the texts back to
// back instead and the table gives the end of every cell. Either way one allocation holds
// the row, and a row costs little more than its bytes (a table of one offset per cell
// would cost more than the texts of a typical row).
class GridRow {
  public:
    std::string_view Cell(int column) const;
    // The stored cells in column order (a row ending in empty cells stores fewer).
    void StoredCells(std::vector<std::string_view>& cells) const;
    void SetCell(int column, std::string_view text);
    // Cells first .. first + count - 1 (empty beyond the stored ones), read in one sweep.
    void CellRange(int first, int count, std::vector<std::string_view>& cells) const;
    void Assign(const std::vector<std::string_view>& cells);
    // Assign for the cells of `line` split at every TAB (none for an empty line); returns
    // their number, trailing empty ones included.
    int AssignTabLine(std::string_view line);
    void Clear();
    int StoredCount() const { return static_cast<int>(Count); }
    // Drops stored cells from `columnCount` on.
    void Truncate(int columnCount);
    // The stored cells joined by tabs, when no cell holds a tab (else nothing): a writer
    // of tab lines can copy it as it stands.
    bool TabJoined(std::string_view& text) const {
        if (!Joined)
            return false;
        text = Text();
        return true;
    }

  private:
    static constexpr uint32_t Stride = 8; // cells between two offsets of a joined row

    static constexpr size_t MaxNarrowText = 0xFFFF; // the longest text with 16-bit offsets

    std::string Data;
    uint32_t Count = 0;
    bool Joined = true;
    bool Narrow = true;

    size_t TableSize() const { return Joined ? (Count == 0 ? 0 : (Count - 1) / Stride) : Count; }
    size_t OffsetBytes() const { return Narrow ? sizeof(uint16_t) : sizeof(uint32_t); }
    uint32_t Offset(size_t k) const;
    void SetOffset(size_t k, size_t value);
    std::string_view Text() const {
        size_t skip = TableSize() * OffsetBytes();
        return std::string_view(Data).substr(skip);
    }
};

struct HiddenRowRecord {
    int DataRow = 0;
    GridRow Cells;
    int Height = 0;
};

class TTextGrid {
    struct RowSlot {
        GridRow Cells;
        int Height = 0;
    };

  public:
    explicit TTextGrid(const GridProperties& properties = MainGridProperties());

    // Rows built apart from any grid, which a grid then takes over whole (a loader reads a
    // file into one before it touches the grid). Holding them as the grid does, they move
    // in without a second list of rows.
    class RowBatch {
      public:
        // `first`: the grid row the batch's first row will become.
        explicit RowBatch(int first)
            : Slots(static_cast<size_t>(std::max(first, 0))), First(Slots.size()) {}
        GridRow& Add() { return Slots.emplace_back().Cells; }
        size_t Size() const { return Slots.size() - First; }
        void Reserve(size_t rows) { Slots.reserve(First + rows); }
        void Clear() {
            Slots.resize(First);
            Slots.shrink_to_fit();
        }

      private:
        friend class TTextGrid;
        std::vector<RowSlot> Slots; // the first `First` are room for the grid's rows before
        size_t First;
    };

    // --- cells (column is always a data index, row a display index) ---
    // Reads outside the grid's rows or data columns give the empty text.
    std::string_view Cell(int dataCol, int row) const;
    std::string CellText(int dataCol, int row) const { return std::string(Cell(dataCol, row)); }
    // Writes outside the grid's rows or data columns are ignored.
    void SetCell(int dataCol, int row, std::string_view text);
    // Fast path for walks over whole rows: the row's cells of data columns 0, 1, ... in
    // order, stopping after the last non-empty one (further columns read as empty).
    void RowCells(int row, std::vector<std::string_view>& cells) const;
    // The stored cells of a shown row as they are kept (see GridRow), for writers.
    const GridRow& StoredRow(int row) const;
    // Fast path for walks over a stretch of columns: cells[k] is Cell(firstDataCol + k, row)
    // for k up to lastDataCol - firstDataCol.
    void RowCellRange(int row, int firstDataCol, int lastDataCol,
                      std::vector<std::string_view>& cells) const;
    // Fast path for loaders: replaces every cell of a row at once.
    void AssignRow(int row, const std::vector<std::string_view>& cells);
    // Fast path for loaders of TAB fields: stores the cells of a non-empty `line` split at
    // every TAB and returns their number. Unlike AssignRow it does not cut them to the
    // grid's columns: the caller widens the grid to that number at once.
    int StoreTabLine(int row, std::string_view line);
    // Fast path for loaders: rows first, first + 1, ... become the batch's rows (made for
    // `first`), and the batch is left empty. The rows before and after them stay; the grid
    // grows to hold them. Like StoreTabLine it does not cut cells to the grid's columns.
    void TakeRows(RowBatch& batch);
    void ClearCells();
    std::string CurrentCellText() const;

    // --- shape ---
    int RowCount() const { return static_cast<int>(Rows.size()); }
    void SetRowCount(int count);
    int ColCount() const { return VisibleColCount; } // visible columns only
    void SetColCount(int count);                     // adds or removes data columns at the end
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
    std::vector<RowSlot> Rows;
    std::vector<HiddenRowRecord> Hidden; // ascending DataRow
    std::vector<uint8_t> ColumnHidden;   // per data column
    std::vector<int> DataColWidths;      // per data column (saved width while hidden)
    std::vector<int> DisplayToData;      // cache of DataColumnOf for visible columns
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
