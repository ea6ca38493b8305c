#include "backup/walk_filter.h"

#include <cwctype>

namespace stowkeep::backup {

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

bool IsLinkFolder(const platform::FolderEntry& entry) {
    return entry.IsReparsePoint() && (entry.reparseTag == platform::kReparseTagSymlink ||
                                      entry.reparseTag == platform::kReparseTagMountPoint);
}

bool PassesOver(const platform::FolderEntry& entry, const std::wstring& path,
                const std::wstring& ownDestinationKey) {
    return IsLinkFolder(entry) || PathKey(path) == ownDestinationKey;
}

} // namespace stowkeep::backup
