#pragma once
// The report of a compare or combine run for scripts and files: the report lines (text),
// or a header and one record per line (tsv), or one json document. The fields are
// described in the command-line tool's help and in the README.

#include <optional>
#include <string>
#include <string_view>

#include "core/app/editorstate.h"

namespace tw {

enum class ReportFormat { Text, Tsv, Json };

// "text", "tsv" or "json"; nothing for any other name.
std::optional<ReportFormat> ReportFormatNamed(const std::string& name);

// The whole report of the state's last run. Text holds only the report lines, as the
// editor's report area shows them; tsv and json also hold the duplicate keys. `version`
// is the program's, for the json document.
std::string FormatReport(const EditorState& state, ReportFormat format, std::string_view version);

} // namespace tw
