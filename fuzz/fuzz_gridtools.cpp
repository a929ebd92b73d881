// Sort, compare and combine on small grids read from the input as tab lines.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/editorstate.h"
#include "core/compare/combinefiles.h"
#include "core/compare/comparefiles.h"
#include "core/compare/sortbycolumn.h"
#include "fuzz_support.h"

namespace {

// Grids are separated by byte 0; lines by LF; cells by TAB.
void Fill(tw::TTextGrid& grid, std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start <= text.size() && lines.size() < 40) {
        size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    grid.SetRowCount(static_cast<int>(lines.size()) + 2);
    grid.SetColCount(6);
    for (size_t r = 0; r < lines.size(); ++r) {
        std::string_view line = lines[r];
        int c = 0;
        size_t from = 0;
        while (c < 6) {
            size_t tab = std::min(line.find('\t', from), line.size());
            grid.SetCell(c++, static_cast<int>(r) + 1, line.substr(from, tab - from));
            if (tab >= line.size())
                break;
            from = tab + 1;
        }
    }
}

std::vector<std::string> Rows(const tw::TTextGrid& grid) {
    std::vector<std::string> rows;
    for (int r = 1; r < grid.RowCount(); ++r) {
        std::string row;
        for (int c = 0; c < grid.DataColumnCount(); ++c)
            row += std::string(grid.Cell(c, r)) + '\t';
        rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    tw::EditorState state;
    state.TextOrderAllowed = data[0] & 1;
    state.RemoveRows = data[0] & 2;
    state.ShowCombineMessages = data[0] & 4;
    int slot = 1;
    size_t start = 0;
    while (slot <= 5) {
        size_t end = std::min(input.find('\0', start), input.size());
        Fill(state.Grid(slot++), input.substr(start, end - start));
        if (end >= input.size())
            break;
        start = end + 1;
    }
    for (int k = 1; k < slot; ++k)
        state.SelectedFiles[static_cast<size_t>(k - 1)] = "f.tab";
    tw::Feedback quiet;

    const auto before = Rows(state.SG1());
    tw::SortGridByColumn(state, 1, (data[0] >> 3) % 6, quiet);
    tw::fuzz::Check(Rows(state.SG1()) == before, "a sort keeps every row");
    if (data[0] & 64)
        tw::CombineFiles(state, quiet);
    else
        tw::CompareFiles(state, quiet);
    return 0;
}
