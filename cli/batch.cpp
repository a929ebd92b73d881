#include "cli/batch.h"

#include "core/app/text.h"

namespace tw::cli {

int LoadBatch(Session& session, const ParsedArguments& arguments, const char* command,
              const std::optional<std::string>& out) {
    const auto& files = arguments.Files;
    if (files.size() < 2 || files.size() > 5) {
        Session::UsageError(std::string(command) + " takes two to five files");
        return ExitUsageError;
    }
    // The file chooser refuses a file whose extension differs from the first one's, in
    // letter case too.
    const std::string extension = ExtensionPart(files[0]);
    for (size_t k = 1; k < files.size(); ++k) {
        if (ExtensionPart(files[k]) != extension) {
            Session::UsageError("\"" + files[k] + "\" does not have the extension of \"" +
                                files[0] + "\"");
            return ExitUsageError;
        }
    }
    EditorState& state = session.State;
    state.BatchActive = true;
    for (size_t k = 0; k < files.size(); ++k) {
        state.SelectedFiles[k] = files[k];
        bool overwritten = out && SameFile(files[k], *out);
        if (!session.LoadInput(files[k], static_cast<int>(k) + 1, overwritten)) {
            state.BatchActive = false;
            return ExitFileError;
        }
    }
    state.BatchActive = false;
    return ExitOk;
}

} // namespace tw::cli
