// The Windows program: the entry wired to the system's side of every seam.
#include "app/win32/windows_program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    stowkeep::app::Win32Machine machine;
    return stowkeep::app::RunWindowsProgram(machine, machine.volumes);
}
