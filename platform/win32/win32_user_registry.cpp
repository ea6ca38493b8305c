#include "platform/win32/win32_user_registry.h"

#include "platform/win32/owned_handle.h"

#include <string>
#include <windows.h>

namespace stowkeep::platform::win32 {

namespace {

bool IsString(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

OwnedRegistryKey OpenUserKey(std::wstring_view subkey, REGSAM access) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, std::wstring(subkey).c_str(), 0, access, &key) !=
        ERROR_SUCCESS) {
        return OwnedRegistryKey{};
    }
    return OwnedRegistryKey{key};
}

} // namespace

std::optional<std::wstring> Win32UserRegistry::ReadString(std::wstring_view subkey,
                                                          std::wstring_view name) const {
    const OwnedRegistryKey key = OpenUserKey(subkey, KEY_QUERY_VALUE);
    if (!key) {
        return std::nullopt;
    }
    const std::wstring valueName(name);
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        !IsString(type)) {
        return std::nullopt;
    }
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &bytes) != ERROR_SUCCESS ||
        !IsString(type)) {
        return std::nullopt;
    }
    // The stored data need not end in a terminator; drop the ones it has.
    data.resize(bytes / sizeof(wchar_t));
    while (!data.empty() && data.back() == L'\0') {
        data.pop_back();
    }
    return data;
}

bool Win32UserRegistry::WriteString(std::wstring_view subkey, std::wstring_view name,
                                    std::wstring_view data) {
    const OwnedRegistryKey key = OpenUserKey(subkey, KEY_SET_VALUE);
    if (!key) {
        return false;
    }
    const std::wstring text(data);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.Get(), std::wstring(name).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

bool Win32UserRegistry::DeleteValue(std::wstring_view subkey, std::wstring_view name) {
    const OwnedRegistryKey key = OpenUserKey(subkey, KEY_SET_VALUE);
    if (!key) {
        return false;
    }
    return ::RegDeleteValueW(key.Get(), std::wstring(name).c_str()) == ERROR_SUCCESS;
}

} // namespace stowkeep::platform::win32
