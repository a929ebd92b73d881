#pragma once
// Writing the main grid back in the format of its kind: one line per row between the
// header row and the spare last row, every column, CR LF after each line.

#include "core/app/editorstate.h"
#include "core/app/feedback.h"
#include "core/document/filesink.h"

namespace tw {

// Writes every row of SG1 from row 1 to the second-to-last in document order, hidden rows
// included at their places, each with all data columns, hidden ones included, joined by
// the save format (fileformat.h). Moves the progress bar. False when the sink refused
// the bytes.
bool WriteDocument(const EditorState& state, ByteSink& sink, Feedback& feedback);

} // namespace tw
