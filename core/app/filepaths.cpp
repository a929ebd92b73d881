#include "core/app/filepaths.h"

#include <climits>
#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "core/app/text.h"

namespace tw {

std::string FinalLinkTarget(const std::string& path, bool resolveFolder) {
    std::string current = path;
    // As many hops as the system itself follows before it gives up on a loop.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            break;
        char target[PATH_MAX];
        ssize_t n = ::readlink(current.c_str(), target, sizeof target - 1);
        if (n <= 0)
            break;
        std::string next(target, static_cast<size_t>(n));
        current = next.front() == '/' ? next : FolderPart(current) + next;
    }
    if (!resolveFolder)
        return current;
    std::string folder = FolderPart(current);
    char* real = ::realpath(folder.empty() ? "." : folder.c_str(), nullptr);
    if (!real)
        return current;
    std::string resolved(real);
    std::free(real);
    if (resolved.back() != '/')
        resolved.push_back('/');
    return resolved + FileNamePart(current);
}

} // namespace tw
