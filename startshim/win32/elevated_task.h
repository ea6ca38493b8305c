#pragma once

#include <optional>
#include <string>

// The installer's Task Scheduler task, seen from the user who logs on. Needs
// a COM apartment on the calling thread.
namespace stowkeep::startshim::win32 {

// The program the task starts; nothing when there is no such task for this
// user, or it is not the single program start the installer registers.
std::optional<std::wstring> ElevatedTaskProgram();
bool RunElevatedTask();

} // namespace stowkeep::startshim::win32
