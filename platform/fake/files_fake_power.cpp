#include "platform/fake/files_fake.h"
#include "platform/fake/files_fake_state.h"

#include <cwctype>

namespace stowkeep::platform {
namespace {

wchar_t Upper(wchar_t letter) {
    return static_cast<wchar_t>(std::towupper(letter));
}

// What a power cut leaves of the volume's files: the part made durable.
void LoseWhatIsNotDurable(FakeVolume& volume) {
    FakeForEachFile(volume.root, [&](FakeNode& file) {
        volume.freeBytes += file.data.size() - file.durable.size();
        file.data = file.durable;
    });
}

} // namespace

void FakeForEachFile(const FakeNodePtr& folder, const std::function<void(FakeNode&)>& visit) {
    for (const auto& [key, child] : folder->children) {
        if (!child->junctionTarget.empty()) {
            continue;
        }
        if (child->IsFolder()) {
            FakeForEachFile(child, visit);
        } else {
            visit(*child);
        }
    }
}

void FakeFileSystem::State::Unplug(wchar_t letter) {
    const auto volume = volumes.find(Upper(letter));
    if (volume == volumes.end()) {
        return;
    }
    LoseWhatIsNotDurable(volume->second);
    unplugged[volume->first] = std::move(volume->second);
    volumes.erase(volume);
}

void FakeFileSystem::ClearFaults() {
    std::lock_guard lock(state_->mutex);
    state_->faults.clear();
}

void FakeFileSystem::SetVolumeFlush(wchar_t letter, bool available) {
    std::lock_guard lock(state_->mutex);
    state_->volumes.at(Upper(letter)).volumeFlush = available;
}

void FakeFileSystem::PowerCut() {
    std::lock_guard lock(state_->mutex);
    for (auto* volumes : {&state_->volumes, &state_->unplugged}) {
        for (auto& [letter, volume] : *volumes) {
            LoseWhatIsNotDurable(volume);
        }
    }
}

void FakeFileSystem::Unplug(wchar_t letter) {
    std::lock_guard lock(state_->mutex);
    state_->Unplug(letter);
}

void FakeFileSystem::Plug(wchar_t letter) {
    std::lock_guard lock(state_->mutex);
    const auto volume = state_->unplugged.find(Upper(letter));
    if (volume == state_->unplugged.end()) {
        return;
    }
    ++volume->second.mount;
    state_->volumes[volume->first] = std::move(volume->second);
    state_->unplugged.erase(volume);
}

int FakeFileSystem::CallCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->calls;
}

// Windows flushes the files open on the volume; the flush needs the volume
// opened for writing, which the fake takes as given.
FileError FakeFileSystem::FlushVolume(const std::wstring& root) {
    std::lock_guard lock(state_->mutex);
    const wchar_t letter = root.empty() ? L'\0' : Upper(root[0]);
    const auto volume = state_->volumes.find(letter);
    if (volume == state_->volumes.end()) {
        return FileError::not_found;
    }
    FileError error = FileError::none;
    if (state_->TakeFault(Op::volume_flush, FakePathKey(root), error)) {
        return error;
    }
    if (!volume->second.volumeFlush) {
        return FileError::other;
    }
    FakeForEachFile(volume->second.root, [](FakeNode& file) {
        if (!file.openings.empty()) {
            file.durable = file.data;
        }
    });
    return FileError::none;
}

} // namespace stowkeep::platform
