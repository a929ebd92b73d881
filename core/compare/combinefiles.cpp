#include "core/compare/combinefiles.h"

#include "core/app/text.h"
#include "core/compare/walk.h"

namespace tw {

namespace {

// One walk of SG1 beside another grid. Rows are inserted and removed only at the cursor,
// and rows before the cursor are never looked at again, so the walk reads SG1's original
// rows in order (merging cells into them in place) and only notes where rows come and go;
// the new row order is put in place once at the end.
class CombinePass {
  public:
    CombinePass(EditorState& state, int slot, Feedback& feedback)
        : State(state), SG1(state.SG1()), Other(state.Grid(slot)), Slot(slot),
          Own(ChangeLog::GridIndex(slot)), Log(state.Changes), Report(feedback),
          Values1(KeyValues(SG1)), Values2(KeyValues(Other)),
          FirstRecord(state.LastReport.Count()) {}

    void Run() {
        const int originalRows = SG1.RowCount();
        RowCount1 = originalRows;
        CurrentRow = SG1.Row();
        Head = 1;
        int r1 = 0, r2 = 0;
        for (;;) {
            ++r1;
            ++r2;
            Report.SetProgress(r1);
            StopIfCancelled(Report);
            std::string_view k1 = SG1.Cell(0, Head);
            std::string_view k2 = Other.Cell(0, r2);
            const bool otherUsedUp = r2 >= Other.RowCount() - 1;
            if (k1 == k2) {
                MergeRow(std::string(k1), r2);
                Consume();
            } else if (r1 >= RowCount1 - 1) {
                // A key typed into SG1's spare row would otherwise add empty rows for ever.
                if (otherUsedUp)
                    break;
                AddRow(k2, r1, r2);
            } else if (otherUsedUp) {
                DropOrKeep(k1, r1, r2);
            } else {
                auto v1 = Values1[static_cast<size_t>(Head)];
                auto v2 = r2 < static_cast<int>(Values2.size()) ? Values2[static_cast<size_t>(r2)]
                                                                : std::nullopt;
                if (v1 && v2) {
                    if (*v2 < *v1)
                        AddRow(k2, r1, r2);
                    else
                        DropOrKeep(k1, r1, r2);
                } else if (!v1 && v2) {
                    --r2;
                    Consume();
                } else if (v1 && !v2) {
                    --r1;
                } else {
                    Consume();
                }
            }
            if (r1 == RowCount1 - 1)
                break;
        }
        MoveEarlierRecords(originalRows);
        PutRowsInPlace(originalRows);
    }

  private:
    // A row of the merged SG1: an original row, or (Source < 0) row OtherRow of the other grid.
    struct Placed {
        int Source;
        int OtherRow;
    };
    // The same changes as insertions and deletions, for a grid whose hidden rows must
    // follow the deletions.
    struct RowEdit {
        bool Insert;
        int Position;
        int OtherRow;
    };

    EditorState& State;
    TTextGrid& SG1;
    const TTextGrid& Other;
    const int Slot;
    const size_t Own;
    ChangeLog& Log;
    Feedback& Report;
    const std::vector<std::optional<int32_t>> Values1, Values2;
    const size_t FirstRecord; // the first record of this pass

    int Head = 1;      // the original SG1 row now at the cursor
    int RowCount1 = 0; // SG1's row count as the insertions and deletions leave it
    int CurrentRow = 0;
    std::vector<Placed> Done;
    std::vector<RowEdit> Edits;
    bool Changed = false;
    // Reused for every merged row.
    std::vector<std::string_view> Current, Incoming;
    std::vector<std::pair<int, std::string_view>> Merged;
    std::vector<int> Matching;

    void Consume() { Done.push_back(Placed{Head++, 0}); }

    void MergeRow(const std::string& key, int r2) {
        const int columns = SG1.ColCount();
        SG1.RowCells(Head, Current);
        Other.RowCells(r2, Incoming);
        ChangeLog::KeyLog* keyLog = nullptr;
        Merged.clear();
        for (int c = 1; c < columns; ++c) {
            std::string_view current = CellOf(Current, c);
            std::string_view incoming = CellOf(Incoming, c);
            if (current == incoming)
                continue;
            if (!keyLog)
                keyLog = &Log.Key(key);
            MergeCell(*keyLog, c, key, current, incoming);
            Merged.emplace_back(c, incoming);
        }
        // The later file wins, conflict or not. Written after the row is read through,
        // since a write moves the row's other cells.
        for (const auto& [c, incoming] : Merged)
            SG1.SetCell(c, Head, incoming);
    }

