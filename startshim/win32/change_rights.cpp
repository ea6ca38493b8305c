#include "startshim/win32/change_rights.h"

#include "platform/win32/owned_handle.h"

#include <algorithm>
#include <array>
#include <string>
#include <windows.h>

namespace stowkeep::startshim::win32 {
namespace {

constexpr std::array<DWORD, 5> kFileRights = {FILE_WRITE_DATA, FILE_APPEND_DATA, DELETE, WRITE_DAC,
                                              WRITE_OWNER};
constexpr std::array<DWORD, 6> kFolderRights = {
    FILE_ADD_FILE, FILE_ADD_SUBDIRECTORY, FILE_DELETE_CHILD, DELETE, WRITE_DAC, WRITE_OWNER};

// Opening asks the system's own access check; nothing is written.
bool Refused(const std::wstring& path, DWORD right, bool folder) {
    const platform::win32::OwnedFileHandle handle(
        CreateFileW(path.c_str(), right, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, folder ? FILE_FLAG_BACKUP_SEMANTICS : 0, nullptr));
    return !handle.Valid() && GetLastError() == ERROR_ACCESS_DENIED;
}

template <std::size_t N>
bool AllRefused(const std::wstring& path, const std::array<DWORD, N>& rights, bool folder) {
    return std::all_of(rights.begin(), rights.end(),
                       [&](DWORD right) { return Refused(path, right, folder); });
}

std::wstring WithoutTrailingSeparator(const std::wstring& folder) {
    return folder.size() > 3 && folder.back() == L'\\' ? folder.substr(0, folder.size() - 1)
                                                       : folder;
}

} // namespace

bool OnlyAdministratorsCanChange(const ProgramLocation& location) {
    const std::wstring folder = WithoutTrailingSeparator(location.folder);
    const std::wstring parent = folder.substr(0, folder.find_last_of(L'\\') + 1);
    return AllRefused(location.file, kFileRights, false) &&
           AllRefused(location.folder + L"Hatchlink.dll", kFileRights, false) &&
           AllRefused(folder, kFolderRights, true) &&
           Refused(WithoutTrailingSeparator(parent), FILE_DELETE_CHILD, true);
}

} // namespace stowkeep::startshim::win32
