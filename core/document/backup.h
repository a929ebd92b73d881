#pragma once
// The backup copy a load makes: the file copied once beside itself, its last three
// characters replaced by "bak" ("protos.tab" gives "protos.bak"). An existing backup is
// never overwritten, so it keeps the oldest version.

#include <string>

namespace tw {

// Empty when the file name is too short to form a backup name in the same folder.
std::string BackupPathFor(const std::string& path);

// Copies `from` to `to` unless `to` exists; a copy that fails part-way is removed again.
// Returns whether a copy was made.
bool CopyFileNoOverwrite(const std::string& from, const std::string& to);

} // namespace tw
