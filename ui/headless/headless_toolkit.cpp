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

class HeadlessMessageDialog : public MessageDialog {
  public:
    HeadlessMessageDialog(ScriptedMessages& responder, std::wstring title)
        : responder_(responder), title_(std::move(title)) {}
    Answer show(const std::wstring& text, MessageKind kind, MessageButtons buttons) override {
        return responder_.respond(messageCaption(kind, title_), text, kind, buttons);
    }

  private:
    ScriptedMessages& responder_;
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

std::unique_ptr<MessageDialog> HeadlessToolkit::createMessageDialog(const Window*,
                                                                    std::wstring title) {
    return std::make_unique<HeadlessMessageDialog>(messages_, std::move(title));
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
