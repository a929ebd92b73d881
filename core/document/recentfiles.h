#pragma once
// The files the user loaded last, newest first, kept in the settings as the text values
// "recentfile1" to "recentfile10" (paths as on disk). Only this list's own values are
// touched; every value the program had before keeps its meaning.

#include <string>
#include <vector>

#include "core/app/settings.h"

namespace tw {

inline constexpr int RecentFileCount = 10;

// The list with `path` moved (or added) to the front, at most RecentFileCount long.
std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path);

std::vector<std::string> ReadRecentFiles(const TRegpath& settings);
// Writes the list, emptying the values past its end; false when a write was refused.
bool WriteRecentFiles(const TRegpath& settings, const std::vector<std::string>& list);

} // namespace tw