    void MergeCell(ChangeLog::KeyLog& keyLog, int c, const std::string& key,
                   std::string_view current, std::string_view incoming) {
        const std::string lowerIncoming = LowerAZ(incoming);
        std::vector<EarlierValue> earlier; // the conflicting earlier files
        if (keyLog.LastEntry(c) >= 0) {
            Log.CellEntries(keyLog, c, Matching);
            for (int e : Matching) {
                for (size_t h = 0; h < 4; ++h) {
                    if (!Log.Marked(e, h) || lowerIncoming == Log.Value(e, h))
                        continue;
                    earlier.push_back(
                        EarlierValue{static_cast<int>(h) + 2, std::string(Log.Value(e, h))});
                }
            }
        }
        const bool conflict = !earlier.empty();
        // With a conflict the last entry of the cell takes the change; otherwise a new one.
        const int matched = conflict ? keyLog.LastEntry(c) : Log.AppendCellEntry(keyLog, c);
        Log.SetValue(matched, Own, lowerIncoming);
        Log.Mark(matched, Own);
        if (Log.OldValue(matched).empty())
            Log.SetOldValue(matched, current);
        if (conflict) {
            ReportRecord record = CellRecord(ReportKind::Conflict, key, c, current, incoming);
            record.Old = Log.OldValue(matched);
            record.Earlier = std::move(earlier);
            AppendRecord(State, Report, std::move(record));
        }
        if (State.ShowCombineMessages)
            AppendRecord(State, Report,
                         CellRecord(ReportKind::CellChanged, key, c, current, incoming));
    }

    // The row the cursor's row takes in SG1 once this pass is done: rows before the cursor
    // never move again within the pass.
    int FinalRow() const { return static_cast<int>(Done.size()) + 1; }

    ReportRecord CellRecord(ReportKind kind, const std::string& key, int c,
                            std::string_view current, std::string_view incoming) const {
        ReportRecord record;
        record.Kind = kind;
        record.Slot = Slot;
        record.Key = key;
        record.Column = c;
        record.Header = SG1.Cell(c, 0);
        record.First = current;
        record.Other = incoming;
        record.Row = FinalRow();
        return record;
    }

    ReportRecord RowRecord(ReportKind kind, std::string_view key, int row) const {
        ReportRecord record;
        record.Kind = kind;
        record.Slot = Slot;
        record.Key = key;
        record.Row = row;
        return record;
    }

    // Records of earlier passes (and the duplicate keys) name rows as SG1 stood before
    // this pass; move them to where the pass puts those rows.
    void MoveEarlierRecords(int originalRows) const {
        if (!Changed || FirstRecord == 0)
            return;
        std::vector<int> newRow(static_cast<size_t>(originalRows), -1);
        int row = 1;
        for (const Placed& placed : Done) {
            if (placed.Source >= 0)
                newRow[static_cast<size_t>(placed.Source)] = row;
            ++row;
        }
        for (int r = Head; r < originalRows; ++r)
            newRow[static_cast<size_t>(r)] = row++;
        ReportRun& run = State.LastReport;
        for (size_t k = 0; k < FirstRecord; ++k) {
            const int at = run.RowOf(k);
            if (at >= 1)
                run.SetRow(k, at < originalRows ? newRow[static_cast<size_t>(at)] : -1);
        }
    }

    void AddRow(std::string_view k2, int r1, int r2) {
        if (State.ShowCombineMessages)
            AppendRecord(State, Report, RowRecord(ReportKind::RowAdded, k2, FinalRow()));
        ChangeLog::KeyLog& keyLog = Log.Key(k2);
        Log.AppendAddedRow(keyLog);
        for (int c = 1; c < Other.ColCount(); ++c) {
            int entry = Log.AppendCellEntry(keyLog, c);
            // Only SG2's values are recorded, so later files conflict only with rows it added.
            if (Slot == 2) {
                Log.SetValue(entry, 0, LowerAZ(Other.Cell(c, r2)));
                Log.Mark(entry, 0);
            }
        }
        Done.push_back(Placed{-1, r2});
        Edits.push_back(RowEdit{true, r1, r2});
        ++RowCount1;
        Changed = true;
    }

