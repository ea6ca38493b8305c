#pragma once

#include "drives/device_view.h"

#include <optional>
#include <thread>
#include <vector>

namespace stowkeep::drives::testing {

// Keeps what LocateDevice last showed, and on which threads it ran.
class RecordingView : public DeviceView {
  public:
    void SetBackupFolderText(const std::wstring& text) override {
        backup = text;
        threads.push_back(std::this_thread::get_id());
    }
    void SetImageFolderText(const std::wstring& text) override {
        image = text;
        threads.push_back(std::this_thread::get_id());
    }
    void ShowDeviceButtons(DeviceButtonPictures shown) override {
        pictures = shown;
        threads.push_back(std::this_thread::get_id());
        if (shown == DeviceButtonPictures::NoEnclosure) {
            ++runs; // every LocateDevice starts from the no-enclosure look
        }
    }

    std::wstring backup;
    std::wstring image;
    std::optional<DeviceButtonPictures> pictures;
    int runs = 0;
    std::vector<std::thread::id> threads;
};

} // namespace stowkeep::drives::testing
