#include "platform/fake/files_fake.h"

#include "platform/fake/files_fake_state.h"
#include "platform/long_path.h"

#include <algorithm>
#include <cwctype>

namespace stowkeep::platform {
namespace {

wchar_t LetterOf(const std::wstring& root) {
    return root.empty() ? L'\0' : static_cast<wchar_t>(std::towupper(root[0]));
}

FakeNodePtr NewNode(const std::wstring& name, std::uint32_t attributes, wchar_t volume) {
    auto node = std::make_shared<FakeNode>();
    node->name = name;
    node->attributes = attributes;
    node->volume = volume;
    return node;
}

void SetError(FileError* error, FileError value) {
    if (error) {
        *error = value;
    }
}

// The longest plain folder path that List takes: the listing's pattern
// (folder + "\*.*") is the path that Windows limits.
std::size_t ListLimit(const std::wstring& folder) {
    const bool closed = !folder.empty() && folder.back() == L'\\';
    return kMaxPlainPath - (closed ? 3 : 4);
}

// The folder part of a path: everything before its last backslash.
std::wstring ParentOf(const std::wstring& path) {
    const auto end = path.find_last_not_of(L'\\');
    const auto slash = path.find_last_of(L'\\', end == std::wstring::npos ? 0 : end);
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

} // namespace

FakeFileSystem::FakeFileSystem() : state_(std::make_shared<State>()) {}
FakeFileSystem::~FakeFileSystem() = default;

void FakeFileSystem::AddVolume(wchar_t letter, std::uint64_t freeBytes, std::wstring fileSystem,
                               DriveType type) {
    std::lock_guard lock(state_->mutex);
    const wchar_t upper = static_cast<wchar_t>(std::towupper(letter));
    FakeVolume& volume = state_->volumes[upper];
    volume.freeBytes = freeBytes;
    volume.fileSystem = std::move(fileSystem);
    volume.type = type;
    volume.root = NewNode(std::wstring(1, upper) + L":", kAttrDirectory, upper);
}

void FakeFileSystem::SetFreeBytes(wchar_t letter, std::uint64_t freeBytes) {
    std::lock_guard lock(state_->mutex);
    state_->volumes.at(static_cast<wchar_t>(std::towupper(letter))).freeBytes = freeBytes;
}

void FakeFileSystem::AddFolder(const std::wstring& path) {
    std::lock_guard lock(state_->mutex);
    for (std::size_t end = path.find(L'\\'); end != std::wstring::npos || !path.empty();
         end = path.find(L'\\', end + 1)) {
        const std::wstring prefix = path.substr(0, end);
        auto location = state_->Locate(prefix, true);
        if (location && !location->node && location->parent) {
            location->parent->children[FakeUpper(location->name)] =
                NewNode(location->name, kAttrDirectory, location->parent->volume);
        }
        if (end == std::wstring::npos) {
            break;
        }
    }
}

void FakeFileSystem::AddFile(const std::wstring& path, std::string_view content,
                             std::uint32_t attributes) {
    AddFolder(ParentOf(path));
    std::lock_guard lock(state_->mutex);
    auto location = state_->Locate(path, false);
    auto node = NewNode(location.value().name, attributes, location->parent->volume);
    node->data = content;
    node->durable = node->data;
    location->parent->children[FakeUpper(location->name)] = node;
}

void FakeFileSystem::AddJunction(const std::wstring& path, const std::wstring& target,
                                 std::uint32_t reparseTag) {
    AddReparseFolder(path, reparseTag);
    std::lock_guard lock(state_->mutex);
    state_->Locate(path, false).value().node->junctionTarget = target;
}

void FakeFileSystem::AddReparseFolder(const std::wstring& path, std::uint32_t reparseTag) {
    AddFolder(ParentOf(path));
    std::lock_guard lock(state_->mutex);
    auto location = state_->Locate(path, false);
    auto node = NewNode(location.value().name, kAttrDirectory | kAttrReparsePoint,
                        location->parent->volume);
    node->reparseTag = reparseTag;
    location->parent->children[FakeUpper(location->name)] = node;
}

void FakeFileSystem::InjectFault(const Fault& fault) {
    std::lock_guard lock(state_->mutex);
    state_->faults.push_back(fault);
}

std::optional<std::string> FakeFileSystem::Content(const std::wstring& path) const {
    std::lock_guard lock(state_->mutex);
    const auto location = state_->Locate(path, true);
    if (!location || !location->node || location->node->IsFolder()) {
        return std::nullopt;
    }
    return location->node->data;
}

int FakeFileSystem::OpenFileCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->openFiles;
}

std::optional<std::vector<FolderEntry>> FakeFileSystem::List(const std::wstring& folder) {
    std::lock_guard lock(state_->mutex);
    const auto location = state_->Reach(folder, true, ListLimit(folder));
    FileError error = FileError::none;
    if (!location || !location->node || !location->node->IsFolder() ||
        state_->TakeFault(Op::list, location->key, error)) {
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    for (const auto& [key, child] : location->node->children) {
        entries.push_back({child->name, child->attributes, child->data.size(), child->reparseTag});
    }
    return entries;
}

std::uint32_t FakeFileSystem::Attributes(const std::wstring& path) {
    std::lock_guard lock(state_->mutex);
    const auto location = state_->Reach(path, false, kMaxPlainPath);
    if (!location || !location->node) {
        return kNoAttributes;
    }
    const std::uint32_t attributes = location->node->attributes;
    return attributes == 0 ? kAttrNormal : attributes;
}

bool FakeFileSystem::SetAttributes(const std::wstring& path, std::uint32_t attributes) {
    std::lock_guard lock(state_->mutex);
    const auto location = state_->Reach(path, false, kMaxPlainPath);
    if (!location || !location->node) {
        return false;
    }
    FakeNode& node = *location->node;
    const std::uint32_t kept = node.attributes & (kAttrDirectory | kAttrReparsePoint);
    node.attributes = kept | (attributes & ~(kAttrDirectory | kAttrReparsePoint | kAttrNormal));
    return true;
}

bool FakeFileSystem::MakeFolder(const std::wstring& path) {
    std::lock_guard lock(state_->mutex);
    auto location = state_->Reach(path, false, kMaxPlainFolderPath);
    FileError error = FileError::none;
    if (!location || !location->parent || location->node ||
        state_->TakeFault(Op::make_folder, location->key, error)) {
        return false;
    }
    location->parent->children[FakeUpper(location->name)] =
        NewNode(location->name, kAttrDirectory, location->parent->volume);
    return true;
}

bool FakeFileSystem::Remove(const std::wstring& path) {
    std::lock_guard lock(state_->mutex);
    const auto location = state_->Reach(path, false, kMaxPlainPath);
    FileError error = FileError::none;
    if (!location || !location->node || location->node->IsFolder() ||
        (location->node->attributes & kAttrReadOnly) != 0 || !location->node->openings.empty() ||
        state_->TakeFault(Op::remove, location->key, error)) {
        return false;
    }
    state_->volumes[location->node->volume].freeBytes += location->node->data.size();
    location->parent->children.erase(FakeUpper(location->name));
    return true;
}

bool FakeFileSystem::MoveReplacing(const std::wstring& from, const std::wstring& to,
                                   FileError* error) {
    std::lock_guard lock(state_->mutex);
    const auto source = state_->Reach(from, false, kMaxPlainPath);
    const auto target = state_->Reach(to, false, kMaxPlainPath);
    if (!source || !source->node || !target || !target->parent) {
        SetError(error, FileError::not_found);
        return false;
    }
    if (source->key == target->key) {
        return true;
    }
    FileError fault = FileError::none;
    if (state_->TakeFault(Op::move, source->key, fault)) {
        SetError(error, fault);
        return false;
    }
    if (source->node->IsFolder() || source->node->volume != target->parent->volume) {
        SetError(error, FileError::other);
        return false;
    }
    if (!source->node->openings.empty()) {
        SetError(error, FileError::sharing_violation);
        return false;
    }
    if (const FakeNodePtr& old = target->node) {
        if (old->IsFolder() || (old->attributes & kAttrReadOnly) != 0) {
            SetError(error, FileError::access_denied);
            return false;
        }
        if (!old->openings.empty()) {
            SetError(error, FileError::sharing_violation);
            return false;
        }
        state_->volumes[old->volume].freeBytes += old->data.size();
    }
    FakeNodePtr moved = source->node;
    source->parent->children.erase(FakeUpper(source->name));
    moved->name = target->name;
    target->parent->children[FakeUpper(target->name)] = moved;
    return true;
}

std::optional<std::uint64_t> FakeFileSystem::FreeBytes(const std::wstring& root) {
    std::lock_guard lock(state_->mutex);
    const auto volume = state_->volumes.find(LetterOf(root));
    FileError error = FileError::none;
    if (volume == state_->volumes.end() ||
        state_->TakeFault(Op::free_space, FakePathKey(root), error)) {
        return std::nullopt;
    }
    return volume->second.freeBytes;
}

std::optional<std::wstring> FakeFileSystem::VolumeFileSystem(const std::wstring& root) {
    std::lock_guard lock(state_->mutex);
    const auto volume = state_->volumes.find(LetterOf(root));
    if (volume == state_->volumes.end()) {
        return std::nullopt;
    }
    return volume->second.fileSystem;
}

DriveType FakeFileSystem::DriveKind(const std::wstring& root) {
    std::lock_guard lock(state_->mutex);
    const auto volume = state_->volumes.find(LetterOf(root));
    return volume == state_->volumes.end() ? DriveType::no_root_dir : volume->second.type;
}

} // namespace stowkeep::platform
