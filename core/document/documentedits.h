#pragma once
// The one way the open document's cells and rows change. The cell editor, cut, paste,
// the row keys and commands, the sort of the main grid and a combine run all write
// through here, so each user action becomes one step of the history that can be taken
// back and done again. Views (hidden rows and columns, header sets, marks, widths) are
// not changes and are not recorded.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/editorstate.h"
#include "core/app/feedback.h"
#include "core/document/cellrule.h"

namespace tw {

// Everything recorded while one lives is one step (Replace All, a paste, Copy This Row).
// Scopes nest; the outermost one closes the step.
class EditStepScope {
  public:
    explicit EditStepScope(EditorState& state);
    ~EditStepScope();
    EditStepScope(const EditStepScope&) = delete;
    EditStepScope& operator=(const EditStepScope&) = delete;

  private:
    EditorState& State;
};

// A change too wide to describe more cheaply than by the whole document (a combine run):
// the document is kept as it was when the scope opened, and the scope closes one step
// when the document differs at the end. Changes recorded inside belong to that step.
class WholeDocumentStep {
  public:
    explicit WholeDocumentStep(EditorState& state);
    ~WholeDocumentStep();
    WholeDocumentStep(const WholeDocumentStep&) = delete;
    WholeDocumentStep& operator=(const WholeDocumentStep&) = delete;

  private:
    EditorState& State;
    bool Owner = false; // this scope took the snapshot
};

// Writes `text` into data column `dataCol` of display row `row` of SG1. A text the
// document cannot hold is refused whole and the cell keeps its value; the refusal says
// which byte and why. Writing the text a cell already holds records nothing.
std::optional<CellRefusal> WriteCell(EditorState& state, int dataCol, int row,
                                     std::string_view text);

struct CellText {
    int DataCol = 0;
    int Row = 0; // display row
    std::string Text;
};
// Several cells as one step. When any text is refused nothing is written.
std::optional<CellRefusal> WriteCells(EditorState& state, const std::vector<CellText>& cells);

// Inserts one row at display row `row` (the rows from there on move down), empty or
// holding `cells` (data columns from 0). Hidden rows below keep their place among the
// rows around them.
void InsertDocumentRow(EditorState& state, int row, const std::vector<std::string>& cells = {});
// Removes display row `row`.
void DeleteDocumentRow(EditorState& state, int row);
// Notes that the rows from display row `first` on were put into `order` (new row first+k
// is the row that was at order[k]); the caller moves them.
void RecordRowOrder(EditorState& state, int first, const std::vector<int>& order);

// What an undo or redo touched, so a view can follow with the least work.
struct HistoryMove {
    bool Moved = false;       // there was a step
    bool RowsChanged = false; // rows came, went or moved
    bool MarksCleared = false;
    // When only cells changed: their display rows and data columns (hidden rows left out).
    std::vector<std::pair<int, int>> Cells;
};

HistoryMove UndoDocument(EditorState& state);
HistoryMove RedoDocument(EditorState& state);

// Runs long work (a sort, compare, combine, column sizing) that stops by WorkCancelled
// when the user asks it to. Everything it records is one step. When it stops, every change
// it made to the document is taken back, and the rows' hidden state, heights, the marks,
// the clicked and current cell, the column widths and the long-work flags are as they
// were before it; the history is untouched (nothing to undo, redo kept). Returns whether
// the work ran to its end.
bool RunCancellable(EditorState& state, const std::function<void()>& work);

// Drops every step: a newly loaded document starts clean.
void ClearDocumentHistory(EditorState& state);
void MarkDocumentSaved(EditorState& state);

} // namespace tw
