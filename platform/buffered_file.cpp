#include "platform/buffered_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace stowkeep::platform {
namespace {

// Buffers of files closed or written out, for the next files of the thread:
// making a buffer per small file costs more than copying the file.
constexpr std::size_t kSpareBuffers = 4;

std::vector<std::unique_ptr<char[]>>& SpareBuffers() {
    thread_local std::vector<std::unique_ptr<char[]>> spare;
    return spare;
}

std::unique_ptr<char[]> TakeBuffer(std::size_t size) {
    auto& spare = SpareBuffers();
    if (size != BufferedFile::kBufferSize || spare.empty()) {
        return std::make_unique_for_overwrite<char[]>(size);
    }
    auto buffer = std::move(spare.back());
    spare.pop_back();
    return buffer;
}

void GiveBack(std::unique_ptr<char[]>& buffer, std::size_t size) {
    auto& spare = SpareBuffers();
    if (buffer && size == BufferedFile::kBufferSize && spare.size() < kSpareBuffers) {
        spare.push_back(std::move(buffer));
    }
    buffer.reset();
}

} // namespace

BufferedFile::BufferedFile(FileHandle inner, Access access, std::size_t bufferSize)
    : inner_(std::move(inner)), readAhead_(access == Access::read), bufferSize_(bufferSize) {}

BufferedFile::~BufferedFile() {
    Drain();
    GiveBack(buffer_, bufferSize_);
}

bool BufferedFile::WriteOut() {
    if (readAhead_) {
        return true;
    }
    const bool written = Drain();
    GiveBack(buffer_, bufferSize_);
    return written;
}

std::optional<std::size_t> BufferedFile::Read(void* buffer, std::size_t count) {
    if (readAhead_) {
        return ReadAhead(static_cast<char*>(buffer), count);
    }
    if (!Drain()) {
        return std::nullopt;
    }
    const auto got = inner_->Read(buffer, count);
    return got ? got : FailedInner(got);
}

// Fills out from the buffer, refilling it as often as needed, so that only
// the end of the file gives fewer bytes than asked for, whatever the reads
// underneath give. A failed read fails the whole call.
std::optional<std::size_t> BufferedFile::ReadAhead(char* out, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        if (begin_ == end_) {
            // A request at least as large as the buffer gains nothing from it.
            const bool direct = count - done >= bufferSize_;
            const auto got = direct ? inner_->Read(out + done, count - done)
                                    : inner_->Read(Buffer(), bufferSize_);
            if (!got) {
                DropReadAhead();
                return FailedInner(got);
            }
            if (*got == 0) {
                break;
            }
            if (direct) {
                done += *got;
                continue;
            }
            begin_ = 0;
            end_ = *got;
        }
        const std::size_t n = std::min(count - done, end_ - begin_);
        std::memcpy(out + done, Buffer() + begin_, n);
        begin_ += n;
        done += n;
    }
    return done;
}

bool BufferedFile::Write(const void* data, std::size_t count) {
    if (readAhead_) {
        // Refused underneath: the file is open for reading only.
        return inner_->Write(data, count) || FailedInner(false);
    }
    if (end_ + count > bufferSize_ && !Drain()) {
        return false;
    }
    if (count >= bufferSize_) {
        return inner_->Write(data, count) || FailedInner(false);
    }
    std::memcpy(Buffer() + end_, data, count);
    end_ += count;
    return true;
}

bool BufferedFile::WriteAt(std::uint64_t offset, const void* data, std::size_t count) {
    // Moving the position underneath leaves nothing read ahead in place.
    DropReadAhead();
    return Drain() && (inner_->WriteAt(offset, data, count) || FailedInner(false));
}

bool BufferedFile::Flush() {
    return Drain() && (inner_->Flush() || FailedInner(false));
}

std::optional<std::uint64_t> BufferedFile::Size() {
    if (!Drain()) {
        return std::nullopt;
    }
    const auto size = inner_->Size();
    return size ? size : FailedInner(size);
}

bool BufferedFile::SetLength(std::uint64_t length) {
    DropReadAhead();
    return Drain() && (inner_->SetLength(length) || FailedInner(false));
}

bool BufferedFile::Drain() {
    if (readAhead_ || end_ == 0) {
        return true;
    }
    const std::size_t pending = end_;
    end_ = 0;
    return inner_->Write(Buffer(), pending) || FailedInner(false);
}

void BufferedFile::DropReadAhead() {
    if (readAhead_) {
        begin_ = end_ = 0;
    }
}

char* BufferedFile::Buffer() {
    if (!buffer_) {
        buffer_ = TakeBuffer(bufferSize_);
    }
    return buffer_.get();
}

template <typename T> T BufferedFile::FailedInner(T result) {
    lastError_ = inner_->LastError();
    return result;
}

} // namespace stowkeep::platform
