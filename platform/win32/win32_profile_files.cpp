#include "platform/win32/win32_profile_files.h"

#include <string>
#include <vector>
#include <windows.h>

namespace stowkeep::platform::win32 {

std::wstring Win32ProfileFiles::ReadString(const std::wstring& path, std::wstring_view section,
                                           std::wstring_view key, std::wstring_view def,
                                           std::size_t capacity) const {
    if (capacity == 0) {
        return {};
    }
    std::vector<wchar_t> buffer(capacity, L'\0');
    const DWORD copied = ::GetPrivateProfileStringW(
        std::wstring(section).c_str(), std::wstring(key).c_str(), std::wstring(def).c_str(),
        buffer.data(), static_cast<DWORD>(capacity), path.c_str());
    return std::wstring(buffer.data(), copied);
}

bool Win32ProfileFiles::WriteString(const std::wstring& path, std::wstring_view section,
                                    std::wstring_view key, std::wstring_view value) {
    return ::WritePrivateProfileStringW(std::wstring(section).c_str(), std::wstring(key).c_str(),
                                        std::wstring(value).c_str(), path.c_str()) != FALSE;
}

} // namespace stowkeep::platform::win32
