#pragma once
// What compare and combine share: two to five files of one extension, loaded into the
// grids as "Go With Selected" loads them, and the report of the run.

#include <optional>
#include <string>

#include "cli/commands.h"
#include "core/compare/reportformat.h"

namespace tw::cli {

// Loads FILE k into grid k with the batch flag set and records the paths as the picked
// files. The backup is made for an input that `out` names. Returns an exit code, ExitOk
// when every file loaded.
int LoadBatch(Session& session, const ParsedArguments& arguments, const char* command,
              const std::optional<std::string>& out);

// The options about the report (--format, --report), checked before anything is read.
struct ReportOptions {
    ReportFormat Format = ReportFormat::Text;
    std::optional<std::string> File; // --report; stdout without it
};
// False after a usage error: an unknown format, or a report file that names an input or
// the output (the report would replace the file).
bool ReadReportOptions(const ParsedArguments& arguments, const std::optional<std::string>& out,
                       ReportOptions& options);

// Warns on stderr about every duplicate key of the run (one line per key and file), then
// writes the report to stdout or the report file. False after a message naming the file.
bool WriteReport(Session& session, const ReportOptions& options);

} // namespace tw::cli
