#pragma once
// What a dialog file gets after it is loaded into the main grid: its seven column
// captions and the four built-in variable lists of script snippets.

#include "core/app/editorstate.h"

namespace tw {

void ApplyDialogStep(EditorState& state);

} // namespace tw
