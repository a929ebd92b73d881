#include "core/document/linereader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

std::string_view FileContent(std::string_view bytes) {
    const void* stop = std::memchr(bytes.data(), EndOfFileByte, bytes.size());
    if (!stop)
        return bytes;
    return bytes.substr(0, static_cast<size_t>(static_cast<const char*>(stop) - bytes.data()));
}

size_t CountLines(std::string_view content) {
    size_t count = 0;
    const char* p = content.data();
    const char* end = p + content.size();
    while (p < end) {
        const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p));
        ++count;
        if (!lf)
            break;
        p = static_cast<const char*>(lf) + 1;
    }
    return count;
}

namespace {

// The CR of a CR LF ends the line; any other CR is a lone one and is dropped too.
std::string_view WithoutCarriageReturns(std::string_view line, std::string& scratch) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.find('\r') == std::string_view::npos)
        return line;
    scratch.clear();
    for (char c : line)
        if (c != '\r')
            scratch.push_back(c);
    return scratch;
}

ssize_t ReadSome(int fd, char* into, size_t size) {
    for (;;) {
        ssize_t got = ::read(fd, into, size);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

} // namespace

std::string_view LineReader::Next() {
    if (AtEnd())
        return {};
    size_t lf = Content.find('\n', Position);
    size_t end = lf == std::string_view::npos ? Content.size() : lf;
    std::string_view line = Content.substr(Position, end - Position);
    Position = lf == std::string_view::npos ? Content.size() : lf + 1;
    return WithoutCarriageReturns(line, Scratch);
}

StreamLineReader::StreamLineReader(int fd, size_t pieceSize)
    : Fd(fd), PieceSize(std::max<size_t>(pieceSize, 1)), Piece(new char[PieceSize]) {}

bool StreamLineReader::Next(std::string_view& line, size_t& lengthInFile) {
    if (CarryGiven) {
        Carry.clear();
        CarryGiven = false;
    }
    for (;;) {
        if (Position < Filled) {
            const char* begin = Piece.get() + Position;
            const size_t left = Filled - Position;
            const void* lf = std::memchr(begin, '\n', left);
            if (lf) {
                const auto length = static_cast<size_t>(static_cast<const char*>(lf) - begin);
                Position += length + 1;
                if (Carry.empty()) {
                    line = Finish(std::string_view(begin, length));
                    lengthInFile = length + 1;
                } else {
                    Carry.append(begin, length);
                    CarryGiven = true;
                    lengthInFile = Carry.size() + 1;
                    line = Finish(Carry);
                }
                return true;
            }
            Carry.append(begin, left);
            Position = Filled;
        }
        if (!Refill()) {
            if (Carry.empty())
                return false;
            // The last line needs no line break.
            CarryGiven = true;
            lengthInFile = Carry.size();
            line = Finish(Carry);
            return true;
        }
    }
}

std::string_view StreamLineReader::Finish(std::string_view line) {
    return WithoutCarriageReturns(line, Scratch);
}

bool StreamLineReader::Refill() {
    Position = 0;
    Filled = 0;
    if (Ended)
        return false;
    ssize_t got = ReadSome(Fd, Piece.get(), PieceSize);
    if (got <= 0) {
        if (got < 0)
            Error = std::strerror(errno);
        Ended = true;
        return false;
    }
    Filled = static_cast<size_t>(got);
    if (const void* stop = std::memchr(Piece.get(), EndOfFileByte, Filled)) {
        Filled = static_cast<size_t>(static_cast<const char*>(stop) - Piece.get());
        DrainRest();
    }
    return true;
}

void StreamLineReader::DrainRest() {
    Ended = true;
    char rest[65536];
    for (;;) {
        ssize_t got = ReadSome(Fd, rest, sizeof rest);
        if (got <= 0) {
            if (got < 0)
                Error = std::strerror(errno);
            return;
        }
    }
}

int OpenRegularFile(const std::string& path, std::string& error) {
    // Without O_NONBLOCK opening a FIFO waits for a writer, possibly for ever.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        error = std::strerror(errno);
        return -1;
    }
    struct stat info {};
    int failure = 0;
    if (::fstat(fd, &info) != 0)
        failure = errno;
    else if (S_ISDIR(info.st_mode))
        failure = EISDIR;
    else if (!S_ISREG(info.st_mode))
        failure = -1;
    if (failure == 0) {
        // Reads of a regular file never block; the flag would only confuse later reads.
        int flags = ::fcntl(fd, F_GETFL);
        if (flags >= 0)
            ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        return fd;
    }
    ::close(fd);
    error = failure > 0 ? std::strerror(failure) : "Not a regular file (a pipe, device or socket)";
    return -1;
}

bool ReadOpenFile(int fd, std::string& bytes, std::string& error) {
    bytes.clear();
    // Read straight into a buffer of the file's size, so a large file is held only once;
    // anything beyond it (a file still growing) is appended in small pieces.
    struct stat info {};
    size_t expected = 0;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        expected = static_cast<size_t>(info.st_size);
    bytes.resize(expected);
    size_t filled = 0;
    bool ok = true;
    int failure = 0;
    while (filled < expected) {
        ssize_t got = ReadSome(fd, bytes.data() + filled, expected - filled);
        if (got <= 0) {
            if (got < 0) {
                ok = false;
                failure = errno;
            }
            break;
        }
        filled += static_cast<size_t>(got);
    }
    bytes.resize(filled);
    if (ok && filled == expected) {
        char piece[65536];
        for (;;) {
            ssize_t got = ReadSome(fd, piece, sizeof piece);
            if (got <= 0) {
                if (got < 0) {
                    ok = false;
                    failure = errno;
                }
                break;
            }
            bytes.append(piece, static_cast<size_t>(got));
        }
    }
    if (!ok)
        error = std::strerror(failure);
    return ok;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, bool& failedToOpen,
                   std::string& error) {
    bytes.clear();
    failedToOpen = false;
    int fd = OpenRegularFile(path, error);
    if (fd < 0) {
        failedToOpen = true;
        return false;
    }
    bool ok = ReadOpenFile(fd, bytes, error);
    ::close(fd);
    return ok;
}

} // namespace tw
