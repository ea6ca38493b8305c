#pragma once

// Which subfolders a walk of a job's source tree passes over. The copy engine
// and the file counter both ask here, so the counter's total is the number
// of files the engine goes on to copy.

#include "platform/files.h"

#include <string>

namespace stowkeep::backup {

// A path as the file system compares it: case ignored, doubled and trailing
// backslashes ignored.
std::wstring PathKey(const std::wstring& path);

// A symbolic link or a junction (mount point): it may lead back into its own
// tree or out of it. Other reparse points, such as cloud placeholders and
// deduplicated folders, hold their own files and are walked.
bool IsLinkFolder(const platform::FolderEntry& entry);

// True for a subfolder the walk does not enter: a link, or the job's own
// destination folder lying inside its source. path is the subfolder's full
// path, ownDestinationKey the PathKey of the job's destination, taken once
// per walk.
bool PassesOver(const platform::FolderEntry& entry, const std::wstring& path,
                const std::wstring& ownDestinationKey);

} // namespace stowkeep::backup
