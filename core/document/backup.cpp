#include "core/document/backup.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/app/text.h"

namespace tw {

std::string BackupPathFor(const std::string& path) {
    // A name of fewer than three characters would put "bak" into the folder part and
    // create a file outside the document's folder.
    if (FileNamePart(path).size() < 3)
        return {};
    return path.substr(0, path.size() - 3) + "bak";
}

namespace {

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t done = ::write(fd, data, size);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        size -= static_cast<size_t>(done);
    }
    return true;
}

bool CopyContents(int in, int out) {
    char buffer[1 << 16];
    for (;;) {
        ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!WriteAll(out, buffer, static_cast<size_t>(got)))
            return false;
    }
}

} // namespace

bool CopyFileNoOverwrite(const std::string& from, const std::string& to) {
    if (to.empty() || to == from)
        return false;
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat info {};
    if (::fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(in);
        return false;
    }
    // O_EXCL makes "does the backup exist?" and "create it" one step, so an existing
    // backup is never opened for writing, let alone truncated.
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 0777);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = CopyContents(in, out);
    ok = ::fsync(out) == 0 && ok;
    ok = ::close(out) == 0 && ok;
    ::close(in);
    if (!ok)
        ::unlink(to.c_str()); // ours: O_EXCL created it
    return ok;
}

} // namespace tw
