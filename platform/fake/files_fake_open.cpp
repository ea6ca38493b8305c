#include "platform/fake/files_fake.h"
#include "platform/fake/files_fake_state.h"
#include "platform/long_path.h"

#include <algorithm>
#include <cstring>

namespace stowkeep::platform {
namespace {

bool Reads(Access access) {
    return access != Access::write;
}
bool Writes(Access access) {
    return access != Access::read;
}

// The Win32 rule: every earlier opening must share what the new one asks
// for, and the new one must share what every earlier one holds.
bool SharingAllows(const FakeNode& node, Access access, unsigned share) {
    return std::all_of(node.openings.begin(), node.openings.end(), [&](const FakeOpening* old) {
        return (!Reads(access) || (old->share & share_read)) &&
               (!Writes(access) || (old->share & share_write)) &&
               (!Reads(old->access) || (share & share_read)) &&
               (!Writes(old->access) || (share & share_write));
    });
}

class FakeFile final : public File {
  public:
    FakeFile(std::shared_ptr<FakeFileSystem::State> state, FakeNodePtr node, std::wstring key,
             Access access, unsigned share)
        : state_(std::move(state)), node_(std::move(node)),
          key_(std::move(key)), opening_{access, share},
          mount_(state_->volumes.at(node_->volume).mount) {
        node_->openings.push_back(&opening_);
        ++state_->openFiles;
    }

    ~FakeFile() override {
        std::lock_guard lock(state_->mutex);
        std::erase(node_->openings, &opening_);
        --state_->openFiles;
    }

    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        std::lock_guard lock(state_->mutex);
        if (!Allowed(Reads(opening_.access), FakeFileSystem::Op::read)) {
            return std::nullopt;
        }
        const std::string& data = node_->data;
        const std::size_t n =
            position_ >= data.size() ? 0 : std::min<std::size_t>(count, data.size() - position_);
        std::memcpy(buffer, data.data() + position_, n);
        position_ += n;
        return n;
    }

    bool Write(const void* data, std::size_t count) override {
        std::lock_guard lock(state_->mutex);
        if (!Allowed(Writes(opening_.access), FakeFileSystem::Op::write) ||
            !Grow(position_ + count)) {
            return false;
        }
        std::memcpy(node_->data.data() + position_, data, count);
        position_ += count;
        return true;
    }

    bool WriteAt(std::uint64_t offset, const void* data, std::size_t count) override {
        {
            std::lock_guard lock(state_->mutex);
            position_ = offset;
        }
        return Write(data, count);
    }

    bool Flush() override {
        std::lock_guard lock(state_->mutex);
        if (!Allowed(Writes(opening_.access), FakeFileSystem::Op::flush)) {
            return false;
        }
        node_->durable = node_->data;
        return true;
    }

    std::optional<std::uint64_t> Size() override {
        std::lock_guard lock(state_->mutex);
        return node_->data.size();
    }

    bool SetLength(std::uint64_t length) override {
        std::lock_guard lock(state_->mutex);
        if (!Allowed(Writes(opening_.access), FakeFileSystem::Op::set_length)) {
            return false;
        }
        if (length > node_->data.size()) {
            if (!Grow(length)) {
                return false;
            }
        } else {
            state_->volumes[node_->volume].freeBytes += node_->data.size() - length;
            node_->data.resize(length);
            node_->durable.resize(std::min<std::uint64_t>(node_->durable.size(), length));
        }
        position_ = length;
        return true;
    }

    FileError LastError() const override {
        std::lock_guard lock(state_->mutex);
        return lastError_;
    }

  private:
    bool Allowed(bool accessGranted, FakeFileSystem::Op op) {
        const auto volume = state_->volumes.find(node_->volume);
        if (volume == state_->volumes.end() || volume->second.mount != mount_) {
            lastError_ = FileError::not_found; // the device is gone
            return false;
        }
        if (!accessGranted) {
            lastError_ = FileError::access_denied;
            return false;
        }
        FileError error = FileError::none;
        if (state_->TakeFault(op, key_, error)) {
            lastError_ = error;
            return false;
        }
        return true;
    }

    // Makes the file at least size bytes long, taking the growth from the
    // volume's free space.
    bool Grow(std::uint64_t size) {
        std::string& data = node_->data;
        if (size <= data.size()) {
            return true;
        }
        std::uint64_t& freeBytes = state_->volumes[node_->volume].freeBytes;
        const std::uint64_t growth = size - data.size();
        if (growth > freeBytes) {
            lastError_ = FileError::disk_full;
            return false;
        }
        freeBytes -= growth;
        data.resize(size);
        return true;
    }

    std::shared_ptr<FakeFileSystem::State> state_;
    FakeNodePtr node_;
    std::wstring key_;
    FakeOpening opening_;
    int mount_;
    std::uint64_t position_ = 0;
    FileError lastError_ = FileError::none;
};

// Whether an existing file may be opened as asked; the reason when not.
FileError CheckExisting(const FakeNode& node, Access access, unsigned share,
                        Disposition disposition) {
    if (node.IsFolder()) {
        return FileError::access_denied;
    }
    if (disposition == Disposition::create_new) {
        return FileError::already_exists;
    }
    const bool readOnly = (node.attributes & kAttrReadOnly) != 0;
    const bool hiddenOrSystem = (node.attributes & (kAttrHidden | kAttrSystem)) != 0;
    if ((Writes(access) && readOnly) ||
        (disposition == Disposition::create_always && (readOnly || hiddenOrSystem))) {
        return FileError::access_denied;
    }
    if (!SharingAllows(node, access, share)) {
        return FileError::sharing_violation;
    }
    return FileError::none;
}

} // namespace

FileHandle FakeFileSystem::Open(const std::wstring& path, Access access, unsigned share,
                                Disposition disposition, FileError* error) {
    std::lock_guard lock(state_->mutex);
    FileError reason = FileError::none;
    auto location = state_->Reach(path, true, kMaxPlainPath);
    if (!location || !location->parent || !location->parent->IsFolder()) {
        reason = FileError::not_found;
    } else if (state_->TakeFault(Op::open, location->key, reason)) {
        // reason holds the injected failure
    } else if (location->node) {
        reason = CheckExisting(*location->node, access, share, disposition);
        if (reason == FileError::none && disposition == Disposition::create_always) {
            state_->volumes[location->node->volume].freeBytes += location->node->data.size();
            location->node->data.clear();
            location->node->durable.clear();
            location->node->attributes = kAttrArchive;
        }
    } else if (disposition == Disposition::open_existing) {
        reason = FileError::not_found;
    } else {
        location->node = std::make_shared<FakeNode>();
        location->node->name = location->name;
        location->node->volume = location->parent->volume;
        location->parent->children[FakeUpper(location->name)] = location->node;
    }
    if (error) {
        *error = reason;
    }
    if (reason != FileError::none) {
        return nullptr;
    }
    return std::make_unique<FakeFile>(state_, location->node, location->key, access, share);
}

} // namespace stowkeep::platform
