#pragma once

#include "app/win32/win32_machine.h"

namespace stowkeep::app {

// Runs the Windows program on the system's side of every seam, with the given
// volumes (the machine's own, or the simulated enclosure's over them).
int RunWindowsProgram(Win32Machine& machine, platform::VolumeSystem& volumes);

} // namespace stowkeep::app
