#include "backup/copy_engine_walk.h"

#include <algorithm>
#include <cwctype>
#include <exception>

namespace stowkeep::backup {
namespace {

void AppendBackslash(std::wstring& path) {
    if (path.empty() || path.back() != L'\\') {
        path += L'\\';
    }
}

} // namespace

std::wstring PathKey(const std::wstring& path) {
    std::wstring key;
    for (const wchar_t c : path) {
        if (c == L'\\' && !key.empty() && key.back() == L'\\') {
            continue;
        }
        key += static_cast<wchar_t>(std::towupper(c));
    }
    while (!key.empty() && key.back() == L'\\') {
        key.pop_back();
    }
    return key;
}

CopyEngine::Walk::Walk(CopyEngine& engine, const std::wstring& ownDestination)
    : engine_(engine), ownDestinationKey_(PathKey(ownDestination)) {}

bool CopyEngine::Walk::Folder(std::wstring source, std::wstring destination) {
    AppendBackslash(source);
    AppendBackslash(destination);
    const auto entries = engine_.files_.List(source);
    if (!entries) {
        return true;
    }
    for (const platform::FolderEntry& entry : *entries) {
        const Outcome outcome = entry.IsFolder() ? CopySubfolder(source, destination, entry)
                                                 : CopyFile(source, destination, entry.name);
        if (outcome == Outcome::no_space) {
            engine_.window_.ShowMessage(kNoSpaceLeft);
            return false;
        }
        if (outcome == Outcome::stop) {
            return false;
        }
    }
    return true;
}

CopyEngine::Walk::Outcome CopyEngine::Walk::CopySubfolder(const std::wstring& source,
                                                          const std::wstring& destination,
                                                          const platform::FolderEntry& entry) {
    const std::wstring from = source + entry.name;
    // A junction or symbolic link may lead back into the tree, and the job's
    // own destination inside its source would be copied into itself.
    if (entry.IsReparsePoint() || PathKey(from) == ownDestinationKey_) {
        return Outcome::copied;
    }
    const std::wstring to = destination + entry.name;
    if (!platform::FolderExists(engine_.files_, to) && !engine_.files_.MakeFolder(to)) {
        CountError();
        return Outcome::failed;
    }
    ProcessMessagesWhenDue();
    try {
        return Folder(from, to) ? Outcome::copied : Outcome::stop;
    } catch (const std::exception&) {
        CountError();
        return Outcome::failed;
    }
}

void CopyEngine::Walk::CountError() {
    ++engine_.run_.ErrorCount;
    engine_.window_.SetErrorLine(L"Error : " + std::to_wstring(engine_.run_.ErrorCount));
    ProcessMessagesWhenDue();
}

bool CopyEngine::Walk::Cancelled() {
    while (engine_.run_.CopyControl == kCopyPause) {
        engine_.window_.WaitForMessages();
        ProcessMessagesNow();
    }
    return engine_.run_.CopyControl == kCopyCancel;
}

void CopyEngine::Walk::ProcessMessagesWhenDue() {
    if (!lastMessages_ || engine_.clock_() - *lastMessages_ >= kMessageInterval) {
        ProcessMessagesNow();
    }
}

void CopyEngine::Walk::ProcessMessagesNow() {
    engine_.window_.ProcessMessages();
    lastMessages_ = engine_.clock_();
}

int CopyEngine::Walk::Progress() const {
    const std::int64_t total = engine_.totalFileCount_.load();
    if (total <= 0) {
        return 0;
    }
    const std::int64_t share = std::int64_t{engine_.run_.CopiedCount} * 100 / total;
    return static_cast<int>(std::clamp<std::int64_t>(share, 0, 100));
}

} // namespace stowkeep::backup
