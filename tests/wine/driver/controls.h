#pragma once

#include <string>
#include <vector>

namespace stowkeep::driver {

// Commands that work on one control of a window, named by its control id
// (`controls` lists the ids).
int Controls(const std::vector<std::wstring>& a);
int SetText(const std::vector<std::wstring>& a);
int ClickId(const std::vector<std::wstring>& a);
int WaitText(const std::vector<std::wstring>& a);
int Answers(const std::vector<std::wstring>& a);
int ClickOnNewFile(const std::vector<std::wstring>& a);

} // namespace stowkeep::driver
