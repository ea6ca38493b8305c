#pragma once

#include <string>
#include <vector>

namespace stowkeep::driver {

using Args = std::vector<std::wstring>;

// hold-file PATH MS: opens the file sharing nothing, prints this process's id
// once it holds it, and keeps it open for MS milliseconds.
int HoldFile(const Args& a);

// What a control looks like on the screen, kept in a file and compared later.
// snap CAPTION CONTROL-TEXT FILE; wait-look and wait-new-look CAPTION
// CONTROL-TEXT FILE MS wait until it looks like the file, or unlike it.
int Snap(const Args& a);
int WaitLook(const Args& a);
int WaitNewLook(const Args& a);

// tray-menu CAPTION ITEM: opens the notification-area menu of the icon whose
// tip is CAPTION and chooses its ITEM-th entry (from 1), with the keyboard.
int TrayMenu(const Args& a);

// end-session CAPTION: asks the window whether the session may end, prints
// the answer, then tells it that the user logs off.
int EndSession(const Args& a);

} // namespace stowkeep::driver
