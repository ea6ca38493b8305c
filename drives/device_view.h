#pragma once

#include <string>

namespace stowkeep::drives {

// Which pictures the three device-bound buttons of the main page show.
enum class DeviceButtonPictures {
    NoEnclosure, // Image16, Image17, Image19 get Image28, Image29, Image30
    Normal,      // Image16, Image17, Image19 get Image7, Image22, Image13
};

// What LocateDevice changes on the main window. Called on the UI thread only.
class DeviceView {
  public:
    virtual ~DeviceView() = default;
    virtual void SetBackupFolderText(const std::wstring& text) = 0; // JvDirectoryEdit2
    virtual void SetImageFolderText(const std::wstring& text) = 0;  // JvDirectoryEdit3
    virtual void ShowDeviceButtons(DeviceButtonPictures pictures) = 0;
};

} // namespace stowkeep::drives
