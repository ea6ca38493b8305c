#pragma once

#include <optional>
#include <string>

namespace stowkeep::ui {

class Window;

// The system's folder picker.
class FolderDialog {
  public:
    virtual ~FolderDialog() = default;
    // The chosen folder, or nullopt when the user cancelled.
    virtual std::optional<std::wstring> browse(const Window* owner, const std::wstring& start) = 0;
};

} // namespace stowkeep::ui
