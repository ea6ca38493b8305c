#pragma once

// Owners of the Win32 handles that the file side opens.

#include "platform/files.h"

#include <memory>
#include <type_traits>
#include <windows.h>

namespace stowkeep::platform {

struct FileHandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ScopedFileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, FileHandleCloser>;

struct FindHandleCloser {
    void operator()(HANDLE handle) const { FindClose(handle); }
};
using ScopedFindHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindHandleCloser>;

// GetLastError reduced to what callers act upon.
FileError FileErrorFrom(DWORD code);

} // namespace stowkeep::platform
