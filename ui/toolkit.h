#pragma once

#include "ui/artwork.h"
#include "ui/control.h"
#include "ui/dispatcher.h"
#include "ui/folder_dialog.h"
#include "ui/message_dialog.h"
#include "ui/timer.h"
#include "ui/tray_icon.h"
#include "ui/window.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace stowkeep::ui {

// The factory that forms are written against. HeadlessToolkit (tests) and Win32Toolkit
// (the program) implement it, so the same form code runs in both.
class Toolkit {
  public:
    virtual ~Toolkit() = default;

    std::unique_ptr<Window> createWindow(std::string name, WindowOptions options);
    std::unique_ptr<TrayIcon> createTrayIcon(std::string name, std::wstring tooltip,
                                             PictureRef icon);
    // The message box of `owner`; `title` is the caption of its plain notices.
    virtual std::unique_ptr<MessageDialog> createMessageDialog(const Window* owner,
                                                               std::wstring title) = 0;
    virtual std::unique_ptr<Timer> createTimer(std::chrono::milliseconds interval,
                                               std::function<void()> handler) = 0;
    virtual FolderDialog& folderDialog() = 0;
    virtual Dispatcher& dispatcher() = 0;
    virtual const PictureStore& pictures() const = 0;

    // The message loop: runs until quit(); returns quit's code.
    virtual int run() = 0;
    virtual void quit(int code) = 0;

    // Backends: the real counterpart of a newly created control, or null.
    virtual std::unique_ptr<ControlPeer> createPeer(Control& control) = 0;
};

} // namespace stowkeep::ui
