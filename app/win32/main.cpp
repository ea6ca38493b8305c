// The Windows program: the entry wired to the system's side of every seam.
#include "app/win32/windows_program.h"
#include "platform/win32/library_search.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before any window class, COM object or shell call can load a library. A
    // system that refuses keeps its standard order: nothing better is left.
    static_cast<void>(stowkeep::platform::win32::ConfineLibrarySearchToSystem());
    stowkeep::app::Win32Machine machine;
    return stowkeep::app::RunWindowsProgram(machine, machine.volumes);
}
