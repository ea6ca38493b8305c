#include "ui/headless/headless_toolkit.h"

#include <algorithm>

namespace stowkeep::ui {

class HeadlessTimer : public Timer {
  public:
    HeadlessTimer(HeadlessToolkit& owner, std::function<void()> handler)
        : owner_(owner), handler_(std::move(handler)) {
        owner_.timers_.push_back(this);
    }
    ~HeadlessTimer() override { std::erase(owner_.timers_, this); }
    void start() override { running_ = true; }
    void stop() override { running_ = false; }
    bool running() const override { return running_; }
    void fire() {
        if (running_)
            handler_();
    }

  private:
    HeadlessToolkit& owner_;
    std::function<void()> handler_;
    bool running_ = false;
};

namespace {

// Each box is a window of its own while it waits for its answer, as on Windows, so it
// asks for the foreground like every other window.
class HeadlessMessageDialog : public MessageDialog {
  public:
    HeadlessMessageDialog(HeadlessToolkit& toolkit, const Window* owner, std::wstring title)
        : toolkit_(toolkit), owner_(owner), title_(std::move(title)) {}
    Answer show(const std::wstring& text, MessageKind kind, MessageButtons buttons) override {
        std::wstring caption = messageCaption(kind, title_);
        auto box =
            toolkit_.createWindow("spSkinMessage1", {caption, 0, 0, Frame::Dialog, false, owner_});
        box->show();
        Answer answer = toolkit_.messages().respond(std::move(caption), text, kind, buttons);
        box->hide();
        return answer;
    }

  private:
    HeadlessToolkit& toolkit_;
    const Window* owner_;
    std::wstring title_;
};

} // namespace

void ScriptedFolderDialog::answerNext(std::optional<std::wstring> folder) {
    answers_.push_back(std::move(folder));
}

std::optional<std::wstring> ScriptedFolderDialog::browse(const Window*, const std::wstring& start) {
    starts_.push_back(start);
    if (answers_.empty())
        return std::nullopt;
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

HeadlessToolkit::HeadlessToolkit() : pictures_(standardPictures()) {}

HeadlessToolkit::~HeadlessToolkit() = default;

std::unique_ptr<MessageDialog> HeadlessToolkit::createMessageDialog(const Window* owner,
                                                                    std::wstring title) {
    return std::make_unique<HeadlessMessageDialog>(*this, owner, std::move(title));
}

std::unique_ptr<ControlPeer> HeadlessToolkit::createPeer(Control& control) {
    if (control.kind() == Kind::Window)
        return desktop_.peerFor(static_cast<Window&>(control));
    if (control.kind() == Kind::TrayIcon)
        return notificationArea_.peerFor(static_cast<TrayIcon&>(control));
    return nullptr;
}

std::unique_ptr<Timer> HeadlessToolkit::createTimer(std::chrono::milliseconds,
                                                    std::function<void()> handler) {
    return std::make_unique<HeadlessTimer>(*this, std::move(handler));
}

int HeadlessToolkit::run() {
    dispatcher_.waitUntil(quitSignal_);
    quitSignal_.reset();
    return exitCode_;
}

void HeadlessToolkit::quit(int code) {
    exitCode_ = code;
    quitSignal_.set();
}

void HeadlessToolkit::tickTimers() {
    // A handler may start or delete timers; fire those that were there before.
    auto current = timers_;
    for (HeadlessTimer* timer : current)
        if (std::find(timers_.begin(), timers_.end(), timer) != timers_.end())
            timer->fire();
}

int HeadlessToolkit::runningTimers() const {
    return static_cast<int>(
        std::count_if(timers_.begin(), timers_.end(), [](auto* t) { return t->running(); }));
}

} // namespace stowkeep::ui
