#pragma once

#include <string>

namespace stowkeep::backup {

// The name a job's folder gets under the backup folder: the last item of the
// source path. Items are split at backslashes, carriage returns and line feeds;
// leading blanks, CRs and LFs of an item are skipped; an apostrophe or double
// quote opens a stretch (kept in the item) that runs to the same quote
// character or to the end of the text, backslashes included. Such an item is
// split again at its backslashes, quotes ignored, and a drive designator
// gives its letter, so the name can be made as one folder.
// C:\Data\Photos -> Photos, C:\Work\ Old -> Old, C:\ -> C,
// C:\Bob's\Docs -> Docs, C:\Data\Bob's Files -> Bob's Files.
std::wstring FolderNameOf(const std::wstring& source);

// The folder a job copies into: destination, a backslash unless it ends with
// one, and the folder name of source.
std::wstring JobFolderOf(const std::wstring& source, const std::wstring& destination);

} // namespace stowkeep::backup
