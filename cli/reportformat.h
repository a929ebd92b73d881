#pragma once
// The report of a compare or combine run as the tool prints it: the report lines (text),
// or one record per line and a header (tsv), or one json document. The fields are
// described in the tool's help (HelpText) and in the README.

#include <optional>
#include <string>

#include "core/app/editorstate.h"

namespace tw::cli {

enum class ReportFormat { Text, Tsv, Json };

// "text", "tsv" or "json"; nothing for any other name.
std::optional<ReportFormat> ReportFormatNamed(const std::string& name);

// The whole report of the state's last run. Text holds only the report lines, as the
// editor's report area shows them; tsv and json also hold the duplicate keys.
std::string FormatReport(const EditorState& state, ReportFormat format);

} // namespace tw::cli
