// combine [--no-remove-rows] [--show-messages] [--format F] [--report FILE] -o OUT FILE1
// FILE2 [FILE3 [FILE4 [FILE5]]]: merges the files as "Combine Files" (or "Combine Files (No
// Remove Rows)") does, writes the merged main grid to OUT as Save would, and gives the
// report on stdout or in the report file.

#include "cli/batch.h"
#include "core/compare/combinefiles.h"

namespace tw::cli {

int RunCombine(Session& session, const ParsedArguments& arguments) {
    std::optional<std::string> out = arguments.Value("-o");
    if (!out) {
        Session::UsageError("combine needs -o OUT");
        return ExitUsageError;
    }
    ReportOptions report;
    if (!ReadReportOptions(arguments, out, report))
        return ExitUsageError;
    if (int code = LoadBatch(session, arguments, "combine", out); code != ExitOk)
        return code;
    EditorState& state = session.State;
    state.RemoveRows = !arguments.Has("--no-remove-rows");
    state.ShowCombineMessages = arguments.Has("--show-messages");
    CombineFiles(state, session.Shown);
    if (!session.WriteOutput(out))
        return ExitFileError;
    if (!WriteReport(session, report))
        return ExitFileError;
    return ExitOk;
}

} // namespace tw::cli
