#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/commands.h"

using namespace tw::cli;

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty()) {
        Session::UsageError("no command given");
        return ExitUsageError;
    }
    const std::string& name = arguments[0];
    if (name == "--help" || name == "-h" || name == "help") {
        std::fputs(HelpText().c_str(), stdout);
        return ExitOk;
    }
    if (name == "--version") {
        std::fputs(VersionText().c_str(), stdout);
        return ExitOk;
    }
    const Command* command = nullptr;
    for (const auto& candidate : Commands())
        if (name == candidate.Name)
            command = &candidate;
    if (!command) {
        Session::UsageError("unknown command \"" + name + "\"");
        return ExitUsageError;
    }
    ParsedArguments parsed;
    std::string error;
    if (!ParseArguments({arguments.begin() + 1, arguments.end()}, command->Options, parsed,
                        error)) {
        Session::UsageError(error);
        return ExitUsageError;
    }
    if (parsed.Has("--help")) {
        std::fputs(HelpText().c_str(), stdout);
        return ExitOk;
    }
    if (parsed.Has("--version")) {
        std::fputs(VersionText().c_str(), stdout);
        return ExitOk;
    }
    // compare --exit-code keeps 1 for "the files differ".
    const int trouble = parsed.Has("--exit-code") ? ExitUsageError : ExitFileError;
    // The session's grids are never torn down: freeing a large table row by row costs a
    // noticeable part of a run, and the process is about to give all of it back at once.
    // Everything the command writes is complete (its output file renamed into place) once
    // Run returns; only the standard streams are still buffered.
    auto* session = new Session;
    int code = session->Prepare(parsed) ? command->Run(*session, parsed) : trouble;
    if (std::fflush(stdout) != 0 && code != trouble && code != ExitUsageError) {
        Session::Error("cannot write to standard output");
        code = trouble;
    }
    std::fflush(stderr);
    std::_Exit(code);
}
