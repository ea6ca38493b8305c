#pragma once

#include <string>

namespace stowkeep::platform {

// The shell's default action on a document or web address ("open" a page in the
// user's browser), by two routes.
class ShellOpen {
  public:
    virtual ~ShellOpen() = default;
    // Asks the logged-on user's own desktop shell to do it, so what it starts runs
    // with the user's rights rather than ours. False when that shell cannot be asked.
    virtual bool OpenAsDesktopUser(const std::wstring& target, bool maximised) = 0;
    // Does it in our own process: what it starts inherits our rights, elevated too.
    virtual bool OpenHere(const std::wstring& target, bool maximised) = 0;
};

// Opens `target` maximised through the user's desktop shell; in our own context
// only when that shell cannot be asked. An elevated program must not hand its
// rights to the browser.
bool OpenAsUser(ShellOpen& shell, const std::wstring& target);

} // namespace stowkeep::platform
