#pragma once
// Reads the lines of a data file held in memory. A line ends at LF or CR LF; a CR that is
// not followed by LF is dropped from its line; byte 26 ends the file; the last line needs
// no line break. Every other byte, NUL included, belongs to its line.

#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

inline constexpr char EndOfFileByte = 26;

// The part of the file bytes the line rules see: everything before the first byte 26.
std::string_view FileContent(std::string_view bytes);

// How many lines the content has (an empty content has none).
size_t CountLines(std::string_view content);
// The same, and the length of the longest line (line breaks included).
struct LineCount {
    size_t Lines = 0;
    size_t Longest = 0;
};
LineCount MeasureLines(std::string_view content);

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