    void DropOrKeep(std::string_view k1, int& r1, int& r2) {
        if (!State.RemoveRows) {
            AppendRecord(State, Report, RowRecord(ReportKind::RowKept, k1, FinalRow()));
            --r2;
            Consume();
            return;
        }
        std::string key(k1);
        for (int k = Log.AddedRowEntries(key); k > 0; --k)
            AppendRecord(State, Report, RowRecord(ReportKind::AddedRowRemoved, key, -1));
        if (State.ShowCombineMessages)
            AppendRecord(State, Report, RowRecord(ReportKind::RowRemoved, key, -1));
        Edits.push_back(RowEdit{false, r1, 0});
        ++Head;
        --RowCount1;
        if (CurrentRow >= RowCount1)
            CurrentRow = std::max(0, RowCount1 - 1);
        Changed = true;
        --r1;
        --r2;
    }

    std::vector<std::string_view> OtherRowCells(int r2) const {
        std::vector<std::string_view> cells;
        const int columns = std::max(Other.ColCount(), 1);
        Other.RowCellRange(r2, 0, columns - 1, cells);
        cells.resize(static_cast<size_t>(columns));
        return cells;
    }

    void PutRowsInPlace(int originalRows) {
        if (!Changed)
            return;
        if (!SG1.HiddenRows().empty()) {
            // Deleting shifts the hidden rows' data positions; let the grid do that itself.
            for (const RowEdit& edit : Edits) {
                if (edit.Insert) {
                    SG1.InsertRows(edit.Position, 1);
                    SG1.AssignRow(edit.Position, OtherRowCells(edit.OtherRow));
                } else {
                    SG1.DeleteRows(edit.Position, 1);
                }
            }
            return;
        }
        // Rows travel with their heights; new rows have the default height.
        std::vector<int> heights;
        std::vector<int> order;
        for (int row = Head; row < originalRows; ++row)
            Done.push_back(Placed{row, 0});
        order.reserve(Done.size());
        heights.reserve(Done.size());
        int added = originalRows;
        int inserted = 0;
        for (const RowEdit& edit : Edits)
            inserted += edit.Insert ? 1 : 0;
        SG1.SetRowCount(originalRows + inserted);
        for (const Placed& placed : Done) {
            if (placed.Source >= 0) {
                order.push_back(placed.Source);
                heights.push_back(SG1.RowHeight(placed.Source));
            } else {
                SG1.AssignRow(added, OtherRowCells(placed.OtherRow));
                order.push_back(added++);
                heights.push_back(SG1.DefaultRowHeight());
            }
        }
        SG1.PermuteRows(1, order);
        SG1.SetRowCount(1 + static_cast<int>(order.size()));
        for (size_t k = 0; k < heights.size(); ++k) {
            int row = static_cast<int>(k) + 1;
            if (SG1.RowHeight(row) != heights[k])
                SG1.SetRowHeight(row, heights[k]);
        }
        SG1.SetRow(CurrentRow);
    }
};

} // namespace

void CombineFiles(EditorState& state, Feedback& feedback) {
    state.BatchActive = true;
    feedback.EndCellEdit();
    state.TextOrderAllowed = true;
    if (!feedback.ReportVisible())
        feedback.ShowReportPanel();
    state.LastReport.Start("combine", state.SelectedFiles);
    const int last = SortChosenGrids(state, feedback);
    NoteDuplicateKeys(state, last, feedback);
    feedback.SetBusy(true);
    state.Changes.Clear();
    for (int slot = 2; slot <= last; ++slot) {
        feedback.EndCellEdit();
        feedback.SetStatus(state.Text(140) + " " +
                           state.SelectedFiles[static_cast<size_t>(slot - 1)]);
        feedback.Refresh();
        feedback.SetProgressMax(state.SG1().RowCount() - 1);
        state.CurrentGridSlot = slot;
        CombinePass(state, slot, feedback).Run();
        feedback.SetStatus(state.Text(146));
    }
    state.TextOrderAllowed = false;
    state.BatchActive = false;
}

} // namespace tw
