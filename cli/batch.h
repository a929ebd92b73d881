#pragma once
// What compare and combine share: two to five files of one extension, loaded into the
// grids as "Go With Selected" loads them.

#include <optional>
#include <string>

#include "cli/commands.h"

namespace tw::cli {

// Loads FILE k into grid k with the batch flag set and records the paths as the picked
// files. The backup is made for an input that `out` names. Returns an exit code, ExitOk
// when every file loaded.
int LoadBatch(Session& session, const ParsedArguments& arguments, const char* command,
              const std::optional<std::string>& out);

} // namespace tw::cli
