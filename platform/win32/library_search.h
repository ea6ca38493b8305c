#pragma once

namespace stowkeep::platform::win32 {

// From now on a library loaded by name, and every dependency of a library
// loaded by full path, comes from System32 only: never from the program's
// folder or the current folder, where anyone who can write there could plant a
// DLL that then runs elevated. Each program's entry calls it before anything
// else; false when the system refused.
bool ConfineLibrarySearchToSystem();

} // namespace stowkeep::platform::win32
