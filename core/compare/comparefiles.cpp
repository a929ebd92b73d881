#include "core/compare/comparefiles.h"

#include "core/app/text.h"
#include "core/compare/walk.h"

namespace tw {

namespace {

void CompareWithGrid(EditorState& state, int slot, Feedback& feedback) {
    const TTextGrid& sg1 = state.SG1();
    const TTextGrid& other = state.Grid(slot);
    const std::vector<std::optional<int32_t>> values1 = KeyValues(sg1);
    const std::vector<std::optional<int32_t>> values2 = KeyValues(other);
    auto value = [](const std::vector<std::optional<int32_t>>& values, int row) {
        // Rows past the end read as the empty key, which is no number.
        return row < static_cast<int>(values.size()) ? values[static_cast<size_t>(row)]
                                                     : std::nullopt;
    };
    const int end1 = sg1.RowCount() - 1; // the spare rows
    const int end2 = other.RowCount() - 1;
    const int columns = sg1.ColCount();
    std::vector<std::string_view> mine, theirs; // the cells of the two rows being matched
    int r1 = 0, r2 = 0;
    std::string_view k1;
    // The sorts are done, so SG1's rows stay where the walk finds them.
    auto rowOnly = [&](ReportKind kind, std::string_view key, int row) {
        ReportRecord record;
        record.Kind = kind;
        record.Slot = slot;
        record.Key = key;
        record.Row = row;
        AppendRecord(state, feedback, std::move(record));
    };
    auto cellDifference = [&](int c, std::string_view a, std::string_view b) {
        ReportRecord record;
        record.Slot = slot;
        record.Key = k1;
        record.Column = c;
        record.Header = sg1.Cell(c, 0);
        record.First = a;
        record.Other = b;
        record.Row = r1;
        AppendRecord(state, feedback, std::move(record));
    };
    do {
        ++r1;
        ++r2;
        feedback.SetProgress(r1);
        StopIfCancelled(feedback);
        k1 = sg1.Cell(0, r1);
        std::string_view k2 = other.Cell(0, r2);
        if (k1 == k2) {
            sg1.RowCells(r1, mine);
            other.RowCells(r2, theirs);
            for (int c = 1; c < columns; ++c) {
                std::string_view a = CellOf(mine, c), b = CellOf(theirs, c);
                if (a != b && !EqualsIgnoringCaseAZ(a, b))
                    cellDifference(c, a, b);
            }
            continue;
        }
        if (r1 >= end1) {
            rowOnly(ReportKind::OnlyInOther, k2, -1);
            continue;
        }
        if (r2 >= end2) {
            rowOnly(ReportKind::OnlyInFirst, k1, r1);
            --r2;
            continue;
        }
        auto v1 = value(values1, r1);
        auto v2 = value(values2, r2);
        if (v1 && v2) {
            // Equal numbers spelled differently (7 and 07) are not the same row.
            if (*v2 < *v1) {
                rowOnly(ReportKind::OnlyInOther, k2, -1);
                --r1;
            } else {
                rowOnly(ReportKind::OnlyInFirst, k1, r1);
                --r2;
            }
        } else if (!v1 && v2) {
            --r2; // SG1's row is passed over
        } else if (v1 && !v2) {
            --r1; // the other grid's row is passed over
        } else if (CompareText(k1, k2) > 0) {
            rowOnly(ReportKind::OnlyInOtherByText, k2, -1);
            --r1;
        } else {
            rowOnly(ReportKind::OnlyInFirstByText, k1, r1);
            --r2;
        }
    } while (r1 < end1 || r2 < end2);
}

} // namespace

void CompareFiles(EditorState& state, Feedback& feedback) {
    state.BatchActive = true;
    state.TextOrderAllowed = true;
    feedback.EndCellEdit();
    state.LastReport.Start("compare", state.SelectedFiles);
    const int last = SortChosenGrids(state, feedback);
    NoteDuplicateKeys(state, last, feedback);
    feedback.SetBusy(true);
    for (int slot = 2; slot <= last; ++slot) {
        feedback.EndCellEdit();
        feedback.SetStatus(state.Text(131) + " " +
                           state.SelectedFiles[static_cast<size_t>(slot - 1)]);
        feedback.Refresh();
        feedback.SetProgressMax(state.SG1().RowCount() - 1);
        state.CurrentGridSlot = slot;
        CompareWithGrid(state, slot, feedback);
        feedback.SetStatus(state.Text(139));
    }
    state.TextOrderAllowed = false;
    state.BatchActive = false;
}

} // namespace tw
