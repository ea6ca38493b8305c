#pragma once

#include "ui/headless/headless_desktop.h"
#include "ui/headless/headless_dispatcher.h"
#include "ui/headless/headless_notification_area.h"
#include "ui/headless/scripted_messages.h"
#include "ui/toolkit.h"

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace stowkeep::ui {

class HeadlessTimer;

// Answers the folder dialog from a script and records where each one started.
class ScriptedFolderDialog : public FolderDialog {
  public:
    // The next browse() returns this; nullopt = the user cancels. With no script left,
    // browse() cancels.
    void answerNext(std::optional<std::wstring> folder);
    const std::vector<std::wstring>& starts() const { return starts_; }
    std::optional<std::wstring> browse(const Window* owner, const std::wstring& start) override;

  private:
    std::deque<std::optional<std::wstring>> answers_;
    std::vector<std::wstring> starts_;
};

// The toolkit for tests: controls only hold state; the test raises the events (click(),
// type(), clickRow() ...), answers message boxes and folder dialogs from a script, pumps
// the dispatcher and fires timers. The creating thread is the UI thread.
class HeadlessToolkit : public Toolkit {
  public:
    HeadlessToolkit();
    ~HeadlessToolkit() override;

    std::unique_ptr<MessageDialog> createMessageDialog(const Window* owner,
                                                       std::wstring title) override;
    std::unique_ptr<Timer> createTimer(std::chrono::milliseconds interval,
                                       std::function<void()> handler) override;
    FolderDialog& folderDialog() override { return folders_; }
    Dispatcher& dispatcher() override { return dispatcher_; }
    const PictureStore& pictures() const override { return pictures_; }
    int run() override;
    void quit(int code) override;
    // Windows follow the desktop's foreground rules; tray icons live in the notification area.
    std::unique_ptr<ControlPeer> createPeer(Control& control) override;

    ScriptedMessages& messages() { return messages_; }
    ScriptedFolderDialog& folders() { return folders_; }
    HeadlessDispatcher& headlessDispatcher() { return dispatcher_; }
    HeadlessDesktop& desktop() { return desktop_; }
    HeadlessNotificationArea& notificationArea() { return notificationArea_; }

    // One interval passes: every running timer fires once.
    void tickTimers();
    int runningTimers() const;

  private:
    friend class HeadlessTimer;
    HeadlessDesktop desktop_;
    HeadlessNotificationArea notificationArea_;
    HeadlessDispatcher dispatcher_;
    ScriptedMessages messages_;
    ScriptedFolderDialog folders_;
    PictureStore pictures_;
    std::vector<HeadlessTimer*> timers_;
    Signal quitSignal_;
    int exitCode_ = 0;
};

} // namespace stowkeep::ui
