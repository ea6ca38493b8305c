#include "ui/headless/headless_notification_area.h"

#include "ui/tray_icon_keeper.h"

#include <algorithm>
#include <set>

namespace stowkeep::ui {

// One icon's owner window as the shell sees it.
class HeadlessNotificationArea::Owner : public NotificationArea {
  public:
    Owner(HeadlessNotificationArea& area, const TrayIcon& tray) : area_(area), tray_(tray) {
        area_.owners_.push_back(this);
    }
    ~Owner() override { std::erase(area_.owners_, this); }

    unsigned restartMessage() override { return kRestartMessage; }
    bool allowMessage(unsigned message) override {
        allowed_.insert(message);
        return true;
    }
    bool add() override {
        if (find() != area_.shown_.end())
            return false;
        area_.shown_.push_back({this, tray_.text()});
        ++area_.adds_;
        return true;
    }
    bool modify() override {
        auto icon = find();
        if (icon == area_.shown_.end())
            return false;
        icon->tooltip = tray_.text();
        return true;
    }
    bool remove() override {
        auto icon = find();
        if (icon == area_.shown_.end())
            return false;
        area_.shown_.erase(icon);
        ++area_.removals_;
        return true;
    }

    bool lets(unsigned message) const { return allowed_.contains(message); }
    TrayIconKeeper* keeper = nullptr;

  private:
    std::vector<Shown>::iterator find() {
        return std::find_if(area_.shown_.begin(), area_.shown_.end(),
                            [this](const Shown& s) { return s.owner == this; });
    }

    HeadlessNotificationArea& area_;
    const TrayIcon& tray_;
    std::set<unsigned> allowed_;
};

class HeadlessNotificationArea::TrayPeer : public ControlPeer {
  public:
    TrayPeer(HeadlessNotificationArea& area, const TrayIcon& tray)
        : owner_(area, tray), keeper_(owner_, tray) {
        owner_.keeper = &keeper_;
    }
    void changed(Change what, int, int) override { keeper_.follow(what); }

  private:
    Owner owner_;
    TrayIconKeeper keeper_;
};

HeadlessNotificationArea::HeadlessNotificationArea() = default;
HeadlessNotificationArea::~HeadlessNotificationArea() = default;

std::vector<std::wstring> HeadlessNotificationArea::icons() const {
    std::vector<std::wstring> tooltips(shown_.size());
    std::transform(shown_.begin(), shown_.end(), tooltips.begin(),
                   [](const Shown& icon) { return icon.tooltip; });
    return tooltips;
}

void HeadlessNotificationArea::restart() {
    shown_.clear();
    auto owners = owners_;
    for (Owner* owner : owners)
        if (owner->lets(kRestartMessage) && owner->keeper)
            owner->keeper->handle(kRestartMessage);
}

std::unique_ptr<ControlPeer> HeadlessNotificationArea::peerFor(TrayIcon& tray) {
    return std::make_unique<TrayPeer>(*this, tray);
}

} // namespace stowkeep::ui
