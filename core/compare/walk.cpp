#include "core/compare/walk.h"

#include "core/app/text.h"
#include "core/compare/sortbycolumn.h"

namespace tw {

bool SlotChosen(const EditorState& state, int slot) {
    if (slot < 1 || slot > static_cast<int>(state.SelectedFiles.size()))
        return false;
    return CompareText(state.SelectedFiles[static_cast<size_t>(slot - 1)], " ") > 0;
}

int SortChosenGrids(EditorState& state, Feedback& feedback) {
    int last = 0;
    for (int slot = 1; slot <= 5; ++slot) {
        if (!SlotChosen(state, slot))
            continue;
        SortGridByColumn(state, slot, 0, feedback);
        last = slot;
    }
    return last;
}

std::vector<std::optional<int32_t>> KeyValues(const TTextGrid& grid) {
    std::vector<std::optional<int32_t>> values;
    values.reserve(static_cast<size_t>(grid.RowCount()));
    for (int row = 0; row < grid.RowCount(); ++row)
        values.push_back(ConvertInteger(grid.Cell(0, row)));
    return values;
}

std::string CellDifferenceLine(const EditorState& state, int otherSlot, std::string_view key,
                               int column, std::string_view mine, std::string_view theirs) {
    std::string line = EditorState::GridName(otherSlot);
    line += ' ';
    line += state.Text(132);
    line += ' ';
    line += key;
    line += " - ";
    line += state.SG1().Cell(column, 0);
    line += " - ";
    line += state.Text(133);
    line += " (";
    line += mine;
    line += ") ";
    line += state.Text(134);
    line += " (";
    line += theirs;
    line += ')';
    return line;
}

std::string RowLine(const EditorState& state, int otherSlot, int text, std::string_view key) {
    std::string line = EditorState::GridName(otherSlot) + " - " + state.Text(text) + " ";
    line += key;
    return line;
}

} // namespace tw
