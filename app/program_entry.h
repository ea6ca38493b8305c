#pragma once

#include "app/unit1.h"
#include "platform/named_mutexes.h"

#include <functional>
#include <string>

namespace stowkeep::app {

// The program's entry: one instance per logon session, guarded by a named
// mutex held for the life of the process. A second start only says that the
// program runs already, in a plain box of the system's own (`plainNotice`),
// and creates no window. Otherwise the four windows are made in their order
// and the message loop runs; its exit code is returned.
int RunProgram(platform::NamedMutexes& mutexes,
               const std::function<void(const std::wstring& text)>& plainNotice,
               const TForm1Services& services);

} // namespace stowkeep::app
