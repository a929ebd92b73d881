#include "cli/batch.h"

#include <cstdio>

#include "core/app/text.h"
#include "core/document/filesink.h"

namespace tw::cli {

int LoadBatch(Session& session, const ParsedArguments& arguments, const char* command,
              const std::optional<std::string>& out) {
    const auto& files = arguments.Files;
    if (files.size() < 2 || files.size() > 5) {
        Session::UsageError(std::string(command) + " takes two to five files");
        return ExitUsageError;
    }
    // The file chooser refuses a file whose extension differs from the first one's, in
    // letter case too.
    const std::string extension = ExtensionPart(files[0]);
    for (size_t k = 1; k < files.size(); ++k) {
        if (ExtensionPart(files[k]) != extension) {
            Session::UsageError("\"" + files[k] + "\" does not have the extension of \"" +
                                files[0] + "\"");
            return ExitUsageError;
        }
    }
    EditorState& state = session.State;
    state.BatchActive = true;
    for (size_t k = 0; k < files.size(); ++k) {
        state.SelectedFiles[k] = files[k];
        bool overwritten = out && SameFile(files[k], *out);
        if (!session.LoadInput(files[k], static_cast<int>(k) + 1, overwritten)) {
            state.BatchActive = false;
            return ExitFileError;
        }
    }
    state.BatchActive = false;
    return ExitOk;
}

bool ReadReportOptions(const ParsedArguments& arguments, const std::optional<std::string>& out,
                       ReportOptions& options) {
    if (auto name = arguments.Value("--format")) {
        auto format = ReportFormatNamed(*name);
        if (!format) {
            Session::UsageError("--format takes text, tsv or json, not \"" + *name + "\"");
            return false;
        }
        options.Format = *format;
    }
    options.File = arguments.Value("--report");
    if (!options.File)
        return true;
    if (SortsAtOrBelowBlank(*options.File)) {
        Session::UsageError("--report needs a file name");
        return false;
    }
    std::vector<std::string> guarded = arguments.Files;
    if (out)
        guarded.push_back(*out);
    for (const std::string& path : guarded) {
        if (path == *options.File || SameFile(path, *options.File)) {
            Session::UsageError("the report would replace \"" + path + "\"");
            return false;
        }
    }
    return true;
}

bool WriteReport(Session& session, const ReportOptions& options) {
    const EditorState& state = session.State;
    const ReportRun& run = state.LastReport;
    for (size_t k = 0; k < run.Count() && run.KindOf(k) == ReportKind::DuplicateKey; ++k) {
        const ReportRecord record = run.Record(k);
        Session::Error(DuplicateKeyWarning(state.Language, record, run.FileOf(record.Slot)));
    }
    const std::string report = FormatReport(state, options.Format, TABWRIGHT_VERSION);
    if (!options.File) {
        std::fwrite(report.data(), 1, report.size(), stdout);
        return true;
    }
    AtomicFileWriter file(*options.File);
    if (!file.Open() || !file.Write(report) || !file.Commit()) {
        Session::Error("cannot write \"" + *options.File + "\": " + file.SystemError());
        return false;
    }
    return true;
}

} // namespace tw::cli
