#pragma once

namespace stowkeep::ui {

// The shell's notification area as the owner of one icon sees it: the owner window's
// message filter and the calls that add, change and remove the icon.
class NotificationArea {
  public:
    virtual ~NotificationArea() = default;
    // The message the shell sends every top-level window when it starts (again).
    virtual unsigned restartMessage() = 0;
    // Lets `message` reach the owner window from a less privileged sender. An elevated
    // program's windows drop such messages from the user's own shell otherwise.
    virtual bool allowMessage(unsigned message) = 0;
    virtual bool add() = 0; // the icon with its tooltip; its mouse messages go to the owner
    virtual bool modify() = 0;
    virtual bool remove() = 0;
};

} // namespace stowkeep::ui
