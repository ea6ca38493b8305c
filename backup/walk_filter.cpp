#include "backup/walk_filter.h"

#include "backup/copy_engine_walk.h"

namespace stowkeep::backup {

bool IsLinkFolder(const platform::FolderEntry& entry) {
    return entry.IsReparsePoint() && (entry.reparseTag == platform::kReparseTagSymlink ||
                                      entry.reparseTag == platform::kReparseTagMountPoint);
}

bool PassesOver(const platform::FolderEntry& entry, const std::wstring& path,
                const std::wstring& ownDestination) {
    return IsLinkFolder(entry) || PathKey(path) == PathKey(ownDestination);
}

} // namespace stowkeep::backup
