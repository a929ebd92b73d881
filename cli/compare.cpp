// compare [--format F] [--report FILE] [--exit-code] FILE1 FILE2 [FILE3 [FILE4 [FILE5]]]:
// the report "Compare Files" writes into the report area: its lines (text), or one
// record per difference (tsv, json).

#include "cli/batch.h"
#include "core/compare/comparefiles.h"

namespace tw::cli {

int RunCompare(Session& session, const ParsedArguments& arguments) {
    // As with diff: 1 says "the files differ", so any trouble is 2.
    const bool differencesExit = arguments.Has("--exit-code");
    const int trouble = differencesExit ? ExitUsageError : ExitFileError;
    ReportOptions report;
    if (!ReadReportOptions(arguments, std::nullopt, report))
        return ExitUsageError;
    if (int code = LoadBatch(session, arguments, "compare", std::nullopt); code != ExitOk)
        return code == ExitFileError ? trouble : code;
    CompareFiles(session.State, session.Shown);
    if (!WriteReport(session, report))
        return trouble;
    if (differencesExit && session.State.LastReport.LineCount() > 0)
        return ExitDifferences;
    return ExitOk;
}

} // namespace tw::cli
