#include "sparse_files.h"

#include <cwctype>

namespace stowkeep::images {
namespace {

std::wstring Key(std::wstring path) {
    for (wchar_t& c : path) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return path;
}

} // namespace

// An opened file of the machine whose length and writes go to the record instead.
class SparseFile : public platform::File {
  public:
    SparseFile(SparseFiles& owner, std::wstring key, platform::FileHandle real)
        : owner_(owner), key_(std::move(key)), real_(std::move(real)) {}

    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        return real_->Read(buffer, count);
    }
    bool Write(const void* data, std::size_t count) override {
        return WriteAt(position_, data, count);
    }
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t count) override {
        std::lock_guard lock(owner_.mutex_);
        auto& record = owner_.records_[key_];
        record.writes.push_back({offset, std::string(static_cast<const char*>(data), count)});
        position_ = offset + count;
        record.length = std::max(record.length.value_or(0), position_);
        return true;
    }
    bool Flush() override { return true; }
    std::optional<std::uint64_t> Size() override {
        std::lock_guard lock(owner_.mutex_);
        return owner_.records_[key_].length.value_or(0);
    }
    bool SetLength(std::uint64_t length) override {
        std::lock_guard lock(owner_.mutex_);
        auto& record = owner_.records_[key_];
        if (record.refuseLength) {
            return false;
        }
        record.length = position_ = length;
        return true;
    }
    platform::FileError LastError() const override { return real_->LastError(); }

  private:
    SparseFiles& owner_;
    std::wstring key_;
    platform::FileHandle real_;
    std::uint64_t position_ = 0;
};

platform::FileHandle SparseFiles::Open(const std::wstring& path, platform::Access access,
                                       unsigned share, platform::Disposition disposition,
                                       platform::FileError* error) {
    platform::FileHandle real = disk_.Open(path, access, share, disposition, error);
    if (!real) {
        return nullptr;
    }
    std::lock_guard lock(mutex_);
    auto& record = records_[Key(path)];
    if (disposition != platform::Disposition::open_existing) {
        record.length = 0;
        record.writes.clear();
    }
    return std::make_unique<SparseFile>(*this, Key(path), std::move(real));
}

std::optional<std::uint64_t> SparseFiles::Length(const std::wstring& path) const {
    std::lock_guard lock(mutex_);
    const auto found = records_.find(Key(path));
    return found == records_.end() ? std::nullopt : found->second.length;
}

std::vector<SparseFiles::Write> SparseFiles::Writes(const std::wstring& path) const {
    std::lock_guard lock(mutex_);
    const auto found = records_.find(Key(path));
    return found == records_.end() ? std::vector<Write>{} : found->second.writes;
}

void SparseFiles::RefuseLength(const std::wstring& path) {
    std::lock_guard lock(mutex_);
    records_[Key(path)].refuseLength = true;
}

} // namespace stowkeep::images
