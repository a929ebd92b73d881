#include "core/headers/dialoglists.h"

namespace tw {

// Filled in with the reference-panel work; the loader already calls it at the right point.
void ApplyDialogStep(EditorState& /*state*/) {}

} // namespace tw
