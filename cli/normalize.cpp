// normalize FILE [-o OUT]: load FILE as the editor loads it into the main grid and write
// what Save would write for it.

#include "cli/commands.h"

namespace tw::cli {

int RunNormalize(Session& session, const ParsedArguments& arguments) {
    if (arguments.Files.size() != 1) {
        Session::UsageError(arguments.Files.empty() ? "normalize needs a FILE"
                                                    : "normalize takes one FILE");
        return ExitUsageError;
    }
    const std::string& input = arguments.Files[0];
    std::optional<std::string> out = arguments.Value("-o");
    // Overwriting the input is what the editor's Save does, so its backup rule applies.
    bool overwritesInput = out && SameFile(input, *out);
    if (!session.LoadInput(input, 1, overwritesInput))
        return ExitFileError;
    if (!session.WriteOutput(out))
        return ExitFileError;
    return ExitOk;
}

} // namespace tw::cli
