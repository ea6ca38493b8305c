// The Windows program: the entry wired to the system's side of every seam.
#include "app/program_entry.h"
#include "app/texts.h"
#include "platform/win32/win32_libraries.h"
#include "platform/win32/win32_module_path.h"
#include "platform/win32/win32_named_mutexes.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_profile_files.h"
#include "platform/win32/win32_user_registry.h"
#include "ui/win32/win32_toolkit.h"

#include <windows.h>

#include <shellapi.h>

namespace {

using namespace stowkeep;

// The "is running" notice comes before any window of ours exists: the
// system's own box, unskinned, captioned with the application's title.
void PlainNotice(const std::wstring& text) {
    const std::wstring title(app::kApplicationTitle);
    MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK);
}

void OpenWebPage(const std::wstring& address) {
    ShellExecuteW(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    platform::win32::Win32NamedMutexes mutexes;
    platform::win32::Win32ModulePath module;
    platform::win32::Win32Libraries libraries;
    platform::win32::Win32Processes processes;
    platform::win32::Win32UserRegistry registry;
    platform::win32::Win32ProfileFiles profiles;
    ui::Win32Toolkit toolkit;
    return app::RunProgram(
        mutexes, PlainNotice,
        app::TForm1Services{toolkit, module, libraries, processes, registry, profiles,
                            OpenWebPage});
}
