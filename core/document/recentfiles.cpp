#include "core/document/recentfiles.h"

#include <algorithm>

namespace tw {

namespace {
std::string ValueName(int k) {
    return "recentfile" + std::to_string(k);
}
} // namespace

std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path) {
    if (path.empty())
        return list;
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    list.insert(list.begin(), path);
    if (list.size() > static_cast<size_t>(RecentFileCount))
        list.resize(RecentFileCount);
    return list;
}

std::vector<std::string> ReadRecentFiles(const TRegpath& settings) {
    std::vector<std::string> list;
    for (int k = 1; k <= RecentFileCount; ++k) {
        std::string path;
        // A value of another type (edited by hand) counts as missing.
        if (settings.ReadString(ValueName(k), path) && !path.empty() &&
            std::find(list.begin(), list.end(), path) == list.end())
            list.push_back(path);
    }
    return list;
}

bool WriteRecentFiles(const TRegpath& settings, const std::vector<std::string>& list) {
    bool ok = true;
    for (int k = 1; k <= RecentFileCount; ++k) {
        const auto index = static_cast<size_t>(k - 1);
        if (index < list.size()) {
            ok = settings.WriteString(ValueName(k), list[index]) && ok;
            continue;
        }
        // Past the end: empty what is stored, and add nothing to a file that has no value.
        std::string stored;
        if (settings.ReadString(ValueName(k), stored) && !stored.empty())
            ok = settings.WriteString(ValueName(k), std::string()) && ok;
    }
    return ok;
}

} // namespace tw
