#include "platform/win32/files_win32.h"
#include "platform/win32/files_win32_handles.h"

namespace stowkeep::platform {

// FlushFileBuffers on a handle to a volume flushes every file open on it;
// opening the volume for writing takes administrator rights, which the
// program has. The name is \\.\E: without a closing backslash (that would
// name the root folder). Wine opens the volume but refuses the flush with
// ERROR_INVALID_FUNCTION, which comes back as FileError::other.
FileError Win32FileCalls::FlushVolume(const std::wstring& root) {
    if (root.size() < 2 || root[1] != L':') {
        return FileError::other;
    }
    const std::wstring volume = L"\\\\.\\" + root.substr(0, 2);
    ScopedFileHandle handle(CreateFileW(volume.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
    if (handle.get() == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        handle.release();
        return FileErrorFrom(code);
    }
    if (!FlushFileBuffers(handle.get())) {
        return FileErrorFrom(GetLastError());
    }
    return FileError::none;
}

} // namespace stowkeep::platform
