#pragma once
// Which texts a cell of the open document can hold so that a save followed by a load
// gives the same cells back. Every path that changes a cell asks here first; a refused
// text is refused whole and the cell keeps its old value.

#include <optional>
#include <string>
#include <string_view>

#include "core/app/editorstate.h"

namespace tw {

struct CellRefusal {
    char Byte = 0;      // the first byte that cannot be stored
    std::string Reason; // name of the added text that says why ("rule" texts)
};

// Nothing when `text` may go into data column `dataCol` of the document in SG1.
std::optional<CellRefusal> RefusedCellText(const EditorState& state, int dataCol,
                                           std::string_view text);

} // namespace tw
