// Stand-in for the program in the launcher test: it records its current folder
// (UTF-16) in a marker file beside itself, then tells the test it is done.
#include "tests/startshim/standin_names.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <windows.h>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

std::wstring OwnFolder() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

std::wstring CurrentFolder() {
    std::wstring folder(32768, L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return folder;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring current = CurrentFolder();
    {
        std::ofstream marker(
            std::filesystem::path(OwnFolder() + std::wstring(stowkeep::test::kStandinMarkerName)),
            std::ios::binary);
        marker.write(reinterpret_cast<const char*>(current.data()),
                     static_cast<std::streamsize>(current.size() * sizeof(wchar_t)));
    }
    const std::wstring event_name(stowkeep::test::kStandinDoneEvent);
    std::unique_ptr<void, HandleCloser> done(
        OpenEventW(EVENT_MODIFY_STATE, FALSE, event_name.c_str()));
    if (done) {
        SetEvent(done.get());
    }
    return 0;
}
