#include "platform/win32/owned_handle.h"
#include "platform/win32/win32_profile_files.h"

#include <optional>
#include <string>
#include <string_view>
#include <windows.h>

namespace stowkeep::platform::win32 {

namespace {

constexpr std::string_view kUtf16Mark = "\xFF\xFE";

std::string ToAnsi(std::wstring_view text) {
    const auto length = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

std::wstring FromAnsi(std::string_view ansi) {
    const auto length = static_cast<int>(ansi.size());
    const int size = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, text.data(), size);
    return text;
}

// The system writes the code page's best approximation of a character it
// lacks, so only a text that comes back unchanged from a round trip is held.
bool AnsiHolds(std::wstring_view text) {
    return text.empty() || FromAnsi(ToAnsi(text)) == text;
}

std::optional<std::string> ReadAll(HANDLE file) {
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    do {
        if (!::ReadFile(file, chunk, sizeof(chunk), &got, nullptr)) {
            return std::nullopt;
        }
        bytes.append(chunk, got);
    } while (got > 0);
    return bytes;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    DWORD written = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string Utf16WithMark(std::wstring_view text) {
    std::string bytes(kUtf16Mark);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

// Readers see the old file or the whole new one, never a half-written one.
bool ReplaceWith(const std::wstring& path, std::string_view bytes) {
    const std::wstring temporary = path + L".new";
    bool written = false;
    {
        const OwnedFileHandle file{::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
        written = file && WriteAll(file.Get(), bytes) && ::FlushFileBuffers(file.Get());
    }
    if (written && ::MoveFileExW(temporary.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    ::DeleteFileW(temporary.c_str());
    return false;
}

} // namespace

bool Win32ProfileFiles::PrepareToKeep(const std::wstring& path, std::wstring_view text) {
    // Opened for writing, so that a file that the system would not let us write
    // (read-only, held by another program) is refused before anything changes.
    OwnedFileHandle file{::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file) {
        return false;
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS) {
        return WriteAll(file.Get(), kUtf16Mark);
    }
    if (AnsiHolds(text)) {
        return true;
    }
    const auto bytes = ReadAll(file.Get());
    if (!bytes) {
        return false;
    }
    if (bytes->rfind(kUtf16Mark, 0) == 0) {
        return true;
    }
    file.Reset();
    return ReplaceWith(path, Utf16WithMark(FromAnsi(*bytes)));
}

} // namespace stowkeep::platform::win32
