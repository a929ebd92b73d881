#include "core/grid/clipboardtext.h"

#include <algorithm>

#include "core/grid/textgrid.h"

namespace tw {

namespace {

void AppendCell(std::string& out, std::string_view cell) {
    if (cell.find('\r') == std::string_view::npos) {
        out.append(cell);
        return;
    }
    out.push_back('"');
    for (char ch : cell)
        if (ch != '\r')
            out.push_back(ch);
    out.push_back('"');
}

bool EndsCell(std::string_view text, size_t pos) {
    return pos >= text.size() || text[pos] == '\t' || text[pos] == '\n' ||
           (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n');
}

} // namespace

std::string BuildCopyText(const TTextGrid& grid, int top, int left, int bottom, int right) {
    std::string out;
    if (bottom < top || right < left)
        return out;
    const bool multiRow = bottom > top;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left)
                out.push_back('\t');
            AppendCell(out, grid.Cell(grid.DataColumnOf(c), r));
        }
        if (multiRow)
            out.append("\r\n");
    }
    return out;
}

std::vector<std::vector<std::string>> SplitPastedText(std::string_view text) {
    std::vector<std::vector<std::string>> rows;
    if (text.empty())
        return rows;
    rows.emplace_back();
    size_t pos = 0;
    while (true) {
        std::string cell;
        bool quoted = false;
        if (pos < text.size() && text[pos] == '"') {
            // Look for a closing quote that ends the cell with a line break before it.
            for (size_t close = text.find('"', pos + 1); close != std::string_view::npos;
                 close = text.find('"', close + 1)) {
                if (!EndsCell(text, close + 1))
                    continue;
                std::string_view inner = text.substr(pos + 1, close - pos - 1);
                if (inner.find('\n') != std::string_view::npos) {
                    cell.assign(inner);
                    pos = close + 1;
                    quoted = true;
                }
                break;
            }
        }
        if (!quoted) {
            size_t end = pos;
            while (!EndsCell(text, end))
                ++end;
            cell.assign(text.substr(pos, end - pos));
            pos = end;
        }
        rows.back().push_back(std::move(cell));
        if (pos >= text.size())
            break;
        if (text[pos] == '\t') {
            ++pos;
            continue;
        }
        pos += text[pos] == '\r' ? 2 : 1; // CR LF or LF
        if (pos >= text.size())
            break; // a final line break opens no row
        rows.emplace_back();
    }
    return rows;
}

CellRect PasteCells(TTextGrid& grid, int row, int col,
                    const std::vector<std::vector<std::string>>& cells) {
    CellRect rect{row, col, row - 1, col - 1};
    if (row < 0 || col < 0)
        return rect;
    for (size_t i = 0; i < cells.size(); ++i) {
        const int r = row + static_cast<int>(i);
        if (r >= grid.RowCount())
            break;
        for (size_t j = 0; j < cells[i].size(); ++j) {
            const int c = col + static_cast<int>(j);
            if (c >= grid.ColCount())
                break;
            grid.SetCell(grid.DataColumnOf(c), r, cells[i][j]);
            rect.Bottom = std::max(rect.Bottom, r);
            rect.Right = std::max(rect.Right, c);
        }
    }
    return rect;
}

void ClearCellRect(TTextGrid& grid, const CellRect& rect) {
    for (int r = std::max(rect.Top, 0); r <= rect.Bottom && r < grid.RowCount(); ++r)
        for (int c = std::max(rect.Left, 0); c <= rect.Right && c < grid.ColCount(); ++c)
            grid.SetCell(grid.DataColumnOf(c), r, {});
}

} // namespace tw
