// The Windows side of Startshim: the mutex probe, the module path, the file
// check, the elevated task, and the plain start through the shell, which
// honours the program's manifest (requireAdministrator) where CreateProcess
// would fail.
#include "platform/win32/library_search.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/win32_module_path.h"
#include "startshim/launch.h"
#include "startshim/win32/change_rights.h"
#include "startshim/win32/elevated_task.h"

#include <objbase.h>
#include <shellapi.h>
#include <string>
#include <windows.h>

namespace stowkeep::startshim {
namespace {

// The shell may hand the start to COM objects, and the Task Scheduler is one:
// they want an apartment.
class ComApartment {
  public:
    ComApartment()
        : initialized_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (initialized_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialized_;
};

class Win32LaunchSystem final : public LaunchSystem {
  public:
    bool InstanceRunning() override {
        const std::wstring name(kInstanceMutexName);
        const platform::win32::OwnedKernelHandle mutex(
            OpenMutexW(SYNCHRONIZE, FALSE, name.c_str()));
        // The elevated program's mutex may refuse a launcher at medium
        // integrity; refused still means it exists.
        return mutex.Valid() || GetLastError() == ERROR_ACCESS_DENIED;
    }

    std::wstring ModulePath() override {
        return platform::win32::Win32ModulePath().ExecutablePath();
    }

    bool FileExists(const std::wstring& path) override {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool Start(const std::wstring& file, const std::wstring& folder) override {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
        info.lpFile = file.c_str();
        info.lpDirectory = folder.c_str();
        info.nShow = SW_SHOWNORMAL;
        return ShellExecuteExW(&info) != FALSE;
    }

    std::optional<std::wstring> ElevatedTaskProgram() override {
        return win32::ElevatedTaskProgram();
    }

    bool OnlyAdministratorsCanChange(const ProgramLocation& location) override {
        return win32::OnlyAdministratorsCanChange(location);
    }

    bool RunElevatedTask() override { return win32::RunElevatedTask(); }

  private:
    ComApartment apartment_;
};

} // namespace
} // namespace stowkeep::startshim

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The shell and COM load libraries on our behalf: System32 only.
    static_cast<void>(stowkeep::platform::win32::ConfineLibrarySearchToSystem());
    stowkeep::startshim::Win32LaunchSystem system;
    return static_cast<int>(stowkeep::startshim::RunStartshim(system));
}
