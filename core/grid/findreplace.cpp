#include "core/grid/findreplace.h"

#include "core/app/text.h"
#include "core/document/cellrule.h"

namespace tw {

namespace {

// Where `needle` starts in `haystack` at or after `from`, comparing as the options say.
size_t FindFrom(std::string_view haystack, std::string_view needle, size_t from, bool matchCase) {
    if (needle.empty() || haystack.size() < needle.size())
        return std::string_view::npos;
    for (size_t at = from; at + needle.size() <= haystack.size(); ++at) {
        size_t k = 0;
        while (k < needle.size() && (matchCase ? haystack[at + k] == needle[k]
                                               : LowerAZ(haystack[at + k]) == LowerAZ(needle[k])))
            ++k;
        if (k == needle.size())
            return at;
    }
    return std::string_view::npos;
}

bool InScope(const TTextGrid& grid, int col, const ReplaceOptions& options) {
    return options.OnlyDataColumn < 0 || grid.DataColumnOf(col) == options.OnlyDataColumn;
}

} // namespace

bool CellMatches(std::string_view cell, const ReplaceOptions& options) {
    if (options.FindWhat.empty())
        return false;
    if (options.WholeCell)
        return cell.size() == options.FindWhat.size() &&
               FindFrom(cell, options.FindWhat, 0, options.MatchCase) == 0;
    return FindFrom(cell, options.FindWhat, 0, options.MatchCase) != std::string_view::npos;
}

std::string ReplacedText(std::string_view cell, const ReplaceOptions& options) {
    if (!CellMatches(cell, options))
        return std::string(cell);
    if (options.WholeCell)
        return options.ReplaceWith;
    std::string out;
    size_t from = 0;
    for (size_t at;
         (at = FindFrom(cell, options.FindWhat, from, options.MatchCase)) != std::string_view::npos;
         from = at + options.FindWhat.size()) {
        out.append(cell.substr(from, at - from));
        out += options.ReplaceWith;
    }
    out.append(cell.substr(from));
    return out;
}

std::optional<std::pair<int, int>> FindNextMatch(const TTextGrid& grid, int row, int col,
                                                 const ReplaceOptions& options) {
    if (options.FindWhat.empty())
        return std::nullopt;
    const int lastCol = grid.ColCount() - 1;
    int j = std::max(row, 0);
    int i = col;
    while (j < grid.RowCount()) {
        if (++i > lastCol) {
            i = 0;
            if (++j >= grid.RowCount())
                break;
        }
        // The header row holds captions, never saved: nothing to replace there.
        if (j == 0)
            continue;
        if (InScope(grid, i, options) && CellMatches(grid.Cell(grid.DataColumnOf(i), j), options))
            return std::make_pair(j, i);
    }
    return std::nullopt;
}

ReplacePlan PlanReplaceAll(const EditorState& state, const ReplaceOptions& options) {
    ReplacePlan plan;
    const TTextGrid& grid = state.SG1();
    for (auto at = FindNextMatch(grid, 0, grid.ColCount() - 1, options); at;
         at = FindNextMatch(grid, at->first, at->second, options)) {
        const int dataCol = grid.DataColumnOf(at->second);
        const std::string_view cell = grid.Cell(dataCol, at->first);
        std::string text = ReplacedText(cell, options);
        if (text == cell)
            continue; // replacing a text by itself changes nothing
        if (RefusedCellText(state, at->first, dataCol, text)) {
            ++plan.Refused;
            continue;
        }
        plan.Cells.push_back({at->first, dataCol, std::move(text)});
    }
    return plan;
}

} // namespace tw
