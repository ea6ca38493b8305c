#include "sim/flavour/state_file.h"

#include "platform/win32/owned_handle.h"
#include "platform/win32/win32_module_path.h"

namespace stowkeep::sim::flavour {

namespace {

using platform::win32::FileTraits;
using platform::win32::Owned;

constexpr DWORD kLargestState = 4096;
constexpr DWORD kAllSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr int kReplaceAttempts = 20;

} // namespace

std::wstring StateFileBeside(HMODULE module) {
    return platform::FileBesideExecutable(platform::win32::Win32ModulePath(module),
                                          L"simulated-enclosure.txt");
}

EnclosureState ReadStateFile(const std::wstring& path) {
    Owned<FileTraits> file(CreateFileW(path.c_str(), GENERIC_READ, kAllSharing, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return {};
    char text[kLargestState];
    DWORD read = 0;
    if (!ReadFile(file.Get(), text, sizeof text, &read, nullptr))
        return {};
    return ParseEnclosureState(std::string_view(text, read));
}

bool WriteStateFile(const std::wstring& path, const EnclosureState& state) {
    const std::wstring temporary = path + L".new";
    const std::string text = FormatEnclosureState(state);
    {
        Owned<FileTraits> file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file || !WriteFile(file.Get(), text.data(), DWORD(text.size()), &written, nullptr) ||
            written != text.size())
            return false;
    }
    // A reader that has the file open for a moment can refuse the replace.
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
            return true;
        Sleep(10);
    }
    DeleteFileW(temporary.c_str());
    return false;
}

} // namespace stowkeep::sim::flavour
