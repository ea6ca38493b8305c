#pragma once

#include <string>

namespace stowkeep::sim::flavour {

// Whether some program holds a file below the folder open, which on a real
// disk makes the volume refuse its lock: a file that cannot be opened
// exclusively is held by someone.
bool AnyFileHeldOpen(const std::wstring& folder);

} // namespace stowkeep::sim::flavour
