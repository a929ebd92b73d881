#include "core/compare/walk.h"

#include <unordered_map>

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

void AppendRecord(EditorState& state, Feedback& feedback, ReportRecord&& record) {
    ReportRun& run = state.LastReport;
    if (!run.Keep) {
        feedback.AppendReport(ReportLine(state.Language, record));
        return;
    }
    run.Records.push_back(std::move(record));
    feedback.AppendReport(ReportLine(state.Language, run.Records.back()));
}

void NoteDuplicateKeys(EditorState& state, int last) {
    ReportRun& run = state.LastReport;
    if (!run.Keep)
        return;
    // SG1's first row of each key, for the records of keys doubled in other files.
    std::unordered_map<std::string_view, int> firstRowInSG1;
    std::unordered_map<std::string_view, int> rowsOfKey;
    std::vector<std::string_view> order;
    for (int slot = 1; slot <= last; ++slot) {
        if (!SlotChosen(state, slot))
            continue;
        const TTextGrid& grid = state.Grid(slot);
        rowsOfKey.clear();
        order.clear();
        for (int row = 1; row <= grid.RowCount() - 2; ++row) {
            std::string_view key = grid.Cell(0, row);
            if (key.empty())
                continue; // blank lines: no key to pair rows by, and nothing to name
            int& count = rowsOfKey[key];
            if (++count == 2)
                order.push_back(key);
            if (slot == 1)
                firstRowInSG1.emplace(key, row);
        }
        for (std::string_view key : order) {
            ReportRecord record;
            record.Kind = ReportKind::DuplicateKey;
            record.Slot = slot;
            record.Key = key;
            record.Count = rowsOfKey[key];
            if (slot == 1) {
                record.Row = firstRowInSG1[key];
            } else {
                auto found = firstRowInSG1.find(key);
                record.Row = found == firstRowInSG1.end() ? -1 : found->second;
            }
            run.Records.push_back(std::move(record));
        }
    }
}

} // namespace tw
