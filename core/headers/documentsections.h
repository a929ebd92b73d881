#pragma once
// The document sections of the language file: column names, variable lists and header
// sets of the document open in the main grid.

#include "core/app/editorstate.h"
#include "core/app/feedback.h"

namespace tw {

// Reads the active language file's sections for DocumentFileName into the header-set
// and variable lists and the header row of SG1; both lists end on their prompt item.
void LoadDocumentSections(EditorState& state, Feedback& feedback);

} // namespace tw
