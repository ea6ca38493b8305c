#pragma once

namespace stowkeep::images {

// The small "please wait" window that stands over the main window while files are made.
class WaitWindow {
  public:
    virtual ~WaitWindow() = default;
    virtual void Show() = 0;
    virtual void Close() = 0;
};

} // namespace stowkeep::images
