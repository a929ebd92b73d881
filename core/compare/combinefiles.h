#pragma once
// "Combine Files" and "Combine Files (No Remove Rows)": every chosen grid sorted by its key,
// then each other grid merged into SG1 in turn, later files winning, with the change log
// noticing where a later file contradicts an earlier one.

#include "core/app/editorstate.h"
#include "core/app/feedback.h"

namespace tw {

// Uses state.RemoveRows and state.ShowCombineMessages; leaves the run's log in
// state.Changes and the merged table in SG1. Opens the report panel when it is hidden.
void CombineFiles(EditorState& state, Feedback& feedback);

} // namespace tw
