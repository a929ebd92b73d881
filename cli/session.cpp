#include "cli/session.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/commands.h"
#include "cli/options.h"
#include "core/app/text.h"
#include "core/document/filesink.h"
#include "core/document/save.h"
#include "core/document/writer.h"

namespace tw::cli {

void CliFeedback::ShowMessage(const std::string& text) {
    if (Holding) {
        Held.push_back(text);
        return;
    }
    // With an empty language file a message may be only blanks.
    if (text.find_first_not_of(' ') == std::string::npos)
        return;
    std::fprintf(stderr, "tabwright-cli: %s\n", text.c_str());
}

void Session::Error(const std::string& text) {
    std::fprintf(stderr, "tabwright-cli: %s\n", text.c_str());
}

void Session::UsageError(const std::string& text) {
    Error(text);
    std::fputs(UsageText().c_str(), stderr);
}

namespace {
bool IsFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}
} // namespace

std::string ProgramFolder() {
    char buffer[PATH_MAX];
    ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return {};
    return FolderPart(std::string(buffer, static_cast<size_t>(length)));
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool Session::Prepare(const ParsedArguments& arguments) {
    std::string programFolder = ProgramFolder();
    std::string path = programFolder + DefaultLanguageFile;
    if (auto language = arguments.Value("--language")) {
        path = *language;
        if (!IsFile(path) && path.find('/') == std::string::npos)
            path = programFolder + *language;
    }
    std::string error;
    if (!State.Language.Load(path, error)) {
        Error("cannot read language file " + Quoted(path) + ": " + error);
        return false;
    }
    // The document sections are read from ExeFolder + LanguageFile, so both name the file
    // just loaded, wherever it lies.
    char* real = ::realpath(path.c_str(), nullptr);
    std::string absolute = real ? std::string(real) : path;
    std::free(real);
    State.ExeFolder = FolderPart(absolute);
    State.LanguageFile = FileNamePart(absolute);
    State.ShowColNumbers = arguments.Has("--show-col-numbers");
    return true;
}

bool Session::LoadInput(const std::string& path, int slot, bool backup) {
    if (SortsAtOrBelowBlank(path)) {
        Error("cannot read " + Quoted(path) + ": not a file name");
        return false;
    }
    LoadOptions options;
    options.MakeBackup = backup;
    options.WriteSettings = false;
    options.ReadDescriptions = false;
    Shown.Holding = true;
    Shown.Held.clear();
    LoadResult loaded = LoadTable(State, path, slot, Shown, options);
    Shown.Holding = false;
    for (const auto& message : Shown.Held)
        if (loaded.Ok || message != loaded.Message)
            Shown.ShowMessage(message);
    if (!loaded.Ok) {
        Error("cannot read " + Quoted(path) + ": " +
              (loaded.SystemError.empty() ? loaded.Message : loaded.SystemError));
        return false;
    }
    return true;
}

bool Session::WriteOutput(const std::optional<std::string>& out) {
    if (out) {
        SaveResult saved = SaveDocumentTo(State, *out, Shown);
        if (!saved.Ok) {
            Error("cannot write " + Quoted(*out) + ": " + saved.SystemError);
            return false;
        }
        return true;
    }
    DescriptorSink sink(STDOUT_FILENO);
    if (!WriteDocument(State, sink, Shown)) {
        Error("cannot write to standard output: " + sink.SystemError());
        return false;
    }
    return true;
}

} // namespace tw::cli
