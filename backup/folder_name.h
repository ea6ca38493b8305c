#pragma once

#include <string>

namespace stowkeep::backup {

// The name a job's folder gets under the backup folder: the last item of the
// source path. Items are split at backslashes, carriage returns and line feeds;
// leading blanks, CRs and LFs of an item are skipped; an apostrophe or double
// quote opens a stretch (kept in the item) that runs to the same quote
// character or to the end of the text, backslashes included.
// C:\Data\Photos -> Photos, C:\Work\ Old -> Old, C:\ -> C:, C:\Bob's\Docs -> Bob's\Docs.
std::wstring FolderNameOf(const std::wstring& source);

} // namespace stowkeep::backup
