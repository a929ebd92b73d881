#pragma once
// Where a saved document's bytes go: a file replaced atomically, or an open descriptor
// (the command-line tool's standard output).

#include <cstdint>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace tw {

class ByteSink {
  public:
    virtual ~ByteSink() = default;
    // False when the bytes could not be written; SystemError() then says why.
    virtual bool Write(std::string_view bytes) = 0;
    const std::string& SystemError() const { return Error; }

  protected:
    std::string Error;
};

// Writes into a temporary file beside the target and only at Commit renames it over the
// target, after flushing it to the disk and giving it the target's permissions. Until
// then, and after any failure, the target is untouched; the temporary file is removed
// whenever the write does not complete.
class AtomicFileWriter : public ByteSink {
  public:
    explicit AtomicFileWriter(std::string targetPath);
    ~AtomicFileWriter() override;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool Open();
    bool Write(std::string_view bytes) override;
    bool Commit();
    void Discard();

    const std::string& TargetPath() const { return Target; }
    const std::string& TempPath() const { return Temp; }

  protected:
    // The system calls a test replaces to make a write fail part-way or the rename fail.
    virtual ssize_t WriteSome(int fd, const char* data, size_t size);
    virtual int RenameFile(const std::string& from, const std::string& to);

  private:
    bool Fail(int error);
    std::string Target;
    std::string Temp;
    int Fd = -1;
    uint64_t Written = 0;       // bytes written so far
    uint64_t WritebackFrom = 0; // the start of what the disk was not yet asked to take
};

// Writes to a descriptor it does not own.
class DescriptorSink : public ByteSink {
  public:
    explicit DescriptorSink(int fd) : Fd(fd) {}
    bool Write(std::string_view bytes) override;

  private:
    int Fd;
};

} // namespace tw
