#include "backup/copy_engine_walk.h"
#include "backup/walk_filter.h"

#include <algorithm>
#include <cwctype>

namespace stowkeep::backup {
namespace {

using platform::FileError;

const std::wstring kTemporaryPrefix = L"~sk";
// Numbers tried for one file before it counts as an error.
constexpr unsigned kTemporaryTries = 1000;

// CREATE_ALWAYS with normal attributes refuses such an existing file; the
// replacement refuses them likewise, so an older copy of this kind stays.
constexpr std::uint32_t kNotReplaced = platform::kAttrDirectory | platform::kAttrReadOnly |
                                       platform::kAttrHidden | platform::kAttrSystem;

} // namespace

std::wstring TemporaryName(unsigned number) {
    return kTemporaryPrefix + std::to_wstring(number);
}

bool IsTemporaryName(const std::wstring& name) {
    const std::size_t prefix = kTemporaryPrefix.size();
    return name.size() > prefix && PathKey(name.substr(0, prefix)) == PathKey(kTemporaryPrefix) &&
           name[prefix] != L'0' &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix), name.end(),
                       [](wchar_t c) { return std::iswdigit(c); });
}

CopyEngine::Walk::Outcome
CopyEngine::Walk::CopyFileMakingRoom(FolderNames& names, const std::wstring& source,
                                     const std::wstring& destinationFolder,
                                     const platform::FolderEntry& entry) {
    const bool batchWaits = !batch_.empty();
    Outcome outcome = CopyFile(names, source, destinationFolder, entry);
    if (outcome == Outcome::full && batchWaits) {
        // Putting the batch in place frees the older copies it replaces.
        outcome = CommitBatch();
        if (outcome == Outcome::copied) {
            outcome = CopyFile(names, source, destinationFolder, entry);
        }
    }
    return outcome == Outcome::full ? Outcome::no_space : outcome;
}

CopyEngine::Walk::Outcome CopyEngine::Walk::CopyFile(FolderNames& names,
                                                     const std::wstring& sourceFolder,
                                                     const std::wstring& destinationFolder,
                                                     const platform::FolderEntry& entry) {
    if (Cancelled()) {
        return Outcome::stop;
    }
    platform::FileSystem& files = engine_.files_;
    const std::wstring& name = entry.name;
    const std::wstring source = sourceFolder + name;
    currentPath_ = source;
    ProcessMessagesWhenDue();
    const platform::FileHandle input = files.Open(
        source, platform::Access::read, platform::share_read, platform::Disposition::open_existing);
    ProcessMessagesWhenDue();
    if (!input) {
        CountError();
        return Outcome::failed;
    }
    // The listed size decides the room; the copy itself reads to the end.
    if (const Outcome room = Room(destinationFolder, entry.size); room != Outcome::copied) {
        return room;
    }
    const std::wstring target = destinationFolder + name;
    if (!Replaceable(names, target, name)) {
        CountError();
        return Outcome::failed;
    }
    FileError error = FileError::none;
    std::unique_ptr<Temporary> temporary = CreateTemporary(names, destinationFolder, error);
    ProcessMessagesWhenDue();
    if (!temporary) {
        return DestinationFailure();
    }
    std::uint64_t size = 0;
    Outcome copied = CopyBlocks(*input, temporary->File(), size);
    if (copied == Outcome::copied && !temporary->File().WriteOut()) {
        copied = temporary->File().LastError() == FileError::disk_full ? Outcome::full
                                                                       : DestinationFailure();
    }
    if (copied != Outcome::copied) {
        return copied;
    }
    return AddToBatch(std::move(temporary), target, size);
}

// The source is open without write sharing, so it cannot change while it is
// copied: the first block that comes back short is its end, wherever the
// listing put that end. The files of the seam give a short block only there.
CopyEngine::Walk::Outcome CopyEngine::Walk::CopyBlocks(platform::File& source,
                                                       platform::File& target,
                                                       std::uint64_t& copied) {
    for (std::size_t got = kBlockSize; got == kBlockSize;) {
        ProcessMessagesWhenDue();
        if (Cancelled()) {
            return Outcome::stop;
        }
        const auto read = source.Read(block_.data(), kBlockSize);
        if (!read) {
            CountError();
            return Outcome::failed;
        }
        got = *read;
        if (got > 0 && !target.Write(block_.data(), got)) {
            return target.LastError() == FileError::disk_full ? Outcome::full
                                                              : DestinationFailure();
        }
        copied += got;
    }
    return Outcome::copied;
}

// Free space is asked once a batch and counted down by what the batch has
// written since.
CopyEngine::Walk::Outcome CopyEngine::Walk::Room(const std::wstring& destinationFolder,
                                                 std::uint64_t size) {
    if (!freeEstimate_) {
        freeEstimate_ = engine_.files_.FreeBytes(destinationFolder.substr(0, 3));
        if (!freeEstimate_) {
            // A failed query gives no assurance of room: the run stops as
            // when full, or as without the device when it is gone.
            return DestinationGone() ? Outcome::vanished : Outcome::no_space;
        }
    }
    if (*freeEstimate_ > size) {
        return Outcome::copied;
    }
    return batch_.empty() ? Outcome::no_space : Outcome::full;
}

bool CopyEngine::Walk::Replaceable(const FolderNames& names, const std::wstring& target,
                                   const std::wstring& name) {
    std::uint32_t existing = platform::kNoAttributes;
    if (names.destinationListed) {
        const auto entry = names.destination.find(PathKey(name));
        if (entry != names.destination.end()) {
            existing = entry->second;
        }
    } else {
        existing = engine_.files_.Attributes(target);
    }
    return existing == platform::kNoAttributes || (existing & kNotReplaced) == 0;
}

std::unique_ptr<CopyEngine::Walk::Temporary>
CopyEngine::Walk::CreateTemporary(FolderNames& names, const std::wstring& folder,
                                  FileError& error) {
    for (unsigned tries = 0; tries < kTemporaryTries; ++tries) {
        const std::wstring name = TemporaryName(names.nextTemporary++);
        const std::wstring upper = PathKey(name);
        if (names.source.contains(upper) || names.destination.contains(upper)) {
            continue;
        }
        const std::wstring path = folder + name;
        platform::FileHandle file =
            engine_.files_.Open(path, platform::Access::read_write, platform::share_none,
                                platform::Disposition::create_new, &error);
        if (file) {
            return std::make_unique<Temporary>(engine_.files_, path, std::move(file));
        }
        if (error != FileError::already_exists) {
            return nullptr;
        }
    }
    return nullptr;
}

CopyEngine::Walk::Outcome CopyEngine::Walk::DestinationFailure() {
    if (DestinationGone()) {
        return Outcome::vanished;
    }
    CountError();
    return Outcome::failed;
}

bool CopyEngine::Walk::DestinationGone() {
    return engine_.files_.DriveKind(destinationRoot_) == platform::DriveType::no_root_dir;
}

} // namespace stowkeep::backup
