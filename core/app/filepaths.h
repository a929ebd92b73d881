#pragma once
// The file a path finally names, for writers that replace a file by renaming a new one
// over it: the rename must land on the link's target, never on the link.

#include <string>

namespace tw {

// Follows symbolic links of the last component, also to a target that does not exist
// yet (a dangling link). With `resolveFolder` the folder is resolved too (when it
// exists), so that two ways to one file give the same text; otherwise a path that is no
// link comes back as it is.
std::string FinalLinkTarget(const std::string& path, bool resolveFolder);

} // namespace tw
