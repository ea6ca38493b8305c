#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace stowkeep::driver {

// The rows of a report-style list view in another process, each a list of
// its column texts. The texts are read through a buffer in that process.
std::vector<std::vector<std::wstring>> ListViewRows(HWND listView);

} // namespace stowkeep::driver
