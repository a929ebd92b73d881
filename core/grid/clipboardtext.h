#pragma once
// The grid's clipboard text: a rectangle of cells as TAB- and CR LF-separated text, and
// pasted text split back into cells. Bytes are kept as they are; the code page is the
// caller's business.

#include <string>
#include <string_view>
#include <vector>

namespace tw {

class TTextGrid;

// Display rows top..bottom and display columns left..right, each cell read through
// DataColumnOf. TAB between the cells of a row; CR LF after every row when more than one
// row is copied, none for a single row. A cell holding a CR loses its CRs and is wrapped
// in double quotes.
std::string BuildCopyText(const TTextGrid& grid, int top, int left, int bottom, int right);

// Rows split on LF or CR LF (a line break at the very end starts no further row), cells
// on TAB. A cell that starts and ends with a double quote and holds a line break inside
// is the quoted form BuildCopyText writes: it comes back without the quotes, line breaks
// kept.
std::vector<std::vector<std::string>> SplitPastedText(std::string_view text);

struct CellRect {
    int Top = 0;
    int Left = 0;
    int Bottom = -1; // empty when Bottom < Top
    int Right = -1;
    bool Empty() const { return Bottom < Top || Right < Left; }
};

// Writes the cells from (row, col), display indices, right and down; cells that would
// fall outside the grid are dropped, so a paste never adds rows or columns. Returns the
// rectangle written.
CellRect PasteCells(TTextGrid& grid, int row, int col,
                    const std::vector<std::vector<std::string>>& cells);

// Empties the cells of the rectangle (display indices), as a cut leaves them.
void ClearCellRect(TTextGrid& grid, const CellRect& rect);

} // namespace tw
