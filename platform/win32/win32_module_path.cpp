#include "platform/win32/win32_module_path.h"

#include <string>

namespace stowkeep::platform::win32 {

std::wstring Win32ModulePath::ExecutablePath() const {
    // A path that fills the buffer may have been cut: try again with more room.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(module_, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace stowkeep::platform::win32
