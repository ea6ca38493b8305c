#pragma once

#include <cstddef>
#include <string>

namespace stowkeep::platform {

// A plain path handed to a Win32 file call may have at most MAX_PATH - 1
// characters, and CreateDirectoryW's at most MAX_PATH - 12 (room for an 8.3
// name), unless the program is long-path aware and the machine opted in.
inline constexpr std::size_t kMaxPlainPath = 259;
inline constexpr std::size_t kMaxPlainFolderPath = 247;
// A path prefixed with \\?\ may have up to 32767 characters.
inline constexpr std::size_t kMaxLongPath = 32767;
inline constexpr wchar_t kLongPathPrefix[] = L"\\\\?\\";

// The text to hand to a Win32 file call for path, so that it names the same
// file at any length. A path short enough for every call stays as it is. A
// longer absolute path (X:\... or \\server\share\...) gets the \\?\ prefix
// (\\?\UNC\server\share\... for a share). The prefix turns off the system's
// own tidying of the path, so it is done here as the system does it: '/'
// becomes '\' and runs of separators become one. Where the system would
// change a name further ("." and ".." items, an item ending in a dot or a
// blank, a device name such as NUL as the last item) the path stays as it is
// and fails as it would have.
std::wstring LongPathForm(const std::wstring& path);

} // namespace stowkeep::platform
