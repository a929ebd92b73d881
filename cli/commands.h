#pragma once
// The tool's subcommands. Each lives in a file of its own (normalize.cpp, ...) and has one
// line in the table of commands.cpp; what they share (the editor state, loading, writing
// the result) is in session.h.

#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/session.h"

namespace tw::cli {

// compare --exit-code uses 1 for "the files differ" and 2 for every kind of trouble.
enum ExitCode { ExitOk = 0, ExitFileError = 1, ExitDifferences = 1, ExitUsageError = 2 };

struct Command {
    const char* Name;
    const char* Usage; // the synopsis after the program name
    std::vector<OptionSpec> Options;
    // Runs with the parsed arguments and a session whose language is loaded. A usage
    // error is reported by returning ExitUsageError after Session::UsageError.
    int (*Run)(Session& session, const ParsedArguments& arguments);
};

const std::vector<Command>& Commands();
// The synopsis of every command, printed after a usage error.
std::string UsageText();
// What --help prints: the synopsis, every option, the report formats and their fields, and
// the exit codes.
std::string HelpText();
// What --version prints.
std::string VersionText();

int RunNormalize(Session& session, const ParsedArguments& arguments);
int RunSort(Session& session, const ParsedArguments& arguments);
int RunCompare(Session& session, const ParsedArguments& arguments);
int RunCombine(Session& session, const ParsedArguments& arguments);

} // namespace tw::cli
