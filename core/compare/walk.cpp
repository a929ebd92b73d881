#include "core/compare/walk.h"

#include <algorithm>
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
    run.Append(record);
    feedback.AppendReport(ReportLine(state.Language, record));
}

namespace {

// A key on more than one data row of a grid.
struct Doubled {
    std::string_view Key;
    int FirstRow;
    int Rows;
};

// Counts the keys of rows [first, end) that stand on more than one of them.
void CountInRows(const TTextGrid& grid, int first, int end, std::vector<Doubled>& out,
                 Feedback& feedback) {
    if (end - first <= 16) {
        // A few rows of one number (or all rows of a tiny grid): compare them pairwise.
        for (int row = first; row < end; ++row) {
            std::string_view key = grid.Cell(0, row);
            if (key.empty())
                continue; // blank lines: no key to pair rows by, and nothing to name
            bool seen = false;
            for (int before = first; before < row && !seen; ++before)
                seen = grid.Cell(0, before) == key;
            if (seen)
                continue;
            int rows = 1;
            for (int after = row + 1; after < end; ++after)
                rows += grid.Cell(0, after) == key ? 1 : 0;
            if (rows > 1)
                out.push_back(Doubled{key, row, rows});
        }
        return;
    }
    std::unordered_map<std::string_view, std::pair<int, int>> counts; // first row, rows
    counts.reserve(static_cast<size_t>(end - first));
    for (int row = first; row < end; ++row) {
        if (row % 16384 == 0)
            StopIfCancelled(feedback);
        std::string_view key = grid.Cell(0, row);
        if (key.empty())
            continue;
        auto [at, added] = counts.try_emplace(key, row, 0);
        ++at->second.second;
    }
    const size_t before = out.size();
    for (const auto& [key, count] : counts)
        if (count.second > 1)
            out.push_back(Doubled{key, count.first, count.second});
    std::sort(out.begin() + static_cast<long>(before), out.end(),
              [](const Doubled& a, const Doubled& b) { return a.FirstRow < b.FirstRow; });
}

// The doubled keys of a sorted grid's data rows, in the order of their first rows.
void DoubledKeys(const TTextGrid& grid, std::vector<Doubled>& out, Feedback& feedback) {
    out.clear();
    const int end = grid.RowCount() - 1; // the spare row
    // When every key is a number in ascending order (what the sort makes of most tables),
    // copies of a key stand among the rows of its number ("7" and "07" share one), so
    // only those need comparing; anything else is counted whole.
    std::optional<int32_t> previous;
    int runStart = 1;
    for (int row = 1; row < end; ++row) {
        if (row % 16384 == 0)
            StopIfCancelled(feedback);
        const std::optional<int32_t> value = ConvertInteger(grid.Cell(0, row));
        if (!value || (previous && *value < *previous)) {
            out.clear();
            CountInRows(grid, 1, end, out, feedback);
            return;
        }
        if (previous && *value != *previous) {
            if (row - runStart > 1)
                CountInRows(grid, runStart, row, out, feedback);
            runStart = row;
        }
        previous = value;
    }
    if (end - runStart > 1)
        CountInRows(grid, runStart, end, out, feedback);
}

} // namespace

void NoteDuplicateKeys(EditorState& state, int last, Feedback& feedback) {
    ReportRun& run = state.LastReport;
    if (!run.Keep)
        return;
    // SG1's first row of each key, for keys doubled in other files; made when needed.
    std::unordered_map<std::string_view, int> firstRowInSG1;
    std::vector<Doubled> doubled;
    for (int slot = 1; slot <= last; ++slot) {
        if (!SlotChosen(state, slot))
            continue;
        DoubledKeys(state.Grid(slot), doubled, feedback);
        if (slot > 1 && !doubled.empty() && firstRowInSG1.empty()) {
            const TTextGrid& sg1 = state.SG1();
            for (int row = 1; row <= sg1.RowCount() - 2; ++row) {
                if (row % 16384 == 0)
                    StopIfCancelled(feedback);
                firstRowInSG1.emplace(sg1.Cell(0, row), row);
            }
        }
        for (const Doubled& key : doubled) {
            ReportRecord record;
            record.Kind = ReportKind::DuplicateKey;
            record.Slot = slot;
            record.Key = key.Key;
            record.Count = key.Rows;
            if (slot == 1) {
                record.Row = key.FirstRow;
            } else {
                auto found = firstRowInSG1.find(key.Key);
                record.Row = found == firstRowInSG1.end() ? -1 : found->second;
            }
            run.Append(record);
        }
    }
}

} // namespace tw
