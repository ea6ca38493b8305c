#include "backup/copy_engine_walk.h"

#include <algorithm>
#include <array>
#include <cwctype>

namespace stowkeep::backup {
namespace {

using platform::FileError;

const std::wstring kTemporaryName = L"~stowkeep.tmp";
const std::wstring kOtherTemporaryName = L"~stowkeep2.tmp";

// CREATE_ALWAYS with normal attributes refuses such an existing file; the
// replacement refuses them likewise, so an older copy of this kind stays.
constexpr std::uint32_t kNotReplaced = platform::kAttrDirectory | platform::kAttrReadOnly |
                                       platform::kAttrHidden | platform::kAttrSystem;

// The file being written. Removed when it goes out of scope before it has
// taken its final name: on a cancel, a failure or an exception.
class TemporaryCopy {
  public:
    TemporaryCopy(platform::FileSystem& files, std::wstring path, platform::FileHandle file)
        : files_(files), path_(std::move(path)), file_(std::move(file)) {}
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;
    ~TemporaryCopy() {
        if (!placed_) {
            file_.reset();
            files_.Remove(path_);
        }
    }

    platform::File& File() { return *file_; }

    enum class Placing { placed, disk_full, failed };

    // Flushes and closes the file, then puts it in place of target. The file
    // side may hold back written data until the flush, so a full disk can
    // show there first.
    Placing PutInPlaceOf(const std::wstring& target) {
        if (!file_->Flush()) {
            return file_->LastError() == FileError::disk_full ? Placing::disk_full
                                                              : Placing::failed;
        }
        file_.reset();
        placed_ = files_.MoveReplacing(path_, target);
        return placed_ ? Placing::placed : Placing::failed;
    }

  private:
    platform::FileSystem& files_;
    std::wstring path_;
    platform::FileHandle file_;
    bool placed_ = false;
};

bool SameName(const std::wstring& a, const std::wstring& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return std::towupper(x) == std::towupper(y); });
}

} // namespace

std::wstring TemporaryNameFor(const std::wstring& name) {
    return SameName(name, kTemporaryName) ? kOtherTemporaryName : kTemporaryName;
}

CopyEngine::Walk::Outcome CopyEngine::Walk::CopyFile(const std::wstring& sourceFolder,
                                                     const std::wstring& destinationFolder,
                                                     const std::wstring& name) {
    if (Cancelled()) {
        return Outcome::stop;
    }
    platform::FileSystem& files = engine_.files_;
    const std::wstring source = sourceFolder + name;
    engine_.window_.SetFilePath(source);
    ProcessMessagesWhenDue();
    const platform::FileHandle input = files.Open(
        source, platform::Access::read, platform::share_read, platform::Disposition::open_existing);
    ProcessMessagesWhenDue();
    const auto size = input ? input->Size() : std::nullopt;
    if (!size) {
        CountError();
        return Outcome::failed;
    }
    if (!HasRoomFor(destinationFolder, *size)) {
        return Outcome::no_space;
    }
    const std::wstring target = destinationFolder + name;
    const std::uint32_t existing = files.Attributes(target);
    if (existing != platform::kNoAttributes && (existing & kNotReplaced) != 0) {
        CountError();
        return Outcome::failed;
    }
    const std::wstring temporaryPath = destinationFolder + TemporaryNameFor(name);
    platform::FileHandle output =
        files.Open(temporaryPath, platform::Access::read_write, platform::share_none,
                   platform::Disposition::create_always);
    ProcessMessagesWhenDue();
    if (!output) {
        CountError();
        return Outcome::failed;
    }
    TemporaryCopy copy(files, temporaryPath, std::move(output));
    const Outcome copied = CopyBlocks(*input, copy.File(), *size);
    if (copied != Outcome::copied) {
        return copied;
    }
    switch (copy.PutInPlaceOf(target)) {
    case TemporaryCopy::Placing::placed:
        break;
    case TemporaryCopy::Placing::disk_full:
        return Outcome::no_space;
    case TemporaryCopy::Placing::failed:
        CountError();
        return Outcome::failed;
    }
    ++engine_.run_.CopiedCount;
    engine_.window_.SetProgress(Progress());
    ProcessMessagesWhenDue();
    return Outcome::copied;
}

CopyEngine::Walk::Outcome CopyEngine::Walk::CopyBlocks(platform::File& source,
                                                       platform::File& target, std::uint64_t size) {
    std::array<char, kBlockSize> block;
    for (std::uint64_t remaining = size; remaining > 0;) {
        ProcessMessagesWhenDue();
        if (Cancelled()) {
            return Outcome::stop;
        }
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(remaining, kBlockSize));
        remaining -= wanted;
        const auto got = source.Read(block.data(), wanted);
        if (!got) {
            CountError();
            return Outcome::failed;
        }
        if (*got == 0) {
            break;
        }
        if (!target.Write(block.data(), *got)) {
            if (target.LastError() == FileError::disk_full) {
                return Outcome::no_space;
            }
            CountError();
            return Outcome::failed;
        }
    }
    return Outcome::copied;
}

bool CopyEngine::Walk::HasRoomFor(const std::wstring& destinationFolder, std::uint64_t size) {
    // A failed query gives no assurance of room: the run stops as when full.
    const auto freeBytes = engine_.files_.FreeBytes(destinationFolder.substr(0, 3));
    return freeBytes && *freeBytes > size;
}

} // namespace stowkeep::backup
