#pragma once
// The simulated enclosure's state file, "simulated-enclosure.txt" beside the
// flavour's files: the command writes it, the program and its device library
// read it whenever they look at the enclosure.

#include "sim/enclosure_state.h"

#include <string>
#include <windows.h>

namespace stowkeep::sim::flavour {

// The state file in the folder of the given module (null: the exe).
std::wstring StateFileBeside(HMODULE module);

// A missing or unreadable file reads as the defaults: plugged in at E:.
EnclosureState ReadStateFile(const std::wstring& path);

// Replaces the file as a whole, so a reader never sees half of it.
bool WriteStateFile(const std::wstring& path, const EnclosureState& state);

} // namespace stowkeep::sim::flavour
