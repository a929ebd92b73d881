#include "core/headers/documentsections.h"

namespace tw {

// Filled in with the header-set work; the loader already calls it at the right point.
void LoadDocumentSections(EditorState& state, Feedback& /*feedback*/) {
    state.HeaderSetIndex = 0;
    state.VariableListIndex = 0;
}

} // namespace tw
