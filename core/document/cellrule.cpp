#include "core/document/cellrule.h"

namespace tw {

std::optional<CellRefusal> RefusedCellText(const EditorState&, int, std::string_view text) {
    // Record and field breaks of every kind: they would move text into other cells or rows.
    for (char c : text)
        if (c == '\t' || c == '\r' || c == '\n' || c == '\x1a')
            return CellRefusal{c, "rulebreak"};
    return std::nullopt;
}

} // namespace tw
