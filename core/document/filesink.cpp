#include "core/document/filesink.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "core/app/filepaths.h"
#include "core/app/text.h"

namespace tw {

namespace {

template <typename WriteSome>
bool WriteFully(int fd, std::string_view bytes, WriteSome writeSome, int& error) {
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t done = writeSome(fd, data, left);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            error = done < 0 ? errno : ENOSPC;
            return false;
        }
        data += done;
        left -= static_cast<size_t>(done);
    }
    return true;
}

std::string RandomSuffix() {
    static std::mt19937 generator{std::random_device{}()};
    static const char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 8; ++i)
        suffix.push_back(digits[generator() % (sizeof digits - 1)]);
    return suffix;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(std::string targetPath) : Target(std::move(targetPath)) {}

AtomicFileWriter::~AtomicFileWriter() {
    Discard();
}

bool AtomicFileWriter::Fail(int error) {
    Error = std::strerror(error);
    Discard();
    return false;
}

bool AtomicFileWriter::Open() {
    // A write past the file-size limit then fails with EFBIG, and the temporary file is
    // removed like after any other failure, instead of the signal ending the program.
    static const bool fileSizeSignalIgnored = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)fileSizeSignalIgnored;
    Discard();
    Error.clear();
    Written = 0;
    WritebackFrom = 0;
    // Saving through a link replaces the file it names (even one not there yet), not
    // the link.
    Target = FinalLinkTarget(Target, false);
    std::string folder = FolderPart(Target);
    std::string name = FileNamePart(Target);
    if (name.empty())
        return Fail(EISDIR);
    for (int attempt = 0; attempt < 100; ++attempt) {
        Temp = folder + "." + name + ".save-" + RandomSuffix();
        // Only we may read the document until it takes the target's permissions.
        Fd = ::open(Temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (Fd >= 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    int error = errno;
    Temp.clear();
    return Fail(error);
}

ssize_t AtomicFileWriter::WriteSome(int fd, const char* data, size_t size) {
    return ::write(fd, data, size);
}

int AtomicFileWriter::RenameFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (Fd < 0)
        return Fail(EBADF);
    int error = 0;
    auto call = [this](int fd, const char* data, size_t size) { return WriteSome(fd, data, size); };
    if (!WriteFully(Fd, bytes, call, error))
        return Fail(error);
    // Start writing the finished part to the disk now, so the flush at Commit waits only
    // for the rest instead of for the whole file. Only a hint: Commit's flush checks.
    Written += bytes.size();
    constexpr uint64_t WritebackStep = 2u << 20;
    if (Written - WritebackFrom >= WritebackStep) {
        ::sync_file_range(Fd, static_cast<off_t>(WritebackFrom),
                          static_cast<off_t>(Written - WritebackFrom), SYNC_FILE_RANGE_WRITE);
        WritebackFrom = Written;
    }
    return true;
}

bool AtomicFileWriter::Commit() {
    if (Fd < 0)
        return Fail(EBADF);
    // The replaced file keeps its owner, where we may, and its permissions; the owner
    // first, because changing it clears the set-user-ID and set-group-ID bits. A new
    // file gets what the process's file-creation mask allows.
    struct stat original {};
    mode_t mode = 0;
    if (::stat(Target.c_str(), &original) == 0 && S_ISREG(original.st_mode)) {
        if (::fchown(Fd, original.st_uid, original.st_gid) != 0) {
            // Not ours to give away: the new file stays with the user who saves it.
        }
        mode = original.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(Fd, mode) != 0)
        return Fail(errno);
    if (::fsync(Fd) != 0)
        return Fail(errno);
    int fd = Fd;
    Fd = -1;
    if (::close(fd) != 0)
        return Fail(errno);
    if (RenameFile(Temp, Target) != 0)
        return Fail(errno);
    Temp.clear();
    // Make the rename itself durable; a failure here no longer endangers either file.
    std::string folder = FolderPart(Target);
    int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void AtomicFileWriter::Discard() {
    if (Fd >= 0) {
        ::close(Fd);
        Fd = -1;
    }
    if (!Temp.empty()) {
        ::unlink(Temp.c_str());
        Temp.clear();
    }
}

bool DescriptorSink::Write(std::string_view bytes) {
    int error = 0;
    auto call = [](int fd, const char* data, size_t size) { return ::write(fd, data, size); };
    if (WriteFully(Fd, bytes, call, error))
        return true;
    Error = std::strerror(error);
    return false;
}

} // namespace tw
