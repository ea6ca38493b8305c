#pragma once

#include "ui/folder_dialog.h"
#include "ui/win32/windows_api.h"

namespace stowkeep::ui::win32 {

// The system's folder dialog (SHBrowseForFolder), opened at the field's folder.
class FolderBrowser : public FolderDialog {
  public:
    std::optional<std::wstring> browse(const Window* owner, const std::wstring& start) override;
};

} // namespace stowkeep::ui::win32
