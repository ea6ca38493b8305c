#pragma once

#include "ui/toolkit.h"
#include "ui/win32/windows_api.h"

#include <memory>

namespace stowkeep::ui {

// The toolkit of the program: every control is a real child window with a control ID and
// its text as window text, drawn by our own skin, per-monitor DPI aware. Create it on the
// thread that runs the message loop.
class Win32Toolkit : public Toolkit {
  public:
    Win32Toolkit();
    ~Win32Toolkit() override;

    std::unique_ptr<MessageDialog> createMessageDialog(const Window* owner,
                                                       std::wstring title) override;
    std::unique_ptr<Timer> createTimer(std::chrono::milliseconds interval,
                                       std::function<void()> handler) override;
    FolderDialog& folderDialog() override;
    Dispatcher& dispatcher() override;
    const PictureStore& pictures() const override;
    int run() override;
    void quit(int code) override;
    std::unique_ptr<ControlPeer> createPeer(Control& control) override;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace stowkeep::ui
