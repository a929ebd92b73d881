#include "core/document/documenthistory.h"

namespace tw {

namespace {

size_t TextBytes(const std::string& text) {
    // Short texts live inside the string object itself.
    return text.capacity() > 15 ? text.capacity() + 1 : 0;
}

size_t RowsBytes(const std::vector<StoredRow>& rows) {
    size_t bytes = rows.capacity() * sizeof(StoredRow);
    std::vector<std::string_view> cells;
    for (const StoredRow& row : rows) {
        row.Cells.StoredCells(cells);
        for (std::string_view cell : cells)
            bytes += cell.size() + sizeof(uint32_t);
    }
    return bytes;
}

struct ActionBytes {
    size_t operator()(const CellWrite& w) const { return TextBytes(w.Before) + TextBytes(w.After); }
    size_t operator()(const RowInsert& r) const { return RowsBytes(r.Rows); }
    size_t operator()(const RowRemoval& r) const { return RowsBytes(r.Rows); }
    size_t operator()(const RowReorder& r) const {
        return (r.Positions.capacity() + r.Order.capacity()) * sizeof(int);
    }
    size_t operator()(const GridSnapshot& s) const { return RowsBytes(s.Rows); }
};

} // namespace

size_t EditStep::Bytes() const {
    size_t bytes = sizeof(EditStep) + Actions.capacity() * sizeof(EditAction);
    for (const EditAction& action : Actions)
        bytes += std::visit(ActionBytes{}, action);
    return bytes;
}

void DocumentHistory::Clear() {
    Done.clear();
    Undone.clear();
    Done.shrink_to_fit();
    Undone.shrink_to_fit();
    SavedPoint = 0;
    Notify();
}

void DocumentHistory::MarkSaved() {
    SavedPoint = static_cast<long>(Done.size());
    Notify();
}

void DocumentHistory::Push(EditStep step) {
    if (step.Actions.empty())
        return;
    // The saved version was among the steps taken back: no way leads there any more.
    if (SavedPoint > static_cast<long>(Done.size()))
        SavedPoint = -1;
    Undone.clear();
    Done.push_back(std::move(step));
    Notify();
}

bool DocumentHistory::PopUndo(EditStep& step) {
    if (Done.empty())
        return false;
    step = std::move(Done.back());
    Done.pop_back();
    return true;
}

bool DocumentHistory::PopRedo(EditStep& step) {
    if (Undone.empty())
        return false;
    step = std::move(Undone.back());
    Undone.pop_back();
    return true;
}

void DocumentHistory::PushUndone(EditStep step) {
    Undone.push_back(std::move(step));
    Notify();
}

void DocumentHistory::PushDone(EditStep step) {
    Done.push_back(std::move(step));
    Notify();
}

} // namespace tw
