#pragma once

#include "app/unit1.h"
#include "drives/device_presence.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/volumes_win32.h"
#include "platform/win32/win32_libraries.h"
#include "platform/win32/win32_module_path.h"
#include "platform/win32/win32_named_mutexes.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_profile_files.h"
#include "platform/win32/win32_shell_open.h"
#include "platform/win32/win32_user_registry.h"
#include "ui/win32/win32_toolkit.h"

#include <windows.h>

namespace stowkeep::app {

// The system's side of every seam the main window works with.
struct Win32Machine {
    platform::win32::Win32NamedMutexes mutexes;
    platform::win32::Win32ModulePath module;
    platform::win32::Win32Libraries libraries;
    platform::win32::Win32Processes processes;
    platform::win32::Win32UserRegistry registry;
    platform::win32::Win32ShellOpen shell;
    platform::win32::Win32ProfileFiles profiles;
    platform::Win32FileSystem files;
    platform::Win32Volumes volumes;
    ui::Win32Toolkit toolkit;

    // volumeSystem must live as long as the process.
    TForm1Services Services(platform::VolumeSystem& volumeSystem) {
        return {toolkit,
                module,
                libraries,
                processes,
                registry,
                profiles,
                files,
                drives::ProcessDevicePresenceSeams(volumeSystem, files),
                [this](const std::wstring& address) { platform::OpenAsUser(shell, address); }};
    }
};

} // namespace stowkeep::app
