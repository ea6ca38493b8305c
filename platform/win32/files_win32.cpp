#include "platform/win32/files_win32.h"

#include "platform/win32/files_win32_handles.h"

namespace stowkeep::platform {
namespace {

bool IsDotEntry(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == L'\0') ||
           (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

FolderEntry EntryFrom(const WIN32_FIND_DATAW& data) {
    FolderEntry entry;
    entry.name = data.cFileName;
    entry.attributes = data.dwFileAttributes;
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    // dwReserved0 holds the reparse tag only with the reparse-point attribute;
    // otherwise its value is undefined.
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        entry.reparseTag = data.dwReserved0;
    }
    return entry;
}

bool Report(bool ok, FileError* error) {
    if (error) {
        *error = ok ? FileError::none : FileErrorFrom(GetLastError());
    }
    return ok;
}

} // namespace

std::optional<std::vector<FolderEntry>> Win32FileCalls::List(const std::wstring& folder) {
    std::wstring pattern = folder;
    if (pattern.empty() || pattern.back() != L'\\') {
        pattern += L'\\';
    }
    pattern += L"*.*";
    WIN32_FIND_DATAW data{};
    ScopedFindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
    if (find.get() == INVALID_HANDLE_VALUE) {
        find.release();
        // An empty drive root has not even "." to list.
        if (GetLastError() == ERROR_FILE_NOT_FOUND) {
            return std::vector<FolderEntry>{};
        }
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    do {
        if (!IsDotEntry(data.cFileName)) {
            entries.push_back(EntryFrom(data));
        }
    } while (FindNextFileW(find.get(), &data));
    return entries;
}

std::uint32_t Win32FileCalls::Attributes(const std::wstring& path) {
    return GetFileAttributesW(path.c_str());
}

bool Win32FileCalls::SetAttributes(const std::wstring& path, std::uint32_t attributes) {
    return SetFileAttributesW(path.c_str(), attributes) != 0;
}

bool Win32FileCalls::MakeFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) != 0;
}

bool Win32FileCalls::Remove(const std::wstring& path) {
    return DeleteFileW(path.c_str()) != 0;
}

bool Win32FileCalls::MoveReplacing(const std::wstring& from, const std::wstring& to,
                                   FileError* error) {
    // Windows refuses to replace a read-only file; Wine does not. Refuse it
    // here so that both keep such a file.
    const DWORD existing = GetFileAttributesW(to.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return Report(false, error);
    }
    return Report(MoveFileExW(from.c_str(), to.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0,
                  error);
}

std::optional<std::uint64_t> Win32FileCalls::FreeBytes(const std::wstring& root) {
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER totalFree{};
    if (!GetDiskFreeSpaceExW(root.c_str(), &available, &total, &totalFree)) {
        return std::nullopt;
    }
    return totalFree.QuadPart;
}

std::optional<std::wstring> Win32FileCalls::VolumeFileSystem(const std::wstring& root) {
    wchar_t name[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, name,
                               MAX_PATH + 1)) {
        return std::nullopt;
    }
    return std::wstring(name);
}

DriveType Win32FileCalls::DriveKind(const std::wstring& root) {
    return static_cast<DriveType>(GetDriveTypeW(root.c_str()));
}

} // namespace stowkeep::platform
