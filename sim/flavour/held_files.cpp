#include "sim/flavour/held_files.h"

#include "platform/win32/owned_handle.h"

#include <windows.h>

namespace stowkeep::sim::flavour {

namespace {

using platform::win32::FileTraits;
using platform::win32::FindTraits;
using platform::win32::Owned;

bool HeldOpen(const std::wstring& file) {
    Owned<FileTraits> handle(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    return !handle && GetLastError() == ERROR_SHARING_VIOLATION;
}

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

} // namespace

bool AnyFileHeldOpen(const std::wstring& folder) {
    const std::wstring prefix = folder.ends_with(L'\\') ? folder : folder + L'\\';
    WIN32_FIND_DATAW entry;
    Owned<FindTraits> find(FindFirstFileW((prefix + L'*').c_str(), &entry));
    if (!find)
        return false;
    do {
        if (IsDotEntry(entry.cFileName))
            continue;
        const std::wstring path = prefix + entry.cFileName;
        const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        // Links are not followed, so a loop in the tree cannot keep the walk going.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            continue;
        if (isFolder ? AnyFileHeldOpen(path) : HeldOpen(path))
            return true;
    } while (FindNextFileW(find.Get(), &entry));
    return false;
}

} // namespace stowkeep::sim::flavour
