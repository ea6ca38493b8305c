#pragma once

#include <string>
#include <string_view>

namespace stowkeep::platform {

// Where the running executable lives.
class ModulePath {
  public:
    virtual ~ModulePath() = default;

    // Full path of the running executable, e.g. C:\Tools\Device\Stowkeep(KD-RX710).exe.
    virtual std::wstring ExecutablePath() const = 0;
};

// The executable's folder up to and including the last backslash of its path:
// C:\Tools\Device\ for C:\Tools\Device\x.exe, C:\ for C:\x.exe.
std::wstring FolderOf(std::wstring_view executablePath);

// folder + "\" + name, where a trailing backslash of folder is dropped first, so
// that C:\ and C:\Tools\ give C:\name and C:\Tools\name.
std::wstring JoinFolderAndName(std::wstring_view folder, std::wstring_view name);

// The file called name in the executable's folder (set.ini, Hatchlink.dll, ...).
std::wstring FileBesideExecutable(const ModulePath& module, std::wstring_view name);

} // namespace stowkeep::platform
