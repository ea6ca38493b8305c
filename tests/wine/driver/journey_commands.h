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

// tray-window TIP prints the handle of the window that owns the icon; tray-icon
// HANDLE prints whether the shell shows that window's icon (shown or gone), also
// after the window has gone; tray-restart HANDLE makes the shell forget the
// icon and sends the window the shell's restart message, as a restarted
// Explorer does, and waits for the icon to come back.
int TrayWindow(const Args& a);
int TrayIcon(const Args& a);
int TrayRestart(const Args& a);

// other-program MS: a window of another program, in front with the keyboard,
// for MS milliseconds; prints "ready" once it is. foreground: prints the
// caption of the window in front.
int OtherProgram(const Args& a);
int Foreground(const Args& a);

} // namespace stowkeep::driver
