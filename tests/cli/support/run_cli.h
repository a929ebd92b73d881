#pragma once
// Runs the built command-line tool with the given arguments and collects its exit code,
// stdout and stderr. The child gets a settings file in `settingsFolder`, so a test can
// tell whether the tool wrote settings.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tw {

struct CliRun {
    int Code = -1;
    std::string Out;
    std::string Err;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline CliRun RunCli(const std::vector<std::string>& arguments, const std::string& scratchFolder) {
    std::string outPath = scratchFolder + "cli-stdout";
    std::string errPath = scratchFolder + "cli-stderr";
    std::string settings = scratchFolder + "cli-settings.reg";
    pid_t child = ::fork();
    if (child == 0) {
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::setenv("TABWRIGHT_SETTINGS", settings.c_str(), 1);
        std::vector<char*> argv;
        std::string program = TABWRIGHT_CLI;
        argv.push_back(program.data());
        std::vector<std::string> copies = arguments;
        for (auto& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    CliRun run;
    int status = 0;
    ::waitpid(child, &status, 0);
    run.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadAll(outPath);
    run.Err = ReadAll(errPath);
    ::unlink(outPath.c_str());
    ::unlink(errPath.c_str());
    return run;
}

} // namespace tw
