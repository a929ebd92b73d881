// A language file with its document sections, applied to documents of every kind.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/app/editorstate.h"
#include "core/headers/dialoglists.h"
#include "core/headers/documentsections.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const names[] = {"protos.tab", "quests.mes", "00001innkeeper.dlg"};
    if (size == 0)
        return 0;
    tw::EditorState state;
    state.Language.SetFromBytes(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    state.DocumentFileName = names[data[0] % 3];
    tw::TTextGrid& grid = state.SG1();
    grid.SetColCount(8);
    grid.SetRowCount(4);
    tw::Feedback quiet;
    tw::LoadDocumentSections(state, quiet);
    if (data[0] % 3 == 2)
        tw::ApplyDialogStep(state);
    tw::fuzz::Check(state.HeaderSetNames.size() == state.HeaderSetColumns.size(),
                    "every header set has its columns");
    return 0;
}
