#pragma once

#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace stowkeep::driver {

// The text a person reads on a window, asked of the window itself so that
// owner-drawn controls of another process answer too.
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);

// A top-level window's caption as the system keeps it: asking for it sends the
// window no message, so windows whose thread is busy are found all the same.
std::wstring CaptionOf(HWND window);

// Top-level windows whose caption equals `caption` exactly, in z order.
std::vector<HWND> TopLevelWindows(const std::wstring& caption, bool visibleOnly);

// Every descendant of `parent`, depth first.
std::vector<HWND> Descendants(HWND parent);

// The first descendant whose text equals `text` exactly; null when none.
HWND DescendantWithText(HWND parent, const std::wstring& text);

// Another process's windows give no signal we could wait on, so the driver
// looks again every few tens of milliseconds until `ready` holds or time is up.
bool WaitUntil(const std::function<bool()>& ready, DWORD timeoutMs);

} // namespace stowkeep::driver
