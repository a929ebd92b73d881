#pragma once
// The main grid's commands as core operations on the editor state: marks, hiding and
// showing, row copies, find, and sizing. The editor's handlers call these between focus
// handling and repainting; the tests call them directly.

#include <optional>
#include <string>
#include <utility>

#include "core/app/editorstate.h"
#include "core/app/feedback.h"

namespace tw {

void ClearRowSelection(EditorState& state, Feedback& feedback);
void ClearColumnSelection(EditorState& state, Feedback& feedback);

// Remembers the cell a click, right click or cell move named (display indices).
void SetClickedCell(EditorState& state, int row, int col);

// Hides every marked row; the marks are translated to data rows before anything moves.
// False when it failed (the caller shows the message).
bool HideSelectedRows(EditorState& state, Feedback& feedback);
bool HideSelectedColumns(EditorState& state, Feedback& feedback);
void UnhideAllRowsCommand(EditorState& state, Feedback& feedback);
void UnhideAllColumnsCommand(EditorState& state, Feedback& feedback);
// The answer of the Unhide Row # / Unhide Column # box; a non-number does nothing.
void UnhideRowNumber(EditorState& state, const std::string& answer, Feedback& feedback);
void UnhideColumnNumber(EditorState& state, const std::string& answer, Feedback& feedback);

void InsertRowAbove(EditorState& state);
void DeleteThisRow(EditorState& state);
void CopyThisRow(EditorState& state);

// Searches SG1 from the cell right of the current one, row by row, visible cells only,
// without wrapping; stores the lowered text as LastFindText. Gives the display row and
// column of the match.
std::optional<std::pair<int, int>> FindInGrid(EditorState& state, const std::string& text);

enum class CellBackground { GridOwn, Window, Selection, ActiveCell };
// Which colour the main grid paints a cell with (display row, data column).
CellBackground CellBackgroundOf(const EditorState& state, int row, int dataCol, bool gridHasFocus,
                                bool editorActive);

void AutoSizeColumns(EditorState& state, Feedback& feedback);
void AutoSizeAllRows(EditorState& state);

} // namespace tw
