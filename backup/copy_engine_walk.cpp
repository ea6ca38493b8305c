#include "backup/copy_engine_walk.h"

#include "backup/walk_filter.h"

#include <exception>

namespace stowkeep::backup {
namespace {

void AppendBackslash(std::wstring& path) {
    if (path.empty() || path.back() != L'\\') {
        path += L'\\';
    }
}

} // namespace

CopyEngine::Walk::Walk(CopyEngine& engine, const std::wstring& ownDestination)
    : engine_(engine), ownDestinationKey_(PathKey(ownDestination)),
      destinationRoot_(ownDestination.substr(0, 3)), shownCopied_(engine.run_.CopiedCount) {}

CopyEngine::Walk::Outcome CopyEngine::Walk::Folder(std::wstring source, std::wstring destination,
                                                   bool destinationIsNew) {
    AppendBackslash(source);
    AppendBackslash(destination);
    const auto entries = engine_.files_.List(source);
    if (!entries) {
        return Outcome::copied;
    }
    FolderNames names = NamesOf(*entries, destination, destinationIsNew);
    for (const platform::FolderEntry& entry : *entries) {
        const Outcome outcome = entry.IsFolder()
                                    ? CopySubfolder(names, source, destination, entry)
                                    : CopyFileMakingRoom(names, source, destination, entry);
        if (outcome != Outcome::copied && outcome != Outcome::failed) {
            return outcome;
        }
    }
    return Outcome::copied;
}

// Temporaries that an ended run left in the destination folder go first, so
// that no free space is counted for them.
CopyEngine::Walk::FolderNames
CopyEngine::Walk::NamesOf(const std::vector<platform::FolderEntry>& sourceEntries,
                          const std::wstring& destination, bool destinationIsNew) {
    FolderNames names;
    for (const platform::FolderEntry& entry : sourceEntries) {
        names.source.insert(PathKey(entry.name));
    }
    const auto existing =
        destinationIsNew ? std::vector<platform::FolderEntry>{} : engine_.files_.List(destination);
    names.destinationListed = existing.has_value();
    for (const platform::FolderEntry& entry :
         existing.value_or(std::vector<platform::FolderEntry>{})) {
        const std::wstring key = PathKey(entry.name);
        if (!entry.IsFolder() && IsTemporaryName(entry.name) && !names.source.contains(key) &&
            engine_.files_.Remove(destination + entry.name)) {
            continue;
        }
        names.destination.emplace(key, entry.attributes);
    }
    return names;
}

bool CopyEngine::Walk::Finish(Outcome outcome) {
    if (outcome != Outcome::vanished) {
        const Outcome placed = CommitBatch();
        if (placed != Outcome::copied) {
            outcome = placed;
        }
    }
    ShowCurrent();
    if (outcome == Outcome::no_space || outcome == Outcome::full) {
        engine_.window_.ShowMessage(kNoSpaceLeft);
    } else if (outcome == Outcome::vanished) {
        engine_.window_.ShowMessage(kConnectDevice);
    }
    return outcome == Outcome::copied || outcome == Outcome::failed;
}

CopyEngine::Walk::Outcome CopyEngine::Walk::CopySubfolder(FolderNames& names,
                                                          const std::wstring& source,
                                                          const std::wstring& destination,
                                                          const platform::FolderEntry& entry) {
    const std::wstring from = source + entry.name;
    // A junction or symbolic link may lead back into the tree, and the job's
    // own destination inside its source would be copied into itself.
    if (PassesOver(entry, from, ownDestinationKey_)) {
        return Outcome::copied;
    }
    const std::wstring to = destination + entry.name;
    bool exists = false;
    if (names.destinationListed) {
        const auto listed = names.destination.find(PathKey(entry.name));
        exists =
            listed != names.destination.end() && (listed->second & platform::kAttrDirectory) != 0;
    } else {
        exists = platform::FolderExists(engine_.files_, to);
    }
    if (!exists && !engine_.files_.MakeFolder(to)) {
        return DestinationFailure();
    }
    ProcessMessagesWhenDue();
    try {
        return Folder(from, to, !exists);
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
    ShowCurrent();
    engine_.window_.ProcessMessages();
    lastMessages_ = engine_.clock_();
}

void CopyEngine::Walk::ShowCurrent() {
    if (currentPath_ != shownPath_) {
        engine_.window_.SetFilePath(currentPath_);
        shownPath_ = currentPath_;
    }
    if (engine_.run_.CopiedCount != shownCopied_) {
        engine_.window_.SetProgress(Progress());
        shownCopied_ = engine_.run_.CopiedCount;
    }
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
