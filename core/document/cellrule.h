#pragma once
// Which texts a cell of the open document can hold so that a save followed by a load
// gives the same cells back. Every path that changes a cell asks here first; a refused
// text is refused whole and the cell keeps its old value. The rules themselves belong to
// the document's format (fileformat.h).

#include <optional>
#include <string>
#include <string_view>

#include "core/app/editorstate.h"
#include "core/document/fileformat.h"

namespace tw {

// Nothing when `text` may go into data column `dataCol` of the document in SG1 as far as
// the text itself decides: the bytes the format cannot store there.
std::optional<CellRefusal> RefusedCellText(const EditorState& state, int dataCol,
                                           std::string_view text);

// The same for the cell at display row `row`, data column `dataCol` of SG1, knowing the
// rest of its row: also refuses a text that, together with its neighbours, would load
// back into other cells (an emptied mes text that the next cell would move into, a mes
// text without its closing brace before a further cell, a field behind a dlg key that is
// not a number). Cells that already did not load back as they are (a line of the file
// the format cannot reproduce) do not hold the edit up.
std::optional<CellRefusal> RefusedCellText(const EditorState& state, int row, int dataCol,
                                           std::string_view text);

// The status text for a refusal, in the language file's code page.
std::string RefusalMessage(const EditorState& state, const CellRefusal& refusal);

} // namespace tw
