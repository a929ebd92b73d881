#pragma once
// Reads the lines of a data file held in memory. A line ends at LF or CR LF; a CR that is
// not followed by LF is dropped from its line; byte 26 ends the file; the last line needs
// no line break. Every other byte, NUL included, belongs to its line.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tw {

inline constexpr char EndOfFileByte = 26;

// The part of the file bytes the line rules see: everything before the first byte 26.
std::string_view FileContent(std::string_view bytes);

// How many lines the content has (an empty content has none).
size_t CountLines(std::string_view content);

class LineReader {
  public:
    explicit LineReader(std::string_view content) : Content(content) {}
    bool AtEnd() const { return Position >= Content.size(); }
    // The next line without its line break. The view stays valid until the next call;
    // it points into the content unless the line held a lone CR.
    std::string_view Next();

  private:
    std::string_view Content;
    size_t Position = 0;
    std::string Scratch;
};

// Reads the lines of an open file piece by piece, by the same rules as LineReader over
// FileContent of the whole file, so a large file is never held whole: only a piece and a
// line that straddles two pieces are. After a byte 26 the rest of the file is still read
// (and dropped), so a read failure behind it is reported as before.
class StreamLineReader {
  public:
    explicit StreamLineReader(int fd, size_t pieceSize = 1 << 19);
    // The next line without its line break, and its length in the file with the line break
    // (if any); false after the last line. The view stays valid until the next call.
    bool Next(std::string_view& line, size_t& lengthInFile);
    // False when reading stopped part-way; Error() then gives the system's reason.
    bool Complete() const { return Error.empty(); }
    const std::string& SystemError() const { return Error; }

  private:
    bool Refill();
    void DrainRest();
    std::string_view Finish(std::string_view line);

    int Fd;
    size_t PieceSize;
    std::unique_ptr<char[]> Piece;
    size_t Position = 0;
    size_t Filled = 0;
    bool Ended = false; // no more bytes will come
    std::string Carry;  // the start of a line that goes on in the next piece
    bool CarryGiven = false;
    std::string Scratch;
    std::string Error;
};

// Opens a file for loading, only when it is a regular file: a folder, a FIFO, a device
// (an endless one such as /dev/zero) or a socket is refused at once, and the open never
// waits for a FIFO's writer. -1 and the system's reason otherwise.
int OpenRegularFile(const std::string& path, std::string& error);
// Reads the rest of a file opened so, and leaves it open. False and the system's reason
// when reading stops part-way; `bytes` then holds what was read.
bool ReadOpenFile(int fd, std::string& bytes, std::string& error);

// Reads a whole file. On failure `failedToOpen` tells whether the file could not be opened
// at all (otherwise reading stopped part-way and `bytes` holds what was read), and
// `error` is the system's description.
bool ReadFileBytes(const std::string& path, std::string& bytes, bool& failedToOpen,
                   std::string& error);

} // namespace tw
