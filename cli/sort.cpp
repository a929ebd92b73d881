// sort [--column N] FILE [-o OUT]: load FILE as the editor loads it into the main grid, sort
// it as "Sort By Column 0" does (or "Sort By Column #" answered with N), and write what Save
// would write.

#include "cli/commands.h"
#include "core/app/text.h"
#include "core/compare/sortbycolumn.h"

namespace tw::cli {

int RunSort(Session& session, const ParsedArguments& arguments) {
    if (arguments.Files.size() != 1) {
        Session::UsageError(arguments.Files.empty() ? "sort needs a FILE" : "sort takes one FILE");
        return ExitUsageError;
    }
    std::optional<int32_t> column;
    if (auto text = arguments.Value("--column")) {
        column = ConvertInteger(*text);
        // The editor ignores an answer that is no number; a script is better told.
        if (!column) {
            Session::UsageError("--column needs a whole number, not \"" + *text + "\"");
            return ExitUsageError;
        }
    }
    const std::string& input = arguments.Files[0];
    std::optional<std::string> out = arguments.Value("-o");
    bool overwritesInput = out && SameFile(input, *out);
    if (!session.LoadInput(input, 1, overwritesInput))
        return ExitFileError;
    EditorState& state = session.State;
    // Only "Sort By Column #" lets keys that are not both numbers be ordered by their text.
    state.TextOrderAllowed = column.has_value();
    SortGridByColumn(state, 1, column.value_or(0), session.Shown);
    state.TextOrderAllowed = false;
    if (!session.WriteOutput(out))
        return ExitFileError;
    return ExitOk;
}

} // namespace tw::cli
