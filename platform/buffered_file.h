#pragma once

// Large reads and writes beneath small ones. The copy engine moves each file in
// 1024-byte blocks; a system call per block is what would limit its speed, so
// the Win32 side puts this layer over every file it opens.

#include "platform/files.h"

#include <cstddef>
#include <memory>

namespace stowkeep::platform {

// A file opened only for reading reads ahead a buffer at a time and hands out
// what a Read asks for from it. A file opened for writing keeps what Write
// hands it and writes it out in one piece when the buffer is full, before any
// other call on the file (Read, WriteAt, Size, SetLength, Flush), and when it
// is closed. A failed write-out fails the call that made it, with the reason
// of the file underneath (a full disk is FileError::disk_full); what it held
// is dropped. A write-out at closing cannot report: callers that must know
// call Flush first. Other handles on the same file see written data once it
// has been written out.
class BufferedFile final : public File {
  public:
    // Larger buffers gain nothing measurable, and a buffer made per small
    // file costs more the larger it is (under Wine above all).
    static constexpr std::size_t kBufferSize = std::size_t{64} << 10;

    BufferedFile(FileHandle inner, Access access, std::size_t bufferSize = kBufferSize);
    ~BufferedFile() override;

    std::optional<std::size_t> Read(void* buffer, std::size_t count) override;
    bool Write(const void* data, std::size_t count) override;
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t count) override;
    bool Flush() override;
    std::optional<std::uint64_t> Size() override;
    bool SetLength(std::uint64_t length) override;
    FileError LastError() const override { return lastError_; }
    // Writes out what it holds and lends its buffer to the next file.
    bool WriteOut() override;

  private:
    std::optional<std::size_t> ReadAhead(char* out, std::size_t count);
    bool Drain();
    void DropReadAhead();
    char* Buffer();
    template <typename T> T FailedInner(T result);

    FileHandle inner_;
    bool readAhead_;
    std::size_t bufferSize_;
    std::unique_ptr<char[]> buffer_; // made at its first use
    // Reading: buffer_[begin_, end_) is read but not yet handed out.
    // Writing: buffer_[0, end_) is written but not yet written out.
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    FileError lastError_ = FileError::none;
};

} // namespace stowkeep::platform
