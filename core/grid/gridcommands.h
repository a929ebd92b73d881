#pragma once
// The main grid's commands as core operations on the editor state: marks, hiding and
// showing, row copies, find, and sizing. The editor's handlers call these between focus
// handling and repainting; the tests call them directly.

#include <functional>
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

// AutoSizeColumn of every display column from first to last, with the same widths, but
// walking the rows once per block of columns and measuring each distinct text once per
// font for the whole range (most columns share their short numbers). `progress` hears
// the display column each block starts at; `poll` is called every few thousand rows (long
// work may be stopped by a throw from it).
void AutoSizeColumnRange(TTextGrid& grid, int first, int last, const TextMeasure& measure,
                         const std::function<void(int column)>& progress = {},
                         const std::function<void()>& poll = {});

void AutoSizeColumns(EditorState& state, Feedback& feedback);
void AutoSizeAllRows(EditorState& state);

} // namespace tw

namespace tw {

// After a load without "Auto Size On Load": widens every display column to at least
// `least` and to the width AutoSizeColumn would give its header text alone, so every
// column can be told by its header and short values read. Never makes one narrower.
void WidenColumnsToHeaders(TTextGrid& grid, const TextMeasure& measure, int least = 0);

} // namespace tw
