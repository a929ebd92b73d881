#pragma once
// "Compare Files": every chosen grid sorted by its key, then SG1 walked beside each other
// grid like a merge of two sorted lists; every difference becomes a report line.

#include "core/app/editorstate.h"
#include "core/app/feedback.h"

namespace tw {

// Sorts the grids (the only change it makes to them) and appends the report lines through
// `feedback`. The report area's visibility is left as it is.
void CompareFiles(EditorState& state, Feedback& feedback);

} // namespace tw
