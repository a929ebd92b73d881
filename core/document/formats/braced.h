#pragma once
// What the brace-delimited kinds (mes, dlg and every other extension) share: a key
// written inside braces, and a split that drops every opening brace and ends a field at
// every closing one.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/document/cellrule.h"
#include "core/document/splitline.h"

namespace tw {

// Column 0 of a brace kind: nothing when empty, as it stands when it already carries its
// brace or is a comment ("/"), else inside braces.
void AppendBracedKey(std::string& out, std::string_view key);

// Every "{" is dropped, every "}" ends a field; the rest of the line is always a last
// field, even when empty.
void SplitBracedFields(std::string_view line, LineCells& out);

// The braced key, then the later cells as they stand (they keep their own braces).
void JoinKeyThenCells(std::string& out, std::span<const std::string_view> cells);

// Refuses the first brace of `text`: a cell whose braces would split it on the next load.
std::optional<CellRefusal> RefusedBrace(std::string_view text);

} // namespace tw
