#pragma once
// The steps that changed the open document, for undo and redo and for knowing whether
// the document differs from what was last loaded or saved. The commands that record the
// steps are in documentedits.h; this is the record itself.
//
// A step remembers rows by their data index (their place with no row hidden), so rows
// hidden, a header set chosen or rows marked between a change and its undo do not move
// the place the undo lands on.

#include <cstddef>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "core/grid/textgrid.h"

namespace tw {

struct StoredRow {
    GridRow Cells;
    int Height = 0;
};

struct CellWrite {
    int DataRow = 0;
    int DataCol = 0;
    std::string Before;
    std::string After;
};

// Rows that came in at DataRow, as they were when they came.
struct RowInsert {
    int DataRow = 0;
    std::vector<StoredRow> Rows;
};

// Rows that went from DataRow, with everything they held.
struct RowRemoval {
    int DataRow = 0;
    std::vector<StoredRow> Rows;
};

// A reordering: afterwards the row at Positions[k] is the one that was at
// Positions[Order[k]]. Heights stay with their places.
struct RowReorder {
    std::vector<int> Positions;
    std::vector<int> Order;
};

// Every row of the document below the header row, hidden ones at their places: the other
// version of a change too wide to describe more cheaply (a combine run). Applying it swaps
// it with the grid.
struct GridSnapshot {
    std::vector<StoredRow> Rows;
};

using EditAction = std::variant<CellWrite, RowInsert, RowRemoval, RowReorder, GridSnapshot>;

struct EditStep {
    std::vector<EditAction> Actions;
    size_t Bytes() const; // memory the step holds, for the benchmark
};

class DocumentHistory {
  public:
    bool CanUndo() const { return !Done.empty(); }
    bool CanRedo() const { return !Undone.empty(); }
    // Differs from the last load or save.
    bool Modified() const { return SavedPoint != static_cast<long>(Done.size()); }
    size_t UndoCount() const { return Done.size(); }
    size_t RedoCount() const { return Undone.size(); }
    // The step an undo or a redo would apply next.
    const EditStep* LastStep() const { return Done.empty() ? nullptr : &Done.back(); }
    const EditStep* NextRedo() const { return Undone.empty() ? nullptr : &Undone.back(); }

    // A new document: no steps, not modified.
    void Clear();
    // The document as it is now is the one on disk.
    void MarkSaved();

    // Heard after every change of the history (a step recorded, taken back or done
    // again, a load, a save): the editor updates its menu items and status panel.
    std::function<void()> Changed;

    // --- used by the commands of documentedits.h ---
    // Steps open while a scope lives collect into one; Depth counts nested scopes.
    int Depth = 0;
    EditStep Open;
    bool OpenIsWhole = false; // the open step is a snapshot that covers everything
    void Push(EditStep step);
    bool PopUndo(EditStep& step);
    bool PopRedo(EditStep& step);
    void PushUndone(EditStep step);
    void PushDone(EditStep step);
    void Notify() const {
        if (Changed)
            Changed();
    }

  private:
    std::vector<EditStep> Done;
    std::vector<EditStep> Undone;
    // Done.size() when the document was last loaded or saved; -1 once that state can no
    // longer be reached (a new change after undoing past it).
    long SavedPoint = 0;
};

} // namespace tw
