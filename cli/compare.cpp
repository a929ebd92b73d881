// compare FILE1 FILE2 [FILE3 [FILE4 [FILE5]]]: the lines "Compare Files" writes into the
// report area, one per line on stdout.

#include "cli/batch.h"
#include "core/compare/comparefiles.h"

namespace tw::cli {

int RunCompare(Session& session, const ParsedArguments& arguments) {
    if (int code = LoadBatch(session, arguments, "compare", std::nullopt); code != ExitOk)
        return code;
    CompareFiles(session.State, session.Shown);
    return ExitOk;
}

} // namespace tw::cli
